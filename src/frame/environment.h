// Everything the component gets from outside: its folder and version, the
// suite services, the UI backend, grids and the clock. Services are created
// on first use and kept; tests install a fresh environment of their own.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "frame/grid.h"
#include "frame/services.h"
#include "frame/ui/ui_backend.h"

namespace qdr2_Gomiat {

class Environment {
 public:
  struct Factories {
    std::function<std::unique_ptr<SettingsStore>()> settings;
    std::function<std::unique_ptr<NumberTextService>()> numbers;
    std::function<std::unique_ptr<ColourService>()> colours;
    std::function<std::unique_ptr<SortService>()> sort;
    std::function<std::unique_ptr<FileService>()> files;
    std::function<std::unique_ptr<ui::UiBackend>()> ui;
    std::function<std::unique_ptr<Grid>()> grid;
    std::function<std::unique_ptr<Clock>()> clock;
  };

  Environment(Factories factories, std::string component_folder);
  ~Environment();

  // The environment in force; the default one is made on first use.
  static Environment& Current();
  // Puts `env` in force and returns the one it replaces (may be null).
  static std::shared_ptr<Environment> Install(std::shared_ptr<Environment> env);

  // Folder of the component's own file, without a trailing separator.
  const std::string& ComponentFolder() const { return folder_; }
  // Component's file name without extension.
  static std::string ComponentFileName() { return "qdr2_Gomiat"; }
  // "major.minor.revision"
  static std::string Version();

  SettingsStore& Settings();
  NumberTextService& Numbers();
  ColourService& Colours();
  FileService& Files();
  ui::UiBackend& Ui();
  Clock& GetClock();
  std::unique_ptr<SortService> NewSort();  // a new one for each use
  std::unique_ptr<Grid> NewGrid();

 private:
  template <class T>
  T& Lazy(std::unique_ptr<T>& slot,
          const std::function<std::unique_ptr<T>()>& make);

  Factories factories_;
  std::string folder_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<NumberTextService> numbers_;
  std::unique_ptr<ColourService> colours_;
  std::unique_ptr<FileService> files_;
  std::unique_ptr<ui::UiBackend> ui_;
  std::unique_ptr<Clock> clock_;
};

// The platform's default environment: SQLite settings in the user's config
// folder, our services, the UI backend chosen for this process. Defined by
// the platform layer.
std::shared_ptr<Environment> MakeDefaultEnvironment();

// Folder of the loaded component file, or $QDR2_GOMIAT_HOME when set.
std::string DetectComponentFolder();

}  // namespace qdr2_Gomiat
