// What the three table editors' windows share: column definitions kept as
// data, the hourglass while a grid is filled or read, and the restore of a
// window's place at a fifth of the screen.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "frame/grid.h"
#include "qdr2_gomiat/array.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace ui {
class Form;
}

// One column definition as named fields, in the order of DefineColumn's
// values; fields left out take the values most columns pass.
struct GridColumnDef {
  bool flag1 = false;
  bool read_only = false;
  int16_t kind = kGridText;
  int16_t value5 = 0;
  int16_t value6 = 0;
  int16_t value7 = 0;
  int16_t width_chars = 10;
  std::string caption;
};

// Defines columns 0, 1, ... from `defs`, in column order.
void DefineColumns(Grid& grid, std::span<const GridColumnDef> defs);

// The line type pattern of a type number; numbers outside 0 to 4 show the
// continuous pattern.
const char* LinePatternOf(int32_t type);
// The type number of a pattern text; 0 for any other text.
int32_t LineTypeOf(const std::string& pattern);

// Fails with a bad index (9) unless `a` holds items 1 to n. Checked before
// a grid is sized for n rows, so a count far beyond the host's arrays fails
// at once instead of growing the grid first.
template <class T>
void RequireItems(const Array<T>& a, int32_t n) {
  if (n >= 1 && (a.LBound() > 1 || a.UBound() < n))
    throw Failure(err::kSubscript);
}

// Restores `form` under `key` with the default place a fifth of the way
// into the screen and the given size, then brings a left edge off the
// screen back to 0.
void RestoreTableWindow(ui::Form& form, const std::string& key, int32_t width,
                        int32_t height);

// The hourglass pointer for as long as it lives; the normal pointer after,
// also when a failure ends the work.
class Hourglass {
 public:
  Hourglass();
  ~Hourglass();
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace qdr2_Gomiat
