// The settings store: application / section / key / value texts in one
// SQLite file per user, shared by every host process of the suite.
//
// Names compare without regard to ASCII case, as the host's registry
// does, so "Editor de puntos" and "Editor de Puntos" are one window.
#include <memory>

#include "platform/platform.h"
#include "platform/settings/sqlite_database.h"

namespace qdr2_Gomiat {

namespace {

using settings::SqliteDatabase;

class SqliteSettings final : public SettingsStore {
 public:
  explicit SqliteSettings(const std::string& path) : db_(path) {}

  void SaveSetting(const std::string& app, const std::string& section,
                   const std::string& key, const std::string& value) override {
    db_.Put(app, section, key, value);
  }

  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key,
                         const std::string& def) override {
    return db_.Get(app, section, key).value_or(def);
  }

  void Transaction(const std::function<void(SettingsStore&)>& work) override {
    SqliteDatabase::Transaction tx(db_);
    work(*this);
    tx.Commit();
  }

  void SaveSettings(
      const std::string& app, const std::string& section,
      const std::vector<std::pair<std::string, std::string>>& values) override {
    SqliteDatabase::Transaction tx(db_);
    for (const auto& [key, value] : values) db_.Put(app, section, key, value);
    tx.Commit();
  }

 private:
  SqliteDatabase db_;
};

}  // namespace

std::unique_ptr<SettingsStore> MakeSqliteSettings(const std::string& path) {
  return std::make_unique<SqliteSettings>(path);
}

}  // namespace qdr2_Gomiat
