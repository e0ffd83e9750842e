#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

struct AutocroquisState {};

c_Autocroquis::c_Autocroquis() : state_(std::make_unique<AutocroquisState>()) {}
c_Autocroquis::~c_Autocroquis() = default;

std::string c_Autocroquis::ProgId() const { return "qdr2_Gomiat.c_Autocroquis"; }

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
void c_Autocroquis::A_Autocroquis5(int32_t&, IntArray&, Array<T_ConexAutocro>&,
                                   int32_t&, StrArray&, int32_t&, StrArray&,
                                   LngArray&, IntArray&, bool&) {
  ReportToolMissing("*Autocroquis 5 -  Error nº ");
}

}  // namespace qdr2_Gomiat
