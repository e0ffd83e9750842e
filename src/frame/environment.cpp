#include "frame/environment.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/version.h"

namespace qdr2_Gomiat {

namespace {
std::mutex g_mutex;
std::shared_ptr<Environment> g_current;
}  // namespace

Environment::Environment(Factories factories, std::string component_folder)
    : factories_(std::move(factories)), folder_(std::move(component_folder)) {
  while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
}

Environment::~Environment() = default;

Environment& Environment::Current() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_current) g_current = MakeDefaultEnvironment();
  return *g_current;
}

std::shared_ptr<Environment> Environment::Install(
    std::shared_ptr<Environment> env) {
  std::lock_guard<std::mutex> lock(g_mutex);
  std::swap(g_current, env);
  return env;
}

std::string Environment::Version() { return QDR2_GOMIAT_VERSION_TEXT; }

template <class T>
T& Environment::Lazy(std::unique_ptr<T>& slot,
                     const std::function<std::unique_ptr<T>()>& make) {
  if (!slot) {
    if (!make) throw Failure(err::kObjectNotSet);
    slot = make();
    if (!slot) throw Failure(err::kCannotCreateObject);
  }
  return *slot;
}

SettingsStore& Environment::Settings() {
  return Lazy(settings_, factories_.settings);
}
NumberTextService& Environment::Numbers() {
  return Lazy(numbers_, factories_.numbers);
}
ColourService& Environment::Colours() {
  return Lazy(colours_, factories_.colours);
}
FileService& Environment::Files() { return Lazy(files_, factories_.files); }
ui::UiBackend& Environment::Ui() { return Lazy(ui_, factories_.ui); }
Clock& Environment::GetClock() { return Lazy(clock_, factories_.clock); }

std::unique_ptr<SortService> Environment::NewSort() {
  std::unique_ptr<SortService> s;
  Lazy(s, factories_.sort);
  return s;
}

std::unique_ptr<Grid> Environment::NewGrid() {
  std::unique_ptr<Grid> g;
  Lazy(g, factories_.grid);
  return g;
}

std::string DetectComponentFolder() {
  if (const char* home = std::getenv("QDR2_GOMIAT_HOME"); home && *home)
    return home;
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DetectComponentFolder), &info) != 0 &&
      info.dli_fname != nullptr) {
    std::error_code ec;
    auto p = std::filesystem::weakly_canonical(info.dli_fname, ec);
    if (ec) p = info.dli_fname;
    return p.parent_path().string();
  }
  return std::filesystem::current_path().string();
}

}  // namespace qdr2_Gomiat
