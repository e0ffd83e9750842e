// A host using the installed package: every class created by name, then the
// automatic sketch called as the README shows (without its window).
#include <qdr2_gomiat/qdr2_gomiat.h>

#include <cstdio>

int main() {
  using namespace qdr2_Gomiat;
  int created = 0;
  for (const std::string& name : RegisteredProgIds()) {
    auto object = CreateObject(name);
    if (!object || object->ProgId() != name) return 1;
    ++created;
  }

  auto sketch = CreateObjectAs<c_Autocroquis>("QDR2_GOMIAT.C_AUTOCROQUIS");
  if (sketch->A_Ver_Codigos) return 1;
  StrArray codes = StrArray::FromItems({"CT", "CT", "CT I", "CT", "CT"});
  int32_t nPolis = 0, noCodig = 0, nCapas = 1;
  IntArray capaP(0, 5);
  Array<T_ConexAutocro> polis;
  StrArray capas = StrArray::FromItems({"0"});
  LngArray colo;
  IntArray tpLin;
  bool cancela = false;
  // Without the window the table is not accepted: the call ends as a cancel.
  sketch->A_Autocroquis5(nPolis, capaP, polis, noCodig, codes, nCapas, capas,
                         colo, tpLin, cancela);
  if (!cancela || noCodig != 1 || nPolis != 0) return 1;

  std::printf("consumer: created %d classes of qdr2_Gomiat %s\n", created,
              QDR2_GOMIAT_VERSION_TEXT);
  return created == 9 ? 0 : 1;
}
