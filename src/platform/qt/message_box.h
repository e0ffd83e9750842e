// Message boxes with the platform's flag values: buttons (flags & 7), icon
// (16, 32, 48, 64), default button (256, 512), and its answer codes.
#pragma once

#include <QMessageBox>
#include <cstdint>
#include <memory>
#include <string>

namespace qdr2_Gomiat::qt {

// Each button carries its answer code in the property "answer" and is named
// "answer<code>" ("answer6" is Yes).
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& prompt,
                                            int32_t flags,
                                            const std::string& title,
                                            QWidget* parent);

// The answer of the button the box was left with; a box closed without one
// answers as its Escape button, or as DefaultAnswerFor.
int32_t AnswerOf(const QMessageBox& box, int32_t flags);

// What a user who just closes the box answers: Cancel when there is one,
// No for Yes/No, Abort for Abort/Retry/Ignore, otherwise OK.
int32_t DefaultAnswerFor(int32_t flags);

}  // namespace qdr2_Gomiat::qt
