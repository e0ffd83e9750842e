#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "support/processes.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::FailureOf;
using test_support::ScopedEnvVar;
using test_support::TempFolder;

TEST(SqliteSettings, ValuesSurviveReopeningAndMissingOnesGiveTheDefault) {
  TempFolder tmp;
  const std::string path = tmp.File("nested/folder/settings.sqlite");
  {
    auto store = MakeSqliteSettings(path);
    store->SaveSetting("Landrix", "Errores", "Cantidad", "3");
    store->SaveSetting("Landrix", "Errores", "1",
                       "*# línea con ñ, \"comillas\"");
    store->SaveSetting("Landrix", "Errores", "Cantidad", "4");  // overwrites
    store->SaveSetting("Otra", "Errores", "Cantidad", "99");
    store->SaveSetting("Landrix", "Vacío", "k", "");
  }
  auto store = MakeSqliteSettings(path);
  EXPECT_EQ(store->GetSetting("Landrix", "Errores", "Cantidad", "0"), "4");
  EXPECT_EQ(store->GetSetting("Landrix", "Errores", "1", ""),
            "*# línea con ñ, \"comillas\"");
  EXPECT_EQ(store->GetSetting("Otra", "Errores", "Cantidad", "0"), "99");
  // A stored empty text is a value, not a missing one.
  EXPECT_EQ(store->GetSetting("Landrix", "Vacío", "k", "def"), "");
  // Names compare as the registry does, without regard to case.
  EXPECT_EQ(store->GetSetting("LANDRIX", "errores", "CANTIDAD", "0"), "4");

  EXPECT_EQ(store->GetSetting("Landrix", "NoExiste", "Cantidad", "7"), "7");
  EXPECT_EQ(store->GetSetting("", "", "", ""), "");

  // WAL mode (header bytes 18 and 19 are 2), so other processes can read.
  const std::string header = test_support::ReadFile(path).substr(0, 20);
  EXPECT_EQ(header.substr(0, 15), "SQLite format 3");
  EXPECT_EQ(header.substr(18), "\2\2");
}

TEST(SqliteSettings, TwoStoresAndTwoProcessesWritingAtOnceAllLand) {
  TempFolder tmp;
  const std::string path = tmp.File("settings.sqlite");
  constexpr int kEach = 150;

  // The children start before this process opens the file: a connection
  // must not cross a fork.
  test_support::StartLine start;
  std::vector<pid_t> children;
  for (int c = 0; c < 2; ++c)
    children.push_back(start.Spawn([&, c] {
      auto store = MakeSqliteSettings(path);
      const std::string section = "P" + std::to_string(c);
      for (int i = 0; i < kEach; ++i)
        store->SaveSetting("Landrix", section, std::to_string(i),
                           section + std::to_string(i));
    }));
  auto first = MakeSqliteSettings(path);
  auto second = MakeSqliteSettings(path);
  start.Go();
  for (int i = 0; i < kEach; ++i) {
    const std::string k = std::to_string(i);
    first->SaveSetting("Landrix", "A", k, "A" + k);
    second->SaveSetting("Landrix", "B", k, "B" + k);
  }
  for (pid_t child : children) EXPECT_EQ(test_support::Reap(child), 0);

  auto reader = MakeSqliteSettings(path);
  for (const std::string section : {"A", "B", "P0", "P1"})
    for (int i = 0; i < kEach; ++i) {
      const std::string k = std::to_string(i);
      EXPECT_EQ(reader->GetSetting("Landrix", section, k, ""), section + k);
    }
}

TEST(SqliteSettings, UnusableFilesGiveAFailureNamingTheFile) {
  TempFolder tmp;
  // What opening a store fails with, to see that it names the file.
  const auto refusal = [](const std::string& path) {
    return test_support::MessageOf<Failure>([&] { MakeSqliteSettings(path); });
  };
  const std::string corrupt = tmp.File("corrupt.sqlite");
  test_support::WriteFile(corrupt, std::string(7680, 'x'));
  EXPECT_EQ(FailureOf([&] { MakeSqliteSettings(corrupt); }), err::kPathAccess);
  EXPECT_NE(refusal(corrupt).find(corrupt), std::string::npos);
  // The corrupt file is left as it was for someone to look at.
  EXPECT_EQ(std::filesystem::file_size(corrupt), 7680u);
  std::filesystem::create_directory(tmp.File("a_folder"));
  EXPECT_NE(refusal(tmp.File("a_folder")).find("a_folder"), std::string::npos);
  // A file where the folder should be; no name at all.
  test_support::WriteFile(tmp.File("plain_file"), "x");
  EXPECT_THROW(MakeSqliteSettings(tmp.File("plain_file/settings.sqlite")),
               Failure);
  EXPECT_THROW(MakeSqliteSettings(""), Failure);

  // A full disk, in a child with a small file system of its own: a store
  // opened there, or one already open, fails with 61 (a disk full).
  const std::string full = tmp.File("full");
  std::filesystem::create_directory(full);
  const pid_t child = fork();
  if (child == 0) {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", full.c_str(), "tmpfs", 0, "size=256k") != 0)
      _exit(0);  // not allowed here
    MakeSqliteSettings(full + "/closed.sqlite")
        ->SaveSetting("a", "b", "c", "d");
    auto store = MakeSqliteSettings(full + "/settings.sqlite");
    test_support::WriteFile(full + "/filler", std::string(1 << 20, 'x'));
    const int32_t reopened = FailureOf([&] {
      MakeSqliteSettings(full + "/closed.sqlite")
          ->SaveSetting("a", "b", "c", "e");
    });
    const int32_t saved = FailureOf([&] {
      store->SaveSetting("Landrix", "s", "k", std::string(1 << 18, 'x'));
    });
    if (reopened != err::kDiskFull || saved != err::kDiskFull)
      std::fprintf(stderr, "reopened %d, saved %d\n", reopened, saved);
    _exit(reopened == err::kDiskFull && saved == err::kDiskFull ? 1 : 2);
  }
  // A child ended by a signal counts as a failure, not as a skip.
  const int status = test_support::Reap(child);
  EXPECT_LE(status, 1);
  if (status == 0) GTEST_SKIP() << "no file system of our own";
}

TEST(SqliteSettings, DefaultPathFollowsTheXdgRules) {
  ScopedEnvVar home("HOME", "/home/topografo");
  ScopedEnvVar xdg("XDG_CONFIG_HOME", "/srv/config/");
  EXPECT_EQ(DefaultSettingsPath(), "/srv/config/qdr2_gomiat/settings.sqlite");
  setenv("XDG_CONFIG_HOME", "relative/config", 1);
  EXPECT_EQ(DefaultSettingsPath(),
            "/home/topografo/.config/qdr2_gomiat/settings.sqlite");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(DefaultSettingsPath(),
            "/home/topografo/.config/qdr2_gomiat/settings.sqlite");
}

}  // namespace
}  // namespace qdr2_Gomiat
