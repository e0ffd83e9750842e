#include "platform/qt/grid_file_options.h"

namespace qdr2_Gomiat::qt {

GridFileOptions FileOptionsOf(const Grid& grid) {
  GridFileOptions options;
  const GridFileSpec& spec = grid.FileSpec();
  if (spec.filter.empty()) return options;
  options.available = true;
  options.title = spec.title;
  options.default_file = spec.default_file;
  options.filter = spec.filter;
  return options;
}

}  // namespace qdr2_Gomiat::qt
