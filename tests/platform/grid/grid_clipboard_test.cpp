#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "frame/environment.h"
#include "grid_test_support.h"
#include "platform/grid/tab_block.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(TabBlock, ReadsWhatSpreadsheetsPutOnTheClipboardAndWhatItWrites) {
  EXPECT_EQ(ReadTabBlock(""), Rows{});
  EXPECT_EQ(ReadTabBlock("\r\n"), (Rows{{""}}));
  EXPECT_EQ(ReadTabBlock("a\tb\r\nc\t\n\td"),
            (Rows{{"a", "b"}, {"c", ""}, {"", "d"}}));
  // Quotes: a cell holding tabs, line ends or quotes; a stray quote is text.
  EXPECT_EQ(ReadTabBlock("\"x\ty\r\nz\"\t\"say \"\"hi\"\"\"\n\"open\tq\"r\n"),
            (Rows{{"x\ty\r\nz", "say \"hi\""}, {"\"open", "q\"r"}}));
  EXPECT_EQ(ReadTabBlock("a\rb"), (Rows{{"a\rb"}}));  // a lone CR is text

  std::string out;
  const std::vector<std::string> cells = {"plain", "\"q", "t\tab", "l\nf", ""};
  for (const auto& c : cells) {
    AppendTabCell(out, c);
    out += '\t';
  }
  out.back() = '\n';
  EXPECT_EQ(ReadTabBlock(out), Rows{cells});
}

TEST(GridClipboard, CopiesABlockAndPastesItThroughTheUserRulesWithOneMessage) {
  testing::HeadlessSession session;
  auto made = Environment::Current().NewGrid();
  Grid& g = *made;
  grid_test::DefineCodeColumns(g);  // 1 and 2 read-only, 3 choices, 5 colour
  g.SetRows(3);
  g.SetText(1, 1, "CASA");
  g.SetText(1, 4, "Capa\t1");
  g.SetText(2, 3, "Puntual");
  // Corners in any order; a cell holding a tab is quoted.
  EXPECT_EQ(g.CopyCells(2, 4, 1, 3), "\t\"Capa\t1\"\r\nPuntual\t\r\n");

  // Columns 3 to 5 from row 1; row 3 does not exist.
  const GridPasteResult r =
      g.UserPaste(1, 3, "Lineal\tMURO\trojo\nCurva\tCAPA\t\nPuntual\n");
  // Refused: two colours typed, a text off the list, row 3.
  EXPECT_EQ(std::tuple(r.pasted, r.refused, r.rows_added), std::tuple(3, 4, 0));
  EXPECT_EQ(std::tuple(g.Text(1, 3), g.Text(2, 3), g.Text(2, 4)),
            std::tuple("Lineal", "Puntual", "CAPA"));
  ASSERT_EQ(session.Messages().size(), 1u);
  EXPECT_EQ(session.Messages()[0].flags, 48);
  EXPECT_NE(session.Messages()[0].prompt.find("4 de 7"), std::string::npos);
  EXPECT_NE(session.Messages()[0].prompt.find("fila 1, columna 6"),
            std::string::npos);

  // Where the window lets the user add rows, the block adds them; read-only
  // columns still refuse.
  g.SetBoolOption(true);
  const GridPasteResult more = g.UserPaste(2, 0, "1,5 m\tNUEVO\n7\n");
  EXPECT_EQ(std::tuple(more.rows_added, g.Rows(), g.Text(2, 0), g.Text(3, 0),
                       g.Text(2, 1)),
            std::tuple(1, 4, "1,5 m", "7", ""));
  EXPECT_EQ(session.Messages().size(), 2u);
  // Nothing refused: no message.
  g.UserPaste(1, 4, "A\r\nB\r\n");
  EXPECT_EQ(g.Text(2, 4), "B");
  EXPECT_EQ(session.Messages().size(), 2u);
}

}  // namespace
}  // namespace qdr2_Gomiat
