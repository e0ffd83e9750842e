#include "table_editors/table_window.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/line_types.h"
#include "frame/ui/form.h"

namespace qdr2_Gomiat {

void DefineColumns(Grid& grid, std::span<const GridColumnDef> defs) {
  int16_t col = 0;
  for (const GridColumnDef& d : defs)
    grid.DefineColumn(col++, d.flag1, d.read_only, d.kind, d.value5, d.value6,
                      d.value7, d.width_chars, d.caption);
}

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
  Environment& env = Environment::Current();
  const int32_t left = CLng(env.Ui().ScreenWidth() / 5.0);
  const int32_t top = CLng(env.Ui().ScreenHeight() / 5.0);
  env.Settings().RestoreWindow(form, key, form.Caption(), left, top, width,
                               height);
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
