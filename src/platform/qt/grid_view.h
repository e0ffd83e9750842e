// The grid control on screen: a table over the grid model with its header
// row as the column header, column widths from their width in characters,
// the grid's current row selected, and colour cells picked, not typed.
#pragma once

#include <QTableView>

#include "frame/ui/controls.h"
#include "platform/qt/grid_table_model.h"

namespace qdr2_Gomiat::qt {

class GridView : public QTableView, private GridObserver {
  Q_OBJECT
 public:
  GridView(ui::GridControl& control, QWidget* parent);
  ~GridView() override;

  GridTableModel& TableModel() const { return *model_; }
  // Cells, shape, widths and current row as the grid has them now.
  void SyncFromGrid();

  // What its context menu offers when the grid was given file options:
  // the contents to or from a file chosen under the grid's filter.
  void SaveContents();
  void LoadContents();
  // Ctrl+C: the selected block (or the current cell) to the clipboard as
  // tab-separated text. Ctrl+V: the clipboard's text at the current cell,
  // through the grid's own rules and its one message for what it refused.
  void CopySelection();
  void PasteClipboard();

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger,
            QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Enter belongs to the grid, as in a spreadsheet: it moves down a row
  // instead of pressing the window's default button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The grid tells of every change; they are gathered and shown
  // once per turn of the event loop, so a fill of a million cells costs
  // one repaint.
  void GridRowsChanged(int32_t, int32_t) override { Schedule(); }
  void GridColumnsChanged() override { Schedule(); }
  void GridCellChanged(int32_t, int16_t) override { Schedule(); }
  void GridContentsReset() override { Schedule(); }
  void GridCurrentRowChanged(int32_t) override { Schedule(); }
  void Schedule();

  int CharWidth() const;
  int CharsFor(int px) const;
  void ApplyColumnWidths();
  void OnSectionResized(int col, int new_size);
  void ShowCurrentRow();
  void OnCurrentChanged(const QModelIndex& current);
  // The file the user picks, or empty when cancelled.
  QString AskFile(bool saving);

  ui::GridControl& control_;
  GridTableModel* model_;
  bool syncing_ = false;
  bool scheduled_ = false;
};

}  // namespace qdr2_Gomiat::qt
