// A host's point list for the points editor tests, and a progress bar that
// keeps every call it gets.
#pragma once

#include <string>
#include <vector>

#include "qdr2_gomiat/classes.h"

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

class RecordingBar final : public ProgressBar {
 public:
  void SetMin(float v) override { calls.push_back("min " + N(v)); }
  void SetMax(float v) override { calls.push_back("max " + N(v)); }
  void SetValue(float v) override { calls.push_back("value " + N(v)); }
  void SetVisible(bool v) override {
    calls.push_back(v ? "visible" : "hidden");
  }
  std::vector<std::string> calls;

 private:
  static std::string N(float v) { return std::to_string(static_cast<int>(v)); }
};

inline void Edit(c_Puntos& c, Points& p, RecordingBar& bar,
                 bool valor_o = false) {
  c.A_Editor_Puntos(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                    p.CapaPuntos, p.noCapas, p.Capas, &bar, valor_o);
}
inline void Edit(c_Area& c, Points& p, RecordingBar& bar) {
  c.A_Editor_Puntos(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                    p.CapaPuntos, p.noCapas, p.Capas, &bar);
}

}  // namespace qdr2_Gomiat::points_test
