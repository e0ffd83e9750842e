#include "frame/error_log.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/trap.h"

namespace qdr2_Gomiat {

namespace {
constexpr const char* kApp = "Landrix";
constexpr const char* kSection = "Errores";
// Folder of the suite's own installation: there every failure is shown.
constexpr const char* kSuiteFolder = "C:\\K9M\\Qdr\\";
constexpr int32_t kMaxEntriesBefore = 10;  // more than this: nothing written
}  // namespace

std::string ReportLine(std::string_view context, const Failure& f) {
  std::string line(context);
  line += std::to_string(f.number());
  line += ':';
  line += f.description();
  return line;
}

void Anota_Error(const std::string& Mensaje, const std::string& Titulo,
                 bool& NoMostrar) {
  Environment& env = Environment::Current();
  bool verlos = false;
  Skip([&] {
    verlos = CBoolText(
        env.Settings().GetSetting(kApp, kSection, "Verlos", BoolText(false)));
  });
  if (env.ComponentFolder().find(kSuiteFolder) != std::string::npos)
    NoMostrar = false;
  if (verlos) NoMostrar = false;

  std::string prefix;
  if (!NoMostrar) {
    Skip([&] { env.Ui().MsgBox(Mensaje, 48, Titulo); });
  } else {
    prefix = "*# ";
    Skip([&] { env.Ui().DoEvents(); });
  }

  std::string version, stamp;
  Skip([&] {
    version = Environment::Version() + " " + Environment::ComponentFileName() +
              " " + Titulo;
  });
  Skip([&] {
    const std::tm now = env.GetClock().Now();
    stamp = FormatDate(now, "yyyy-mm-dd") + " " + FormatTime(now, "hh: MM:SS");
  });

  // The count is read and the entry written in one transaction, so several
  // processes logging at once each get a number of their own and a kill
  // leaves the history whole, with or without the entry. The box above is
  // shown first: nobody waits on a user reading it.
  Skip([&] {
    env.Settings().Transaction([&](SettingsStore& store) {
      int32_t count = 0;
      Skip([&] {
        count = CLngText(store.GetSetting(kApp, kSection, "Cantidad", "0"));
      });
      if (count > kMaxEntriesBefore) return;
      const int32_t n = count + 1;
      const std::string key = std::to_string(n);
      std::string cierra;
      Skip([&] {
        cierra = store.GetSetting(kApp, kSection, "CierraTiempo", "");
      });
      // A write that fails ends the entry and the transaction is rolled
      // back: half an entry is never kept.
      auto save = [&](const char* section, const std::string& k,
                      const std::string& v) {
        store.SaveSetting(kApp, section, k, v);
      };
      save(kSection, "Cantidad", std::to_string(n));
      save(kSection, key, prefix + Mensaje);
      save("ErroresD", key, version);
      save("ErroresF", key, stamp + " T=" + cierra);
      save("ErroresMenu", key, prefix + " Qdr2_Gomiat");
      save("ErroresPtos", key, "---");
    });
  });
}

}  // namespace qdr2_Gomiat
