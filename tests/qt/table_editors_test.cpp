// The layer editor and the line style picker in real windows: the picker's
// options answer the arrow keys, its samples show their dash patterns, and
// the layer grid edits its cells with lists.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "platform/qt/line_shape_widget.h"
#include "qt/qt_session.h"
#include "table_editors/f_capas.h"
#include "table_editors/f_tipolin.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

// Ink and gap runs along the middle row of a drawn line.
int InkRuns(QWidget* line) {
  const QImage image = line->grab().toImage();
  const int y = image.height() / 2;
  const QRgb gap = image.pixel(0, 0);
  int runs = 0;
  bool ink = false;
  for (int x = 0; x < image.width(); ++x) {
    const bool now = image.pixel(x, y) != gap;
    if (now && !ink) ++runs;
    ink = now;
  }
  return runs;
}

TEST(QtTableEditors, PickerOptionsFollowTheArrowKeysAndShowTheirDashes) {
  QtSession session;
  f_tipolin f;
  f.SetA_Tipolin(3);
  RunModal(f, [&](FormView& view) {
    auto* option = Widget<QRadioButton>(view, "optEstilo(3)");
    ASSERT_NE(option, nullptr);
    option->setFocus();
    QTest::keyClick(option, Qt::Key_Down);
    EXPECT_TRUE(f.optEstilo(4).Value());
    EXPECT_EQ(view.focusWidget(), Widget<QRadioButton>(view, "optEstilo(4)"));
    // Round to the first: the hidden thickness options are another group.
    QTest::keyClick(view.focusWidget(), Qt::Key_Right);
    EXPECT_TRUE(f.optEstilo(0).Value());
    EXPECT_FALSE(f.optEstilo(4).Value());
    QTest::keyClick(view.focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(f.optEstilo(4).Value());
    EXPECT_TRUE(f.optGrosor(0).Value());

    EXPECT_EQ(InkRuns(Widget<qt::LineShapeWidget>(view, "Line1(0)")), 1);
    EXPECT_GT(InkRuns(Widget<qt::LineShapeWidget>(view, "Line1(1)")), 5);
    EXPECT_GT(InkRuns(Widget<qt::LineShapeWidget>(view, "Line1(2)")),
              InkRuns(Widget<qt::LineShapeWidget>(view, "Line1(1)")));

    // A double click on the dotted sample picks it and closes the window.
    auto* label = Widget<QLabel>(view, "LabTipoL(2)");
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::mouseDClick(label, Qt::LeftButton);
  });
  EXPECT_TRUE(f.Accepted());
  EXPECT_EQ(f.A_Tipolin(), 2);
}

TEST(QtTableEditors, LayerCellsEditWithListsAndCountsCannotBeEdited) {
  QtSession session;
  F_Capas f;
  int32_t n = 1, principal = 1;
  auto names = Array<std::string>::FromItems({"MURO"});
  auto states = Array<std::string>::FromItems({"Si"});
  auto colours = Array<int32_t>::FromItems({255});
  auto widths = Array<int32_t>::FromItems({3});
  auto types = Array<int32_t>::FromItems({1});
  auto counts = Array<int32_t>::FromItems({4});
  f.A_Editor_Capas2(n, names, states, colours, widths, types, principal, counts,
                    counts, counts, counts);
  RunModal(f, [&](FormView& view) {
    auto* table = Widget<QTableView>(view, "tblCapas");
    ASSERT_NE(table, nullptr);
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 4));
    QTest::keyClick(table, Qt::Key_F2);
    auto* list = table->viewport()->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 11);
    EXPECT_EQ(list->currentText(), QStringLiteral("3"));
    list->setCurrentIndex(6);
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.tblCapas.grid().Text(1, 4), "7");

    table->setCurrentIndex(table->model()->index(0, 6));
    QTest::keyClick(table, Qt::Key_F2);
    EXPECT_EQ(table->viewport()->findChild<QLineEdit*>(), nullptr);
    f.cmdAceptar.UserClick();
  });
  EXPECT_TRUE(f.Accepted());
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
