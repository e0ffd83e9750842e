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
      Add<q::ui::CommandButton>("cmdAceptar").Click = [this] {
        accepted = true;
        Hide();
      };
    }
  }
  bool accepted = false;
};

// The program's settings and batch user, and a settings store that cannot
// be opened (nothing real is touched).
struct ProgramEnvironment {
  std::ostringstream echo;
  std::shared_ptr<SessionLog> log = std::make_shared<SessionLog>();
  q::test_support::ScopedEnvironment scope{Factories(), "/nonexistent"};

  q::Environment::Factories Factories() {
    log->echo = &echo;
    q::Environment::Factories f;
    f.settings = [log = log] {
      return MakeWatchedSettings(
          []() -> std::unique_ptr<q::SettingsStore> {
            throw q::Failure(q::err::kPathAccess, "no config folder");
          },
          log);
    };
    f.ui = [log = log] { return MakeBatchUi(log); };
    f.clock = q::MakeSystemClock;
    return f;
  }
};

// Message boxes get the headless backend's answers (checked with it).
TEST(CliSessionTest, TheBatchUserAcceptsLeavesNoWindowOpenAndBoxesAreRecorded) {
  ProgramEnvironment env;
  CodeWindow with(true);
  with.ShowModal();
  EXPECT_TRUE(with.accepted);
  CodeWindow without(false);
  without.ShowModal();
  EXPECT_FALSE(without.IsLoaded());  // closed with its close box
  EXPECT_EQ(env.log->windows,
            (std::vector<std::string>{"Autocroquis:", "Autocroquis:"}));

  q::ui::UiBackend& ui = q::Environment::Current().Ui();
  ui.MsgBox("No hay codigos", 16, "Autocroquis:");
  ui.MsgBox("Seguro?", 4, "");
  EXPECT_EQ(env.log->messages,
            (std::vector<std::string>{"No hay codigos", "Seguro?"}));
  EXPECT_EQ(env.echo.str(),
            "gomiat: [Autocroquis:] No hay codigos\n"
            "gomiat: [c_Gomiat] Seguro?\n");

  // Real windows are wrapped so that their boxes are recorded too.
  auto real =
      MakeRecordingUi(MakeBatchUi(std::make_shared<SessionLog>()), env.log);
  EXPECT_EQ(real->MsgBox("a\r\nb", 0, "T"), 1);
  EXPECT_EQ(env.log->messages.back(), "a\n  b");
}

TEST(CliSessionTest, FailuresTheComponentLogsReachTheProgram) {
  ProgramEnvironment env;
  bool no_mostrar = true;
  const std::string line =
      "*Autocroquis 5 -  Error n\xC2\xBA 9:Sub\xC3\xADndice";
  q::Anota_Error(line, "qdr2_Gomiat", no_mostrar);
  EXPECT_EQ(env.log->failures, 1);
  EXPECT_EQ(env.log->messages, std::vector<std::string>{line});
  // The store could not be opened: a warning, and the run goes on in memory.
  EXPECT_NE(
      env.echo.str().find("settings store cannot be opened (no config folder)"),
      std::string::npos);
  EXPECT_EQ(q::Environment::Current().Settings().GetSetting(
                "Landrix", "Errores", "Cantidad", "0"),
            "1");
}

}  // namespace
}  // namespace gomiat
