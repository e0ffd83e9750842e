#include "frame/error_log.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "frame/environment.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "support/processes.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::TempFolder;

// One run of the component, headless, over the settings file at `path`
// with the suite in `folder`.
class ComponentRun {
 public:
  explicit ComponentRun(const std::string& path,
                        const std::string& folder = "/opt/landrix/qdr2")
      : scope_(Factories(path), folder) {}

  // Anota_Error as every caller uses it; returns NoMostrar afterwards.
  bool Report(const std::string& line, const std::string& title = "t") {
    bool no_mostrar = true;
    Anota_Error(line, title, no_mostrar);
    return no_mostrar;
  }
  std::string Get(const std::string& section, const std::string& key) {
    return Environment::Current().Settings().GetSetting("Landrix", section, key,
                                                        "<none>");
  }
  void Set(const std::string& section, const std::string& key,
           const std::string& value) {
    Environment::Current().Settings().SaveSetting("Landrix", section, key,
                                                  value);
  }
  const headless::HeadlessState& Ui() const { return *ui_; }

 private:
  struct FixedClock final : Clock {
    std::tm Now() override {
      return test_support::DateTime(2024, 3, 5, 14, 7, 9);
    }
  };
  Environment::Factories Factories(const std::string& path) {
    Environment::Factories f;
    f.settings = [path] { return MakeSqliteSettings(path); };
    f.ui = [ui = ui_] {
      return std::make_unique<headless::HeadlessBackend>(ui);
    };
    f.clock = [] { return std::make_unique<FixedClock>(); };
    return f;
  }

  std::shared_ptr<headless::HeadlessState> ui_ =
      std::make_shared<headless::HeadlessState>();
  test_support::ScopedEnvironment scope_;
};

TEST(ErrorLog, QuietEntriesAreNumberedAcrossRunsWithAllFiveSections) {
  TempFolder tmp;
  const std::string path = tmp.File("config/settings.sqlite");
  {
    ComponentRun run(path);
    EXPECT_TRUE(run.Report("*Editor Capas 1 - Error nº 9:x"));
    EXPECT_EQ(run.Ui().do_events, 1);  // pending messages ran once
    EXPECT_EQ(run.Get("Errores", "Cantidad"), "1");
    EXPECT_EQ(run.Get("Errores", "1"), "*# *Editor Capas 1 - Error nº 9:x");
    EXPECT_EQ(run.Get("ErroresMenu", "1"), "*#  Qdr2_Gomiat");
    EXPECT_EQ(run.Get("ErroresPtos", "1"), "---");
    EXPECT_EQ(run.Get("ErroresF", "1"), "2024-03-05 14: 07:09 T=");
  }
  ComponentRun run(path);
  run.Set("Errores", "CierraTiempo", "3,25 s");
  const std::string long_line(5000, 'x');  // stored without truncation
  run.Report(long_line, "OtroModulo");
  EXPECT_EQ(run.Get("Errores", "2"), "*# " + long_line);
  EXPECT_EQ(run.Get("ErroresF", "2"), "2024-03-05 14: 07:09 T=3,25 s");
  EXPECT_EQ(run.Get("ErroresD", "2"),
            Environment::Version() + " qdr2_Gomiat OtroModulo");
  EXPECT_EQ(run.Get("Errores", "1"), "*# *Editor Capas 1 - Error nº 9:x");
}

TEST(ErrorLog, AtMostElevenEntriesAndOutsideResetsRenumber) {
  TempFolder tmp;
  ComponentRun run(tmp.File("settings.sqlite"));
  run.Set("Errores", "Cantidad", "10");
  run.Report("undécima");
  run.Report("duodécima");
  EXPECT_EQ(run.Get("Errores", "Cantidad"), "11");
  EXPECT_EQ(run.Get("Errores", "11"), "*# undécima");
  EXPECT_EQ(run.Get("ErroresMenu", "12"), "<none>");

  // The box is still shown when due, even with a full history.
  run.Set("Errores", "Verlos", "True");
  run.Set("Errores", "Cantidad", "40");
  run.Report("visible");
  EXPECT_EQ(run.Ui().messages.size(), 1u);
  EXPECT_EQ(run.Get("Errores", "41"), "<none>");

  // Lowered from outside, or not a number: numbering starts again there.
  run.Set("Errores", "Verlos", "False");
  run.Set("Errores", "Cantidad", "2");
  run.Report("de nuevo");
  EXPECT_EQ(run.Get("Errores", "3"), "*# de nuevo");
  run.Set("Errores", "Cantidad", "muchos");
  run.Report("primera otra vez");
  EXPECT_EQ(run.Get("Errores", "Cantidad"), "1");
  EXPECT_EQ(run.Get("Errores", "1"), "*# primera otra vez");
}

