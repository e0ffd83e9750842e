// What a window shows, read for the host's Look steps.
#include <algorithm>
#include <initializer_list>

#include "frame/environment.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/script_step.h"

namespace qdr2_Gomiat::testing {

struct WindowView::Impl {
  const ui::Form& form;
  headless::HeadlessState& state;

  // The control, or nullptr with a script error; `kind` when it must be
  // of one kind.
  const ui::Control* Find(
      const std::string& name, const char* asked,
      std::initializer_list<ui::ControlKind> kinds = {}) const {
    const ui::Control* c = form.FindByFullName(name);
    if (c == nullptr) {
      state.ScriptError(&form, std::string("Look ") + asked + " " + name +
                                   ": no control of that name");
      return nullptr;
    }
    if (kinds.size() != 0 &&
        std::find(kinds.begin(), kinds.end(), c->Kind()) == kinds.end()) {
      state.ScriptError(&form, std::string("Look ") + asked + " " + name +
                                   ": a control of another kind");
      return nullptr;
    }
    return c;
  }
};

void HeadlessBackendAccess::Look(
    headless::HeadlessState& state, const ui::Form& form,
    const std::function<void(const WindowView&)>& look) {
  const WindowView::Impl impl{form, state};
  const WindowView view(impl);
  look(view);
}

namespace {

using ui::ControlKind;

Bounds BoundsOf(const ui::Control& c) {
  return {c.Left(), c.Top(), c.Width(), c.Height()};
}

}  // namespace

std::string WindowView::Name() const { return impl_.form.Name(); }
std::string WindowView::Caption() const { return impl_.form.Caption(); }

Bounds WindowView::Place() const {
  const ui::Form& f = impl_.form;
  return {f.Left(), f.Top(), f.Width(), f.Height()};
}

int32_t WindowView::ScaleWidth() const { return impl_.form.ScaleWidth(); }
int32_t WindowView::ScaleHeight() const { return impl_.form.ScaleHeight(); }

Pointer WindowView::MousePointer() const {
  return impl_.state.pointer == ui::MousePointer::Hourglass ? Pointer::Hourglass
                                                            : Pointer::Default;
}

std::vector<std::string> WindowView::Controls() const {
  std::vector<std::string> names;
  for (const auto& c : impl_.form.Controls()) names.push_back(c->FullName());
  return names;
}

bool WindowView::Has(const std::string& control) const {
  return impl_.form.FindByFullName(control) != nullptr;
}

std::string WindowView::Text(const std::string& control) const {
  const ui::Control* c = impl_.Find(control, "Text");
  if (c == nullptr) return {};
  switch (c->Kind()) {
    case ControlKind::TextBox:
      return static_cast<const ui::TextBox*>(c)->Text();
    case ControlKind::ComboBox:
      return static_cast<const ui::ComboBox*>(c)->Text();
    case ControlKind::Label:
    case ControlKind::Frame:
      return static_cast<const ui::Label*>(c)->Caption();
    case ControlKind::CommandButton:
      return static_cast<const ui::CommandButton*>(c)->Caption();
    case ControlKind::OptionButton:
      return static_cast<const ui::OptionButton*>(c)->Caption();
    default:
      return {};
  }
}

bool WindowView::Visible(const std::string& control) const {
  const ui::Control* c = impl_.Find(control, "Visible");
  return c != nullptr && c->Visible();
}

bool WindowView::Enabled(const std::string& control) const {
  const ui::Control* c = impl_.Find(control, "Enabled");
  return c != nullptr && c->Enabled();
}

bool WindowView::Locked(const std::string& control) const {
  const ui::Control* c = impl_.Find(control, "Locked", {ControlKind::TextBox});
  return c != nullptr && static_cast<const ui::TextBox*>(c)->Locked();
}

bool WindowView::Value(const std::string& control) const {
  const ui::Control* c =
      impl_.Find(control, "Value", {ControlKind::OptionButton});
  return c != nullptr && static_cast<const ui::OptionButton*>(c)->Value();
}

Bounds WindowView::Place(const std::string& control) const {
  const ui::Control* c = impl_.Find(control, "Place");
  return c == nullptr ? Bounds{} : BoundsOf(*c);
}

std::vector<std::string> WindowView::Items(const std::string& control) const {
  const ui::Control* c = impl_.Find(control, "Items", {ControlKind::ComboBox});
  return c == nullptr ? std::vector<std::string>{}
                      : static_cast<const ui::ComboBox*>(c)->Items();
}

int32_t WindowView::ListIndex(const std::string& control) const {
  const ui::Control* c =
      impl_.Find(control, "ListIndex", {ControlKind::ComboBox});
  return c == nullptr ? -1 : static_cast<const ui::ComboBox*>(c)->ListIndex();
}

int32_t WindowView::Rows(const std::string& grid) const {
  const ui::Control* c =
      impl_.Find(grid, "Rows", {ControlKind::Grid, ControlKind::FlexGrid});
  if (c == nullptr) return 0;
  if (c->Kind() == ControlKind::Grid)
    return static_cast<const ui::GridControl*>(c)->grid().Rows();
  return static_cast<const ui::FlexGrid*>(c)->Rows();
}

int32_t WindowView::Cols(const std::string& grid) const {
  const ui::Control* c =
      impl_.Find(grid, "Cols", {ControlKind::Grid, ControlKind::FlexGrid});
  if (c == nullptr) return 0;
  if (c->Kind() == ControlKind::Grid)
    return static_cast<const ui::GridControl*>(c)->grid().Cols();
  return static_cast<const ui::FlexGrid*>(c)->Cols();
}

std::string WindowView::Cell(const std::string& grid, int32_t row,
                             int32_t col) const {
  const ui::Control* c =
      impl_.Find(grid, "Cell", {ControlKind::Grid, ControlKind::FlexGrid});
  if (c == nullptr) return {};
  if (row < 0 || row >= Rows(grid) || col < 0 || col >= Cols(grid)) {
    impl_.state.ScriptError(&impl_.form, "Look Cell " + grid + ": no cell (" +
                                             std::to_string(row) + ", " +
                                             std::to_string(col) + ")");
    return {};
  }
  if (c->Kind() == ControlKind::Grid)
    return static_cast<const ui::GridControl*>(c)->grid().Text(
        row, static_cast<int16_t>(col));
  return static_cast<const ui::FlexGrid*>(c)->TextMatrix(row, col);
}

int32_t WindowView::CellColour(const std::string& grid, int32_t row,
                               int32_t col) const {
  const ui::Control* c = impl_.Find(grid, "CellColour", {ControlKind::Grid});
  if (c == nullptr) return 0;
  const Grid& g = static_cast<const ui::GridControl*>(c)->grid();
  if (row < 0 || row >= g.Rows() || col < 0 || col >= g.Cols()) {
    impl_.state.ScriptError(&impl_.form, "Look CellColour " + grid +
                                             ": no cell (" +
                                             std::to_string(row) + ", " +
                                             std::to_string(col) + ")");
    return 0;
  }
  return g.Colour(row, static_cast<int16_t>(col));
}

}  // namespace qdr2_Gomiat::testing
