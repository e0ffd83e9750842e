// What the three table editors share beyond the window kit: the line type
// texts by number, the check of the host's arrays before a fill, the
// restore of a place whose left edge must not be off the screen, and the
// hourglass while a grid is filled or read.
#pragma once

#include <cstdint>
#include <string>

#include "frame/grid.h"
#include "qdr2_gomiat/array.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace ui {
class Form;
}

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
