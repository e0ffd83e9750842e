#include "frame/ui/window_kit.h"

#include <algorithm>

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/window_place.h"

namespace qdr2_Gomiat::ui {

void WireAcceptCancel(Form& form, CommandButton& accept, CommandButton& cancel,
                      bool& accepted) {
  accept.SetCaption("Aceptar");
  cancel.SetCaption("Cancelar");
  cancel.SetCancel(true);
  accept.Click = [&form, &accepted] {
    accepted = true;
    form.Hide();
  };
  cancel.Click = [&form, &accepted] {
    accepted = false;
    form.Hide();
  };
}

void FinishTableGrid(Grid& grid) {
  grid.FinishA();
  grid.FinishB();
  grid.SetBoolOption(false);
  grid.Complete();
}

ScreenFifth FifthOfScreen() {
  UiBackend& ui = Environment::Current().Ui();
  const int32_t left = CLng(ui.ScreenWidth() / 5.0);
  const int32_t top = CLng(ui.ScreenHeight() / 5.0);
  return {left, top};
}

void RestoreWindowAtFifth(Form& form, const std::string& key, int32_t width,
                          int32_t height) {
  const ScreenFifth at = FifthOfScreen();
  RestoreWindow(Environment::Current().Settings(), form, key, form.Caption(),
                at.left, at.top, width, height);
}

void SaveWindowPlace(Form& form, const std::string& key) {
  SaveWindow(Environment::Current().Settings(), form, key, form.Caption());
}

void LayoutGridAndButtons(Form& form, Control& grid, const BottomRow& row) {
  const double sw = form.ScaleWidth();
  const double sh = form.ScaleHeight();
  const double w = row.first != nullptr ? row.first->Width() : 0;
  const double h = row.first != nullptr ? row.first->Height() : 0;

  grid.SetWidth(std::max(0, CLng(sw - grid.Left())));
  grid.SetHeight(std::max(0, CLng(sh - grid.Top() - 1.3 * h)));
  if (row.first == nullptr) return;
  const int32_t top = CLng(sh - 1.2 * h);
  row.first->SetTop(top);
  row.first->SetLeft(CLng(sw - 1.3 * w));
  if (row.second == nullptr) return;
  row.second->SetTop(top);
  row.second->SetLeft(CLng(form.Width() - 2.6 * w));
  if (row.third == nullptr) return;
  const double step = row.third_step >= 0 ? row.third_step : row.third->Width();
  row.third->SetTop(top);
  row.third->SetLeft(CLng(row.second->Left() - 1.3 * step));
}

}  // namespace qdr2_Gomiat::ui
