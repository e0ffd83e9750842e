// A session is a sealed environment: temporary folder and settings, fixed
// screen and clock, and nothing left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "frame/environment.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

namespace fs = std::filesystem;

using test_support::ScopedEnvVar;

TEST(HeadlessSession, LivesInItsOwnTemporaryFolder) {
  testing::HeadlessSession outer;
  const fs::path base = fs::path(outer.ComponentFolder()) / "tmp";
  const fs::path home = fs::path(outer.ComponentFolder()) / "home";
  fs::create_directories(base);
  fs::create_directories(home);
  ScopedEnvVar tmpdir("TMPDIR", base.string());
  ScopedEnvVar home_env("HOME", home.string());
  ScopedEnvVar xdg("XDG_CONFIG_HOME", (home / ".config").string());

  std::string folder;
  {
    testing::HeadlessSession s;
    folder = s.ComponentFolder();
    EXPECT_EQ(fs::path(folder).parent_path(), base);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::path(s.SettingsPath()).parent_path(), fs::path(folder));
    EXPECT_EQ(Environment::Current().ComponentFolder(), folder);

    s.SaveSetting("Errores", "Cantidad", "3");
    EXPECT_EQ(s.GetSetting("Errores", "Cantidad"), "3");
    EXPECT_EQ(s.GetSetting("Errores", "Nada", "def"), "def");
    EXPECT_TRUE(fs::exists(s.SettingsPath()));
    // Every service the tools ask for is there.
    Environment& env = Environment::Current();
    EXPECT_NO_THROW(env.Numbers());
    EXPECT_NO_THROW(env.Colours());
    EXPECT_NO_THROW(env.Files());
    EXPECT_NE(env.NewSort(), nullptr);
    EXPECT_NE(env.NewGrid(), nullptr);
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(Environment::Current().ComponentFolder(), outer.ComponentFolder());
  // The outer session's settings were not touched by the inner one.
  EXPECT_EQ(outer.GetSetting("Errores", "Cantidad", "none"), "none");
  EXPECT_TRUE(fs::is_empty(home));
}

TEST(HeadlessSession, HasAFixedScreenAndClock) {
  testing::HeadlessSession s;
  Environment& env = Environment::Current();
  EXPECT_EQ(env.Ui().ScreenWidth(), 28800);
  EXPECT_EQ(env.Ui().ScreenHeight(), 16200);
  s.SetScreenSize(15360, 11520);
  EXPECT_EQ(env.Ui().ScreenWidth(), 15360);
  EXPECT_EQ(env.Ui().ScreenHeight(), 11520);
  EXPECT_THROW(s.SetScreenSize(0, 100), Failure);

  // Two readings a moment apart agree: the clock stands still.
  const std::tm a = env.GetClock().Now();
  const std::tm b = env.GetClock().Now();
  EXPECT_EQ(
      std::tie(a.tm_year, a.tm_mon, a.tm_mday, a.tm_hour, a.tm_min, a.tm_sec),
      std::tie(b.tm_year, b.tm_mon, b.tm_mday, b.tm_hour, b.tm_min, b.tm_sec));
  std::tm later = a;
  later.tm_year = 130;
  later.tm_hour = 23;
  s.SetNow(later);
  EXPECT_EQ(env.GetClock().Now().tm_year, 130);
  EXPECT_EQ(env.GetClock().Now().tm_hour, 23);

  env.Ui().DoEvents();
  env.Ui().DoEvents();
  EXPECT_EQ(s.DoEventsCount(), 2);
}

TEST(HeadlessBackend, WithoutAScriptGivesDefaultAnswers) {
  const auto ui = MakeHeadlessBackend();
  EXPECT_EQ(ui->MsgBox("¿Seguir?", ui::mb::kYesNo, ""), ui::mb::kNo);
  EXPECT_EQ(ui->MsgBox("Aviso", ui::mb::kExclamation, ""), ui::mb::kOk);
  EXPECT_EQ(ui->ScreenWidth(), 28800);
  EXPECT_EQ(ui->GetMousePointer(), ui::MousePointer::Default);
}

}  // namespace
}  // namespace qdr2_Gomiat
