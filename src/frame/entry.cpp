#include "frame/entry.h"

#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"

namespace qdr2_Gomiat {

void ShowObsolete() {
  Environment::Current().Ui().MsgBox("obsoleto", ui::mb::kOkOnly, "");
}

Failure ToolMissingFailure() {
  return Failure(err::kNotSupported,
                 "Esta herramienta no está disponible en esta versión del "
                 "componente");
}

void ReportToolMissing(std::string_view context) {
  Trapped(context, [] { throw ToolMissingFailure(); });
}

}  // namespace qdr2_Gomiat
