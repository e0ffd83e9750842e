#include "platform/qt/grid_file_options.h"

#include "platform/grid/grid_model.h"

namespace qdr2_Gomiat::qt {

GridFileOptions FileOptionsOf(const Grid& grid) {
  GridFileOptions options;
  const auto* model = dynamic_cast<const GridModel*>(&grid);
  if (model == nullptr || model->Filter().empty()) return options;
  options.available = true;
  options.title = model->FileTitle();
  options.default_file = model->DefaultFile();
  options.filter = model->Filter();
  return options;
}

}  // namespace qdr2_Gomiat::qt
