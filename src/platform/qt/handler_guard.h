// Model code run from Qt's event handlers: a failure must never unwind
// through Qt's event loop, so it is caught at the handler and reported.
#pragma once

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::qt {

// Shows the failure as the platform shows an untrapped runtime error, or
// only writes it to stderr when `quiet` (failures of resize layouts, which
// would otherwise pop up on every step of a drag).
void ReportHandlerFailure(const Failure& failure, bool quiet) noexcept;

template <class F>
void Guarded(F&& f, bool quiet = false) noexcept {
  try {
    f();
  } catch (...) {
    ReportHandlerFailure(CurrentFailure(), quiet);
  }
}

}  // namespace qdr2_Gomiat::qt
