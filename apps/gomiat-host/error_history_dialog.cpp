#include "error_history_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace host {

ErrorHistoryDialog::ErrorHistoryDialog(const std::vector<ErrorEntry>& entries,
                                       QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(this)) {
  setWindowTitle("Error history");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      entries.empty() ? "The component has logged no failure."
                      : QString("%1 entries logged by the component (it keeps "
                                "at most 11).")
                            .arg(entries.size()),
      this));
  table_->setColumnCount(4);
  table_->setHorizontalHeaderLabels({"#", "When", "Entry", "Component"});
  table_->setRowCount(static_cast<int>(entries.size()));
  for (size_t r = 0; r < entries.size(); ++r) {
    const ErrorEntry& e = entries[r];
    const QString cells[] = {
        QString::number(e.number), QString::fromStdString(e.when),
        QString::fromStdString(e.text), QString::fromStdString(e.component)};
    for (int c = 0; c < 4; ++c)
      table_->setItem(int(r), c, new QTableWidgetItem(cells[c]));
  }
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->resizeColumnsToContents();
  layout->addWidget(table_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(760, 320);
}

}  // namespace host
