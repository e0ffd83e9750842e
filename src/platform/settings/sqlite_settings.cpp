// The settings store: application / section / key / value texts in one
// SQLite file per user, shared by every host process of the suite.
//
// Window places live under the application "Landrix" in twips:
//   RestoreWindow / SaveWindow:   section = the key, keys "Left", "Top",
//                                 "Width", "Height" (and "Caption", kept
//                                 only so a person reading the file knows
//                                 which window it is);
//   RestorePosition / SavePosition: the given section, keys "<key>.Left" and
//                                 "<key>.Top".
// A place whose values are missing or not whole numbers counts as never
// saved. Names compare without regard to ASCII case, as the host's registry
// does, so "Editor de puntos" and "Editor de Puntos" are one window.
#include <memory>

#include "frame/environment.h"
#include "frame/ui/form.h"
#include "platform/platform.h"
#include "platform/settings/sqlite_database.h"
#include "platform/settings/window_place.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

using settings::KeepOnScreen;
using settings::ParseTwips;
using settings::SqliteDatabase;
using settings::WindowPlace;

constexpr const char* kApp = "Landrix";

// The visible screen; a backend that cannot tell leaves places unchecked.
WindowPlace OnVisibleScreen(const WindowPlace& place) {
  int32_t width = 0, height = 0;
  try {
    ui::UiBackend& ui = Environment::Current().Ui();
    width = ui.ScreenWidth();
    height = ui.ScreenHeight();
  } catch (const Failure&) {
    return place;
  }
  return KeepOnScreen(place, width, height);
}

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

  void RestoreWindow(ui::Form& form, const std::string& key,
                     const std::string& /*caption*/, int32_t left, int32_t top,
                     int32_t width, int32_t height) override {
    WindowPlace place{left, top, width, height};
    const auto l = Number(key, "Left"), t = Number(key, "Top"),
               w = Number(key, "Width"), h = Number(key, "Height");
    if (l && t && w && h && *w > 0 && *h > 0) place = {*l, *t, *w, *h};
    place = OnVisibleScreen(place);
    form.Move(place.left, place.top, place.width, place.height);
  }

  void SaveWindow(ui::Form& form, const std::string& key,
                  const std::string& caption) override {
    SqliteDatabase::Transaction tx(db_);
    db_.Put(kApp, key, "Left", std::to_string(form.Left()));
    db_.Put(kApp, key, "Top", std::to_string(form.Top()));
    db_.Put(kApp, key, "Width", std::to_string(form.Width()));
    db_.Put(kApp, key, "Height", std::to_string(form.Height()));
    db_.Put(kApp, key, "Caption", caption);
    tx.Commit();
  }

  void RestorePosition(ui::Form& form, const std::string& section,
                       const std::string& key) override {
    const auto l = Number(section, key + ".Left");
    const auto t = Number(section, key + ".Top");
    if (!l || !t) return;
    const WindowPlace place =
        OnVisibleScreen({*l, *t, form.Width(), form.Height()});
    // Only the place is restored; a window larger than the screen keeps
    // its size and shows its top left corner.
    form.Move(place.left, place.top, form.Width(), form.Height());
  }

  void SavePosition(ui::Form& form, const std::string& section,
                    const std::string& key) override {
    SqliteDatabase::Transaction tx(db_);
    db_.Put(kApp, section, key + ".Left", std::to_string(form.Left()));
    db_.Put(kApp, section, key + ".Top", std::to_string(form.Top()));
    tx.Commit();
  }

 private:
  std::optional<int32_t> Number(const std::string& section,
                                const std::string& key) {
    const auto text = db_.Get(kApp, section, key);
    return text ? ParseTwips(*text) : std::nullopt;
  }

  SqliteDatabase db_;
};

}  // namespace

std::unique_ptr<SettingsStore> MakeSqliteSettings(const std::string& path) {
  return std::make_unique<SqliteSettings>(path);
}

}  // namespace qdr2_Gomiat
