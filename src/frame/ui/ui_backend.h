// What the windowing platform does for the windows: modal show, message
// boxes, letting pending messages run, the mouse pointer, the screen.
#pragma once

#include <cstdint>
#include <string>

namespace qdr2_Gomiat::ui {

class Form;
class Control;

// Message box flags and answers, as the host platform numbers them.
namespace mb {
inline constexpr int32_t kOkOnly = 0;
inline constexpr int32_t kYesNoCancel = 3;
inline constexpr int32_t kYesNo = 4;
inline constexpr int32_t kCritical = 16;
inline constexpr int32_t kExclamation = 48;
inline constexpr int32_t kInformation = 64;
inline constexpr int32_t kOk = 1;
inline constexpr int32_t kCancel = 2;
inline constexpr int32_t kYes = 6;
inline constexpr int32_t kNo = 7;
}  // namespace mb

enum class MousePointer { Default, Hourglass };

// The component's application title: message boxes without a title show it.
inline constexpr const char* kAppTitle = "c_Gomiat";

class UiBackend {
 public:
  virtual ~UiBackend() = default;
  // Runs a nested loop until the form is hidden or unloaded.
  virtual void ShowModal(Form& form) = 0;
  // A form or one of its controls (nullptr: the form) changed; a visual
  // backend updates what it shows.
  virtual void Changed(Form& form, Control* control) {
    (void)form, (void)control;
  }
  // An empty title shows kAppTitle. Returns the answer code.
  virtual int32_t MsgBox(const std::string& prompt, int32_t flags,
                         const std::string& title) = 0;
  virtual void DoEvents() = 0;
  virtual void SetMousePointer(MousePointer pointer) = 0;
  virtual MousePointer GetMousePointer() const = 0;
  virtual int32_t ScreenWidth() const = 0;  // twips
  virtual int32_t ScreenHeight() const = 0;
};

}  // namespace qdr2_Gomiat::ui
