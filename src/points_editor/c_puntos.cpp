#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_Puntos::ProgId() const { return "qdr2_Gomiat.c_Puntos"; }

void c_Puntos::A_Editor_Puntos(int32_t&, DblArray&, DblArray&, DblArray&,
                               StrArray&, StrArray&, LngArray&, IntArray&,
                               int32_t&, StrArray&, ProgressBar*, bool&) {
  ReportToolMissing("*Editor Puntos B - Error nº ");
}

void c_Puntos::A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y,
                               DblArray& Z, StrArray& Nombre, StrArray& Código,
                               LngArray& Nivel, IntArray& CapaPuntos,
                               int32_t& noCapas, StrArray& Capas,
                               ProgressBar* prograsbar) {
  bool valor_o = false;  // the optional argument left out
  A_Editor_Puntos(Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos, noCapas,
                  Capas, prograsbar, valor_o);
}

void c_Puntos::Actualiza_Valores(int32_t&, DblArray&, DblArray&, DblArray&,
                                 StrArray&, StrArray&, LngArray&, IntArray&,
                                 int32_t&, StrArray&) {
  ShowObsolete();
}

void c_Puntos::Valores_actuales(int32_t&, int32_t&, int32_t&, bool&) {
  throw ToolMissingFailure();
}

}  // namespace qdr2_Gomiat
