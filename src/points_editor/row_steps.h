// The fill and the write-back move the host's progress bar and let pending
// messages run every `step` rows; between two such moments the rows are
// handled as one block, so a million rows cost ten calls, not a million.
#pragma once

#include <algorithm>
#include <cstdint>

#include "frame/environment.h"
#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/host_objects.h"

namespace qdr2_Gomiat {

// The host's bar; a host that passed none gets the failure of a call on
// nothing.
inline ProgressBar& Bar(ProgressBar* bar) {
  if (bar == nullptr) throw Failure(err::kObjectNotSet);
  return *bar;
}

// Minimum 0, maximum `rows`, value 0.
inline void PrepareBar(ProgressBar* bar, int32_t rows) {
  Bar(bar).SetMin(0);
  Bar(bar).SetMax(static_cast<float>(rows));
  Bar(bar).SetValue(0);
}

// Rows 1 to n: before row i, when i is a multiple of `step`, pending
// messages run and the bar shows i; block(first, last) handles the rows in
// between.
template <class Block>
void InSteps(int32_t n, int32_t step, ProgressBar* bar, Block&& block) {
  int64_t i = 1;
  while (i <= n) {
    if (i % step == 0) {
      Environment::Current().Ui().DoEvents();
      Bar(bar).SetValue(static_cast<float>(i));
    }
    const int64_t last = std::min<int64_t>(n, (i / step + 1) * step - 1);
    block(static_cast<int32_t>(i), static_cast<int32_t>(last));
    i = last + 1;
  }
}

}  // namespace qdr2_Gomiat
