#include "frame/error_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "frame/environment.h"
#include "platform/platform.h"
#include "platform/settings/fake_environment.h"
#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::FakeEnvironment;
using test_support::FakeOptions;
using test_support::TempFolder;

FakeOptions Options(const std::string& folder = "/opt/landrix/qdr2") {
  FakeOptions o;
  o.component_folder = folder;
  o.now = test_support::DateTime(2024, 3, 5, 14, 7, 9);
  return o;
}

// One run of the component over the settings file at `path`.
class ComponentRun {
 public:
  explicit ComponentRun(const std::string& path,
                        const FakeOptions& options = Options())
      : env_([path] { return MakeSqliteSettings(path); }, options) {}

  // Anota_Error as every caller uses it; returns NoMostrar afterwards.
  bool Report(const std::string& line, const std::string& title = "qdr2_Gomiat",
              bool no_mostrar = true) {
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
  const std::vector<test_support::ShownMessage>& Shown() const {
    return env_.shown;
  }
  int32_t DoEvents() const { return env_.do_events; }

 private:
  FakeEnvironment env_;
};

TEST(ErrorLog, ReportLineJoinsContextNumberAndDescription) {
  const Failure f(err::kSubscript);
  EXPECT_EQ(ReportLine("*Aceptar - Error nº ", f),
            "*Aceptar - Error nº 9:" + f.description());
  EXPECT_EQ(ReportLine("*Tipolin - Error nº ", Failure(1004, "Otra cosa")),
            "*Tipolin - Error nº 1004:Otra cosa");
}

TEST(ErrorLog, QuietEntriesAreNumberedAcrossRunsWithAllFiveSections) {
  TempFolder tmp;
  const std::string path = tmp.File("config/settings.sqlite");
  const std::string line =
      "*Editor Capas 1 - Error nº 9:" + RuntimeDescription(err::kSubscript);
  {
    ComponentRun run(path);
    EXPECT_TRUE(run.Report(line, "qdr2_Gomiat"));
    EXPECT_TRUE(run.Shown().empty());
    EXPECT_EQ(run.DoEvents(), 1);  // pending messages ran once
    EXPECT_EQ(run.Get("Errores", "Cantidad"), "1");
    EXPECT_EQ(run.Get("Errores", "1"), "*# " + line);
    EXPECT_EQ(run.Get("ErroresMenu", "1"), "*#  Qdr2_Gomiat");
    EXPECT_EQ(run.Get("ErroresPtos", "1"), "---");
    EXPECT_EQ(run.Get("ErroresF", "1"), "2024-03-05 14: 07:09 T=");
    const std::string d = run.Get("ErroresD", "1");
    EXPECT_EQ(d, Environment::Version() + " qdr2_Gomiat qdr2_Gomiat");
    EXPECT_TRUE(std::regex_match(
        d, std::regex(R"(\d+\.\d+\.\d+ qdr2_Gomiat qdr2_Gomiat)")))
        << d;
  }
  {
    ComponentRun run(path);
    run.Set("Errores", "CierraTiempo", "3,25 s");
    const std::string long_line(5000, 'x');  // stored without truncation
    run.Report(long_line, "OtroModulo");
    EXPECT_EQ(run.Get("Errores", "Cantidad"), "2");
    EXPECT_EQ(run.Get("Errores", "2"), "*# " + long_line);
    EXPECT_EQ(run.Get("ErroresF", "2"), "2024-03-05 14: 07:09 T=3,25 s");
    EXPECT_EQ(run.Get("ErroresD", "2"),
              Environment::Version() + " qdr2_Gomiat OtroModulo");
    // Entry 1 of the first run is untouched.
    EXPECT_EQ(run.Get("Errores", "1"), "*# " + line);
  }
}

TEST(ErrorLog, AtMostElevenEntriesAndOutsideResetsRenumber) {
  TempFolder tmp;
  const std::string path = tmp.File("settings.sqlite");
  ComponentRun run(path);
  run.Set("Errores", "Cantidad", "10");
  run.Report("undécima");
  EXPECT_EQ(run.Get("Errores", "Cantidad"), "11");
  EXPECT_EQ(run.Get("Errores", "11"), "*# undécima");
  EXPECT_EQ(run.Get("ErroresPtos", "11"), "---");

  run.Report("duodécima");
  EXPECT_EQ(run.Get("Errores", "Cantidad"), "11");
  EXPECT_EQ(run.Get("Errores", "12"), "<none>");
  EXPECT_EQ(run.Get("ErroresMenu", "12"), "<none>");

  // The box is still shown when due, even with a full history.
  run.Set("Errores", "Verlos", "True");
  run.Set("Errores", "Cantidad", "40");
  run.Report("visible");
  ASSERT_EQ(run.Shown().size(), 1u);
  EXPECT_EQ(run.Get("Errores", "Cantidad"), "40");
  EXPECT_EQ(run.Get("Errores", "41"), "<none>");

  // Lowered from outside: the next entries overwrite from the new number.
  run.Set("Errores", "Verlos", "False");
  run.Set("Errores", "Cantidad", "2");
  run.Report("de nuevo");
  EXPECT_EQ(run.Get("Errores", "Cantidad"), "3");
  EXPECT_EQ(run.Get("Errores", "3"), "*# de nuevo");

  // A count that is not a number counts as none.
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
    ASSERT_EQ(run.Shown().size(), 1u);
    EXPECT_EQ(run.Shown()[0].prompt, "*Tipolin - Error nº 13:x");
    EXPECT_EQ(run.Shown()[0].title, "Fuente");
    EXPECT_EQ(run.Shown()[0].flags, 48);
    EXPECT_EQ(run.DoEvents(), 0);
    EXPECT_EQ(run.Get("Errores", "1"), "*Tipolin - Error nº 13:x");
    EXPECT_EQ(run.Get("ErroresMenu", "1"), " Qdr2_Gomiat");
  }
  {
    // Verlos False and a caller asking to show: shown.
    ComponentRun run(tmp.File("b.sqlite"));
    run.Set("Errores", "Verlos", "False");
    EXPECT_FALSE(run.Report("m", "t", /*no_mostrar=*/false));
    EXPECT_EQ(run.Shown().size(), 1u);
    EXPECT_EQ(run.Get("Errores", "1"), "m");
  }
  struct FolderCase {
    const char* folder;
    bool shown;
  };
  const FolderCase cases[] = {
      {"C:\\K9M\\Qdr\\bin", true},     {"D:\\copia\\C:\\K9M\\Qdr\\x", true},
      {"C:\\K9M\\Qdr", false},       // the backslash after Qdr is part of it
      {"c:\\k9m\\qdr\\bin", false},  // case-sensitive
      {"/usr/lib/qdr2_gomiat", false},
  };
  int file = 0;
  for (const FolderCase& c : cases) {
    ComponentRun run(tmp.File("f" + std::to_string(file++) + ".sqlite"),
                     Options(c.folder));
    EXPECT_EQ(run.Report("m"), !c.shown) << c.folder;
    EXPECT_EQ(run.Shown().size(), c.shown ? 1u : 0u) << c.folder;
    EXPECT_EQ(run.Get("Errores", "1"), c.shown ? "m" : "*# m") << c.folder;
  }
}

