#include <cmath>
#include <memory>

#include "frame/trap.h"
#include "qdr2_gomiat/classes.h"
#include "table_editors/f_tipolin.h"

namespace qdr2_Gomiat {

namespace {

// A thickness that is not a number is no change from another such one.
bool Differs(float a, float b) {
  return a != b && !(std::isnan(a) && std::isnan(b));
}

}  // namespace

std::string c_Tipolin::ProgId() const { return "qdr2_Gomiat.c_Tipolin"; }

void c_Tipolin::Tipolin(int16_t& estilo, float& grosor, bool& CAMBIA) {
  Trapped("*Tipolin - Error nº ", [&] {
    auto window = std::make_unique<f_tipolin>();
    const int16_t old_style = estilo;
    const float old_thickness = grosor;
    // The thickness first: one above the thinnest selects style 0, and the
    // style handed in must be the one shown.
    window->SetA_Crosor(grosor);
    window->SetA_Tipolin(estilo);
    window->ShowModal();
    if (window->Accepted()) {
      grosor = window->A_Crosor();
      estilo = window->A_Tipolin();
    }
    window->Unload();
    if (Differs(grosor, old_thickness) || estilo != old_style) CAMBIA = true;
  });
}

}  // namespace qdr2_Gomiat
