// A window listing the failures the component logged in the settings
// store, newest last, as the suite's own error history shows them.
#pragma once

#include <QDialog>
#include <vector>

#include "tool_actions.h"

class QTableWidget;

namespace host {

class ErrorHistoryDialog : public QDialog {
 public:
  ErrorHistoryDialog(const std::vector<ErrorEntry>& entries, QWidget* parent);
  QTableWidget* Table() const { return table_; }

 private:
  QTableWidget* table_;
};

}  // namespace host
