// The UI backend without a display: a scripted user works the modal windows
// and every message box is recorded.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "frame/ui/controls.h"
#include "frame/ui/form.h"
#include "frame/ui/ui_backend.h"
#include "platform/headless/script_step.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat::headless {

inline constexpr int32_t kDefaultScreenWidth = 28800;   // 1920 px at 15 twips
inline constexpr int32_t kDefaultScreenHeight = 16200;  // 1080 px
// Modal windows inside one another; beyond this a window is refused.
inline constexpr size_t kMaxModalDepth = 64;

// What a session and its backend share; it outlives either of them.
struct HeadlessState {
  testing::ScriptedUser user;
  std::vector<testing::MessageRecord> messages;
  std::vector<std::string> shown_windows;
  std::vector<std::string> script_errors;
  std::vector<std::string> refused_edits;
  std::string clipboard;
  int32_t do_events = 0;
  ui::MousePointer pointer = ui::MousePointer::Default;
  int32_t screen_width = kDefaultScreenWidth;
  int32_t screen_height = kDefaultScreenHeight;
  std::vector<ui::Form*> modal_stack;
  std::tm now{};

  // The control the script last put the focus on, in the innermost window.
  const ui::Control* focus = nullptr;

  // A mouse button held down by the script, released by DoEvents.
  ui::CommandButton* held = nullptr;
  int32_t held_passes_left = 0;
  bool repeating = false;  // inside the held button's repeat step

  void ScriptError(const ui::Form* form, const std::string& what);
};

class HeadlessBackend final : public ui::UiBackend {
 public:
  explicit HeadlessBackend(std::shared_ptr<HeadlessState> state);

  void ShowModal(ui::Form& form) override;
  int32_t MsgBox(const std::string& prompt, int32_t flags,
                 const std::string& title) override;
  void DoEvents() override;
  void SetMousePointer(ui::MousePointer pointer) override;
  ui::MousePointer GetMousePointer() const override;
  int32_t ScreenWidth() const override;
  int32_t ScreenHeight() const override;

 private:
  void RunModalLoop(ui::Form& form);
  std::shared_ptr<HeadlessState> state_;
};

// Carries out one step of the script on `form`. Steps that cannot be done
// (no such control, wrong kind, hidden or disabled) are script errors; a
// grid refusing an edit is recorded as a refused edit. Failures raised by
// the window's handlers go on to the caller.
void ApplyStep(HeadlessState& state, ui::Form& form,
               const testing::ScriptedUser::Step& step);

// A Copy or Paste step on a grid the user reached; returns why it could not
// be done, or "" (clipboard_steps.cpp).
std::string ApplyClipboardStep(HeadlessState& state, Grid& grid,
                               const testing::ScriptedUser::Step& step);

// Answer a message box gets when the script gives none, and whether
// `answer` is one of its buttons.
int32_t DefaultAnswer(int32_t flags);
bool IsButtonOf(int32_t flags, int32_t answer);

}  // namespace qdr2_Gomiat::headless
