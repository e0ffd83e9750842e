// "gomiat croquis": point file in, drawing out.
#pragma once

#include <ostream>

#include "options.h"

namespace gomiat {

struct Terminal {
  std::ostream& out;  // the summary
  std::ostream& err;  // messages and progress
  bool err_is_terminal = false;
};

// Returns the exit code.
int RunCroquisCommand(const CroquisOptions& options, Terminal& terminal);

}  // namespace gomiat
