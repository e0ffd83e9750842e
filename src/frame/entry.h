// Small behaviours shared by the public classes' entry methods.
#pragma once

#include <string_view>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

// The failure of a tool this build does not include yet.
Failure ToolMissingFailure();

// Obsolete members: "obsoleto", no title, OK button only; nothing else.
void ShowObsolete();

// A working entry method whose tool this build does not include yet reports
// that through the error log, as any failure of the tool would be.
void ReportToolMissing(std::string_view context);

}  // namespace qdr2_Gomiat
