// The grid on screen: a table model that reads the grid model directly and
// keeps Qt's model rules, edits that go through the grid's user rules, the
// current row both ways, and a million rows opened at once.
#include "platform/qt/grid_view.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "platform/grid/grid_model.h"
#include "platform/qt/grid_table_model.h"
#include "qt/qt_session.h"
#include "support/test_form.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using test::f_Prueba;

using qt::GridTableModel;

TEST(QtGridModel, KeepsQtsModelRulesAndTheGridsUserRules) {
  QtSession session;
  GridModel grid;
  f_Prueba::DefineColumns(grid);
  grid.SetRows(6);
  for (int32_t r = 1; r < 6; ++r) grid.SetText(r, 0, "P" + std::to_string(r));
  grid.SetColour(2, 2, 0x00FF8040);

  // Qt's model tester and Qt itself report broken model rules as warnings.
  static QStringList warnings;
  const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type != QtDebugMsg && type != QtInfoMsg) warnings << msg;
      });
  GridTableModel model(grid);
  QAbstractItemModelTester tester(
      &model, QAbstractItemModelTester::FailureReportingMode::Warning);
  // Grid row 0 is the header: model row 2 is grid row 3.
  EXPECT_EQ(model.index(2, 0).data().toString(), QStringLiteral("P3"));
  // 0x00BBGGRR: red in the low byte.
  EXPECT_EQ(model.index(1, 2).data(GridTableModel::kColourRole).value<QColor>(),
            QColor(0x40, 0x80, 0xFF));
  // Edits go through the grid's user rules; a colour is set as a colour.
  EXPECT_FALSE(model.flags(model.index(0, 3)) & Qt::ItemIsEditable);
  EXPECT_FALSE(
      model.setData(model.index(0, 1), QStringLiteral("Curva"), Qt::EditRole));
  EXPECT_TRUE(model.setData(model.index(0, 1), QStringLiteral("Puntual"),
                            Qt::EditRole));
  EXPECT_EQ(grid.Text(1, 1), "Puntual");
  EXPECT_TRUE(model.setData(model.index(1, 2), QColor(1, 2, 3), Qt::EditRole));
  EXPECT_EQ(grid.Colour(2, 2), 0x030201);

  // Rows appended, dropped down to the header alone, and appended again.
  for (const int32_t rows : {9, 1, 3}) {
    grid.SetRows(rows);
    model.Refresh();
    EXPECT_EQ(model.rowCount(), rows - 1);
  }
  grid.SetText(0, 0, "Cód.");  // a caption: no reset needed
  EXPECT_FALSE(model.Refresh());
  EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Cód."));
  grid.SetCols(5);  // columns changed
  EXPECT_TRUE(model.Refresh());
  EXPECT_EQ(model.columnCount(), 5);
  qInstallMessageHandler(previous);
  EXPECT_TRUE(warnings.isEmpty())
      << warnings.join(QStringLiteral("\n")).toStdString();

  // A refused character brings the window's message in a real box.
  grid.RefuseCharacters(0, ",", "Sin comas.");
  BoxCloser user({ui::mb::kOk});
  EXPECT_FALSE(
      model.setData(model.index(1, 0), QStringLiteral("A,B"), Qt::EditRole));
  EXPECT_EQ(user.texts, std::vector<std::string>{"Sin comas."});
}

// A million rows open without an item per cell (the speed is measured in
// bench/); keys, typing and the current row reach the grid among them.
TEST(QtGridView, AMillionRowsOpenAndKeysTypingAndTheCurrentRowReachTheGrid) {
  QtSession session;
  f_Prueba form;
  form.Load();
  form.tblDatos.grid().SetRows(1000001);
  form.tblDatos.grid().SetText(1000000, 0, "último");
  RunModal(form, [&](FormView& view) {
    auto* table = Widget<QTableView>(view, "tblDatos");
    ASSERT_NE(table, nullptr);
    QAbstractItemModel* model = table->model();
    Grid& grid = form.tblDatos.grid();
    EXPECT_EQ(table->currentIndex().row(), 0);  // grid row 1

    // Ctrl+C copies the block; Ctrl+V pastes with one message for what it
    // refuses (what it keeps and refuses is grid_clipboard_test.cpp's).
    table->setFocus();
    table->selectionModel()->select(
        QItemSelection(model->index(0, 0), model->index(1, 1)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keySequence(table, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("CASA\tLineal\r\nMURO\tLineal\r\n"));
    QGuiApplication::clipboard()->setText(
        QStringLiteral("POZO\tCurva\nFAROLA\tPuntual\t5\n"));
    table->setCurrentIndex(model->index(1, 0));
    {
      BoxCloser user({ui::mb::kOk});
      QTest::keySequence(table, QKeySequence::Paste);
      EXPECT_EQ(user.titles, std::vector<std::string>{"Pegar"});
    }
    EXPECT_EQ(grid.Text(3, 0), "FAROLA");

    // The user moves to the third row and types a new code.
    table->setCurrentIndex(model->index(2, 0));
    EXPECT_EQ(grid.CurrentRow(), 3);
    QTest::keyClick(table, Qt::Key_F2);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "ARBOL");
    // The grid changing meanwhile leaves the typing alone.
    grid.SetText(1, 0, "CASA2");
    QCoreApplication::processEvents();
    EXPECT_EQ(editor->text(), QStringLiteral("ARBOL"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the commit is queued
    EXPECT_EQ(grid.Text(3, 0), "ARBOL");

    // Enter in the grid moves down; it does not accept the window.
    table->setCurrentIndex(model->index(0, 0));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_TRUE(form.IsVisible());
    EXPECT_EQ(grid.CurrentRow(), 2);

    // The window makes another row current.
    grid.SetCurrentRow(3);
    QCoreApplication::processEvents();
    EXPECT_EQ(table->currentIndex().row(), 2);
    EXPECT_TRUE(table->selectionModel()->isRowSelected(2, {}));

    EXPECT_EQ(model->rowCount(), 1000000);
    table->scrollToBottom();
    QCoreApplication::processEvents();
    EXPECT_EQ(model->index(999999, 0).data().toString(),
              QString::fromUtf8("último"));
    form.Hide();
  });
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
