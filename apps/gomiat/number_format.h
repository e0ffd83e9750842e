// Numbers written into drawing files: locale-independent, the shortest text
// that reads back as the same double.
#pragma once

#include <string>

namespace gomiat {

// Without an exponent ("431200.125", "0.5", "-3"), for DXF readers.
std::string FixedShortest(double v);
// Shortest, exponent allowed ("1e-07"), valid JSON.
std::string Shortest(double v);

}  // namespace gomiat
