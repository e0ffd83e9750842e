// User interfaces for the program: a batch user who accepts the code table
// window, and a wrapper around real windows; both report message boxes.
#pragma once

#include <memory>

#include "cli_session.h"
#include "frame/ui/ui_backend.h"

namespace gomiat {

// Clicks "cmdAceptar" in every window shown (a window without it is closed
// with its close box) and answers message boxes with OK (or Cancel / No
// when there is no OK). A window never stays open.
std::unique_ptr<qdr2_Gomiat::ui::UiBackend> MakeAcceptingUi(
    std::shared_ptr<SessionLog> log);

// Forwards to `inner` (the real windows) and records message boxes.
std::unique_ptr<qdr2_Gomiat::ui::UiBackend> MakeRecordingUi(
    std::unique_ptr<qdr2_Gomiat::ui::UiBackend> inner,
    std::shared_ptr<SessionLog> log);

// Message box flags to the answer a user who only wants to go on gives.
int32_t DefaultAnswer(int32_t flags);

}  // namespace gomiat
