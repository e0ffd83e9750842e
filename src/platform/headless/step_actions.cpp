// What each step of the script does to a window, as a user's gesture would.
#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/environment.h"
#include "frame/utf8.h"
#include "platform/headless/headless_backend.h"

namespace qdr2_Gomiat::headless {

namespace {

using Step = testing::ScriptedUser::Step;
using Kind = Step::Kind;

// Why a user cannot reach the control, or nothing when they can.
std::string WhyUnreachable(const ui::Control& c) {
  int depth = 0;
  for (const ui::Control* k = &c; k != nullptr && depth < 64;
       k = k->Container(), ++depth) {
    const std::string who = k == &c ? std::string("it") : k->FullName();
    if (!k->Visible()) return who + " is hidden";
    if (!k->Enabled()) return who + " is disabled";
  }
  return {};
}

// The text after each key of `text` is typed over a selected text: whole
// characters, never half of one.
std::vector<std::string> KeyByKey(const std::string& text) {
  std::vector<std::string> edits;
  size_t at = 0;
  while (at < text.size()) {
    const size_t n = Utf8SequenceLength(std::string_view(text).substr(at));
    at += n == 0 ? 1 : n;
    edits.push_back(text.substr(0, at));
  }
  return edits;
}

class StepRunner {
 public:
  StepRunner(HeadlessState& state, ui::Form& form, const Step& step)
      : state_(state), form_(form), step_(step) {}

  void Run() {
    switch (step_.kind) {
      case Kind::Type:
      case Kind::TypeKeys:
        return Type();
      case Kind::Click:
        return Click();
      case Kind::DoubleClick:
        return DoubleClick();
      case Kind::Choose:
        return Choose();
      case Kind::EditCell:
      case Kind::SetCellColour:
        return EditCell();
      case Kind::Copy:
      case Kind::Paste:
        return ClipboardStep();
      case Kind::PressEscape:
        return form_.PressEscape();
      case Kind::PressEnter:
        return form_.PressEnter();
      case Kind::CloseBox:
        // A refusal is the window's answer to the user, not a script error.
        (void)form_.UserCloseBox();
        return;
      case Kind::Resize:
        return Resize();
      case Kind::HoldMouse:
        return HoldMouse();
      case Kind::Answer:
        return;  // answers wait for a message box
      case Kind::Look:
        if (step_.look)
          testing::HeadlessBackendAccess::Look(state_, form_, step_.look);
        return;
      case Kind::Do:
        if (step_.action) ui::Gesture(step_.action);
        return;
    }
  }

 private:
  void Error(const std::string& why) {
    state_.ScriptError(&form_, step_.Describe() + ": " + why);
  }

  // The named control when the user can reach it, else nullptr (recorded).
  ui::Control* Reach() {
    ui::Control* c = form_.FindByFullName(step_.control);
    if (c == nullptr) {
      Error("no control of that name");
      return nullptr;
    }
    if (const std::string why = WhyUnreachable(*c); !why.empty()) {
      Error(why);
      return nullptr;
    }
    // Reaching a control gives it the focus.
    if (state_.focus != c) {
      state_.focus = c;
      c->UserFocus();
    }
    return c;
  }

  void WrongKind() { Error("a control of another kind"); }

  void Type() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    const bool text_box = c->Kind() == ui::ControlKind::TextBox;
    if (!text_box && c->Kind() != ui::ControlKind::ComboBox) return WrongKind();
    if (text_box && static_cast<ui::TextBox*>(c)->Locked())
      return Error("it is locked");
    const std::vector<std::string> edits = step_.kind == Kind::TypeKeys
                                               ? KeyByKey(step_.text)
                                               : std::vector{step_.text};
    for (const std::string& edit : edits) {
      // A handler may close the window or take the box away between keys.
      if (!form_.IsVisible() || !c->Reachable()) return;
      if (text_box)
        static_cast<ui::TextBox*>(c)->UserEdit(edit);
      else
        static_cast<ui::ComboBox*>(c)->UserEdit(edit);
    }
  }

  void Click() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    switch (c->Kind()) {
      case ui::ControlKind::CommandButton:
      case ui::ControlKind::OptionButton:
      case ui::ControlKind::Label:
      case ui::ControlKind::Frame:
        return c->UserMouseClick();
      default:
        return WrongKind();
    }
  }

  void DoubleClick() {
    ui::Control* c = Reach();
    if (c != nullptr) c->UserDoubleClick();
  }

  void Choose() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    if (c->Kind() != ui::ControlKind::ComboBox) return WrongKind();
    auto* combo = static_cast<ui::ComboBox*>(c);
    const auto& items = combo->Items();
    const auto it = std::find(items.begin(), items.end(), step_.text);
    if (it == items.end()) return Error("no such item in the list");
    combo->UserChoose(static_cast<int32_t>(it - items.begin()));
  }

  void EditCell() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    if (c->Kind() != ui::ControlKind::Grid) return WrongKind();
    Grid& grid = static_cast<ui::GridControl*>(c)->grid();
    // Row 0 is the header: the user edits data rows only.
    if (step_.first < 1 || step_.first >= grid.Rows() || step_.second < 0 ||
        step_.second >= grid.Cols())
      return Error("no such cell (" + std::to_string(grid.Rows()) + " rows, " +
                   std::to_string(grid.Cols()) + " columns)");
    const int32_t row = step_.first;
    const auto col = static_cast<int16_t>(step_.second);
    const bool done = step_.kind == Kind::EditCell
                          ? grid.UserEdit(row, col, step_.text)
                          : grid.UserSetColour(row, col, step_.colour);
    if (!done) state_.refused_edits.push_back(step_.Describe());
  }

  void ClipboardStep() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    if (c->Kind() != ui::ControlKind::Grid) return WrongKind();
    const std::string why = ApplyClipboardStep(
        state_, static_cast<ui::GridControl*>(c)->grid(), step_);
    if (!why.empty()) Error(why);
  }

  void Resize() {
    if (!form_.Sizable()) return Error("the window has a fixed border");
    if (step_.first < 0 || step_.second < 0) return Error("negative size");
    form_.UserResize(step_.first, step_.second);
  }

  void HoldMouse() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    if (c->Kind() != ui::ControlKind::CommandButton) return WrongKind();
    auto* button = static_cast<ui::CommandButton*>(c);
    state_.held = button;
    state_.held_passes_left = std::max(1, step_.first);
    // A press handler may turn the message loop itself until the release;
    // otherwise the user's passes run here.
    button->UserMouseDown(ui::kLeftButton);
    ui::UiBackend& ui = Environment::Current().Ui();
    while (state_.held == button && form_.IsVisible()) ui.DoEvents();
    // The window went away under the held button: the user lets go.
    if (state_.held == button) {
      state_.held = nullptr;
      button->UserMouseUp(ui::kLeftButton);
    }
    // Released over the button: its click follows.
    if (form_.IsVisible()) button->UserClick();
  }

  HeadlessState& state_;
  ui::Form& form_;
  const Step& step_;
};

}  // namespace

void ApplyStep(HeadlessState& state, ui::Form& form, const Step& step) {
  // Whatever the step sets off, a failure nothing traps is shown to the
  // user as a handler's failure is; the window and the script go on.
  ui::Gesture([&] { StepRunner(state, form, step).Run(); });
}

}  // namespace qdr2_Gomiat::headless
