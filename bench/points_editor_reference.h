// The points editor's fill and write-back done the plain way, step by step
// as they are written: one grid call per cell, the layer list searched from
// the start for every row. The benchmark measures the real editor against
// it and checks both hand back the same arrays.
#pragma once

#include <string>

#include "frame/grid.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat::reference {

struct HostPoints {
  int32_t Nopun = 0, noCapas = 0;
  DblArray X, Y, Z;
  StrArray Nombre, Codigo;
  LngArray Nivel;
  IntArray CapaPuntos;
  StrArray Capas;
  bool operator==(const HostPoints&) const = default;
};

// The grid set up for the layout (8 or 7 columns) and filled from `p`.
void LiteralFill(Grid& g, bool excel, const HostPoints& p, ProgressBar& bar,
                 bool valor_o);

// The accepted grid written back into `p`, in place.
void LiteralWriteBack(const Grid& g, bool excel, HostPoints& p,
                      ProgressBar& bar, bool valor_o);

}  // namespace qdr2_Gomiat::reference
