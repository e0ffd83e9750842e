// The process's QApplication: a host may bring its own; otherwise the
// component makes one the first time it needs windows and keeps it.
#pragma once

class QApplication;

namespace qdr2_Gomiat::qt {

// nullptr when widgets cannot be shown here: the host runs a Qt core
// application without widgets, or no display can be reached.
QApplication* EnsureApplication();

}  // namespace qdr2_Gomiat::qt
