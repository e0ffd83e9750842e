// Headless sessions for tests: the component runs without a display, its
// windows are driven by a scripted user, and every message box is recorded.
// Hosts use this to test their own integration.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qdr2_gomiat/host_objects.h"

namespace qdr2_Gomiat {
namespace testing {

class HeadlessBackendAccess;

enum class Pointer { Default, Hourglass };

// Place and size of a control inside its window (twips).
struct Bounds {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Bounds&) const = default;
};

// What a window shows at one step of the script, read only. Controls are
// named as in the window ("txtN", "optEstilo(2)"); naming one the window
// does not have is a script error, and the answer is empty, false or 0.
class WindowView {
 public:
  WindowView(const WindowView&) = delete;
  WindowView& operator=(const WindowView&) = delete;

  std::string Name() const;
  std::string Caption() const;
  // Outer place and size, and the inner size, in twips.
  Bounds Place() const;
  int32_t ScaleWidth() const;
  int32_t ScaleHeight() const;
  Pointer MousePointer() const;
  // Full names of its controls, in creation order.
  std::vector<std::string> Controls() const;

  bool Has(const std::string& control) const;
  // The text of a text box or combo box; the caption of any other control.
  std::string Text(const std::string& control) const;
  // The control's own flags, as set; a control inside a hidden frame still
  // says visible here.
  bool Visible(const std::string& control) const;
  bool Enabled(const std::string& control) const;
  bool Locked(const std::string& control) const;  // text boxes
  bool Value(const std::string& control) const;   // option buttons
  Bounds Place(const std::string& control) const;
  // The list of a combo box and the selected item (-1: none).
  std::vector<std::string> Items(const std::string& control) const;
  int32_t ListIndex(const std::string& control) const;
  // Cells of a grid or a flex grid; row 0 is the header.
  int32_t Rows(const std::string& grid) const;
  int32_t Cols(const std::string& grid) const;
  std::string Cell(const std::string& grid, int32_t row, int32_t col) const;
  int32_t CellColour(const std::string& grid, int32_t row, int32_t col) const;

 private:
  friend class HeadlessBackendAccess;
  struct Impl;
  explicit WindowView(const Impl& impl) : impl_(impl) {}
  const Impl& impl_;
};

// A host progress bar that records every call in order.
struct ProgressCall {
  enum class What { Min, Max, Value, Visible };
  What what = What::Value;
  float value = 0;  // Visible: 1 shown, 0 hidden
  bool operator==(const ProgressCall&) const = default;
};

class RecordingProgressBar final : public ProgressBar {
 public:
  void SetMin(float v) override {
    calls_.push_back({ProgressCall::What::Min, v});
  }
  void SetMax(float v) override {
    calls_.push_back({ProgressCall::What::Max, v});
  }
  void SetValue(float v) override {
    calls_.push_back({ProgressCall::What::Value, v});
  }
  void SetVisible(bool v) override {
    calls_.push_back({ProgressCall::What::Visible, v ? 1.0f : 0.0f});
  }
  const std::vector<ProgressCall>& Calls() const { return calls_; }
  // The values of one kind of call, in order.
  std::vector<float> Values(ProgressCall::What what) const {
    std::vector<float> v;
    for (const auto& c : calls_)
      if (c.what == what) v.push_back(c.value);
    return v;
  }

