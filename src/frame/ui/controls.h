// Controls as small presentation models: geometry in twips, texts, state and
// the events the host platform's toolkit fires. They never draw.
//
// A user's gesture is an operation of the control (the User... members):
// the backends only translate their input into these calls, so what a
// gesture means (which events, in which order, what a hidden or disabled
// control ignores) is decided here once. Every event handler runs through
// Form::Fire, and a gesture traps what its handlers leave untrapped
// (Form::Gesture).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "frame/grid.h"

namespace qdr2_Gomiat::ui {

class Form;

enum class ControlKind {
  Label,
  TextBox,
  ComboBox,
  CommandButton,
  OptionButton,
  Frame,
  LineShape,
  Grid,
  FlexGrid,
};

enum MouseButton : int16_t { kLeftButton = 1, kRightButton = 2 };

class Control {
 public:
  Control(Form& form, ControlKind kind, std::string name, int16_t index);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  int16_t Index() const { return index_; }  // -1 outside a control array
  std::string FullName() const;             // "cmdAv(1)" or "txtN"
  Form& Owner() const { return form_; }

  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetLeft(int32_t v);
  void SetTop(int32_t v);
  void SetWidth(int32_t v);
  void SetHeight(int32_t v);
  void Move(int32_t left, int32_t top, int32_t width, int32_t height);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  // The frame the control sits in (nullptr: the form). Option buttons in the
  // same container form one group.
  Control* Container() const { return container_; }
  void SetContainer(Control* c) { container_ = c; }

  // The user can reach the control: it and every frame around it are
  // visible and enabled.
  bool Reachable() const;

  // Gestures. A click on a label, frame or option (a button: by the
  // keyboard); a click with the mouse (a button: press, release, click);
  // the second press of a double click (a double click is UserMouseClick,
  // then this; a button knows no double click and takes a second mouse
  // click); the focus.
  virtual void UserClick() {}
  virtual void UserMouseClick() { UserClick(); }
  void UserDblClick();
  void UserDoubleClick();  // the whole double click
  void UserFocus();

  std::function<void()> DblClick;
  std::function<void()> GotFocus;

 protected:
  void Changed();

 private:
  Form& form_;
  ControlKind kind_;
  std::string name_;
  int16_t index_;
  int32_t left_ = 0, top_ = 0, width_ = 1215, height_ = 375;
  bool visible_ = true;
  bool enabled_ = true;
  Control* container_ = nullptr;
};

class Label : public Control {
 public:
  Label(Form& f, std::string name, int16_t index = -1);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  void UserClick() override;
  std::function<void()> Click;

 protected:
  Label(Form& f, ControlKind kind, std::string name, int16_t index);

 private:
  std::string caption_;
};

class Frame : public Label {
 public:
  Frame(Form& f, std::string name, int16_t index = -1);
};

class TextBox : public Control {
 public:
  TextBox(Form& f, std::string name, int16_t index = -1);
  const std::string& Text() const { return text_; }
  // Fires Change only when the text really changes.
  void SetText(const std::string& t);
  bool Locked() const { return locked_; }
  void SetLocked(bool v);
  // One edit of the user (a key typed, a paste) that left `t` in the box;
  // a locked or unreachable box takes none.
  void UserEdit(const std::string& t);
  std::function<void()> Change;

 private:
  std::string text_;
  bool locked_ = false;
};

class CommandButton : public Control {
 public:
  CommandButton(Form& f, std::string name, int16_t index = -1);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  bool IsCancel() const { return cancel_; }
  void SetCancel(bool v);  // Escape presses it
  bool IsDefault() const { return default_; }
  void SetDefault(bool v);  // Enter presses it
  // A click as the user makes it: ignored when hidden or disabled.
  void UserClick() override;
  void UserMouseClick() override;
  void UserMouseDown(int16_t button = kLeftButton);
  void UserMouseUp(int16_t button = kLeftButton);
  std::function<void()> Click;
  std::function<void(int16_t button)> MouseDown;
  std::function<void(int16_t button)> MouseUp;

  // Hold-to-repeat: a button with a Repeat handler fires it when the left
  // button goes down and again at every tick of the backend while it stays
  // down (a timer in a real window, one pass of the message loop for the
  // scripted user), so no handler has to spin a loop of its own.
  std::function<void()> Repeat;
  bool RepeatsOnHold() const { return static_cast<bool>(Repeat); }
  bool Held() const { return held_; }
  void UserHoldTick();

