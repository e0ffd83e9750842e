// A fresh, self-contained environment for one test: everything it writes
// goes to a temporary folder that is removed afterwards.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "frame/environment.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat::testing {

namespace {

constexpr const char* kApp = "Landrix";

class FixedClock final : public Clock {
 public:
  explicit FixedClock(std::shared_ptr<headless::HeadlessState> state)
      : state_(std::move(state)) {}
  std::tm Now() override { return state_->now; }

 private:
  std::shared_ptr<headless::HeadlessState> state_;
};

// 2024-03-05 14:07:09, a Tuesday.
std::tm DefaultNow() {
  std::tm t{};
  t.tm_year = 2024 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 14;
  t.tm_min = 7;
  t.tm_sec = 9;
  t.tm_wday = 2;
  t.tm_yday = 64;
  t.tm_isdst = 0;
  return t;
}

std::string MakeTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  std::string pattern = base + "/qdr2_gomiat-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (::mkdtemp(buf.data()) == nullptr)
    throw Failure(err::kPathAccess, "No se puede crear la carpeta temporal " +
                                        pattern + ": " + std::strerror(errno));
  return std::string(buf.data());
}

}  // namespace

struct HeadlessSession::Impl {
  std::shared_ptr<headless::HeadlessState> state =
      std::make_shared<headless::HeadlessState>();
  std::string folder;
  std::string settings_path;
  std::shared_ptr<Environment> env;
  std::shared_ptr<Environment> previous;
};

HeadlessSession::HeadlessSession() : impl_(std::make_unique<Impl>()) {
  Impl& m = *impl_;
  m.state->now = DefaultNow();
  m.folder = MakeTempFolder();
  m.settings_path = m.folder + "/settings.sqlite";

  Environment::Factories f;
  f.settings = [path = m.settings_path] { return MakeSqliteSettings(path); };
  f.numbers = MakeNumberTextService;
  f.colours = MakeColourService;
  f.sort = MakeSortService;
  f.files = MakeFileService;
  f.grid = MakeGridModel;
  f.ui = [state = m.state]() -> std::unique_ptr<ui::UiBackend> {
    return std::make_unique<headless::HeadlessBackend>(state);
  };
  f.clock = [state = m.state]() -> std::unique_ptr<Clock> {
    return std::make_unique<FixedClock>(state);
  };
  m.env = std::make_shared<Environment>(std::move(f), m.folder);
  m.previous = Environment::Install(m.env);
}

HeadlessSession::~HeadlessSession() {
  Impl& m = *impl_;
  Environment::Install(std::move(m.previous));
  // The settings file must be closed before its folder goes.
  m.env.reset();
  std::error_code ec;
  if (!m.folder.empty()) std::filesystem::remove_all(m.folder, ec);
}

ScriptedUser& HeadlessSession::User() { return impl_->state->user; }

const std::vector<MessageRecord>& HeadlessSession::Messages() const {
  return impl_->state->messages;
}

const std::vector<std::string>& HeadlessSession::ShownWindows() const {
  return impl_->state->shown_windows;
}

const std::vector<std::string>& HeadlessSession::ScriptErrors() const {
  return impl_->state->script_errors;
}

const std::vector<std::string>& HeadlessSession::RefusedEdits() const {
  return impl_->state->refused_edits;
}

const std::string& HeadlessSession::Clipboard() const {
  return impl_->state->clipboard;
}

int32_t HeadlessSession::DoEventsCount() const {
  return impl_->state->do_events;
}

const std::string& HeadlessSession::ComponentFolder() const {
  return impl_->folder;
}

const std::string& HeadlessSession::SettingsPath() const {
  return impl_->settings_path;
}

void HeadlessSession::SetScreenSize(int32_t width_twips, int32_t height_twips) {
  if (width_twips <= 0 || height_twips <= 0)
    throw Failure(err::kInvalidProperty);
  impl_->state->screen_width = width_twips;
  impl_->state->screen_height = height_twips;
}

void HeadlessSession::SetNow(const std::tm& now) { impl_->state->now = now; }

std::string HeadlessSession::GetSetting(const std::string& section,
                                        const std::string& key,
                                        const std::string& def) {
  return impl_->env->Settings().GetSetting(kApp, section, key, def);
}

void HeadlessSession::SaveSetting(const std::string& section,
                                  const std::string& key,
                                  const std::string& value) {
  impl_->env->Settings().SaveSetting(kApp, section, key, value);
}

}  // namespace qdr2_Gomiat::testing
