// Wires our platform implementations into the component's environment.
#include "frame/environment.h"
#include "platform/platform.h"

namespace qdr2_Gomiat {

std::shared_ptr<Environment> MakeDefaultEnvironment() {
  Environment::Factories f;
  f.settings = [] { return MakeSqliteSettings(DefaultSettingsPath()); };
  f.numbers = MakeNumberTextService;
  f.colours = MakeColourService;
  f.sort = MakeSortService;
  f.files = MakeFileService;
  f.ui = MakeUiBackendForProcess;
  f.grid = MakeGridModel;
  f.clock = MakeSystemClock;
  return std::make_shared<Environment>(std::move(f), DetectComponentFolder());
}

}  // namespace qdr2_Gomiat
