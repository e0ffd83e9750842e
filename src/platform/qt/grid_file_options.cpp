#include "platform/qt/grid_file_options.h"

namespace qdr2_Gomiat::qt {

GridFileOptions FileOptionsOf(const Grid& grid) {
  GridFileOptions options;
  const GridFileSpec& file = grid.FileSpec();
  if (file.filter.empty()) return options;
  options.available = true;
  options.title = file.title;
  options.default_file = file.default_file;
  options.filter = file.filter;
  return options;
}

}  // namespace qdr2_Gomiat::qt
