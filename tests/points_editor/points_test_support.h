// A host's point list for the points editor tests, and the calls its
// progress bar got.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat::points_test {

struct Points {
  int32_t Nopun = 3, noCapas = 2;
  DblArray X = DblArray::FromItems({10.5, 20.25, 0});
  DblArray Y = DblArray::FromItems({1, 2, 0});
  DblArray Z = DblArray::FromItems({100.125, 0.1, 0});
  StrArray Nombre = StrArray::FromItems({"7", "pozo", "12"});
  StrArray Codigo = StrArray::FromItems({"CT", "BT I", ""});
  LngArray Nivel = LngArray::FromItems({70, 80, 90});
  IntArray CapaPuntos = IntArray::FromItems({1, 2, 0});
  StrArray Capas = StrArray::FromItems({"TERRENO", "BORDE"});
  Points() { Capas(0) = "sin capa"; }
  bool operator==(const Points&) const = default;
};

using testing::RecordingProgressBar;

// The bar's calls as "min 0, max 25, value 2, visible 1, ".
inline std::string CallsOf(const RecordingProgressBar& bar) {
  static const char* const kWhat[] = {"min ", "max ", "value ", "visible "};
  std::string out;
  for (const testing::ProgressCall& c : bar.Calls())
    out += kWhat[static_cast<size_t>(c.what)] +
           std::to_string(static_cast<int>(c.value)) + ", ";
  return out;
}

// Any of the editors (the class entries, the window) on the host's lists;
// `more` is what that entry takes after the bar (ValorO).
template <class Editor, class... More>
void Edit(Editor& c, Points& p, RecordingProgressBar& bar, More... more) {
  c.A_Editor_Puntos(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                    p.CapaPuntos, p.noCapas, p.Capas, &bar, more...);
}

// The message boxes shown, as (prompt, title, flags).
using Said = std::tuple<std::string, std::string, int32_t>;
inline std::vector<Said> MessagesOf(const testing::HeadlessSession& s) {
  std::vector<Said> out;
  for (const testing::MessageRecord& m : s.Messages())
    out.emplace_back(m.prompt, m.title, m.flags);
  return out;
}

}  // namespace qdr2_Gomiat::points_test
