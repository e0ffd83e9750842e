// The scripted user's queue of steps.
#include <memory>
#include <utility>

#include "platform/headless/script_step.h"

namespace qdr2_Gomiat::testing {

namespace {

using Step = ScriptedUser::Step;
using Kind = Step::Kind;

std::unique_ptr<Step> MakeStep(Kind kind, std::string control = {},
                               std::string text = {}, int32_t first = 0,
                               int32_t second = 0) {
  auto s = std::make_unique<Step>();
  s->kind = kind;
  s->control = std::move(control);
  s->text = std::move(text);
  s->first = first;
  s->second = second;
  return s;
}

}  // namespace

std::string Step::Describe() const {
  const std::string cell =
      "(" + std::to_string(first) + ", " + std::to_string(second) + ")";
  switch (kind) {
    case Kind::Type:
      return "Type \"" + text + "\" into " + control;
    case Kind::TypeKeys:
      return "TypeKeys \"" + text + "\" into " + control;
    case Kind::Click:
      return "Click " + control;
    case Kind::DoubleClick:
      return "DoubleClick " + control;
    case Kind::Choose:
      return "Choose \"" + text + "\" in " + control;
    case Kind::EditCell:
      return "EditCell " + control + cell + " = \"" + text + "\"";
    case Kind::SetCellColour:
      return "SetCellColour " + control + cell + " = " + std::to_string(colour);
    case Kind::Copy:
      return "Copy " + control + cell + " to (" + std::to_string(last_row) +
             ", " + std::to_string(last_col) + ")";
    case Kind::Paste:
      return "Paste " + control + cell;
    case Kind::PressEscape:
      return "PressEscape";
    case Kind::PressEnter:
      return "PressEnter";
    case Kind::CloseBox:
      return "CloseBox";
    case Kind::Resize:
      return "Resize to " + std::to_string(first) + " x " +
             std::to_string(second);
    case Kind::HoldMouse:
      return "HoldMouse " + control + " for " + std::to_string(first) +
             " passes";
    case Kind::Answer:
      return "Answer " + std::to_string(first);
    case Kind::Look:
      return "Look";
    case Kind::Do:
      return "Do";
  }
  return "?";
}

ScriptedUser::ScriptedUser() = default;
ScriptedUser::~ScriptedUser() = default;

ScriptedUser& ScriptedUser::Type(const std::string& control,
                                 const std::string& text) {
  steps_.push_back(MakeStep(Kind::Type, control, text));
  return *this;
}

ScriptedUser& ScriptedUser::TypeKeys(const std::string& control,
                                     const std::string& text) {
  steps_.push_back(MakeStep(Kind::TypeKeys, control, text));
  return *this;
}

ScriptedUser& ScriptedUser::Click(const std::string& control) {
  steps_.push_back(MakeStep(Kind::Click, control));
  return *this;
}

ScriptedUser& ScriptedUser::DoubleClick(const std::string& control) {
  steps_.push_back(MakeStep(Kind::DoubleClick, control));
  return *this;
}

ScriptedUser& ScriptedUser::Choose(const std::string& combo,
                                   const std::string& item) {
  steps_.push_back(MakeStep(Kind::Choose, combo, item));
  return *this;
}

ScriptedUser& ScriptedUser::EditCell(const std::string& grid, int32_t row,
                                     int32_t col, const std::string& text) {
  steps_.push_back(MakeStep(Kind::EditCell, grid, text, row, col));
  return *this;
}

ScriptedUser& ScriptedUser::SetCellColour(const std::string& grid, int32_t row,
                                          int32_t col, int32_t colour) {
  auto s = MakeStep(Kind::SetCellColour, grid, {}, row, col);
  s->colour = colour;
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedUser& ScriptedUser::PressEscape() {
  steps_.push_back(MakeStep(Kind::PressEscape));
  return *this;
}

ScriptedUser& ScriptedUser::PressEnter() {
  steps_.push_back(MakeStep(Kind::PressEnter));
  return *this;
}

ScriptedUser& ScriptedUser::CloseBox() {
  steps_.push_back(MakeStep(Kind::CloseBox));
  return *this;
}

ScriptedUser& ScriptedUser::Resize(int32_t width, int32_t height) {
  steps_.push_back(MakeStep(Kind::Resize, {}, {}, width, height));
  return *this;
}

ScriptedUser& ScriptedUser::HoldMouse(const std::string& control,
                                      int32_t passes) {
  steps_.push_back(MakeStep(Kind::HoldMouse, control, {}, passes));
  return *this;
}

ScriptedUser& ScriptedUser::Answer(int32_t answer) {
  steps_.push_back(MakeStep(Kind::Answer, {}, {}, answer));
  return *this;
}

ScriptedUser& ScriptedUser::Look(std::function<void(const WindowView&)> look) {
  auto s = MakeStep(Kind::Look);
  s->look = std::move(look);
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedUser& ScriptedUser::Do(std::function<void()> action) {
  auto s = MakeStep(Kind::Do);
  s->action = std::move(action);
  steps_.push_back(std::move(s));
  return *this;
}

size_t ScriptedUser::Pending() const {
  size_t n = 0;
  for (const auto& s : steps_)
    if (!s->used) ++n;
  return n;
}

Step* HeadlessBackendAccess::TakeForWindow(ScriptedUser& user) {
  while (user.next_ < user.steps_.size()) {
    Step* s = user.steps_[user.next_++].get();
    if (s->kind == Kind::Answer) continue;  // left for the next message box
    s->used = true;
    return s;
  }
  return nullptr;
}

Step* HeadlessBackendAccess::TakeAnswer(ScriptedUser& user) {
  // Every unused step before next_ is an answer passed over by a window.
  for (size_t i = 0; i < user.next_ && i < user.steps_.size(); ++i) {
    Step* s = user.steps_[i].get();
    if (!s->used) {
      s->used = true;
      return s;
    }
  }
  if (user.next_ < user.steps_.size() &&
      user.steps_[user.next_]->kind == Kind::Answer) {
    Step* s = user.steps_[user.next_++].get();
    s->used = true;
    return s;
  }
  return nullptr;
}

}  // namespace qdr2_Gomiat::testing
