// Records and enumerations shared by the host and the tools.
#pragma once

#include <cstdint>

#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

// Entity counts of the host's model, shown by the entity count dialog.
struct udt_Entidades {
  int32_t Ptos = 0;
  int32_t Poli = 0;
  int32_t PoliVx = 0;
  int32_t Curv = 0;
  int32_t CurvVx = 0;
  int32_t Tria = 0;
  int32_t Rotu = 0;
  bool operator==(const udt_Entidades&) const = default;
};

// One polyline deduced by the automatic sketch. ver is allocated 0..nVer and
// holds point numbers at 1..nVer.
struct T_ConexAutocro {
  int32_t nVer = 0;
  Array<int32_t> ver;
  int32_t Col = 0;
  int32_t Capa = 0;
  bool operator==(const T_ConexAutocro&) const = default;
};

// Role of a code in one point's code field.
enum T_Tipo_Codigo : int32_t {
  cd_1_Sigue = 0,
  cd_2_Inicia = 1,
  cd_3_Cierra = 2,
  cd_4_Termina = 3,
};

}  // namespace qdr2_Gomiat
