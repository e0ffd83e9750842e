// Line type cells are marked for drawing as their line instead of their
// clipped pattern text, and choice lists show whole choices.
#include "platform/qt/grid_delegate.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <span>

#include "frame/line_types.h"
#include "platform/grid/grid_model.h"
#include "platform/qt/grid_table_model.h"
#include "qt/qt_session.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using qt::GridTableModel;

// A choice list from 0: no empty choice.
Array<std::string> List(std::span<const char* const> items) {
  Array<std::string> a(0, static_cast<int32_t>(items.size()) - 1);
  for (size_t i = 0; i < items.size(); ++i)
    a(static_cast<int32_t>(i)) = items[i];
  return a;
}

TEST(QtGridDelegate, LineTypeCellsAndChoiceLists) {
  QtSession session;
  GridModel grid;
  grid.SetCols(2);
  grid.DefineColumn(0, false, false, kGridChoice, 0, 1, 0, 10, "Linea");
  grid.DefineColumn(1, false, false, kGridChoice, 0, 1, 0, 10, "Tipo");
  grid.SetChoiceList(0, List(kLinePatterns));
  const char* const kinds[] = {kLinePatterns[0], "Lineal"};
  grid.SetChoiceList(1, List(kinds));
  grid.SetRows(3);
  grid.SetText(1, 0, kLinePatterns[3]);
  grid.SetText(2, 0, "Continua");
  grid.SetText(1, 1, kLinePatterns[0]);
  GridTableModel model(grid);
  // The model's text stays the pattern; only its drawing changes. A text
  // that is no line type, or a list not all of line types, is plain text.
  const auto pattern = [&](int row, int col) {
    return model.index(row, col).data(GridTableModel::kLinePatternRole);
  };
  EXPECT_EQ((QVariantList{pattern(0, 0), pattern(1, 0), pattern(0, 1)}),
            (QVariantList{3, {}, {}}));
  EXPECT_EQ(model.index(0, 0).data().toString(),
            QString::fromLatin1(kLinePatterns[3]));

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
            lines->fontMetrics().horizontalAdvance(kLinePatterns[3]));
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
