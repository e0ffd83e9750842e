// How grid cells are drawn: line type cells as a line in their dash style
// instead of their clipped pattern text, colour swatches with a border that
// shows against white, and choice lists wide enough for whole choices.
#include "platform/qt/grid_delegate.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <set>
#include <vector>

#include "platform/grid/grid_model.h"
#include "platform/qt/grid_table_model.h"
#include "platform/qt/line_sample.h"
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

// Column 0 line types, column 1 joining types, column 2 colours; rows 1 to
// 5 hold the five patterns, row 6 a text that is none of them.
void MakeGrid(GridModel& grid) {
  grid.SetCols(3);
  grid.DefineColumn(0, false, false, kGridChoice, 0, 1, 0, 10, "Linea");
  grid.DefineColumn(1, false, false, kGridChoice, 0, 1, 0, 10, "Tipo");
  grid.DefineColumn(2, false, false, kGridColour, 0, 1, 0, 10, "Color");
  grid.SetChoiceList(0, List({kPatterns[0], kPatterns[1], kPatterns[2],
                              kPatterns[3], kPatterns[4]}));
  grid.SetChoiceList(1, List({"Lineal", "Puntual"}));
  grid.SetRows(7);
  for (int32_t r = 1; r <= 5; ++r) grid.SetText(r, 0, kPatterns[r - 1]);
  grid.SetText(6, 0, "Continua");
  grid.SetText(1, 1, "Lineal");
  grid.SetColour(1, 2, 0xFFFFFF);
}

