#include "autosketch/code_table.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "frame/convert.h"
#include "frame/environment.h"

namespace qdr2_Gomiat {

namespace {

// The built-in table as fixed-column lines. Columns (1-based): 1-17 code,
// 18-19 count, 20-21 joining letter, 22-35 layer, 36-37 colour, 39-40 line
// type (the lines end at 39, so the line type is one character).
constexpr const char* kDefaultLines[24] = {
    "ARBOL            1 P ARBOLES        3 0",
    "ARCEN            2 L ARCEN          7 1",
    "AT               2 L ALTO_TALUD     4 1",
    "BR*              3 P BASES          4 0",
    "BT               2 L BAJO_TALUD     6 1",
    "CAMINO           2 L CAMINO         7 3",
    "CAS              1 P LINEA_ELEC     4 0",
    "CP               2 L CP             5 1",
    "CT               2 L CT             2 1",
    "CUN              2 L EJE_CUNETA     4 4",
    "EJE*             3 L EJE            1 3",
    "ENCINA           1 P ARBOLES        3 0",
    "EXP              2 L EXP            6 1",
    "LBD              2 L LBD            4 1",
    "LBI              2 L LBI            4 1",
    "OF               2 L OF             1 0",
    "OLIVO            1 P ARBOLES        3 0",
    "P                2 L P              6 0",
    "PT               2 L PT             2 1",
    "PTF              1 L PTF            6 0",
    "R                1 P R              0 0",
    "Puntos           2 P Puntos         3 0",
    "EJE              2 L EJE            1 1",
    "VA               2 L VA             5 1",
};

// Characters first..last (1-based, inclusive) of a line, as far as it goes.
std::string_view Columns(std::string_view line, size_t first, size_t last) {
  if (first > line.size()) return {};
  return line.substr(first - 1, last - first + 1);
}

// A positive number as plain text: "7", "2.5" (never a decimal comma, which
// would split the field in the file).
std::string PlainNumber(double v) {
  if (v == std::floor(v) && v < 1e15) return CStr(static_cast<int64_t>(v));
  char buf[64];
  const auto r =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
  return std::string(buf, r.ptr);
}

}  // namespace

void CodeTable::Resize(int32_t n) {
  codes.RedimPreserve(n);
  counts.RedimPreserve(n);
  types.RedimPreserve(n);
  layers.RedimPreserve(n);
  colours.RedimPreserve(n);
  lines.RedimPreserve(n);
}

std::string Linea_Patron(const std::string& number) {
  for (int k = 0; k < 5; ++k)
    if (number == std::to_string(k)) return kLinePatterns[k];
  return kLinePatterns[0];
}

std::string Linea_Numero(const std::string& text) {
  const double v = Environment::Current().Numbers().TextoANumero(text);
  if (v > 0) return PlainNumber(v);
  for (int k = 0; k < 5; ++k)
    if (text == kLinePatterns[k]) return std::to_string(k);
  return "0";
}

std::string Tipo_Union(const std::string& letter) {
  if (letter == "L") return "Lineal";
  if (letter == "P") return "Puntual";
  return "Lineal";
}

CodeTable DefaultCodeTable() {
  CodeTable t;
  t.count = 24;
  t.Resize(24);
  for (int32_t k = 1; k <= 24; ++k) {
    const std::string_view line = kDefaultLines[k - 1];
    t.codes(k) = std::string(Trim(Columns(line, 1, 17)));
    t.counts(k) = CLngText(Columns(line, 18, 19));
    t.types(k) = std::string(Trim(Columns(line, 20, 21)));
    t.layers(k) = std::string(Trim(Columns(line, 22, 35)));
    t.colours(k) = CLngText(Columns(line, 36, 37));
    t.lines(k) = std::string(Trim(Columns(line, 39, 40)));
  }
  for (int32_t k = 1; k <= 24; ++k) {
    if (t.layers(k).empty()) t.layers(k) = "Puntos";
    t.types(k) = Tipo_Union(t.types(k));
  }
  return t;
}

std::string CodeTablePath() {
  return Environment::Current().ComponentFolder() + "/autocroquis.txt";
}

}  // namespace qdr2_Gomiat
