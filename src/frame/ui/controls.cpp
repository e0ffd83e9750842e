#include "frame/ui/controls.h"

#include <algorithm>

#include "frame/ui/form.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::ui {

Control::Control(Form& form, ControlKind kind, std::string name, int16_t index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::FullName() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::Changed() { form_.ControlChanged(this); }

bool Control::Reachable() const {
  int depth = 0;
  for (const Control* k = this; k != nullptr && depth < 64;
       k = k->Container(), ++depth)
    if (!k->Visible() || !k->Enabled()) return false;
  return true;
}

void Control::UserDblClick() {
  Gesture([&] {
    if (!Reachable()) return;
    if (kind_ == ControlKind::CommandButton) {
      UserMouseClick();
      return;
    }
    // The second press selects an option as the first did (no new click).
    if (kind_ == ControlKind::OptionButton)
      static_cast<OptionButton*>(this)->SetValue(true);
    Fire(DblClick);
  });
}

void Control::UserDoubleClick() {
  const bool shown = form_.IsVisible();
  UserMouseClick();
  // The click may have hidden the window.
  if (!shown || form_.IsVisible()) UserDblClick();
}

void Control::UserFocus() {
  Gesture([&] {
    if (Reachable()) Fire(GotFocus);
  });
}

void Control::SetLeft(int32_t v) { Move(v, top_, width_, height_); }
void Control::SetTop(int32_t v) { Move(left_, v, width_, height_); }
void Control::SetWidth(int32_t v) { Move(left_, top_, v, height_); }
void Control::SetHeight(int32_t v) { Move(left_, top_, width_, v); }

void Control::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
  // The platform refuses a negative size.
  if (width < 0 || height < 0) throw Failure(err::kInvalidProperty);
  if (left == left_ && top == top_ && width == width_ && height == height_)
    return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed();
}

void Control::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed();
}

void Control::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed();
}

Label::Label(Form& f, std::string name, int16_t index)
    : Label(f, ControlKind::Label, std::move(name), index) {}
Label::Label(Form& f, ControlKind kind, std::string name, int16_t index)
    : Control(f, kind, std::move(name), index) {}

void Label::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  Changed();
}

void Label::UserClick() {
  Gesture([&] {
    if (Reachable()) Fire(Click);
  });
}

Frame::Frame(Form& f, std::string name, int16_t index)
    : Label(f, ControlKind::Frame, std::move(name), index) {}

TextBox::TextBox(Form& f, std::string name, int16_t index)
    : Control(f, ControlKind::TextBox, std::move(name), index) {}

void TextBox::SetText(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  Changed();
  Fire(Change);
}

void TextBox::UserEdit(const std::string& t) {
  Gesture([&] {
    if (!locked_ && Reachable()) SetText(t);
  });
}

void TextBox::SetLocked(bool v) {
  if (v == locked_) return;
  locked_ = v;
  Changed();
}

CommandButton::CommandButton(Form& f, std::string name, int16_t index)
    : Control(f, ControlKind::CommandButton, std::move(name), index) {}

void CommandButton::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  Changed();
}

// A form has at most one cancel and one default button: marking one clears
// the mark on the others, as the toolkit does.
void CommandButton::SetCancel(bool v) {
  if (v)
    for (const auto& c : Owner().Controls())
      if (c.get() != this && c->Kind() == ControlKind::CommandButton)
        static_cast<CommandButton*>(c.get())->cancel_ = false;
  cancel_ = v;
  Changed();
}

void CommandButton::SetDefault(bool v) {
  if (v)
    for (const auto& c : Owner().Controls())
      if (c.get() != this && c->Kind() == ControlKind::CommandButton)
        static_cast<CommandButton*>(c.get())->default_ = false;
  default_ = v;
  Changed();
}

void CommandButton::UserClick() {
  Gesture([&] {
    if (Reachable()) Fire(Click);
  });
}

void CommandButton::UserMouseClick() {
  const bool shown = Owner().IsVisible();
  UserMouseDown(kLeftButton);
  UserMouseUp(kLeftButton);
  // Released over the button: the click follows, unless the window went.
  if (!shown || Owner().IsVisible()) UserClick();
}

void CommandButton::UserMouseDown(int16_t button) {
  Gesture([&] {
    if (!Reachable()) return;
    held_ = button == kLeftButton && RepeatsOnHold();
    Fire(MouseDown, button);
    if (held_) Fire(Repeat);
  });
}

void CommandButton::UserHoldTick() {
  Gesture([&] {
    if (held_ && Reachable()) Fire(Repeat);
  });
}

void CommandButton::UserMouseUp(int16_t button) {
  // The release always ends a hold, even when the button went away.
  if (button == kLeftButton) held_ = false;
  Gesture([&] {
    if (Reachable()) Fire(MouseUp, button);
  });
}

OptionButton::OptionButton(Form& f, std::string name, int16_t index)
    : Control(f, ControlKind::OptionButton, std::move(name), index) {}

void OptionButton::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  Changed();
}

void OptionButton::SetValue(bool v) {
  if (!v) {
    if (value_) {
      value_ = false;
      Changed();
    }
    return;
  }
  for (const auto& c : Owner().Controls()) {
    if (c.get() == this || c->Kind() != ControlKind::OptionButton) continue;
    auto* o = static_cast<OptionButton*>(c.get());
    if (o->Container() == Container()) o->SetValue(false);
  }
  const bool was = value_;
  value_ = true;
  if (!was) Changed();
  // The toolkit fires Click when an option becomes selected.
  if (!was) Fire(Click);
}

