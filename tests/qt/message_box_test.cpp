// Message boxes with the platform's flags: the buttons, default and
// Escape buttons they get, the title, and the answer the user gives.
#include "platform/qt/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <string>
#include <tuple>

#include "qt/qt_session.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using qt::MakeMessageBox;

int AnswerOf(QAbstractButton* b) {
  return b == nullptr ? -1 : b->property("answer").toInt();
}

// A box's title, its buttons' texts in order, and the answers of its
// default and Escape buttons.
using Offer = std::tuple<std::string, std::string, int, int>;

Offer OfferOf(int32_t flags, const std::string& title) {
  // Prompts such as "<I>" are plain text, never markup.
  const auto box = MakeMessageBox("<I> inicia", flags, title, nullptr);
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
  QStringList texts;
  for (QAbstractButton* b : box->buttons()) texts << b->text();
  texts.sort();
  return {box->windowTitle().toStdString(),
          texts.join(QLatin1Char('/')).toStdString(),
          AnswerOf(box->defaultButton()), AnswerOf(box->escapeButton())};
}

TEST(QtMessageBox, FlagsGiveButtonsAndDefaultsAndTheAnswerComesBack) {
  QtSession session;
  EXPECT_EQ(OfferOf(0, ""), (Offer{"c_Gomiat", "Aceptar", 1, 1}));
  EXPECT_EQ(OfferOf(3 + 48, "Capas"), (Offer{"Capas", "Cancelar/No/Sí", 6, 2}));
  // 256: the second button is the default one.
  EXPECT_EQ(OfferOf(4 + 16 + 256, ""), (Offer{"c_Gomiat", "No/Sí", 7, 7}));

  // The answer of the button the user clicks comes back.
  for (const auto& [flags, answer] : {std::pair{3 + 32, 6}, {3, 2}, {0, 1}}) {
    BoxCloser user({answer});
    EXPECT_EQ(session.Backend().MsgBox("¿Seguro?", flags, ""), answer);
    EXPECT_EQ(user.texts, std::vector<std::string>{"¿Seguro?"});  // one box
  }
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
