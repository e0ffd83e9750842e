// The navigation bar: steps through the host's points one at a time, lets
// the user edit the shown one and tells the host after every step which
// point is shown, so it can centre its drawing and redraw. It never writes
// into the caller's arrays: its working copies travel with the events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "point_tools/point_window.h"
#include "qdr2_gomiat/host_objects.h"

namespace qdr2_Gomiat {

class f_editP : public PointWindow {
 public:
  f_editP();
  ~f_editP() override;

  ui::Frame& Frame1;                          // "Zoom"
  ui::ControlArray<ui::CommandButton> cmdZm;  // "+" (0) in, "-" (1) out
  ui::CommandButton& cmdRedibuja;

  // Takes the host's points and shows the window modally; returns when it
  // is hidden or closed.
  void CargaBarra(HostWindow* frm, int32_t& Nuput, Array<double>& X,
                  Array<double>& Y, Array<double>& Z,
                  Array<std::string>& Nombre, Array<std::string>& Codigo,
                  Array<int16_t>& CapaPuntos, int32_t& noCapas,
                  Array<std::string>& Capas);

  // The window's events; the class passes them on to the host.
  std::function<void(int32_t& Name, int32_t& nPtos, Array<double>& X,
                     Array<double>& Y, Array<double>& Z,
                     Array<std::string>& Nombre, Array<std::string>& Codigo,
                     Array<int16_t>& CapaPuntos)>
      RetornaOpcion;
  std::function<void(bool& amplia, int32_t& punto)> ZoomR;

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& cancel) override;

 private:
  void txtN_Change();
  void cmdAv_Click(int16_t i);
  void cmdAceptar_Click();

  int32_t requested_ = 0;  // the number last read from txtN
  int32_t previous_ = 0;   // the point shown before the last change
};

}  // namespace qdr2_Gomiat
