// Shared pieces of the grid tests and the grid file fuzz harness: a
// snapshot of everything a grid holds, to prove that a refused call changed
// nothing, and the code table window's column layout.
#pragma once

#include <string>
#include <vector>

#include "frame/grid.h"

namespace qdr2_Gomiat::grid_test {

struct GridSnapshot {
  int32_t rows = 0;
  int16_t cols = 0;
  int32_t current_row = 0;
  std::vector<std::string> texts;
  std::vector<int32_t> colours;
  std::vector<int16_t> widths;
  bool operator==(const GridSnapshot&) const = default;
};

inline GridSnapshot Snapshot(const Grid& g) {
  GridSnapshot s{g.Rows(), g.Cols(), g.CurrentRow(), {}, {}, {}};
  for (int16_t c = 0; c < g.Cols(); ++c) {
    s.widths.push_back(g.Column(c).width_chars);
    for (int32_t r = 0; r < g.Rows(); ++r) {
      s.texts.push_back(g.Text(r, c));
      s.colours.push_back(g.Colour(r, c));
    }
  }
  return s;
}

// Texts, a read-only text and a read-only count, choices (3), a colour
// column (5).
inline void DefineCodeColumns(Grid& g) {
  g.SetCols(7);
  g.SetRows(2);
  g.FileOptions("c_Gomiat Autocro", "Autocroquis", "*.crq");
  DefineColumns(g, {{.width_chars = 5, .caption = ""},
                    {.read_only = true, .caption = "Código"},
                    {.read_only = true, .kind = kGridNumber1, .caption = "N"},
                    {.kind = kGridChoice, .caption = "Tipo unión"},
                    {.width_chars = 15, .caption = "Capa"},
                    {.kind = kGridColour, .caption = "Color"},
                    {.kind = kGridChoice, .caption = "Linea"}});
  Array<std::string> types(0, 1);
  types(0) = "Lineal";
  types(1) = "Puntual";
  g.SetChoiceList(3, types);
}

}  // namespace qdr2_Gomiat::grid_test