 private:
  std::vector<ProgressCall> calls_;
};

struct MessageRecord {
  std::string prompt;
  std::string title;  // as passed; empty means the application title
  int32_t flags = 0;
  int32_t answer = 0;
};

// Steps a user takes, in order, inside the modal windows the component
// shows. Each step acts on the innermost window shown at that moment;
// controls are named as in the window ("txtN", "cmdAv(1)"). A window the
// script leaves open is closed with its close box.
class ScriptedUser {
 public:
  struct Step;
  ScriptedUser();
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // Types `text` over the whole text as one edit (a paste).
  ScriptedUser& Type(const std::string& control, const std::string& text);
  // Selects the whole text and types `text` key by key: one edit, and one
  // change, per character.
  ScriptedUser& TypeKeys(const std::string& control, const std::string& text);
  ScriptedUser& Click(const std::string& control);
  ScriptedUser& DoubleClick(const std::string& control);
  // Selects a list item of a combo box by its text.
  ScriptedUser& Choose(const std::string& combo, const std::string& item);
  // Edits a grid cell as a user does (read-only and choice rules apply).
  ScriptedUser& EditCell(const std::string& grid, int32_t row, int32_t col,
                         const std::string& text);
  ScriptedUser& SetCellColour(const std::string& grid, int32_t row, int32_t col,
                              int32_t colour);
  // Ctrl+C on the block of rows row1..row2, columns col1..col2: the
  // session's Clipboard() gets it as tab-separated text.
  ScriptedUser& Copy(const std::string& grid, int32_t row1, int32_t col1,
                     int32_t row2, int32_t col2);
  // Ctrl+V of `text` (tab-separated) at a cell; refusals come in one
  // message box.
  ScriptedUser& Paste(const std::string& grid, int32_t row, int32_t col,
                      const std::string& text);
  ScriptedUser& PressEscape();
  ScriptedUser& PressEnter();
  ScriptedUser& CloseBox();
  // Resizes the window (outer size, twips), as dragging its border does.
  ScriptedUser& Resize(int32_t width, int32_t height);
  // Presses the mouse on a button and releases it during the `passes`-th
  // round of letting pending messages run (at least one). A hold-to-repeat
  // button repeats once in each round before that: HoldMouse(b, 1) is a
  // short click, one step.
  ScriptedUser& HoldMouse(const std::string& control, int32_t passes);
  // Answers the next message box (6 Yes, 7 No, 2 Cancel, 1 OK), whether it
  // stands right after the step that asks or before it: windows pass over
  // answers. A message box with no answer waiting gets OK, or Cancel when it
  // has one, or No for Yes/No.
  ScriptedUser& Answer(int32_t answer);
  // Looks at the innermost window as it is at this step.
  ScriptedUser& Look(std::function<void(const WindowView&)> look);
  // Runs host code at this step, inside the innermost window's loop; a
  // failure it raises is shown as a handler's would be.
  ScriptedUser& Do(std::function<void()> action);

  // Steps not yet used.
  size_t Pending() const;

 private:
  friend class HeadlessBackendAccess;
  std::vector<std::unique_ptr<Step>> steps_;
  size_t next_ = 0;
};

// A fresh environment for one test: a temporary component folder, a
// temporary settings file, a fixed screen and the headless backend. It is
// put in force on construction and the previous one restored on
// destruction. Nothing touches the user's real files.
class HeadlessSession {
 public:
  HeadlessSession();
  ~HeadlessSession();
  HeadlessSession(const HeadlessSession&) = delete;
  HeadlessSession& operator=(const HeadlessSession&) = delete;

  ScriptedUser& User();
  const std::vector<MessageRecord>& Messages() const;
  // Captions of the windows shown modally, in order.
  const std::vector<std::string>& ShownWindows() const;
  // Steps that could not be carried out (unknown control, wrong kind, a
  // hidden, disabled or locked control, an answer the box has no button
  // for, a window that refused the close box at the end of the script).
  const std::vector<std::string>& ScriptErrors() const;
  // Grid edits the grid refused (read-only column, text not in the choice
  // list): what a user tried and the grid did not take.
  const std::vector<std::string>& RefusedEdits() const;
  int32_t DoEventsCount() const;
  // What the last Copy step put on the clipboard.
  const std::string& Clipboard() const;

  const std::string& ComponentFolder() const;
  const std::string& SettingsPath() const;
  void SetScreenSize(int32_t width_twips, int32_t height_twips);
  void SetNow(const std::tm& now);

  // Settings under the application "Landrix".
  std::string GetSetting(const std::string& section, const std::string& key,
                         const std::string& def = "");
  void SaveSetting(const std::string& section, const std::string& key,
                   const std::string& value);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace testing
}  // namespace qdr2_Gomiat
