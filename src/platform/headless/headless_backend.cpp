#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <utility>

#include "platform/platform.h"

namespace qdr2_Gomiat::headless {

namespace {

using Access = testing::HeadlessBackendAccess;

// Keeps the stack of modal windows right even when a handler fails.
// A window coming or going takes the focus with it.
class ModalFrame {
 public:
  ModalFrame(HeadlessState& state, ui::Form* form) : state_(state) {
    state_.modal_stack.push_back(form);
    state_.focus = nullptr;
  }
  ~ModalFrame() {
    state_.modal_stack.pop_back();
    state_.focus = nullptr;
  }
  ModalFrame(const ModalFrame&) = delete;
  ModalFrame& operator=(const ModalFrame&) = delete;

 private:
  HeadlessState& state_;
};

}  // namespace

void HeadlessState::ScriptError(const ui::Form* form, const std::string& what) {
  std::string where = form ? form->Name() : std::string("(no window)");
  if (form && !form->Caption().empty()) where += " \"" + form->Caption() + "\"";
  script_errors.push_back(where + ": " + what);
}

int32_t DefaultAnswer(int32_t flags) {
  switch (flags & 7) {
    case 1:  // OK, Cancel
    case 3:  // Yes, No, Cancel
    case 5:  // Retry, Cancel
      return ui::mb::kCancel;
    case 2:  // Abort, Retry, Ignore: the first button
      return 3;
    case 4:  // Yes, No
      return ui::mb::kNo;
    default:
      return ui::mb::kOk;
  }
}

bool IsButtonOf(int32_t flags, int32_t answer) {
  switch (flags & 7) {
    case 1:
      return answer == ui::mb::kOk || answer == ui::mb::kCancel;
    case 2:
      return answer >= 3 && answer <= 5;
    case 3:
      return answer == ui::mb::kYes || answer == ui::mb::kNo ||
             answer == ui::mb::kCancel;
    case 4:
      return answer == ui::mb::kYes || answer == ui::mb::kNo;
    case 5:
      return answer == 4 || answer == ui::mb::kCancel;
    default:
      return answer == ui::mb::kOk;
  }
}

HeadlessBackend::HeadlessBackend(std::shared_ptr<HeadlessState> state)
    : state_(std::move(state)) {
  if (!state_) state_ = std::make_shared<HeadlessState>();
}

void HeadlessBackend::ShowModal(ui::Form& form) {
  HeadlessState& s = *state_;
  s.shown_windows.push_back(form.Caption());
  const auto& stack = s.modal_stack;
  if (std::find(stack.begin(), stack.end(), &form) != stack.end()) {
    s.ScriptError(&form, "shown modally while already shown modally");
    return;
  }
  if (stack.size() >= kMaxModalDepth) {
    s.ScriptError(&form, "too many modal windows inside one another; hidden");
    form.Hide();
    return;
  }
  ModalFrame frame(s, &form);
  RunModalLoop(form);
}

void HeadlessBackend::RunModalLoop(ui::Form& form) {
  HeadlessState& s = *state_;
  bool closing = false;
  while (form.IsVisible() && form.IsLoaded()) {
    if (const auto* step = Access::TakeForWindow(s.user)) {
      ApplyStep(s, form, *step);
      continue;
    }
    // The script is done with this window: the user closes it.
    if (closing) {
      // Closed and hidden, yet shown again: stop rather than spin.
      s.ScriptError(&form, "still shown after being closed; loop left");
      return;
    }
    closing = true;
    if (!form.UserCloseBox() && form.IsVisible()) {
      s.ScriptError(&form, "the close box was refused; the window was hidden");
      form.Hide();
    }
  }
}

int32_t HeadlessBackend::MsgBox(const std::string& prompt, int32_t flags,
                                const std::string& title) {
  HeadlessState& s = *state_;
  int32_t answer = DefaultAnswer(flags);
  if (const auto* step = Access::TakeAnswer(s.user)) {
    if (IsButtonOf(flags, step->first)) {
      answer = step->first;
    } else {
      s.ScriptError(s.modal_stack.empty() ? nullptr : s.modal_stack.back(),
                    step->Describe() + ": not a button of the message box \"" +
                        prompt + "\" (flags " + std::to_string(flags) +
                        "); it got " + std::to_string(answer));
    }
  }
  s.messages.push_back({prompt, title, flags, answer});
  return answer;
}

void HeadlessBackend::DoEvents() {
  HeadlessState& s = *state_;
  ++s.do_events;
  // Messages let run from inside a repeat step are part of its pass.
  if (s.held == nullptr || s.repeating) return;
  if (--s.held_passes_left <= 0) {
    ui::CommandButton* button = std::exchange(s.held, nullptr);
    button->UserMouseUp(ui::kLeftButton);
  } else if (s.held->RepeatsOnHold()) {
    s.repeating = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{s.repeating};
    s.held->UserHoldTick();
  }
}

void HeadlessBackend::SetMousePointer(ui::MousePointer pointer) {
  state_->pointer = pointer;
}

ui::MousePointer HeadlessBackend::GetMousePointer() const {
  return state_->pointer;
}

int32_t HeadlessBackend::ScreenWidth() const { return state_->screen_width; }
int32_t HeadlessBackend::ScreenHeight() const { return state_->screen_height; }

}  // namespace qdr2_Gomiat::headless

namespace qdr2_Gomiat {

std::unique_ptr<ui::UiBackend> MakeHeadlessBackend() {
  return std::make_unique<headless::HeadlessBackend>(
      std::make_shared<headless::HeadlessState>());
}

}  // namespace qdr2_Gomiat
