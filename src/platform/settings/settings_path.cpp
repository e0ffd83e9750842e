// Where the settings file lives: the user's config folder as the XDG base
// directory rules name it.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/platform.h"

namespace qdr2_Gomiat {

namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return home;
  // No HOME (started by a service manager, say): ask the user database.
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr)
    return found->pw_dir;
  return {};
}

}  // namespace

std::string DefaultSettingsPath() {
  std::string base;
  // The rules say a relative XDG_CONFIG_HOME is to be ignored.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
      xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    const std::string home = HomeFolder();
    // Nowhere to keep settings: an empty path, which the store refuses
    // with a clear failure rather than writing into "/.config".
    if (home.empty()) return {};
    base = home + "/.config";
  }
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + "/qdr2_gomiat/settings.sqlite";
}

}  // namespace qdr2_Gomiat
