#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_dibujos::ProgId() const { return "qdr2_Gomiat.c_dibujos"; }

void c_dibujos::A_Dibujos(int32_t&, StrArray&, StrArray&, LngArray&, LngArray&,
                          LngArray&, LngArray&, LngArray&, LngArray&) {
  ReportToolMissing("*Editor Dibujos 1 - Error nº ");
}

}  // namespace qdr2_Gomiat
