// A small survey as a host holds it: points P1..Pn at X = 10 i, Y = 20 i,
// Z = i, code "C<i>", point i on layer i % 3 of "Sin capa" (0), "Uno",
// "Dos"; and a host window to hand to the navigation bar.
#pragma once

#include <string>

#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat::test_support {

struct Survey {
  int32_t n = 0;
  DblArray X, Y, Z;
  StrArray Nombre, Codigo;
  IntArray CapaPuntos;
  int32_t L = 2;
  StrArray Capas = StrArray::FromItems({"Uno", "Dos"});

  explicit Survey(int32_t count) : n(count) {
    auto grow = [this](auto&... a) { (a.Redim(0, n), ...); };
    grow(X, Y, Z, Nombre, Codigo, CapaPuntos);
    Capas(0) = "Sin capa";
    for (int32_t i = 1; i <= n; ++i) {
      X(i) = 10.0 * i;
      Y(i) = 20.0 * i;
      Z(i) = i;
      Nombre(i) = "P" + std::to_string(i);
      Codigo(i) = "C" + std::to_string(i);
      CapaPuntos(i) = static_cast<int16_t>(i % 3);
    }
  }
  bool operator==(const Survey&) const = default;
};

struct TheHostWindow : HostWindow {};

}  // namespace qdr2_Gomiat::test_support
