// The program's user interface and settings as the component meets them.
#include "cli_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../support/test_support.h"
#include "cli_settings.h"
#include "frame/environment.h"
#include "frame/error_log.h"
#include "frame/ui/form.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"

namespace gomiat {
namespace {

namespace q = qdr2_Gomiat;

class CodeWindow : public q::ui::Form {
 public:
  explicit CodeWindow(bool with_accept) : Form("f_Test") {
    SetCaption("Autocroquis:");
    if (with_accept) {
      auto& b = Add<q::ui::CommandButton>("cmdAceptar");
      b.Click = [this] {
        accepted = true;
        Hide();
      };
    }
  }
  bool accepted = false;
};

// Installs an environment with the program's settings and batch user, and
// a settings store that cannot be opened (nothing real is touched).
class ProgramEnvironment {
 public:
  ProgramEnvironment() : scope_(Factories(log_), "/nonexistent") {
    log_->echo = &echo_;
  }
  SessionLog& Log() { return *log_; }
  std::string Echo() const { return echo_.str(); }

 private:
  static q::Environment::Factories Factories(
      const std::shared_ptr<SessionLog>& log) {
    q::Environment::Factories f;
    f.settings = [log] {
      return MakeWatchedSettings(
          []() -> std::unique_ptr<q::SettingsStore> {
            throw q::Failure(q::err::kPathAccess, "no config folder");
          },
          log);
    };
    f.ui = [log] { return MakeBatchUi(log); };
    f.clock = q::MakeSystemClock;
    return f;
  }

  std::ostringstream echo_;
  std::shared_ptr<SessionLog> log_ = std::make_shared<SessionLog>();
  q::test_support::ScopedEnvironment scope_;
};

TEST(CliSessionTest, TheBatchUserAcceptsAndNeverLeavesAWindowOpen) {
  ProgramEnvironment env;
  CodeWindow with(true);
  with.ShowModal();
  EXPECT_TRUE(with.accepted);
  EXPECT_FALSE(with.IsVisible());
  CodeWindow without(false);
  without.ShowModal();
  EXPECT_FALSE(without.IsVisible());
  EXPECT_FALSE(without.IsLoaded());  // closed with its close box
  EXPECT_EQ(env.Log().windows.size(), 2u);
  EXPECT_EQ(env.Log().windows[0], "Autocroquis:");

  q::ui::UiBackend& ui = q::Environment::Current().Ui();
  EXPECT_EQ(ui.MsgBox("No hay c\xC3\xB3"
                      "digos",
                      16, "Autocroquis:"),
            1);
  EXPECT_EQ(ui.MsgBox("Seguro?", 4, ""), 7);
  EXPECT_EQ(ui.MsgBox("Guardar?", 3, ""), 2);
  ASSERT_EQ(env.Log().messages.size(), 3u);
  EXPECT_NE(env.Echo().find("gomiat: [Autocroquis:] No hay c\xC3\xB3"
                            "digos\n"),
            std::string::npos);
  EXPECT_NE(env.Echo().find("gomiat: [c_Gomiat] Seguro?"), std::string::npos);
}

TEST(CliSessionTest, FailuresTheComponentLogsReachTheProgram) {
  ProgramEnvironment env;
  bool no_mostrar = true;
  const std::string line =
      "*Autocroquis 5 -  Error n\xC2\xBA 9:Sub\xC3\xADndice";
  q::Anota_Error(line, "qdr2_Gomiat", no_mostrar);
  EXPECT_EQ(env.Log().failures, 1);
  ASSERT_EQ(env.Log().messages.size(), 1u);
  EXPECT_EQ(env.Log().messages[0], line);
  // The store could not be opened: a warning, and the run goes on in memory.
  EXPECT_NE(
      env.Echo().find("settings store cannot be opened (no config folder)"),
      std::string::npos);
  EXPECT_EQ(q::Environment::Current().Settings().GetSetting(
                "Landrix", "Errores", "Cantidad", "0"),
            "1");
}

TEST(CliSessionTest, RealWindowsAreWrappedAndTheirMessagesRecorded) {
  auto log = std::make_shared<SessionLog>();
  auto inner = MakeBatchUi(std::make_shared<SessionLog>());
  auto ui = MakeRecordingUi(std::move(inner), log);
  EXPECT_EQ(ui->MsgBox("a\r\nb", 0, "T"), 1);
  ASSERT_EQ(log->messages.size(), 1u);
  EXPECT_EQ(log->messages[0], "a\n  b");
}

}  // namespace
}  // namespace gomiat
