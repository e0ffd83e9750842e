// The grid model seen by a QTableView: every call reads the grid itself,
// so there is no item object per cell and a million rows open at once.
// Table row r is grid row r + 1 (grid row 0 is the header).
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <cstdint>
#include <vector>

#include "frame/grid.h"

namespace qdr2_Gomiat::qt {

// 0x00BBGGRR, the model's colour value, to and from Qt colours.
QColor ToQColor(int32_t colour_value);
int32_t FromQColor(const QColor& colour);

class GridTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Role {
    kColourRole = Qt::UserRole + 1,  // QColor of a colour cell
    kKindRole,                       // the column's kind code
    kChoicesRole,                    // QStringList of a choice column
    // 0 to 4: the cell holds that line type's pattern text in a column
    // whose choices are line types (see line_sample.h).
    kLinePatternRole,
  };

  explicit GridTableModel(Grid& grid, QObject* parent = nullptr);

  Grid& grid() const { return grid_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Goes through the grid's user edit, which refuses what it must.
  bool setData(const QModelIndex& index, const QVariant& value,
               int role) override;

  // After the grid changed: a reset when its columns changed, rows
  // inserted or removed at the end when only the row count did; changed
  // cells are left to the view's repaint. Returns true when it was a reset.
  bool Refresh();

  // The definition the view was last told about.
  const GridColumn* Column(int col) const;

 private:
  bool Inside(int row, int col) const;
  void TakeShape();
  bool ColumnsChanged() const;
  void NoteLineColumns();

  Grid& grid_;
  int rows_ = 0;  // data rows, header not counted
  int cols_ = 0;
  std::vector<GridColumn> columns_;
  std::vector<bool> line_columns_;  // choice columns of line types
};

}  // namespace qdr2_Gomiat::qt
