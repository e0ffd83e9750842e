// A host creating every public class by name through the installed package.
#include <cstdio>

#include <qdr2_gomiat/qdr2_gomiat.h>

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
  std::printf("consumer: created %d classes of qdr2_Gomiat %s\n", created,
              QDR2_GOMIAT_VERSION_TEXT);
  return created == 9 ? 0 : 1;
}
