// The automatic sketch as the host calls it: collect the codes of the
// points, let the user confirm their meaning in the code table window, then
// deduce layers, colours, line types and polylines.
#include <memory>

#include "autosketch/f_autocroq.h"
#include "autosketch/sketch_deduction.h"
#include "frame/entry.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

// What the object keeps from one call to the next: the polylines of earlier
// calls and the layer colours and line types no call has set again.
struct AutocroquisState {
  SketchDeduction deduction;
};

c_Autocroquis::c_Autocroquis() : state_(std::make_unique<AutocroquisState>()) {}
c_Autocroquis::~c_Autocroquis() = default;

std::string c_Autocroquis::ProgId() const {
  return "qdr2_Gomiat.c_Autocroquis";
}

void c_Autocroquis::A_Autocroquis(int32_t&, Array<T_ConexAutocro>&, StrArray&,
                                  int32_t&, StrArray&) {
  ShowObsolete();
}
void c_Autocroquis::A_Autocroquis1(int32_t&, Array<T_ConexAutocro>&, int32_t&,
                                   StrArray&, int32_t&, StrArray&) {
  ShowObsolete();
}
void c_Autocroquis::A_Autocroquis2(int32_t&, IntArray&, Array<T_ConexAutocro>&,
                                   int32_t&, StrArray&, int32_t&, StrArray&) {
  ShowObsolete();
}
void c_Autocroquis::A_Autocroquis3(int32_t&, IntArray&, Array<T_ConexAutocro>&,
                                   int32_t&, StrArray&, int32_t&, StrArray&,
                                   bool&) {
  ShowObsolete();
}
void c_Autocroquis::A_Autocroquis4(int32_t&, IntArray&, Array<T_ConexAutocro>&,
                                   int32_t&, StrArray&, int32_t&, StrArray&,
                                   LngArray&, bool&) {
  ShowObsolete();
}

void c_Autocroquis::A_Autocroquis5(int32_t& nPolis, IntArray& CapaP,
                                   Array<T_ConexAutocro>& Polis,
                                   int32_t& NoCodig, StrArray& codigos,
                                   int32_t& nCapas, StrArray& Capas,
                                   LngArray& Colo, IntArray& TpLin,
                                   bool& Cancela) {
  Trapped("*Autocroquis 5 -  Error nº ", [&] {
    if (codigos.UBound() < 1) return;
    Environment& env = Environment::Current();
    SketchDeduction& deduction = state_->deduction;
    SketchState& s = deduction.State();

    deduction.TakePoints(codigos);
    Colo.Redim(0, nCapas);
    deduction.TakeHostLayers(nCapas, Capas);
    deduction.CollectCodes(env.Numbers(), *env.NewSort());
    NoCodig = s.code_count;
    if (s.code_count == 0) {
      env.Ui().MsgBox("No hay códigos", ui::mb::kCritical, "Autocroquis:");
      NoCodig = 0;
      return;
    }

    auto window = std::make_unique<f_Autocroq>();
    window->a_MuestraCodigos1(s.code_list, s.code_counts);
    if (A_Ver_Codigos) window->ShowModal();
    SketchRows& rows = s.rows;
    window->A_Autocro(s.accepted, s.code_count, rows.codes, rows.counts,
                      rows.types, rows.layers, rows.colours, rows.lines);
    if (!s.accepted) {
      Cancela = true;
      return;  // released without the unload that saves its place
    }
    window->Graba_configuración(s.code_count, rows.codes, rows.counts,
                                rows.types, rows.layers, rows.colours,
                                rows.lines);
    window->Unload();

    deduction.Deduce(CapaP, env.Numbers(), env.Colours());
    deduction.WriteResults(nPolis, Polis, nCapas, Capas, Colo, TpLin);
  });
}

}  // namespace qdr2_Gomiat
