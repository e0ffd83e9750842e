#include "platform/grid/grid_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "grid_test_support.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using grid_test::DefineCodeColumns;
using grid_test::Snapshot;
using test_support::FailureOf;
using test_support::PaletteValue;

TEST(GridModel, EveryIndexOutsideTheGridIsASubscriptFailure) {
  testing::HeadlessSession session;
  GridModel g;
  DefineCodeColumns(g);
  g.SetRows(4);
  const auto before = Snapshot(g);
  for (auto [r, c] : std::vector<std::pair<int32_t, int16_t>>{
           {-1, 0}, {4, 0}, {0, -1}, {0, 7}, {INT32_MIN, INT16_MIN}}) {
    const std::vector<std::function<void()>> calls = {
        [&] { g.SetText(r, c, "x"); },    [&] { g.SetText(r, c, 5); },
        [&] { (void)g.TextView(r, c); },  [&] { g.SetColour(r, c, 1); },
        [&] { (void)g.Colour(r, c); },    [&] { g.SetColourNumber(r, c, 1); },
        [&] { g.UserEdit(r, c, "x"); },   [&] { g.UserSetColour(r, c, 1); },
        [&] { g.CopyCells(r, c, 1, 1); }, [&] { g.UserPaste(r, c, "x"); },
    };
    for (const auto& call : calls)
      EXPECT_EQ(FailureOf(call), err::kSubscript) << r << "," << c;
  }
  EXPECT_EQ(FailureOf([&] { g.UserSetColumnWidth(7, 3); }), err::kSubscript);
  EXPECT_EQ(FailureOf([&] { g.SetCurrentRow(4); }), err::kSubscript);
  EXPECT_EQ(FailureOf([&] { g.SetRows(0); }), err::kInvalidProperty);
  EXPECT_EQ(FailureOf([&] { g.SetCols(-1); }), err::kInvalidProperty);
  EXPECT_EQ(FailureOf([&] {
              g.DefineColumn(1, false, false, kGridText, 0, 0, 0, -1, "x");
            }),
            err::kInvalidProperty);
  // A million million rows is refused up front, not half made.
  EXPECT_EQ(FailureOf([&] { g.SetRows(INT32_MAX); }), err::kOutOfMemory);
  EXPECT_EQ(Snapshot(g), before);
}

TEST(GridModel, ChangingTheCountsKeepsWhatStillFits) {
  testing::HeadlessSession session;
  GridModel g;
  g.SetCols(3);
  g.SetRows(5);
  g.DefineColumn(2, false, false, kGridColour, 0, 0, 0, 10, "Color");
  for (int32_t r = 1; r < 5; ++r) g.SetText(r, 1, std::to_string(r));
  g.SetColour(3, 2, 0x123456);
  g.SetCurrentRow(4);
  g.SetRows(9);
  g.SetCols(5);
  EXPECT_EQ(
      std::tuple(g.Text(4, 1), g.Colour(3, 2), g.Text(8, 4), g.CurrentRow()),
      std::tuple("4", 0x123456, "", 4));
  // Cut, then grow again: what was cut does not come back.
  g.SetRows(3);
  g.SetCols(2);
  EXPECT_EQ(g.CurrentRow(), 2);
  g.SetRows(5);
  g.SetCols(3);
  EXPECT_EQ(
      std::tuple(g.Text(2, 1), g.Text(3, 1), g.Colour(3, 2), g.Column(2).kind),
      std::tuple("2", "", 0, kGridText));  // column 2 is a new one
}

TEST(GridModel, CellsFromTheWindowAndEditsFromTheUser) {
  testing::HeadlessSession session;
  GridModel g;
  DefineCodeColumns(g);
  g.DefineColumn(0, false, false, kGridNumber3, 0, 0, 0, 5, "N");
  g.SetRows(3);
  g.SetText(0, 4, "Capa nueva");  // row 0: the caption
  g.SetText(1, 2, -17);
  g.SetColourNumber(1, 5, 7);
  g.SetColourNumber2(2, 5, 3);
  EXPECT_EQ(std::tuple(g.Column(4).caption, g.Text(1, 2), g.Colour(1, 5),
                       g.Colour(2, 5)),
            std::tuple("Capa nueva", "-17", PaletteValue(7), PaletteValue(3)));
  g.SetText(1, 3, "Lineal");
  const auto before = Snapshot(g);

  EXPECT_FALSE(g.UserEdit(1, 1, "MURO"));    // read-only column
  EXPECT_FALSE(g.UserEdit(1, 3, "lineal"));  // choices compare exactly
  EXPECT_FALSE(g.UserEdit(2, 3, ""));        // nor is nothing a choice
  EXPECT_FALSE(g.UserEdit(0, 4, "Header"));  // the header row
  EXPECT_FALSE(g.UserEdit(1, 5, "rojo"));    // colours are picked
  for (const char* bad : {"abc", "1.2.3", ",", "1,000.5", "1e", "0x10", "nan"})
    EXPECT_FALSE(g.UserEdit(1, 0, bad)) << bad;
  EXPECT_FALSE(g.UserSetColour(1, 4, 255));  // not a colour column
  EXPECT_FALSE(g.UserSetColour(1, 5, -1));   // not an RGB value
  EXPECT_EQ(Snapshot(g), before);

  EXPECT_TRUE(g.UserEdit(1, 4, "Capa\tcon tab"));
  for (const char* good : {"-3,5", " 7.25 ", ".5", "2,5E-2", ""})
    EXPECT_TRUE(g.UserEdit(2, 0, good)) << good;
  EXPECT_TRUE(g.UserSetColour(2, 5, 0xFFFFFF));
  EXPECT_EQ(g.Text(1, 4), "Capa\tcon tab");
  EXPECT_EQ(g.Colour(2, 5), 0xFFFFFF);
  // Kind 2 takes what the user types; the window reads it as a number.
  g.DefineColumn(4, false, false, kGridNumberText, 3, 2, 0, 10, "X");
  EXPECT_TRUE(g.UserEdit(1, 4, "12,5 m"));
  g.DefineColumn(5, false, true, kGridColour, 0, 1, 0, 10, "Color");
  EXPECT_FALSE(g.UserSetColour(2, 5, 0));
}

