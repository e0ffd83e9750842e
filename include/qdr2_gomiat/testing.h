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

namespace qdr2_Gomiat {
namespace ui {
class Form;
}

namespace testing {

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

  ScriptedUser& Type(const std::string& control, const std::string& text);
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
  // Presses the mouse on a button and releases it after `passes` rounds of
  // letting pending messages run (hold-to-repeat buttons).
  ScriptedUser& HoldMouse(const std::string& control, int32_t passes);
  // Answers the next message box (6 Yes, 7 No, 2 Cancel, 1 OK), whether it
  // stands right after the step that asks or before it: windows pass over
  // answers. A message box with no answer waiting gets OK, or Cancel when it
  // has one, or No for Yes/No.
  ScriptedUser& Answer(int32_t answer);
  // Anything else, with the window itself.
  ScriptedUser& Do(std::function<void(ui::Form&)> action);

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
