// The five line patterns of the code table as CAD line types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gomiat {

struct LineTypeDef {
  const char* name;         // the usual CAD name
  const char* description;  // a short drawing of the pattern
  // Dash lengths in drawing units: > 0 a dash, < 0 a gap, 0 a dot.
  std::vector<double> dashes;
  double PatternLength() const;
};

// Numbers 0..4: continuous, dashed, dotted, dash-dot, dash-dot-dot.
const std::vector<LineTypeDef>& LineTypes();
// The definition of a line type number; other numbers are continuous.
const LineTypeDef& LineTypeOf(int32_t number);

}  // namespace gomiat
