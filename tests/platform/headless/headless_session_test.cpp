// A session is a sealed environment: temporary folder and settings, fixed
// screen and clock, and nothing left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "frame/environment.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

namespace fs = std::filesystem;

using test_support::ScopedEnvVar;

TEST(HeadlessSession, LivesInItsOwnFolderWithAFixedClockAndDefaultAnswers) {
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
    EXPECT_EQ(fs::path(s.SettingsPath()).parent_path(), fs::path(folder));
    EXPECT_EQ(Environment::Current().ComponentFolder(), folder);

    s.SaveSetting("Errores", "Cantidad", "3");
    EXPECT_TRUE(fs::exists(s.SettingsPath()));

    // A fixed clock; unscripted boxes answer Cancel when there is one, No
    // for Yes/No, Abort for Abort/Retry/Ignore (the screen: window places).
    EXPECT_THROW(s.SetScreenSize(0, 100), Failure);
    s.SetNow(test_support::DateTime(2030, 1, 2, 3, 4, 5));
    EXPECT_EQ(Environment::Current().GetClock().Now().tm_year, 130);
    for (const auto& [flags, answer] :
         {std::pair{1, 2}, {2, 3}, {3 + 64, 2}, {4 + 16, 7}, {48, 1}})
      EXPECT_EQ(Environment::Current().Ui().MsgBox("?", flags, ""), answer)
          << flags;
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(Environment::Current().ComponentFolder(), outer.ComponentFolder());
  // The outer session's settings were not touched by the inner one.
  EXPECT_EQ(outer.GetSetting("Errores", "Cantidad", "none"), "none");
  EXPECT_TRUE(fs::is_empty(home));
}

}  // namespace
}  // namespace qdr2_Gomiat
