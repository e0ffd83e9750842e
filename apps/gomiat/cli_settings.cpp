#include "cli_settings.h"

#include <map>
#include <ostream>
#include <tuple>

#include "qdr2_gomiat/failure.h"

namespace gomiat {

namespace q = qdr2_Gomiat;

namespace {

class MemorySettings : public q::SettingsStore {
 public:
  void SaveSetting(const std::string& app, const std::string& section,
                   const std::string& key, const std::string& value) override {
    values_[{app, section, key}] = value;
  }
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key,
                         const std::string& def) override {
    auto it = values_.find({app, section, key});
    return it == values_.end() ? def : it->second;
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string>
      values_;
};

class WatchedSettings : public q::SettingsStore {
 public:
  WatchedSettings(std::unique_ptr<q::SettingsStore> inner,
                  std::shared_ptr<SessionLog> log)
      : inner_(std::move(inner)), log_(std::move(log)) {}

  void SaveSetting(const std::string& app, const std::string& section,
                   const std::string& key, const std::string& value) override {
    inner_->SaveSetting(app, section, key, value);
  }
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key,
                         const std::string& def) override {
    if (app == "Landrix" && section == "Errores" && key == "Verlos") {
      ++log_->failures;
      return "True";
    }
    return inner_->GetSetting(app, section, key, def);
  }
  // The inner store's transaction, with this store's reads inside it.
  void Transaction(
      const std::function<void(q::SettingsStore&)>& work) override {
    inner_->Transaction([&](q::SettingsStore&) { work(*this); });
  }
  void SaveSettings(
      const std::string& app, const std::string& section,
      const std::vector<std::pair<std::string, std::string>>& values) override {
    inner_->SaveSettings(app, section, values);
  }

 private:
  std::unique_ptr<q::SettingsStore> inner_;
  std::shared_ptr<SessionLog> log_;
};

}  // namespace

std::unique_ptr<q::SettingsStore> MakeWatchedSettings(
    std::function<std::unique_ptr<q::SettingsStore>()> open,
    std::shared_ptr<SessionLog> log) {
  std::unique_ptr<q::SettingsStore> inner;
  std::string why;
  try {
    inner = open();
  } catch (const q::Failure& f) {
    why = f.description();
  } catch (const std::exception& e) {
    why = e.what();
  }
  if (!inner) {
    if (log->echo != nullptr && log->before_echo) log->before_echo();
    if (log->echo != nullptr)
      *log->echo << "gomiat: warning: the settings store cannot be opened ("
                 << (why.empty() ? "unknown reason" : why)
                 << "); window places and the error history are not kept"
                 << std::endl;
    inner = std::make_unique<MemorySettings>();
  }
  return std::make_unique<WatchedSettings>(std::move(inner), std::move(log));
}

}  // namespace gomiat
