#include "frame/entry.h"
#include "frame/environment.h"
#include "frame/ui/form.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

// The navigation window; the object keeps it for its whole life.
class NavigationWindow : public ui::Form {
 public:
  NavigationWindow() : ui::Form("F_editP") {}
};

c_editP::c_editP() : window_(std::make_unique<NavigationWindow>()) {}

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

bool c_editP::Visible() const { return window_ && window_->IsVisible(); }

// Reports its failures in a message box of its own, not through the log.
void c_editP::CargaBarraDibujo(HostWindow*, int32_t&, DblArray&, DblArray&,
                               DblArray&, StrArray&, StrArray&, IntArray&,
                               int32_t&, StrArray&) {
  const Failure f = ToolMissingFailure();
  Environment::Current().Ui().MsgBox(
      f.source() + " " + std::to_string(f.number()) + "\r\n" + f.description(),
      16, "");
}

}  // namespace qdr2_Gomiat
