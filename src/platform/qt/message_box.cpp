#include "platform/qt/message_box.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "frame/ui/ui_backend.h"
#include "platform/qt/text.h"

namespace qdr2_Gomiat::qt {

namespace {

constexpr int32_t kAbort = 3, kRetry = 4, kIgnore = 5;

struct ButtonSpec {
  int32_t answer;
  const char* text;
  QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> ButtonsOf(int32_t flags) {
  const ButtonSpec ok{ui::mb::kOk, "Aceptar", QMessageBox::AcceptRole};
  const ButtonSpec cancel{ui::mb::kCancel, "Cancelar", QMessageBox::RejectRole};
  const ButtonSpec yes{ui::mb::kYes, "Sí", QMessageBox::YesRole};
  const ButtonSpec no{ui::mb::kNo, "No", QMessageBox::NoRole};
  const ButtonSpec retry{kRetry, "Reintentar", QMessageBox::AcceptRole};
  switch (flags & 7) {
    case 1:
      return {ok, cancel};
    case 2:
      return {{kAbort, "Anular", QMessageBox::RejectRole},
              retry,
              {kIgnore, "Omitir", QMessageBox::AcceptRole}};
    case 3:
      return {yes, no, cancel};
    case 4:
      return {yes, no};
    case 5:
      return {retry, cancel};
    default:
      return {ok};
  }
}

QMessageBox::Icon IconOf(int32_t flags) {
  switch (flags & 0x70) {
    case 16:
      return QMessageBox::Critical;
    case 32:
      return QMessageBox::Question;
    case 48:
      return QMessageBox::Warning;
    case 64:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// The platform's message boxes grow up to most of the screen's width before
// they wrap a line; Qt's wrap much sooner. A box is also never narrower
// than its title in the title bar, beside the close button, as the
// platform's are: "obsoleto" under "c_Gomiat" keeps its whole title.
void LetLinesRunWide(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (label == nullptr) return;
  const QFontMetrics fm(label->font());
  int widest = 0;
  for (const QString& line : box.text().split(QLatin1Char('\n')))
    widest = std::max(widest, fm.horizontalAdvance(line.trimmed()));
  QFont title_font = label->font();
  title_font.setBold(true);
  const QFontMetrics title_fm(title_font);
  const int title =
      title_fm.horizontalAdvance(box.windowTitle()) + 3 * title_fm.height();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int limit =
      screen != nullptr ? screen->availableGeometry().width() * 5 / 8 : 800;
  label->setMinimumWidth(
      std::min(std::max(widest + fm.averageCharWidth(), title), limit));
}

}  // namespace

int32_t DefaultAnswerFor(int32_t flags) {
  switch (flags & 7) {
    case 1:
    case 3:
    case 5:
      return ui::mb::kCancel;
    case 2:
      return kAbort;
    case 4:
      return ui::mb::kNo;
    default:
      return ui::mb::kOk;
  }
}

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& prompt,
                                            int32_t flags,
                                            const std::string& title,
                                            QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(ToQ(title.empty() ? ui::kAppTitle : title));
  // Prompts such as "<I>" are plain text, never markup.
  box->setTextFormat(Qt::PlainText);
  box->setText(ToQ(prompt));
  box->setIcon(IconOf(flags));
  LetLinesRunWide(*box);
  const std::vector<ButtonSpec> specs = ButtonsOf(flags);
  const size_t default_index = static_cast<size_t>((flags >> 8) & 3);
  for (size_t i = 0; i < specs.size(); ++i) {
    QPushButton* b =
        box->addButton(QString::fromUtf8(specs[i].text), specs[i].role);
    b->setProperty("answer", specs[i].answer);
    b->setObjectName(QStringLiteral("answer%1").arg(specs[i].answer));
    if (i == default_index || (i == 0 && default_index >= specs.size()))
      box->setDefaultButton(b);
    if (specs[i].answer == DefaultAnswerFor(flags) &&
        (specs.size() == 1 || specs[i].answer == ui::mb::kCancel ||
         specs[i].answer == ui::mb::kNo))
      box->setEscapeButton(b);
  }
  return box;
}

int32_t AnswerOf(const QMessageBox& box, int32_t flags) {
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked == nullptr) clicked = box.escapeButton();
  if (clicked != nullptr) {
    const QVariant answer = clicked->property("answer");
    if (answer.isValid()) return answer.toInt();
  }
  return DefaultAnswerFor(flags);
}

}  // namespace qdr2_Gomiat::qt
