#include "frame/environment.h"
#include "point_tools/f_editp.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

c_editP::c_editP() : window_(std::make_unique<f_editP>()) {
  // The window's events reach the host as the object's own.
  window_->RetornaOpcion = [this](int32_t& Name, int32_t& nPtos, DblArray& X,
                                  DblArray& Y, DblArray& Z, StrArray& Nombre,
                                  StrArray& Codigo, IntArray& CapaPuntos) {
    if (sink_)
      sink_->EnfocaPunto(Name, nPtos, X, Y, Z, Nombre, Codigo, CapaPuntos);
  };
  window_->ZoomR = [this](bool& amplia, int32_t& punto) {
    if (sink_) sink_->Zoom(amplia, punto);
  };
}

c_editP::~c_editP() {
  if (window_) {
    try {
      window_->Unload();
    } catch (...) {
      // Destruction must not throw into the host.
    }
  }
}

std::string c_editP::ProgId() const { return "qdr2_Gomiat.c_editP"; }

// Reports its failures in a message box of its own, not through the log.
void c_editP::CargaBarraDibujo(HostWindow* frm1, int32_t& Nuput, DblArray& X,
                               DblArray& Y, DblArray& Z, StrArray& Nombre,
                               StrArray& Código, IntArray& CapaPuntos,
                               int32_t& noCapas, StrArray& Capas) {
  try {
    if (frm1 == nullptr) throw Failure(err::kTypeMismatch);
    window_->CargaBarra(frm1, Nuput, X, Y, Z, Nombre, Código, CapaPuntos,
                        noCapas, Capas);
  } catch (...) {
    const Failure f = CurrentFailure();
    try {
      Environment::Current().Ui().MsgBox(f.source() + " " +
                                             std::to_string(f.number()) +
                                             "\r\n" + f.description(),
                                         16, "");
    } catch (...) {
      // Nothing may reach the host from here.
    }
  }
}

}  // namespace qdr2_Gomiat
