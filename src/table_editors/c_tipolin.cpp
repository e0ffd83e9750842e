#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_Tipolin::ProgId() const { return "qdr2_Gomiat.c_Tipolin"; }

void c_Tipolin::Tipolin(int16_t&, float&, bool&) {
  ReportToolMissing("*Tipolin - Error nº ");
}

}  // namespace qdr2_Gomiat
