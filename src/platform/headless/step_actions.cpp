// What each step of the script does to a window, as a user's gesture would.
#include <algorithm>
#include <utility>

#include "platform/headless/headless_backend.h"

namespace qdr2_Gomiat::headless {

namespace {

using Step = testing::ScriptedUser::Step;
using Kind = Step::Kind;

// A user reaches a control only when it and every frame around it are
// visible and enabled.
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

class StepRunner {
 public:
  StepRunner(HeadlessState& state, ui::Form& form, const Step& step)
      : state_(state), form_(form), step_(step) {}

  void Run() {
    switch (step_.kind) {
      case Kind::Type:
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
        (void)form_.CloseBox();
        return;
      case Kind::Resize:
        return Resize();
      case Kind::HoldMouse:
        return HoldMouse();
      case Kind::Answer:
        return;  // answers wait for a message box
      case Kind::Do:
        if (step_.action) step_.action(form_);
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
    // Reaching a control gives it the focus; a text box is told so.
    if (state_.focus != c) {
      state_.focus = c;
      if (c->Kind() == ui::ControlKind::TextBox) {
        auto* t = static_cast<ui::TextBox*>(c);
        if (t->GotFocus) t->GotFocus();
      }
    }
    return c;
  }

  void WrongKind() { Error("a control of another kind"); }

  void Type() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    if (c->Kind() == ui::ControlKind::TextBox) {
      auto* t = static_cast<ui::TextBox*>(c);
      if (t->Locked()) return Error("it is locked");
      t->SetText(step_.text);
    } else if (c->Kind() == ui::ControlKind::ComboBox) {
      static_cast<ui::ComboBox*>(c)->SetText(step_.text);
    } else {
      WrongKind();
    }
  }

  void Click() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    switch (c->Kind()) {
      case ui::ControlKind::CommandButton:
        return static_cast<ui::CommandButton*>(c)->UserClick();
      case ui::ControlKind::OptionButton:
        return static_cast<ui::OptionButton*>(c)->SetValue(true);
      case ui::ControlKind::Label:
      case ui::ControlKind::Frame:
        if (auto& click = static_cast<ui::Label*>(c)->Click) click();
        return;
      default:
        return WrongKind();
    }
  }

  // The toolkit's order: the first press of a double click is a click.
  void DoubleClick() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    switch (c->Kind()) {
      case ui::ControlKind::CommandButton: {
        // Buttons know no double click: two clicks.
        auto* b = static_cast<ui::CommandButton*>(c);
        b->UserClick();
        if (WhyUnreachable(*b).empty() && form_.IsVisible()) b->UserClick();
        return;
      }
      case ui::ControlKind::OptionButton:
        static_cast<ui::OptionButton*>(c)->SetValue(true);
        break;
      case ui::ControlKind::Label:
      case ui::ControlKind::Frame:
        if (auto& click = static_cast<ui::Label*>(c)->Click) click();
        break;
      default:
        break;
    }
    if (c->DblClick) c->DblClick();
  }

  void Choose() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    if (c->Kind() != ui::ControlKind::ComboBox) return WrongKind();
    auto* combo = static_cast<ui::ComboBox*>(c);
    const auto& items = combo->Items();
    const auto it = std::find(items.begin(), items.end(), step_.text);
    if (it == items.end()) return Error("no such item in the list");
    combo->SetListIndex(static_cast<int32_t>(it - items.begin()));
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
    form_.Move(form_.Left(), form_.Top(), step_.first, step_.second);
  }

  void HoldMouse() {
    ui::Control* c = Reach();
    if (c == nullptr) return;
    if (c->Kind() != ui::ControlKind::CommandButton) return WrongKind();
    auto* button = static_cast<ui::CommandButton*>(c);
    // Whatever the handler does, the mouse is not left held after it.
    struct Release {
      HeadlessState& s;
      ~Release() { s.held = nullptr; }
    } release{state_};
    state_.held = button;
    state_.held_passes_left = step_.first;
    button->UserMouseDown(ui::kLeftButton);
    // The handler returned before the passes ran out: the user lets go now.
    if (state_.held == button) {
      state_.held = nullptr;
      button->UserMouseUp(ui::kLeftButton);
    }
  }

  HeadlessState& state_;
  ui::Form& form_;
  const Step& step_;
};

}  // namespace

void ApplyStep(HeadlessState& state, ui::Form& form, const Step& step) {
  StepRunner(state, form, step).Run();
}

}  // namespace qdr2_Gomiat::headless
