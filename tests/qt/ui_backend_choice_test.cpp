// Which backend a process gets: headless when asked or when there is no
// display, the Qt library (loaded by name) otherwise.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QScreen>
#include <string>
#include <tuple>

#include "platform/platform.h"
#include "platform/qt/qt_backend.h"
#include "qt/qt_session.h"
#include "support/processes.h"
#include "support/test_support.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using Env = test_support::ScopedEnvVar;

bool IsQt(const std::unique_ptr<ui::UiBackend>& b) {
  return dynamic_cast<qt::QtBackend*>(b.get()) != nullptr;
}

TEST(UiBackendChoice, DisplayAndVariableChooseTheBackend) {
  Env no_display("DISPLAY", nullptr);
  Env no_wayland("WAYLAND_DISPLAY", nullptr);
  // A Qt platform named counts as a display.
  using Case = std::tuple<const char*, const char*, bool>;
  for (const auto& [choice, platform, is_qt] :
       {Case{"headless", "offscreen", false}, Case{nullptr, nullptr, false},
        Case{nullptr, "offscreen", true}, Case{"qt", "offscreen", true}}) {
    Env ui("QDR2_GOMIAT_UI", choice);
    Env qpa("QT_QPA_PLATFORM", platform);
    auto backend = MakeUiBackendForProcess();
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(IsQt(backend), is_qt) << (choice ? choice : "-");
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
  EXPECT_EQ(test_support::Reap(child), 0);
}

TEST(UiBackendChoice, PointerAndScreenComeFromQt) {
  QtSession session;
  qt::QtBackend& backend = session.Backend();
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
