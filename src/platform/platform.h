// Our implementations of the outside pieces, as factories the environment
// uses. Only apps/, tests and the default environment include this.
#pragma once

#include <memory>
#include <string>

#include "frame/grid.h"
#include "frame/services.h"
#include "frame/ui/ui_backend.h"

namespace qdr2_Gomiat {

// Settings store in a SQLite file; `path` is created when missing.
std::unique_ptr<SettingsStore> MakeSqliteSettings(const std::string& path);
// $XDG_CONFIG_HOME (default ~/.config) + "/qdr2_gomiat/settings.sqlite".
std::string DefaultSettingsPath();

std::unique_ptr<NumberTextService> MakeNumberTextService();
std::unique_ptr<ColourService> MakeColourService();
std::unique_ptr<SortService> MakeSortService();
std::unique_ptr<FileService> MakeFileService();
std::unique_ptr<Clock> MakeSystemClock();
std::unique_ptr<Grid> MakeGridModel();

// Headless backend with an empty script: forms close at once, message boxes
// get their default answer. Tests use qdr2_gomiat/testing.h instead.
std::unique_ptr<ui::UiBackend> MakeHeadlessBackend();
// Real windows when a display is there (or QDR2_GOMIAT_UI=qt), headless
// otherwise (or QDR2_GOMIAT_UI=headless).
std::unique_ptr<ui::UiBackend> MakeUiBackendForProcess();

}  // namespace qdr2_Gomiat
