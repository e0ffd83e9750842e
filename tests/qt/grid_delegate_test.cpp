// Line type cells are marked for drawing as their line instead of their
// clipped pattern text, and choice lists show whole choices.
#include "platform/qt/grid_delegate.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>

#include "platform/grid/grid_model.h"
#include "platform/qt/grid_table_model.h"
#include "qt/qt_session.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using qt::GridTableModel;

const char* const kPatterns[] = {"_____________", "__ __ __ __ __",
                                 "..................", "_._._._._._._._._.",
                                 "__..__..__..__"};

Array<std::string> List(std::initializer_list<const char*> items) {
  Array<std::string> a(0, static_cast<int32_t>(items.size()) - 1);
  int32_t i = 0;
  for (const char* s : items) a(i++) = s;
  return a;
}

TEST(QtGridDelegate, LineTypeCellsAndChoiceLists) {
  QtSession session;
  GridModel grid;
  grid.SetCols(2);
  grid.DefineColumn(0, false, false, kGridChoice, 0, 1, 0, 10, "Linea");
  grid.DefineColumn(1, false, false, kGridChoice, 0, 1, 0, 10, "Tipo");
  grid.SetChoiceList(0, List({kPatterns[0], kPatterns[1], kPatterns[2],
                              kPatterns[3], kPatterns[4]}));
  grid.SetChoiceList(1, List({kPatterns[0], "Lineal"}));
  grid.SetRows(3);
  grid.SetText(1, 0, kPatterns[3]);
  grid.SetText(2, 0, "Continua");
  grid.SetText(1, 1, kPatterns[0]);
  GridTableModel model(grid);
  // The model's text stays the pattern; only its drawing changes. A text
  // that is no line type, or a list not all of line types, is plain text.
  EXPECT_EQ(model.index(0, 0).data(GridTableModel::kLinePatternRole),
            QVariant(3));
  EXPECT_EQ(model.index(0, 0).data().toString(),
            QString::fromLatin1(kPatterns[3]));
  EXPECT_FALSE(
      model.index(1, 0).data(GridTableModel::kLinePatternRole).isValid());
  EXPECT_FALSE(
      model.index(0, 1).data(GridTableModel::kLinePatternRole).isValid());

  QWidget parent;
  qt::GridDelegate delegate;
  std::unique_ptr<QWidget> editor(
      delegate.createEditor(&parent, {}, model.index(0, 0)));
  auto* lines = qobject_cast<QComboBox*>(editor.get());
  ASSERT_NE(lines, nullptr);
  ASSERT_EQ(lines->count(), 5);
  EXPECT_FALSE(lines->itemIcon(2).isNull());
  // However narrow the cell, the list shows the longest choice whole.
  lines->resize(40, lines->height());
  EXPECT_GE(lines->view()->minimumWidth(),
            lines->fontMetrics().horizontalAdvance(kPatterns[3]));
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