TEST(ErrorLog, VerlosOrTheSuiteFolderShowTheBoxWithoutPrefix) {
  TempFolder tmp;
  {
    ComponentRun run(tmp.File("a.sqlite"));
    run.Set("Errores", "Verlos", "True");
    EXPECT_FALSE(run.Report("*Tipolin - Error nº 13:x", "Fuente"));
    ASSERT_EQ(run.Ui().messages.size(), 1u);
    EXPECT_EQ(run.Ui().messages[0].title, "Fuente");
    EXPECT_EQ(run.Ui().messages[0].flags, 48);
    EXPECT_EQ(run.Ui().do_events, 0);
    EXPECT_EQ(run.Get("Errores", "1"), "*Tipolin - Error nº 13:x");
    EXPECT_EQ(run.Get("ErroresMenu", "1"), " Qdr2_Gomiat");
  }
  // The backslash after Qdr is part of the folder; the case counts.
  for (const char* folder :
       {"D:\\copia\\C:\\K9M\\Qdr\\x", "C:\\K9M\\Qdr", "c:\\k9m\\qdr\\bin"}) {
    const bool shown = folder[0] == 'D';
    ComponentRun run(tmp.File(folder), folder);
    EXPECT_EQ(run.Report("m"), !shown) << folder;
    EXPECT_EQ(run.Get("Errores", "1"), shown ? "m" : "*# m") << folder;
  }
  // A damaged settings file: the store cannot even be made.
  const std::string path = tmp.File("settings.sqlite");
  test_support::WriteFile(path, std::string(4096, '#'));
  ComponentRun damaged(path, "C:\\K9M\\Qdr\\bin");
  EXPECT_NO_THROW(damaged.Report("dañado"));
  EXPECT_EQ(damaged.Ui().messages.size(), 1u);
}

// Every entry 1..Cantidad whole (all five parts, of one report), none
// beyond; the reports found, in entry order.
std::vector<std::string> WholeHistory(const std::string& path) {
  ComponentRun run(path);
  const std::string count = run.Get("Errores", "Cantidad");
  const int32_t n = count == "<none>" ? 0 : std::stoi(count);
  std::vector<std::string> reports;
  for (int32_t k = 1; k <= n; ++k) {
    const std::string key = std::to_string(k);
    const std::string line = run.Get("Errores", key);
    EXPECT_EQ(line.substr(0, 3), "*# ") << key;
    const std::string id = line.substr(3);
    reports.push_back(id);
    EXPECT_TRUE(run.Get("ErroresD", key).ends_with(" " + id)) << key;
    EXPECT_NE(run.Get("ErroresF", key), "<none>") << key;
    EXPECT_EQ(run.Get("ErroresMenu", key), "*#  Qdr2_Gomiat") << key;
    EXPECT_EQ(run.Get("ErroresPtos", key), "---") << key;
  }
  EXPECT_EQ(run.Get("Errores", std::to_string(n + 1)), "<none>");
  return reports;
}

// Several processes opening the store at once used to lose entries: the
// journal mode switch answered "locked" without waiting.
TEST(ErrorLog, SeveralProcessesLoggingAtOnceLoseNoEntry) {
  constexpr int kTrials = 40, kProcesses = 8;
  int lost = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    TempFolder tmp;
    const std::string path = tmp.File("settings.sqlite");
    { ComponentRun make(path); }  // the file exists before they start
    test_support::StartLine start;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p)
      children.push_back(start.Spawn([&, p] {
        // Opening and closing the store around the entry: a closing
        // process is what an opening one meets.
        for (int k = 0; k < 3; ++k) ComponentRun(path).Get("Errores", "1");
        ComponentRun run(path);
        const std::string id = "p" + std::to_string(p);
        run.Report(id, id);
      }));
    start.Go();
    for (pid_t c : children) EXPECT_EQ(test_support::Reap(c), 0);
    const std::vector<std::string> got = WholeHistory(path);
    lost +=
        kProcesses -
        static_cast<int>(std::set<std::string>(got.begin(), got.end()).size());
  }
  EXPECT_EQ(lost, 0);
}

TEST(ErrorLog, AKillWhileLoggingLeavesTheHistoryWhole) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 12; ++trial) {
    TempFolder tmp;
    const std::string path = tmp.File("settings.sqlite");
    { ComponentRun make(path); }
    test_support::StartLine start;
    const pid_t child = start.Spawn([&] {
      ComponentRun run(path);
      for (int k = 1; k <= 11; ++k) {
        const std::string id = "e" + std::to_string(k);
        run.Report(id, id);
      }
    });
    start.Go();
    // Eleven entries take about a tenth of a second here.
    test_support::KillAfter(child, 1000 + random() % 120000);
    const std::vector<std::string> got = WholeHistory(path);
    for (size_t k = 0; k < got.size(); ++k)
      EXPECT_EQ(got[k], "e" + std::to_string(k + 1));
  }
}

}  // namespace
}  // namespace qdr2_Gomiat
