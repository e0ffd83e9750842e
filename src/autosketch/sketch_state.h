// Working state of the automatic sketch: what the public object keeps between
// calls, and the table rows the code table window hands back. Both the
// deduction and its step-by-step reference work on this state, so their
// results can be compared field by field.
#pragma once

#include <cstdint>
#include <string>

#include "qdr2_gomiat/array.h"
#include "qdr2_gomiat/types.h"

namespace qdr2_Gomiat {

// The rows 1..code count of the code table window, aligned with the code
// list (the counts come back empty).
struct SketchRows {
  Array<std::string> codes;
  Array<std::string> counts;
  Array<std::string> types;
  Array<std::string> layers;
  Array<int32_t> colours;  // colour numbers of the palette
  Array<std::string> lines;

  bool operator==(const SketchRows&) const = default;
};

struct SketchState {
  int32_t point_count = 0;
  Array<std::string> point_codes;  // 1..point_count; "" became "Puntos"

  int32_t code_count = 0;
  Array<std::string> code_list;  // 1..code_count, distinct and sorted
  Array<int32_t> code_counts;    // points carrying each code

  SketchRows rows;
  bool accepted = false;

  int32_t layer_count = 0;
  Array<std::string> layers;
  Array<int32_t> layer_colours;  // colour values
  Array<int16_t> layer_line_types;
  Array<int32_t> layer_of_code;  // 1..code_count: position in `layers`

  int32_t poly_count = 0;
  Array<T_ConexAutocro> polys;  // kept from earlier calls, new ones appended

  bool operator==(const SketchState&) const = default;
};

// The code the points without any code are counted under.
inline constexpr const char* kNoCodeName = "Puntos";

// Copies codigos(1..UBound) into the point codes, an empty code becoming
// "Puntos". The point count is the upper bound of `codigos`.
void TakePointCodes(SketchState& s, const Array<std::string>& codigos);

// The layer list starts as a copy of the host's (bounds included); colours
// and line types stay as the object holds them.
void TakeLayers(SketchState& s, int32_t nCapas,
                const Array<std::string>& Capas);

// Writes the polylines and the extended layer list back into the host's
// arrays, re-dimensioned to the layer count keeping their contents.
void WriteSketchResults(const SketchState& s, int32_t& nPolis,
                        Array<T_ConexAutocro>& Polis, int32_t& nCapas,
                        Array<std::string>& Capas, Array<int32_t>& Colo,
                        Array<int16_t>& TpLin);

// A layer position as the host's 16-bit layer index; beyond its range is
// Failure 6, as the host's runtime would raise.
int16_t LayerIndex16(int32_t position);

// Whether a joining type makes polylines.
inline bool JoinsPoints(const std::string& type) {
  return type == "Lineal" || type == "Area";
}

}  // namespace qdr2_Gomiat
