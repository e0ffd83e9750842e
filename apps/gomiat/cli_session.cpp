#include "cli_session.h"

#include <ostream>

#include "cli_settings.h"
#include "frame/environment.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

namespace gomiat {

namespace q = qdr2_Gomiat;
namespace ui = qdr2_Gomiat::ui;

namespace {

void Record(SessionLog& log, const std::string& prompt,
            const std::string& title) {
  std::string text = prompt;
  for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos;)
    text.replace(p, 2, "\n  ");
  log.messages.push_back(text);
  if (log.echo != nullptr && log.before_echo) log.before_echo();
  if (log.echo != nullptr)
    *log.echo << "gomiat: [" << (title.empty() ? ui::kAppTitle : title) << "] "
              << text << std::endl;
}

class RecordingUi final : public ui::UiBackend {
 public:
  RecordingUi(std::unique_ptr<ui::UiBackend> inner,
              std::shared_ptr<SessionLog> log)
      : inner_(std::move(inner)), log_(std::move(log)) {}

  void ShowModal(ui::Form& form) override {
    log_->windows.push_back(form.Caption());
    inner_->ShowModal(form);
  }
  void Changed(ui::Form& form, ui::Control* control) override {
    inner_->Changed(form, control);
  }
  int32_t MsgBox(const std::string& prompt, int32_t flags,
                 const std::string& title) override {
    Record(*log_, prompt, title);
    return inner_->MsgBox(prompt, flags, title);
  }
  void DoEvents() override { inner_->DoEvents(); }
  void SetMousePointer(ui::MousePointer p) override {
    inner_->SetMousePointer(p);
  }
  ui::MousePointer GetMousePointer() const override {
    return inner_->GetMousePointer();
  }
  int32_t ScreenWidth() const override { return inner_->ScreenWidth(); }
  int32_t ScreenHeight() const override { return inner_->ScreenHeight(); }

 private:
  std::unique_ptr<ui::UiBackend> inner_;
  std::shared_ptr<SessionLog> log_;
};

}  // namespace

std::unique_ptr<ui::UiBackend> MakeBatchUi(std::shared_ptr<SessionLog> log) {
  auto state = std::make_shared<q::headless::HeadlessState>();
  state->user.Click("cmdAceptar");
  state->on_show = [log](const std::string& caption) {
    log->windows.push_back(caption);
  };
  state->on_message = [log](const q::testing::MessageRecord& m) {
    Record(*log, m.prompt, m.title);
  };
  return std::make_unique<q::headless::HeadlessBackend>(std::move(state));
}

std::unique_ptr<ui::UiBackend> MakeRecordingUi(
    std::unique_ptr<ui::UiBackend> inner, std::shared_ptr<SessionLog> log) {
  return std::make_unique<RecordingUi>(std::move(inner), std::move(log));
}

CliSession::CliSession(const Options& options)
    : log_(std::make_shared<SessionLog>()) {
  log_->echo = options.echo;
  log_->before_echo = options.before_echo;
  q::Environment::Factories f;
  auto log = log_;
  f.settings = [log] {
    return MakeWatchedSettings(
        [] { return q::MakeSqliteSettings(q::DefaultSettingsPath()); }, log);
  };
  f.numbers = q::MakeNumberTextService;
  f.colours = q::MakeColourService;
  f.sort = q::MakeSortService;
  f.files = q::MakeFileService;
  f.grid = q::MakeGridModel;
  f.clock = q::MakeSystemClock;
  if (options.interactive) {
    f.ui = [log] { return MakeRecordingUi(q::MakeUiBackendForProcess(), log); };
  } else {
    f.ui = [log] { return MakeBatchUi(log); };
  }
  previous_ = q::Environment::Install(
      std::make_shared<q::Environment>(std::move(f), options.component_folder));
}

CliSession::~CliSession() { q::Environment::Install(previous_); }

}  // namespace gomiat
