// Failure trapping for entry methods and "skip failing statements" fills.
#pragma once

#include <string_view>
#include <utility>

#include "frame/error_log.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

// Runs `body`; a failure ends it and is reported with `context` through the
// error log. Returns true when the body ran to its end.
template <class Body>
bool Trapped(std::string_view context, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (...) {
    const Failure f = CurrentFailure();
    try {
      bool no_mostrar = true;
      Anota_Error(ReportLine(context, f), f.source(), no_mostrar);
    } catch (...) {
      // The log itself must never take the host down.
    }
    return false;
  }
}

// One statement of a procedure that passes over its failures one by one.
template <class Stmt>
void Skip(Stmt&& stmt) noexcept {
  try {
    std::forward<Stmt>(stmt)();
  } catch (...) {
  }
}

}  // namespace qdr2_Gomiat
