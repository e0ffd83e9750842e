#include <memory>

#include "frame/trap.h"
#include "qdr2_gomiat/classes.h"
#include "table_editors/f_capas.h"

namespace qdr2_Gomiat {

std::string c_Capas::ProgId() const { return "qdr2_Gomiat.c_Capas"; }

// Earlier versions of the layer editor, kept in the interface; they do nothing.
void c_Capas::A_Editor_Capas(int32_t&, StrArray&, StrArray&, LngArray&,
                             int32_t&) {}
void c_Capas::A_Editor_Capas1(int32_t&, StrArray&, StrArray&, LngArray&,
                              LngArray&, int32_t&, LngArray&, LngArray&,
                              LngArray&) {}
void c_Capas::A_Editor_Capas2(int32_t&, StrArray&, StrArray&, LngArray&,
                              LngArray&, int32_t&, LngArray&, LngArray&,
                              LngArray&, LngArray&) {}
void c_Capas::Actualiza_Valores(int32_t&, StrArray&, StrArray&, LngArray&,
                                int32_t&) {}

void c_Capas::A_Editor_Capas3(int32_t& NoCap, StrArray& Nombres,
                              StrArray& Estado, LngArray& colorr,
                              LngArray& grosor, LngArray& Tipolin,
                              int32_t& Principal, LngArray& PunCp,
                              LngArray& PolCp, LngArray& PlVCp,
                              LngArray& texCp) {
  Trapped("*Editor Capas 1 - Error nº ", [&] {
    auto window = std::make_unique<F_Capas>();
    window->A_Editor_Capas2(NoCap, Nombres, Estado, colorr, grosor, Tipolin,
                            Principal, PunCp, PolCp, PlVCp, texCp);
    window->ShowModal();
    if (window->Accepted()) {
      window->A_Actualiza_Valores1(NoCap, Nombres, Estado, colorr, grosor,
                                   Tipolin, Principal);
      A_vale = true;
    }
    window->Unload();
  });
}

}  // namespace qdr2_Gomiat
