#include "line_types.h"

#include <cmath>

namespace gomiat {

double LineTypeDef::PatternLength() const {
  double total = 0;
  for (double d : dashes) total += std::fabs(d);
  return total;
}

const std::vector<LineTypeDef>& LineTypes() {
  // Dashes of a few metres: a road survey is drawn in metres.
  static const std::vector<LineTypeDef> kTypes = {
      {"CONTINUOUS", "Solid line", {}},
      {"DASHED", "Dashed __ __ __ __", {2.0, -1.0}},
      {"DOT", "Dotted . . . . . .", {0.0, -0.5}},
      {"DASHDOT", "Dash dot __ . __ .", {2.0, -0.5, 0.0, -0.5}},
      {"DIVIDE", "Dash dot dot __ . . __", {2.0, -0.5, 0.0, -0.5, 0.0, -0.5}},
  };
  return kTypes;
}

const LineTypeDef& LineTypeOf(int32_t number) {
  const auto& types = LineTypes();
  if (number < 0 || static_cast<size_t>(number) >= types.size())
    return types[0];
  return types[static_cast<size_t>(number)];
}

}  // namespace gomiat