// A store that notes every call; when broken it fails on every one, as a
// broken suite component would.
class NotingStore final : public SettingsStore {
 public:
  NotingStore(std::vector<std::string>& calls, bool broken)
      : calls_(calls), broken_(broken) {}
  void SaveSetting(const std::string&, const std::string& section,
                   const std::string& key, const std::string&) override {
    Note("save " + section + "/" + key);
  }
  std::string GetSetting(const std::string&, const std::string& section,
                         const std::string& key,
                         const std::string& def) override {
    Note("get " + section + "/" + key);
    return def;
  }

 private:
  void Note(const std::string& call) {
    calls_.push_back(call);
    if (broken_) throw Failure(err::kPathAccess);
  }
  std::vector<std::string>& calls_;
  bool broken_;
};

TEST(ErrorLog, ReadsThenWritesTheEntryInItsOrder) {
  std::vector<std::string> calls;
  FakeEnvironment env(
      [&calls] { return std::make_unique<NotingStore>(calls, false); },
      Options());
  bool no_mostrar = true;
  Anota_Error("m", "t", no_mostrar);
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "get Errores/Cantidad", "get Errores/Verlos",
                       "get Errores/CierraTiempo", "save Errores/Cantidad",
                       "save Errores/1", "save ErroresD/1", "save ErroresF/1",
                       "save ErroresMenu/1", "save ErroresPtos/1"}));
}

TEST(ErrorLog, BrokenOrUnopenableStoreNeverStopsTheReport) {
  {
    std::vector<std::string> calls;
    FakeEnvironment env(
        [&calls] { return std::make_unique<NotingStore>(calls, true); },
        Options("C:\\K9M\\Qdr\\bin"));
    bool no_mostrar = true;
    EXPECT_NO_THROW(Anota_Error("roto", "t", no_mostrar));
    EXPECT_FALSE(no_mostrar);
    ASSERT_EQ(env.shown.size(), 1u);
    EXPECT_EQ(env.shown[0].prompt, "roto");
  }
  {
    std::vector<std::string> calls;
    FakeEnvironment env(
        [&calls] { return std::make_unique<NotingStore>(calls, true); },
        Options());
    bool no_mostrar = true;
    EXPECT_NO_THROW(Anota_Error("roto", "t", no_mostrar));
    EXPECT_TRUE(env.shown.empty());
    EXPECT_EQ(env.do_events, 1);
    // Each failing step is passed over and the next one still runs.
    EXPECT_EQ(calls.size(), 9u);
  }
  // The settings file is damaged: the store cannot even be made.
  TempFolder tmp;
  const std::string path = tmp.File("settings.sqlite");
  std::ofstream(path) << std::string(4096, '#');
  FakeEnvironment env([path] { return MakeSqliteSettings(path); },
                      Options("C:\\K9M\\Qdr\\bin"));
  bool no_mostrar = true;
  EXPECT_NO_THROW(Anota_Error("dañado", "t", no_mostrar));
  EXPECT_EQ(env.shown.size(), 1u);
}

}  // namespace
}  // namespace qdr2_Gomiat