struct Recorder final : GridObserver {
  std::vector<std::string> heard;
  void GridRowsChanged(int32_t o, int32_t n) override {
    heard.push_back("rows " + std::to_string(o) + ">" + std::to_string(n));
  }
  void GridColumnsChanged() override { heard.push_back("columns"); }
  void GridCellChanged(int32_t r, int16_t c) override {
    heard.push_back("cell " + std::to_string(r) + "," + std::to_string(c));
  }
  void GridContentsReset() override { heard.push_back("reset"); }
  void GridCurrentRowChanged(int32_t r) override {
    heard.push_back("current " + std::to_string(r));
  }
};

TEST(GridModel, ViewsHearEachChangeThroughTheContract) {
  testing::HeadlessSession session;
  GridModel model;
  Grid& g = model;  // views know the contract only
  g.SetCols(2);
  g.SetRows(3);
  g.DefineColumn(1, false, false, kGridColour, 0, 0, 0, 5, "C");
  Recorder r;
  g.AddObserver(&r);
  g.SetRows(4);
  g.SetText(3, 0, "x");
  EXPECT_FALSE(g.UserEdit(3, 1, "x"));  // refused: nothing to hear
  EXPECT_TRUE(g.UserSetColour(2, 1, 9));
  g.SetCurrentRow(3);
  g.SetRows(4);  // no change
  g.FinishAfterFill();
  g.FinishC();
  g.SetRows(2);  // cuts the current row
  EXPECT_EQ(r.heard, (std::vector<std::string>{"rows 3>4", "cell 3,0",
                                               "cell 2,1", "current 3", "reset",
                                               "columns", "rows 4>2"}));
  EXPECT_EQ(g.CurrentRow(), 1);
  g.RemoveObserver(&r);
  g.SetText(1, 0, "y");
  EXPECT_EQ(r.heard.size(), 7u);
}

// The bulk calls of the large tables: the same cells as one call per cell,
// only data rows, and numbers that read back as the same Double.
TEST(GridModel, BulkCallsSetAndReadWholeBlocksOfRows) {
  GridModel g;
  g.SetCols(2);
  g.SetRows(5);
  const std::vector<std::string_view> texts = {"a", "", "ccc"};
  g.SetColumnTexts(0, 2, texts);
  const std::vector<double> numbers = {0.1 + 0.2, -431247.982, 1e-300};
  g.SetColumnNumbers(1, 1, numbers);
  std::vector<std::string_view> out;
  g.ColumnTexts(0, 1, 4, out);
  EXPECT_EQ(out, (std::vector<std::string_view>{"", "a", "", "ccc"}));
  for (int32_t r = 1; r <= 3; ++r)
    EXPECT_EQ(std::stod(g.Text(r, 1)), numbers[static_cast<size_t>(r - 1)]);
  g.SetNumber(4, 1, 2.5);
  EXPECT_EQ(g.Text(4, 1), "2.5");
  EXPECT_EQ(FailureOf([&] { g.SetColumnTexts(0, 3, texts); }), 9);
  EXPECT_EQ(FailureOf([&] { g.SetColumnNumbers(1, 0, numbers); }), 9);
  EXPECT_EQ(FailureOf([&] { g.ColumnTexts(2, 1, 1, out); }), 9);
  EXPECT_EQ(FailureOf([&] { g.ColumnTexts(0, 2, 4, out); }), 9);
  EXPECT_EQ(g.Text(4, 0), "ccc");  // a refused block changes nothing
}

}  // namespace
}  // namespace qdr2_Gomiat
