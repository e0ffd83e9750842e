#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

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

void c_Capas::A_Editor_Capas3(int32_t&, StrArray&, StrArray&, LngArray&,
                              LngArray&, LngArray&, int32_t&, LngArray&,
                              LngArray&, LngArray&, LngArray&) {
  ReportToolMissing("*Editor Capas 1 - Error nº ");
}

}  // namespace qdr2_Gomiat
