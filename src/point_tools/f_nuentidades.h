// The entity counts: a read-only table of how many points, polylines,
// triangles, curves and texts the host's drawing holds, and their vertices.
#pragma once

#include <cstdint>

#include "frame/ui/form.h"

namespace qdr2_Gomiat {

class f_NuEntidades : public ui::Form {
 public:
  f_NuEntidades();
  ~f_NuEntidades() override;

  ui::FlexGrid& msf_MaxMin;
  ui::CommandButton& cmdDatosaceptar;
  ui::CommandButton& bt_salir;

  // Fills the table and shows the window modally. Failures are not
  // trapped: they reach the caller.
  void A_Show_NuEntidades(int32_t& nPtos, int32_t& nPol, int32_t& nPpolVer,
                          int32_t& nTri, int32_t& nCuv, int32_t& nCuvver,
                          int32_t& nRotu);

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& cancel) override;
};

}  // namespace qdr2_Gomiat
