// A host using the installed package: every class created by name, then the
// automatic sketch called as the README shows (without its window), then
// with its window worked by a scripted user who reads what it shows.
#include <qdr2_gomiat/qdr2_gomiat.h>
#include <qdr2_gomiat/testing.h>

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

  // The code table window, seen and accepted by a scripted user.
  {
    testing::HeadlessSession session;
    std::string caption, code, count;
    session.User()
        .Look([&](const testing::WindowView& w) {
          caption = w.Caption();
          code = w.Cell("tblAutocro", 1, 1);
          count = w.Cell("tblAutocro", 1, 2);
        })
        .Click("cmdAceptar");
    sketch->A_Ver_Codigos = true;
    cancela = false;
    sketch->A_Autocroquis5(nPolis, capaP, polis, noCodig, codes, nCapas, capas,
                           colo, tpLin, cancela);
    if (caption != "Autocroquis:" || code != "CT" || count != "5" || cancela ||
        !session.ScriptErrors().empty())
      return 1;
    std::printf("consumer: the scripted user saw %s %s x %s\n", caption.c_str(),
                code.c_str(), count.c_str());
  }

  std::printf("consumer: created %d classes of qdr2_Gomiat %s\n", created,
              QDR2_GOMIAT_VERSION_TEXT);
  return created == 9 ? 0 : 1;
}
