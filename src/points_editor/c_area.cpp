#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_Area::ProgId() const { return "qdr2_Gomiat.c_Area"; }

void c_Area::A_Editor_Puntos(int32_t&, DblArray&, DblArray&, DblArray&,
                             StrArray&, StrArray&, LngArray&, IntArray&,
                             int32_t&, StrArray&, ProgressBar*) {
  ReportToolMissing("*Editor Puntos - Error nº ");
}

void c_Area::Actualiza_Valores(int32_t&, DblArray&, DblArray&, DblArray&,
                               StrArray&, StrArray&, LngArray&, IntArray&,
                               int32_t&, StrArray&) {}

void c_Area::Valores_actuales(int32_t&, int32_t&, int32_t&, bool&) {
  throw ToolMissingFailure();
}

}  // namespace qdr2_Gomiat
