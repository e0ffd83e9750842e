#include "platform/qt/colour_picker.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "frame/environment.h"
#include "platform/qt/grid_table_model.h"

namespace qdr2_Gomiat::qt {

namespace {
constexpr int kColumns = 16;
constexpr int kCell = 16;  // pixels per swatch, gap included
constexpr int kPaletteSize = 256;

QVector<int32_t> PaletteValues() {
  QVector<int32_t> values;
  try {
    ColourService& colours = Environment::Current().Colours();
    for (int n = 0; n < kPaletteSize; ++n)
      values.push_back(colours.ColorValue(static_cast<int16_t>(n)));
  } catch (...) {
    // Without the colour service only the free choice is offered.
    values.clear();
  }
  return values;
}
}  // namespace

PaletteWidget::PaletteWidget(QVector<int32_t> values, int32_t current,
                             QWidget* parent)
    : QWidget(parent), values_(std::move(values)), current_(current) {
  setMouseTracking(true);
}

QSize PaletteWidget::sizeHint() const {
  const int rows = (static_cast<int>(values_.size()) + kColumns - 1) / kColumns;
  return QSize(kColumns * kCell + 1, rows * kCell + 1);
}

QRect PaletteWidget::CellRect(int number) const {
  return QRect((number % kColumns) * kCell, (number / kColumns) * kCell, kCell,
               kCell);
}

int PaletteWidget::NumberAt(QPoint p) const {
  if (p.x() < 0 || p.y() < 0) return -1;
  const int col = p.x() / kCell, row = p.y() / kCell;
  if (col >= kColumns) return -1;
  const int n = row * kColumns + col;
  return n < values_.size() ? n : -1;
}

void PaletteWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (int n = 0; n < values_.size(); ++n) {
    const QRect r = CellRect(n).adjusted(1, 1, -1, -1);
    p.fillRect(r, ToQColor(values_[n]));
    const bool chosen = values_[n] == current_;
    p.setPen(chosen ? palette().color(QPalette::Highlight)
                    : palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (chosen) p.drawRect(r.adjusted(-1, -1, 0, 0));
  }
}

void PaletteWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int n = NumberAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && n >= 0) emit Picked(values_[n]);
}

bool PaletteWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int n = NumberAt(help->pos());
    if (n >= 0)
      QToolTip::showText(help->globalPos(), QStringLiteral("Color %1").arg(n),
                         this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

ColourPicker::ColourPicker(int32_t current, QWidget* parent)
    : QDialog(parent), current_(current) {
  setWindowTitle(QStringLiteral("Color"));
  auto* layout = new QVBoxLayout(this);
  const QVector<int32_t> values = PaletteValues();
  if (!values.isEmpty()) {
    auto* palette = new PaletteWidget(values, current, this);
    palette->setObjectName(QStringLiteral("palette"));
    connect(palette, &PaletteWidget::Picked, this, &ColourPicker::Pick);
    layout->addWidget(palette);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)
      ->setText(QStringLiteral("Cancelar"));
  auto* other = buttons->addButton(QStringLiteral("Otros colores..."),
                                   QDialogButtonBox::ActionRole);
  other->setObjectName(QStringLiteral("otherColour"));
  connect(other, &QPushButton::clicked, this, &ColourPicker::OtherColour);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ColourPicker::Pick(int32_t colour_value) {
  picked_ = colour_value;
  accept();
}

void ColourPicker::OtherColour() {
  const QColor c =
      QColorDialog::getColor(ToQColor(current_), this, QStringLiteral("Color"));
  if (c.isValid()) Pick(FromQColor(c));
}

std::optional<int32_t> PickColour(int32_t current, QWidget* parent) {
  ColourPicker picker(current, parent);
  picker.exec();
  return picker.Picked();
}

}  // namespace qdr2_Gomiat::qt
