#include <memory>

#include "frame/trap.h"
#include "point_tools/f_edit_punt.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_EditorPun::ProgId() const { return "qdr2_Gomiat.c_EditorPun"; }

void c_EditorPun::A_Editor_Punto(int32_t& punto, int32_t Nopun, DblArray& X,
                                 DblArray& Y, DblArray& Z, StrArray& Nombre,
                                 StrArray& Código, IntArray& CapaPuntos,
                                 int32_t& noCapas, StrArray& Capas,
                                 bool& redibuja) {
  Trapped("*Editor Punto - Error nº ", [&] {
    // The window lives for this call only; its point event reaches the host
    // as DibujaPunto while the call is still running.
    auto window = std::make_unique<f_Edit_Punt>();
    window->PuntoMostrado = [this](int32_t& p) {
      if (sink_) sink_->DibujaPunto(p);
    };
    window->Load();
    window->A_Editor_Punto(punto, Nopun, X, Y, Z, Nombre, Código, CapaPuntos,
                           noCapas, Capas);
    window->ShowModal();
    redibuja = window->Accepted();
    if (redibuja) {
      Abortar = false;
      window->A_PuntosCambiados(punto, Nopun, X, Y, Z, Nombre, Código,
                                CapaPuntos);
    } else {
      Abortar = true;
    }
    window->Unload();
  });
}

}  // namespace qdr2_Gomiat