// The cell drawn alone on the view's paper, at `ratio` device pixels per
// logical pixel.
QImage PaintCell(const QModelIndex& index, QSize size, qreal ratio,
                 bool selected = false) {
  QStyleOptionViewItem option;
  option.rect = QRect(QPoint(0, 0), size);
  option.state = QStyle::State_Enabled | QStyle::State_Active;
  if (selected) option.state |= QStyle::State_Selected;
  option.palette = QApplication::palette();
  option.font = QApplication::font();
  option.fontMetrics = QFontMetrics(option.font);
  QImage image(size * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(option.palette.color(QPalette::Base));
  QPainter painter(&image);
  qt::GridDelegate delegate;
  delegate.paint(&painter, option, index);
  return image;
}

bool Dark(QRgb pixel) { return qGray(pixel) < 160; }

// Lengths of the runs of dark pixels along the image's darkest row, and
// the rows that hold any dark pixel.
struct Ink {
  std::vector<int> runs;
  std::set<int> rows;
};

Ink InkOf(const QImage& image) {
  Ink ink;
  int best_row = -1, best = 0;
  for (int y = 0; y < image.height(); ++y) {
    int dark = 0;
    for (int x = 0; x < image.width(); ++x) dark += Dark(image.pixel(x, y));
    if (dark > 0) ink.rows.insert(y);
    if (dark > best) best = dark, best_row = y;
  }
  if (best_row < 0) return ink;
  int run = 0;
  for (int x = 0; x <= image.width(); ++x) {
    if (x < image.width() && Dark(image.pixel(x, best_row))) {
      ++run;
    } else if (run > 0) {
      ink.runs.push_back(run);
      run = 0;
    }
  }
  return ink;
}

TEST(QtGridDelegate, LineTypeCellsShowTheirLineInsteadOfClippedText) {
  QtSession session;
  GridModel grid;
  MakeGrid(grid);
  GridTableModel model(grid);

  for (int p = 0; p < 5; ++p) {
    const QModelIndex cell = model.index(p, 0);
    EXPECT_EQ(cell.data(GridTableModel::kLinePatternRole), QVariant(p));
    // The model's text stays the pattern; only its drawing changes.
    EXPECT_EQ(cell.data().toString(), QString::fromLatin1(kPatterns[p]));
  }
  EXPECT_FALSE(
      model.index(5, 0).data(GridTableModel::kLinePatternRole).isValid());
  EXPECT_FALSE(
      model.index(0, 1).data(GridTableModel::kLinePatternRole).isValid());
  // A list that is not all line types is an ordinary choice column.
  grid.SetChoiceList(1, List({kPatterns[0], "Lineal"}));
  grid.SetText(2, 1, kPatterns[0]);
  model.Refresh();
  EXPECT_FALSE(
      model.index(1, 1).data(GridTableModel::kLinePatternRole).isValid());

  for (const qreal ratio : {1.0, 1.5}) {
    SCOPED_TRACE(ratio);
    // A column of ten characters, narrower than the longer patterns.
    const QSize size(
        QFontMetrics(QApplication::font()).averageCharWidth() * 10 + 8,
        QFontMetrics(QApplication::font()).height() + 6);
    std::vector<std::vector<int>> runs;
    for (int p = 0; p < 5; ++p) {
      SCOPED_TRACE(kPatterns[p]);
      const Ink ink = InkOf(PaintCell(model.index(p, 0), size, ratio));
      // One line a few pixels thick: no glyphs of the text.
      ASSERT_FALSE(ink.rows.empty());
      EXPECT_LE(*ink.rows.rbegin() - *ink.rows.begin(), 4 * ratio);
      runs.push_back(ink.runs);
    }
    const int width = static_cast<int>(size.width() * ratio);
    ASSERT_EQ(runs[0].size(), 1u);  // continuous, across most of the cell
    EXPECT_GT(runs[0][0], width * 3 / 4);
    for (int p = 1; p < 5; ++p) EXPECT_GE(runs[p].size(), 3u) << kPatterns[p];
    // Dots are the shortest marks and the most of them.
    EXPECT_EQ(*std::max_element(runs[2].begin(), runs[2].end()),
              *std::min_element(runs[2].begin(), runs[2].end()));
    for (int p : {1, 3, 4}) {
      EXPECT_GT(runs[2].size(), runs[p].size());
      EXPECT_GT(*std::max_element(runs[p].begin(), runs[p].end()),
                2 * runs[2][0]);
    }
  }

  // A text that is no line type is drawn as text; a selected line is drawn
  // in the selection's text colour.
  const QSize size(120, 24);
  EXPECT_GT(InkOf(PaintCell(model.index(5, 0), size, 1.0)).rows.size(), 5u);
  const QImage selected = PaintCell(model.index(0, 0), size, 1.0, true);
  const QColor ink = QApplication::palette().color(QPalette::HighlightedText);
  int inked = 0;
  for (int x = 10; x < 110; ++x)
    for (int y = 0; y < 24; ++y) inked += QColor(selected.pixel(x, y)) == ink;
  EXPECT_GE(inked, 100);
}

TEST(QtGridDelegate, WhiteColourSwatchesShowTheirBorder) {
  QtSession session;
  GridModel grid;
  MakeGrid(grid);
  GridTableModel model(grid);
  ASSERT_EQ(QApplication::palette().color(QPalette::Base), QColor(Qt::white));
  const QImage image = PaintCell(model.index(0, 2), QSize(80, 22), 1.5);
  const int w = image.width(), h = image.height();
  // Across the middle and down it: white, border, white inside, border.
  const auto marks = [&](bool across) {
    std::vector<int> found;
    for (int i = 0; i < (across ? w : h); ++i)
      if (qGray(across ? image.pixel(i, h / 2) : image.pixel(w / 2, i)) < 235)
        found.push_back(i);
    return found;
  };
  const std::vector<int> row = marks(true), col = marks(false);
  ASSERT_FALSE(row.empty() || col.empty());
  EXPECT_LT(row.front(), w / 4);
  EXPECT_GT(row.back(), w * 3 / 4);
  EXPECT_LT(col.front(), h / 3);
  EXPECT_GT(col.back(), h * 2 / 3);
  EXPECT_EQ(qGray(image.pixel(w / 2, h / 2)), 255);  // the white itself
}

TEST(QtGridDelegate, ChoiceListsShowWholeChoicesWithLineSamples) {
  QtSession session;
  GridModel grid;
  MakeGrid(grid);
  GridTableModel model(grid);
  QWidget parent;
  qt::GridDelegate delegate;
  QStyleOptionViewItem option;
  std::unique_ptr<QWidget> editor(
      delegate.createEditor(&parent, option, model.index(0, 0)));
  auto* lines = qobject_cast<QComboBox*>(editor.get());
  ASSERT_NE(lines, nullptr);
  ASSERT_EQ(lines->count(), 5);
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(lines->itemText(p), QString::fromLatin1(kPatterns[p]));
    EXPECT_FALSE(lines->itemIcon(p).isNull());
  }
  // However narrow the cell, the list shows the longest choice whole.
  lines->resize(40, lines->height());
  EXPECT_GE(lines->view()->minimumWidth(),
            lines->fontMetrics().horizontalAdvance(kPatterns[3]));

  std::unique_ptr<QWidget> other(
      delegate.createEditor(&parent, option, model.index(0, 1)));
  auto* kinds = qobject_cast<QComboBox*>(other.get());
  ASSERT_NE(kinds, nullptr);
  EXPECT_TRUE(kinds->itemIcon(0).isNull());
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