 private:
  std::string caption_;
  bool cancel_ = false;
  bool default_ = false;
  bool held_ = false;
};

// Timing of hold-to-repeat in a real window: the first repeat, then the
// next ones.
inline constexpr int kRepeatDelayMs = 400;
inline constexpr int kRepeatIntervalMs = 100;

class OptionButton : public Control {
 public:
  OptionButton(Form& f, std::string name, int16_t index = -1);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  bool Value() const { return value_; }
  // Selecting clears the other options of the same container and fires
  // Click; clearing fires nothing.
  void SetValue(bool v);
  void UserClick() override;  // selects it
  std::function<void()> Click;

 private:
  std::string caption_;
  bool value_ = false;
};

class ComboBox : public Control {
 public:
  ComboBox(Form& f, std::string name, int16_t index = -1);
  void AddItem(const std::string& item);
  void Clear();
  int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
  const std::string& List(int32_t i) const;  // fails on a bad index
  const std::vector<std::string>& Items() const { return items_; }
  int32_t ListIndex() const { return list_index_; }
  // Selects item i (-1: none), sets the text and fires Click on a change.
  void SetListIndex(int32_t i);
  const std::string& Text() const { return text_; }
  // Typing into the edit part: fires Change on a real change.
  void SetText(const std::string& t);
  void UserEdit(const std::string& t);
  void UserChoose(int32_t i);  // a bad index is ignored
  std::function<void()> Click;
  std::function<void()> Change;

 private:
  std::vector<std::string> items_;
  int32_t list_index_ = -1;
  std::string text_;
};

class LineShape : public Control {
 public:
  enum Style : int16_t {
    kSolid = 1,
    kDash = 2,
    kDot = 3,
    kDashDot = 4,
    kDashDotDot = 5
  };
  LineShape(Form& f, std::string name, int16_t index = -1);
  int32_t X1() const { return x1_; }
  int32_t Y1() const { return y1_; }
  int32_t X2() const { return x2_; }
  int32_t Y2() const { return y2_; }
  void SetLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  int16_t BorderWidth() const { return border_width_; }
  void SetBorderWidth(int16_t w);
  int16_t BorderStyle() const { return border_style_; }
  void SetBorderStyle(int16_t s);

 private:
  int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int16_t border_width_ = 1;
  int16_t border_style_ = kSolid;
};

// The grid control placed on a form; the grid model does the cell work.
class GridControl : public Control {
 public:
  GridControl(Form& f, std::string name, std::unique_ptr<qdr2_Gomiat::Grid> g);
  qdr2_Gomiat::Grid& grid() { return *grid_; }
  const qdr2_Gomiat::Grid& grid() const { return *grid_; }
  // Tells a visual backend that cells changed (after a fill).
  void Refresh() { Changed(); }

 private:
  std::unique_ptr<qdr2_Gomiat::Grid> grid_;
};

// A read-only table with fixed rows and columns and a format string.
class FlexGrid : public Control {
 public:
  FlexGrid(Form& f, std::string name);
  int32_t Rows() const { return rows_; }
  int32_t Cols() const { return cols_; }
  void SetRows(int32_t r);
  void SetCols(int32_t c);
  int32_t FixedRows() const { return fixed_rows_; }
  int32_t FixedCols() const { return fixed_cols_; }
  void SetFixed(int32_t rows, int32_t cols);
  // "A | B | C": header texts and column widths from their lengths.
  void SetFormatString(const std::string& f);
  const std::string& FormatString() const { return format_; }
  const std::string& TextMatrix(int32_t row, int32_t col) const;
  void SetTextMatrix(int32_t row, int32_t col, const std::string& t);
  int16_t ColAlignment(int32_t col) const;
  void SetColAlignment(int32_t col, int16_t a);
  // Width of a column in characters, from the format string.
  int32_t ColWidthChars(int32_t col) const;
  std::string font_name = "Courier New";
  double font_size = 8.25;

 private:
  size_t Cell(int32_t row, int32_t col) const;
  int32_t rows_ = 2, cols_ = 2, fixed_rows_ = 1, fixed_cols_ = 1;
  std::string format_;
  std::vector<std::string> cells_;
  std::vector<int16_t> alignment_;
  std::vector<int32_t> width_chars_;
};

}  // namespace qdr2_Gomiat::ui
