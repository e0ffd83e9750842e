// The settings store as the program hands it to the component: the user's
// own store, watched so that the program learns of every failure the
// component reports to its error log.
#pragma once

#include <functional>
#include <memory>

#include "cli_session.h"
#include "frame/services.h"

namespace gomiat {

// `open` makes the user's store; when it fails, a store in memory stands in
// (window places and the error history are then not kept) and a warning
// goes to the log's echo. The component's error log reads "Verlos" of the
// section "Errores" once per failure: the read is counted, and answered
// True so the report comes to the user interface (and so to the terminal)
// instead of being logged unseen.
std::unique_ptr<qdr2_Gomiat::SettingsStore> MakeWatchedSettings(
    std::function<std::unique_ptr<qdr2_Gomiat::SettingsStore>()> open,
    std::shared_ptr<SessionLog> log);

}  // namespace gomiat
