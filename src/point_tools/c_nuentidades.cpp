#include <memory>

#include "point_tools/f_nuentidades.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_NuEntidades::ProgId() const {
  return "qdr2_Gomiat.c_NuEntidades";
}

// This tool lets its failures reach the host. The record is only read.
void c_NuEntidades::A_Show_Entidades(udt_Entidades& iEnt) {
  auto window = std::make_unique<f_NuEntidades>();
  window->A_Show_NuEntidades(iEnt.Ptos, iEnt.Poli, iEnt.PoliVx, iEnt.Tria,
                             iEnt.Curv, iEnt.CurvVx, iEnt.Rotu);
  window->Unload();
}

}  // namespace qdr2_Gomiat