void OptionButton::UserClick() {
  Gesture([&] {
    if (Reachable()) SetValue(true);
  });
}

ComboBox::ComboBox(Form& f, std::string name, int16_t index)
    : Control(f, ControlKind::ComboBox, std::move(name), index) {}

void ComboBox::AddItem(const std::string& item) {
  items_.push_back(item);
  Changed();
}

void ComboBox::Clear() {
  items_.clear();
  list_index_ = -1;
  text_.clear();
  Changed();
}

const std::string& ComboBox::List(int32_t i) const {
  if (i < 0 || i >= ListCount()) throw Failure(err::kInvalidCall);
  return items_[static_cast<size_t>(i)];
}

void ComboBox::SetListIndex(int32_t i) {
  if (i < -1 || i >= ListCount()) throw Failure(err::kInvalidProperty);
  if (i == list_index_) return;
  list_index_ = i;
  text_ = i < 0 ? std::string() : items_[static_cast<size_t>(i)];
  Changed();
  Fire(Click);
}

void ComboBox::UserChoose(int32_t i) {
  Gesture([&] {
    if (i >= 0 && i < ListCount() && Reachable()) SetListIndex(i);
  });
}

void ComboBox::UserEdit(const std::string& t) {
  Gesture([&] {
    if (Reachable()) SetText(t);
  });
}

void ComboBox::SetText(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  list_index_ = -1;
  for (size_t k = 0; k < items_.size(); ++k)
    if (items_[k] == t) list_index_ = static_cast<int32_t>(k);
  Changed();
  Fire(Change);
}

LineShape::LineShape(Form& f, std::string name, int16_t index)
    : Control(f, ControlKind::LineShape, std::move(name), index) {}

void LineShape::SetLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  Changed();
}

void LineShape::SetBorderWidth(int16_t w) {
  if (w < 1) throw Failure(err::kInvalidProperty);
  border_width_ = w;
  Changed();
}

void LineShape::SetBorderStyle(int16_t s) {
  if (s < 0 || s > 6) throw Failure(err::kInvalidProperty);
  border_style_ = s;
  Changed();
}

GridControl::GridControl(Form& f, std::string name,
                         std::unique_ptr<qdr2_Gomiat::Grid> g)
    : Control(f, ControlKind::Grid, std::move(name), -1), grid_(std::move(g)) {
  if (!grid_) throw Failure(err::kObjectNotSet);
}

FlexGrid::FlexGrid(Form& f, std::string name)
    : Control(f, ControlKind::FlexGrid, std::move(name), -1),
      cells_(4),
      alignment_(2, 0),
      width_chars_(2, 8) {}

size_t FlexGrid::Cell(int32_t row, int32_t col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
    throw Failure(err::kSubscript);
  return static_cast<size_t>(row) * static_cast<size_t>(cols_) +
         static_cast<size_t>(col);
}

void FlexGrid::SetRows(int32_t r) {
  if (r < fixed_rows_ + 1 || r > 1000000) throw Failure(err::kInvalidProperty);
  cells_.resize(static_cast<size_t>(r) * static_cast<size_t>(cols_));
  rows_ = r;
  Changed();
}

void FlexGrid::SetCols(int32_t c) {
  if (c < fixed_cols_ + 1 || c > 1000) throw Failure(err::kInvalidProperty);
  std::vector<std::string> fresh(static_cast<size_t>(rows_) *
                                 static_cast<size_t>(c));
  for (int32_t r = 0; r < rows_; ++r)
    for (int32_t k = 0; k < std::min(c, cols_); ++k)
      fresh[static_cast<size_t>(r) * static_cast<size_t>(c) +
            static_cast<size_t>(k)] = std::move(cells_[Cell(r, k)]);
  cells_.swap(fresh);
  cols_ = c;
  alignment_.resize(static_cast<size_t>(c), 0);
  width_chars_.resize(static_cast<size_t>(c), 8);
  Changed();
}

void FlexGrid::SetFixed(int32_t rows, int32_t cols) {
  if (rows < 0 || cols < 0 || rows >= rows_ || cols >= cols_)
    throw Failure(err::kInvalidProperty);
  fixed_rows_ = rows;
  fixed_cols_ = cols;
  Changed();
}

void FlexGrid::SetFormatString(const std::string& f) {
  format_ = f;
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t bar = f.find('|', start);
    parts.push_back(
        f.substr(start, bar == std::string::npos ? bar : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  if (static_cast<int32_t>(parts.size()) > cols_)
    SetCols(static_cast<int32_t>(parts.size()));
  for (size_t k = 0; k < parts.size(); ++k) {
    cells_[Cell(0, static_cast<int32_t>(k))] = parts[k];
    width_chars_[k] = static_cast<int32_t>(parts[k].size());
  }
  Changed();
}

const std::string& FlexGrid::TextMatrix(int32_t row, int32_t col) const {
  return cells_[Cell(row, col)];
}

void FlexGrid::SetTextMatrix(int32_t row, int32_t col, const std::string& t) {
  cells_[Cell(row, col)] = t;
  Changed();
}

int16_t FlexGrid::ColAlignment(int32_t col) const {
  Cell(0, col);
  return alignment_[static_cast<size_t>(col)];
}

void FlexGrid::SetColAlignment(int32_t col, int16_t a) {
  Cell(0, col);
  if (a < 0 || a > 9) throw Failure(err::kInvalidProperty);
  alignment_[static_cast<size_t>(col)] = a;
  Changed();
}

int32_t FlexGrid::ColWidthChars(int32_t col) const {
  Cell(0, col);
  return width_chars_[static_cast<size_t>(col)];
}

}  // namespace qdr2_Gomiat::ui
