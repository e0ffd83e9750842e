#include "table_editors/table_window.h"

#include "frame/environment.h"
#include "frame/line_types.h"
#include "frame/ui/form.h"
#include "frame/ui/window_kit.h"

namespace qdr2_Gomiat {

const char* LinePatternOf(int32_t type) {
  return kLinePatterns[type >= 0 && type < kLineTypeCount ? type : 0];
}

int32_t LineTypeOf(const std::string& pattern) {
  for (int32_t k = 0; k < kLineTypeCount; ++k)
    if (pattern == kLinePatterns[k]) return k;
  return 0;
}

void RestoreTableWindow(ui::Form& form, const std::string& key, int32_t width,
                        int32_t height) {
  ui::RestoreWindowAtFifth(form, key, width, height);
  if (form.Left() < 0) form.Move(0, form.Top(), form.Width(), form.Height());
}

Hourglass::Hourglass() {
  Environment::Current().Ui().SetMousePointer(ui::MousePointer::Hourglass);
}

Hourglass::~Hourglass() {
  try {
    Environment::Current().Ui().SetMousePointer(ui::MousePointer::Default);
  } catch (...) {
    // A pointer left as it was must not hide the failure being reported.
  }
}

}  // namespace qdr2_Gomiat
