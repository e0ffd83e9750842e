#include "cli_ui.h"

#include <ostream>
#include <string>

#include "frame/ui/controls.h"
#include "frame/ui/form.h"

namespace gomiat {

namespace ui = qdr2_Gomiat::ui;

namespace {

// A screen of 1920 x 1080 pixels at 15 twips a pixel.
constexpr int32_t kScreenWidth = 28800;
constexpr int32_t kScreenHeight = 16200;

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

class AcceptingUi : public ui::UiBackend {
 public:
  explicit AcceptingUi(std::shared_ptr<SessionLog> log)
      : log_(std::move(log)) {}

  void ShowModal(ui::Form& form) override {
    log_->windows.push_back(form.Caption());
    auto* accept = form.FindByFullName("cmdAceptar");
    if (accept != nullptr && accept->Kind() == ui::ControlKind::CommandButton)
      static_cast<ui::CommandButton*>(accept)->UserClick();
    if (form.IsVisible()) form.CloseBox();
    if (form.IsVisible()) form.Hide();
  }
  int32_t MsgBox(const std::string& prompt, int32_t flags,
                 const std::string& title) override {
    Record(*log_, prompt, title);
    return DefaultAnswer(flags);
  }
  void DoEvents() override {}
  void SetMousePointer(ui::MousePointer p) override { pointer_ = p; }
  ui::MousePointer GetMousePointer() const override { return pointer_; }
  int32_t ScreenWidth() const override { return kScreenWidth; }
  int32_t ScreenHeight() const override { return kScreenHeight; }

 private:
  std::shared_ptr<SessionLog> log_;
  ui::MousePointer pointer_ = ui::MousePointer::Default;
};

class RecordingUi : public ui::UiBackend {
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

int32_t DefaultAnswer(int32_t flags) {
  switch (flags & 7) {
    case 1:  // OK, Cancel
      return ui::mb::kOk;
    case 2:  // Abort, Retry, Ignore
      return 3;
    case 3:  // Yes, No, Cancel
    case 5:  // Retry, Cancel
      return ui::mb::kCancel;
    case 4:  // Yes, No
      return ui::mb::kNo;
    default:
      return ui::mb::kOk;
  }
}

std::unique_ptr<ui::UiBackend> MakeAcceptingUi(
    std::shared_ptr<SessionLog> log) {
  return std::make_unique<AcceptingUi>(std::move(log));
}

std::unique_ptr<ui::UiBackend> MakeRecordingUi(
    std::unique_ptr<ui::UiBackend> inner, std::shared_ptr<SessionLog> log) {
  return std::make_unique<RecordingUi>(std::move(inner), std::move(log));
}

}  // namespace gomiat
