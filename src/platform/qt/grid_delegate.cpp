#include "platform/qt/grid_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "platform/grid/cell_rules.h"
#include "platform/qt/grid_table_model.h"
#include "platform/qt/line_sample.h"

namespace qdr2_Gomiat::qt {

namespace {
int KindOf(const QModelIndex& index) {
  const QVariant v = index.data(GridTableModel::kKindRole);
  return v.isValid() ? v.toInt() : kGridText;
}

QColor InkOf(const QStyleOptionViewItem& option) {
  const QPalette::ColorGroup group = option.state & QStyle::State_Enabled
                                         ? QPalette::Normal
                                         : QPalette::Disabled;
  return option.palette.color(group, option.state & QStyle::State_Selected
                                         ? QPalette::HighlightedText
                                         : QPalette::Text);
}

// The list of a choice cell: line types shown with their sample, and a
// popup wide enough for every choice however narrow the column.
void FillChoices(QComboBox& combo, const QStringList& choices) {
  const QSize sample(combo.fontMetrics().averageCharWidth() * 6,
                     combo.fontMetrics().height());
  for (const QString& choice : choices) {
    const int pattern = LinePatternIndex(choice);
    if (pattern < 0) {
      combo.addItem(choice);
      continue;
    }
    combo.setIconSize(sample);
    combo.addItem(LineSampleIcon(pattern, combo.palette().color(QPalette::Text),
                                 sample, combo.devicePixelRatioF()),
                  choice);
  }
  QAbstractItemView* list = combo.view();
  list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                        4);
}
}  // namespace

QWidget* GridDelegate::createEditor(QWidget* parent,
                                    const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const int kind = KindOf(index);
  if (kind == kGridColour) return nullptr;  // the view opens the picker
  if (kind == kGridChoice) {
    auto* combo = new QComboBox(parent);
    FillChoices(*combo,
                index.data(GridTableModel::kChoicesRole).toStringList());
    // A choice made is a choice committed, as in a list cell.
    connect(combo, &QComboBox::activated, this, [this, combo] {
      auto* self = const_cast<GridDelegate*>(this);
      emit self->commitData(combo);
      emit self->closeEditor(combo);
    });
    return combo;
  }
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  auto* line = qobject_cast<QLineEdit*>(editor);
  if (line != nullptr && IsNumberColumnKind(static_cast<int16_t>(kind)))
    line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Only what can be part of a number; the grid judges the whole text.
  // Kind 2 is typed freely.
  if (line != nullptr && IsNumberKind(static_cast<int16_t>(kind))) {
    static const QRegularExpression number_chars(
        QStringLiteral("[\\s+\\-0-9.,eE]*"));
    line->setValidator(new QRegularExpressionValidator(number_chars, line));
  }
  return editor;
}

void GridDelegate::setEditorData(QWidget* editor,
                                 const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    combo->setCurrentIndex(
        combo->findText(index.data(Qt::EditRole).toString()));
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (combo->currentIndex() >= 0)
      model->setData(index, combo->currentText(), Qt::EditRole);
    return;
  }
  const QString before = index.data(Qt::EditRole).toString();
  QStyledItemDelegate::setModelData(editor, model, index);
  // The grid refused the text: tell the user, as the cell did not change.
  if (index.data(Qt::EditRole).toString() == before) {
    if (auto* line = qobject_cast<QLineEdit*>(editor);
        line != nullptr && line->text() != before)
      QApplication::beep();
  }
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  if (const QVariant pattern = index.data(GridTableModel::kLinePatternRole);
      pattern.isValid()) {
    // The cell as usual without its text, then the line type's sample.
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    cell.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    const int margin = std::max(2, option.fontMetrics.averageCharWidth() / 2);
    PaintLineSample(*painter,
                    QRectF(option.rect).adjusted(margin, 0, -margin, 0),
                    pattern.toInt(), InkOf(option));
    return;
  }
  QStyledItemDelegate::paint(painter, option, index);
  if (KindOf(index) != kGridColour) return;
  const QVariant v = index.data(GridTableModel::kColourRole);
  if (!v.isValid()) return;
  const QRect swatch = option.rect.adjusted(4, 3, -4, -3);
  if (swatch.width() <= 0 || swatch.height() <= 0) return;
  painter->save();
  painter->fillRect(swatch, v.value<QColor>());
  painter->setPen(option.palette.color(QPalette::Dark));
  painter->drawRect(swatch.adjusted(0, 0, -1, -1));
  painter->restore();
}

}  // namespace qdr2_Gomiat::qt
