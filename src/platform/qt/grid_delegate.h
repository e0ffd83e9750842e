// How grid cells are edited and drawn by column kind: a list to choose from
// for choice columns, a swatch for colour cells (picked through the colour
// picker, not edited as text) and number-only typing for number columns.
#pragma once

#include <QStyledItemDelegate>

namespace qdr2_Gomiat::qt {

class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace qdr2_Gomiat::qt
