#include "frame/environment.h"
#include "platform/qt/qt_backend.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::qt {

void SaveFormScreenshot(ui::Form& form, const std::string& path) {
  auto* backend = dynamic_cast<QtBackend*>(&Environment::Current().Ui());
  if (backend == nullptr)
    throw Failure(err::kNotSupported,
                  "Las capturas de ventanas necesitan ventanas reales");
  if (!backend->ShowAndCapture(form, path))
    throw Failure(err::kPathAccess, "No se pudo guardar la captura " + path);
}

}  // namespace qdr2_Gomiat::qt
