// The component's environment for one run of the program: the real
// component folder (or the one holding the chosen code table), the user's
// settings, our services, and a user interface that is either the real
// windows or a user who accepts the code table window as it comes.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace qdr2_Gomiat {
class Environment;
namespace ui {
class UiBackend;
}
}  // namespace qdr2_Gomiat

namespace gomiat {

// What the component told the user during the run.
struct SessionLog {
  std::ostream* echo = nullptr;       // message boxes are copied here
  std::function<void()> before_echo;  // e.g. clears a progress line
  std::vector<std::string> messages;
  int32_t failures = 0;  // failures the component reported to its log
  std::vector<std::string> windows;  // captions of windows shown
};

// The headless backend with a user who accepts the code table window as it
// comes ("cmdAceptar"); other windows are closed with their close box and
// message boxes get the headless answers. Windows and boxes go to `log`.
std::unique_ptr<qdr2_Gomiat::ui::UiBackend> MakeBatchUi(
    std::shared_ptr<SessionLog> log);

// Forwards to `inner` (the real windows) and records message boxes.
std::unique_ptr<qdr2_Gomiat::ui::UiBackend> MakeRecordingUi(
    std::unique_ptr<qdr2_Gomiat::ui::UiBackend> inner,
    std::shared_ptr<SessionLog> log);

class CliSession {
 public:
  struct Options {
    std::string component_folder;
    bool interactive = false;  // real windows (when there is a display)
    std::ostream* echo = nullptr;
    std::function<void()> before_echo;
  };
  // Puts the environment in force; the destructor restores the previous one.
  explicit CliSession(const Options& options);
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  const SessionLog& Log() const { return *log_; }

 private:
  std::shared_ptr<SessionLog> log_;
  std::shared_ptr<qdr2_Gomiat::Environment> previous_;
};

}  // namespace gomiat
