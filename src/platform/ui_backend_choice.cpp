// Which UI backend this process gets: real windows when a display is there
// (or asked for), headless otherwise. The Qt backend lives in its own
// library, loaded only when chosen, so hosts without Qt still run.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/platform.h"

#ifndef QDR2_GOMIAT_QT_PLUGIN
#define QDR2_GOMIAT_QT_PLUGIN ""
#endif

namespace qdr2_Gomiat {

namespace {

using MakeBackend = ui::UiBackend* (*)();
constexpr const char* kFactoryName = "qdr2_gomiat_qt_make_backend";

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

bool WantsRealWindows() {
  const std::string choice = Env("QDR2_GOMIAT_UI");
  if (choice == "headless") return false;
  if (choice == "qt") return true;
  return !Env("DISPLAY").empty() || !Env("WAYLAND_DISPLAY").empty() ||
         !Env("QT_QPA_PLATFORM").empty();
}

// Folder of the loaded component library.
std::string OwnFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&MakeUiBackendForProcess), &info) == 0 ||
      info.dli_fname == nullptr)
    return {};
  return std::filesystem::path(info.dli_fname).parent_path().string();
}

void* OpenQtLibrary(const std::string& soname, std::string& error) {
  const std::string folder = OwnFolder();
  if (!folder.empty()) {
    const std::string beside = folder + "/" + soname;
    std::error_code ec;
    if (std::filesystem::exists(beside, ec))
      if (void* h = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return h;
  }
  void* h = dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (h == nullptr) {
    const char* e = dlerror();
    error = e != nullptr ? e : "cannot load " + soname;
  }
  return h;
}

std::unique_ptr<ui::UiBackend> Headless(const std::string& why) {
  std::fprintf(stderr, "qdr2_Gomiat: no real windows (%s); running headless\n",
               why.c_str());
  return MakeHeadlessBackend();
}

}  // namespace

std::unique_ptr<ui::UiBackend> MakeUiBackendForProcess() {
  if (!WantsRealWindows()) return MakeHeadlessBackend();
  const std::string soname = QDR2_GOMIAT_QT_PLUGIN;
  if (soname.empty()) return Headless("built without Qt");
  std::string error;
  // The library stays loaded for the process: Qt cannot be unloaded.
  void* handle = OpenQtLibrary(soname, error);
  if (handle == nullptr) return Headless(error);
  auto make = reinterpret_cast<MakeBackend>(dlsym(handle, kFactoryName));
  if (make == nullptr) return Headless(soname + " has no " + kFactoryName);
  std::unique_ptr<ui::UiBackend> backend(make());
  if (!backend) return Headless("no display can be reached");
  return backend;
}

}  // namespace qdr2_Gomiat
