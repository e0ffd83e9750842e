// Pictures of the test window at the screen's DPI and at 144 DPI, kept in
// <build>/screenshots for a person to look at.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <QScreen>
#include <cstdlib>
#include <filesystem>

#include "qt/qt_session.h"
#include "support/test_form.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using test::f_Prueba;

// Qt 6 turns a higher DPI into a device pixel ratio over 96 logical DPI.
int EffectiveDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return qRound(screen->logicalDotsPerInchX() * screen->devicePixelRatio());
}

std::string PicturePath() {
  const int dpi = EffectiveDpi();
  return ScreenshotFolder() + "/qt_test_form_" + std::to_string(dpi) +
         "dpi.png";
}

TEST(QtScreenshot, FormPictureHasTheDialogsSize) {
  QtSession session;
  f_Prueba form;
  const std::string path = PicturePath();
  std::filesystem::remove(path);
  qt::SaveFormScreenshot(form, path);
  EXPECT_TRUE(form.IsLoaded() && !form.IsVisible());
  QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull()) << path;
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
  EXPECT_NEAR(image.width(), form.ScaleWidth() * dpi / 1440.0 * ratio, 2);
  EXPECT_NEAR(image.height(), form.ScaleHeight() * dpi / 1440.0 * ratio, 2);
  // The picture is of a drawn window, not an empty one.
  EXPECT_GT(image.pixelColor(image.width() / 2, image.height() / 2).alpha(), 0);
}

// The same picture from a second run of this program at 144 DPI, where
// the window is half as large again.
TEST(QtScreenshot, FormPictureAt144Dpi) {
  if (std::getenv("QT_FONT_DPI") != nullptr) GTEST_SKIP() << "the second run";
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    setenv("QT_FONT_DPI", "144", 1);
    execl("/proc/self/exe", "qdr2_gomiat_qt_tests",
          "--gtest_filter=QtScreenshot.FormPictureHasTheDialogsSize",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const QImage image(
      QString::fromStdString(ScreenshotFolder() + "/qt_test_form_144dpi.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_NEAR(image.width(), 7200 / 10, 2);
  EXPECT_NEAR(image.height(), 5400 / 10, 2);
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
