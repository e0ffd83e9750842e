#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_EditorPun::ProgId() const { return "qdr2_Gomiat.c_EditorPun"; }

void c_EditorPun::A_Editor_Punto(int32_t&, int32_t, DblArray&, DblArray&,
                                 DblArray&, StrArray&, StrArray&, IntArray&,
                                 int32_t&, StrArray&, bool&) {
  ReportToolMissing("*Editor Punto - Error nº ");
}

}  // namespace qdr2_Gomiat
