// The suite's five line types, numbered 0 to 4, as grids show them. The
// code table, the layer editor and the line style picker share the numbers.
#pragma once

namespace qdr2_Gomiat {

inline constexpr int kLineTypeCount = 5;

// Continuous, dashed, dotted, dash and dot, dash and two dots.
inline constexpr const char* kLinePatterns[kLineTypeCount] = {
    "_____________", "__ __ __ __ __", "..................",
    "_._._._._._._._._.", "__..__..__..__"};

}  // namespace qdr2_Gomiat
