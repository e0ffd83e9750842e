// The steps of a scripted user and the backend's access to its queue.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace ui {
class Form;
}
namespace headless {
struct HeadlessState;
}
}  // namespace qdr2_Gomiat

namespace qdr2_Gomiat::testing {

struct ScriptedUser::Step {
  enum class Kind {
    Type,
    TypeKeys,
    Click,
    DoubleClick,
    Choose,
    EditCell,
    SetCellColour,
    Copy,
    Paste,
    PressEscape,
    PressEnter,
    CloseBox,
    Resize,
    HoldMouse,
    Answer,
    Look,
    Do,
  };

  Kind kind = Kind::Do;
  std::string control;
  std::string text;
  // Row and column of a cell, width and height, passes, or the answer.
  int32_t first = 0;
  int32_t second = 0;
  int32_t colour = 0;
  int32_t last_row = 0, last_col = 0;  // Copy: the other corner
  std::function<void()> action;
  std::function<void(const WindowView&)> look;
  bool used = false;

  // "Click cmdAceptar", for the script error list.
  std::string Describe() const;
};

class HeadlessBackendAccess {
 public:
  using Step = ScriptedUser::Step;
  // The next step for the innermost window. Answers met on the way stay
  // unused: they wait for the next message box.
  static Step* TakeForWindow(ScriptedUser& user);
  // An answer waiting from earlier, or the next step when it is an answer.
  static Step* TakeAnswer(ScriptedUser& user);
  // Hands `look` a view of `form`.
  static void Look(headless::HeadlessState& state, const ui::Form& form,
                   const std::function<void(const WindowView&)>& look);
};

}  // namespace qdr2_Gomiat::testing
