// Which backend a process gets: headless when asked or when there is no
// display, the Qt library (loaded by name) otherwise.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QScreen>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/qt/qt_backend.h"
#include "qt/qt_session.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

// Sets or clears a variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

bool IsQt(const std::unique_ptr<ui::UiBackend>& b) {
  return dynamic_cast<qt::QtBackend*>(b.get()) != nullptr;
}

TEST(UiBackendChoice, DisplayAndVariableChooseTheBackend) {
  ScopedEnv no_display("DISPLAY", nullptr);
  ScopedEnv no_wayland("WAYLAND_DISPLAY", nullptr);
  {
    ScopedEnv ui("QDR2_GOMIAT_UI", "headless");
    ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
    auto backend = MakeUiBackendForProcess();
    ASSERT_NE(backend, nullptr);
    EXPECT_FALSE(IsQt(backend));
  }
  {
    ScopedEnv ui("QDR2_GOMIAT_UI", nullptr);
    ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
    auto backend = MakeUiBackendForProcess();
    ASSERT_NE(backend, nullptr);
    EXPECT_FALSE(IsQt(backend));
  }
  {
    // A Qt platform named counts as a display.
    ScopedEnv ui("QDR2_GOMIAT_UI", nullptr);
    ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(IsQt(MakeUiBackendForProcess()));
  }
  {
    ScopedEnv ui("QDR2_GOMIAT_UI", "qt");
    ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
    auto backend = MakeUiBackendForProcess();
    ASSERT_TRUE(IsQt(backend));
    EXPECT_GT(backend->ScreenWidth(), 0);
    EXPECT_GT(backend->ScreenHeight(), 0);
  }
}

// Asked for real windows with a display that cannot be reached, the
// process runs headless instead of being ended by Qt. Run in a fresh copy
// of this program, before any Qt application exists.
TEST(UiBackendChoice, UnreachableDisplayFallsBackToHeadless) {
  if (std::getenv("QDR2_GOMIAT_TEST_CHILD") != nullptr) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    auto backend = MakeUiBackendForProcess();
    ASSERT_NE(backend, nullptr);
    EXPECT_FALSE(IsQt(backend));
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    return;
  }
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    setenv("QDR2_GOMIAT_TEST_CHILD", "1", 1);
    setenv("QDR2_GOMIAT_UI", "qt", 1);
    setenv("DISPLAY", ":987", 1);
    setenv("QT_QPA_PLATFORM", "", 1);  // empty: no platform named
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("XDG_SESSION_TYPE");
    execl(
        "/proc/self/exe", "qdr2_gomiat_qt_tests",
        "--gtest_filter=UiBackendChoice.UnreachableDisplayFallsBackToHeadless",
        static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(UiBackendChoice, PointerAndScreenComeFromQt) {
  QtSession session;
  qt::QtBackend& backend = session.Backend();
  EXPECT_EQ(backend.GetMousePointer(), ui::MousePointer::Default);
  backend.SetMousePointer(ui::MousePointer::Hourglass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  backend.SetMousePointer(ui::MousePointer::Hourglass);
  backend.SetMousePointer(ui::MousePointer::Default);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  const QScreen* screen = QGuiApplication::primaryScreen();
  EXPECT_EQ(backend.ScreenWidth(), qRound(screen->geometry().width() * 1440.0 /
                                          screen->logicalDotsPerInchX()));
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
