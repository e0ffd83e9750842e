#include "platform/qt/application.h"

#include <dlfcn.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <string>

namespace qdr2_Gomiat::qt {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

// Qt ends the process when its X11 platform cannot reach the display, so the
// connection is tried first through the XCB library the platform uses.
bool XcbDisplayReachable() {
  void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (xcb == nullptr) return false;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
  auto has_error =
      reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
  bool ok = false;
  if (connect != nullptr && has_error != nullptr && disconnect != nullptr) {
    void* c = connect(nullptr, nullptr);
    if (c != nullptr) {
      ok = has_error(c) == 0;
      disconnect(c);
    }
  }
  dlclose(xcb);
  return ok;
}

bool PlatformWouldBeXcb() {
  const std::string platform = Env("QT_QPA_PLATFORM");
  if (!platform.empty()) return platform.rfind("xcb", 0) == 0;
  // Qt prefers Wayland in a Wayland session when its plugin is there.
  return !(Env("XDG_SESSION_TYPE") == "wayland" &&
           !Env("WAYLAND_DISPLAY").empty());
}

}  // namespace

QApplication* EnsureApplication() {
  if (QCoreApplication* existing = QCoreApplication::instance())
    return qobject_cast<QApplication*>(existing);
  if (PlatformWouldBeXcb() && !XcbDisplayReachable()) return nullptr;
  // QApplication keeps argc and argv for its whole life.
  static int argc = 1;
  static char name[] = "qdr2_Gomiat";
  static char* argv[] = {name, nullptr};
  auto* app = new QApplication(argc, argv);
  // The host's own life decides when the application ends, not our windows.
  QApplication::setQuitOnLastWindowClosed(false);
  return app;
}

}  // namespace qdr2_Gomiat::qt
