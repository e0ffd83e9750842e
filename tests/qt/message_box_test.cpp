// Message boxes with the platform's flags: the buttons, default and
// Escape buttons they get, the title, and the answer the user gives.
#include "platform/qt/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>

#include "qt/qt_session.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using qt::MakeMessageBox;

QStringList ButtonTexts(const QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* b : box.buttons()) texts << b->text();
  texts.sort();
  return texts;
}

int AnswerOf(QAbstractButton* b) {
  return b == nullptr ? -1 : b->property("answer").toInt();
}

TEST(QtMessageBox, FlagsGiveButtonsAndDefaultsAndTheAnswerComesBack) {
  QtSession session;
  auto ok = MakeMessageBox("Hecho", 0, "", nullptr);
  EXPECT_EQ(ButtonTexts(*ok), QStringList{QStringLiteral("Aceptar")});
  EXPECT_EQ(ok->windowTitle(), QStringLiteral("c_Gomiat"));

  auto ync = MakeMessageBox("¿Guardar?", 3 + 48, "Capas", nullptr);
  EXPECT_EQ(ButtonTexts(*ync),
            (QStringList{QStringLiteral("Cancelar"), QStringLiteral("No"),
                         QString::fromUtf8("Sí")}));
  EXPECT_EQ(ync->windowTitle(), QStringLiteral("Capas"));
  EXPECT_EQ(AnswerOf(ync->defaultButton()), 6);
  EXPECT_EQ(AnswerOf(ync->escapeButton()), 2);

  // 256: the second button is the default one.
  auto yn = MakeMessageBox("¿Borrar?", 4 + 16 + 256, "", nullptr);
  EXPECT_EQ(AnswerOf(yn->defaultButton()), 7);
  EXPECT_EQ(AnswerOf(yn->escapeButton()), 7);

  auto info = MakeMessageBox("<I> inicia", 64, "", nullptr);
  EXPECT_EQ(info->textFormat(), Qt::PlainText);

  // The answer of the button the user clicks comes back.
  for (const auto& [flags, answer] : {std::pair{3 + 32, 6}, {3, 2}, {0, 1}}) {
    BoxCloser user({answer});
    EXPECT_EQ(session.Backend().MsgBox("¿Seguro?", flags, ""), answer);
    EXPECT_EQ(user.texts, std::vector<std::string>{"¿Seguro?"});  // one box
  }
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
