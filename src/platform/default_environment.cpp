// Wires our platform implementations into the component's environment.
#include "frame/environment.h"

namespace qdr2_Gomiat {

std::shared_ptr<Environment> MakeDefaultEnvironment() {
  Environment::Factories f;
  // Filled in as the platform pieces land.
  return std::make_shared<Environment>(std::move(f), DetectComponentFolder());
}

}  // namespace qdr2_Gomiat
