// What the grid was told about saving and loading its contents (title,
// default file name, filter), for the file dialogs.
#pragma once

#include <string>

#include "frame/grid.h"

namespace qdr2_Gomiat::qt {

struct GridFileOptions {
  bool available = false;  // the grid was given file options
  std::string title;
  std::string default_file;
  std::string filter;  // "*.crq"
};

GridFileOptions FileOptionsOf(const Grid& grid);

}  // namespace qdr2_Gomiat::qt
