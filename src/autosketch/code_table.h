// The code table: what each field code means (joining, layer, colour number,
// line type), its defaults, and the text conversions that go with it.
#pragma once

#include <cstdint>
#include <string>

#include "frame/line_types.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

// Six parallel arrays allocated 0..count; entries at 1..count.
struct CodeTable {
  int32_t count = 0;
  Array<std::string> codes;
  Array<int32_t> counts;
  Array<std::string> types;  // "Lineal", "Puntual" (or "Area")
  Array<std::string> layers;
  Array<int32_t> colours;    // colour numbers of the palette
  Array<std::string> lines;  // line type number as text

  // Sizes all six to 0..n keeping contents.
  void Resize(int32_t n);
};

// Line type number text -> pattern ("0" -> "_____________"; other texts
// give the solid pattern).
std::string Linea_Patron(const std::string& number);
// Pattern or number -> line type number text ("0".."4", or the positive
// number read from the text).
std::string Linea_Numero(const std::string& text);
// "L" -> "Lineal", "P" -> "Puntual", anything else "Lineal".
std::string Tipo_Union(const std::string& letter);

// The 24 built-in entries, cut from their fixed-column lines.
CodeTable DefaultCodeTable();

// Full name of the table file in the component's folder.
std::string CodeTablePath();

}  // namespace qdr2_Gomiat
