#include "platform/qt/handler_guard.h"

#include <cstdio>
#include <string>

#include "frame/environment.h"
#include "frame/ui/ui_backend.h"

namespace qdr2_Gomiat::qt {

void ReportHandlerFailure(const Failure& failure, bool quiet) noexcept {
  try {
    std::fprintf(stderr, "qdr2_Gomiat: error %d in a window handler: %s\n",
                 static_cast<int>(failure.number()),
                 failure.description().c_str());
    if (quiet) return;
    const std::string text =
        "Se ha producido el error '" + std::to_string(failure.number()) +
        "' en tiempo de ejecución:\n\n" + failure.description();
    Environment::Current().Ui().MsgBox(text, ui::mb::kCritical, "");
  } catch (...) {
    // Reporting must not fail the handler a second time.
  }
}

}  // namespace qdr2_Gomiat::qt
