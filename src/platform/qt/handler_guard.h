// Model code run from Qt's event handlers: a failure must never unwind
// through Qt's event loop. The window model's one rule for a failure no
// handler trapped applies (ui::Gesture): a message box, or only stderr
// when `quiet`.
#pragma once

#include <utility>

#include "frame/ui/form.h"

namespace qdr2_Gomiat::qt {

template <class F>
void Guarded(F&& f, bool quiet = false) noexcept {
  ui::Gesture(std::forward<F>(f), quiet);
}

}  // namespace qdr2_Gomiat::qt
