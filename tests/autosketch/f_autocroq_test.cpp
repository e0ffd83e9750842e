#include "autosketch/f_autocroq.h"

#include <gtest/gtest.h>

#include <vector>

#include "autosketch/code_table_file.h"
#include "frame/atomic_file.h"
#include "frame/environment.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using StrA = Array<std::string>;
using LngA = Array<int32_t>;
using test_support::PaletteValue;

struct Rows {
  bool accepted = false;
  int32_t n = 0;
  StrA codes, counts, types, layers, lines;
  LngA colours;
  void ReadFrom(f_Autocroq& f) {
    f.A_Autocro(accepted, n, codes, counts, types, layers, colours, lines);
  }
};

// The window filled with `codes`, found on `counts` points.
void Show(f_Autocroq& f, const std::vector<std::string>& codes,
          const std::vector<int32_t>& counts) {
  auto code_array = StrA::FromItems(codes);
  auto count_array = LngA::FromItems(counts);
  f.a_MuestraCodigos1(code_array, count_array);
}

TEST(f_Autocroq, FillShowsTheTableMeaningOfEachCode) {
  testing::HeadlessSession session;
  f_Autocroq f;
  Show(f, {"ARBOL", "CT", "NUEVO", "R", "SOLO"}, {4, 1, 3, 2, 1});
  Grid& g = f.tblAutocro.grid();
  ASSERT_EQ(g.Rows(), 6);
  // The code and its count are read-only; the rest the user may change.
  EXPECT_FALSE(g.UserEdit(1, 2, "9"));
  EXPECT_TRUE(g.UserEdit(1, 4, "ARBOLES"));
  const char* expected[5][4] = {{"ARBOL", "4", "Puntual", "ARBOLES"},
                                {"CT", "1", "Puntual", "CT"},
                                {"NUEVO", "3", "Lineal", "NUEVO"},
                                {"R", "2", "Puntual", "R"},
                                {"SOLO", "1", "Puntual", "SOLO"}};
  for (int32_t i = 1; i <= 5; ++i)
    for (int16_t c = 1; c <= 4; ++c)
      EXPECT_EQ(g.Text(i, c), expected[i - 1][c - 1]) << i << "," << c;
  EXPECT_EQ(g.Colour(1, 5), PaletteValue(3));
  EXPECT_EQ(g.Text(2, 6), "__ __ __ __ __");
  EXPECT_EQ(g.Colour(3, 5), PaletteValue(7));  // new code: number 7
  EXPECT_EQ(g.Text(3, 6), "_____________");
  EXPECT_EQ(g.Colour(4, 5), PaletteValue(7));  // R has colour 0 in the table
  EXPECT_EQ(f.Table().colours(21), 7);

  // Counts shorter than the codes: the rows fill as far as they can.
  f_Autocroq partial;
  Show(partial, {"CT", "ZZ"}, {5});
  EXPECT_EQ(partial.tblAutocro.grid().Text(2, 1), "ZZ");
  EXPECT_EQ(partial.tblAutocro.grid().Text(2, 4), "ZZ");

  // A table that fails to load is noted in the log, not shown, and the fill
  // goes on with what was read. (A save that leaves codes out is
  // c_autocroquis_test.cpp's.)
  WriteFileAtomically(CodeTablePath(),
                      "CT,,Lineal,CT, 2,1\r\nBT,,Lineal,BT, rojo,1\r\n");
  f_Autocroq after_failure;
  Show(after_failure, {"CT"}, {3});
  EXPECT_EQ(after_failure.Table().count, 2);
  EXPECT_EQ(after_failure.tblAutocro.grid().Text(1, 4), "CT");
  EXPECT_EQ(session.GetSetting("Errores", "1"),
            "*# *BaseDatos - Error nº 13:No coinciden los tipos");
  EXPECT_TRUE(session.Messages().empty());
}

// What the save writes is code_table_file_test.cpp's and
// c_autocroquis_test.cpp's.
TEST(f_Autocroq, AcceptedEditsComeBackCancelledNone) {
  testing::HeadlessSession session;
  f_Autocroq f;
  Show(f, {"CT", "NUEVO"}, {5, 2});
  session
      .User()
      // The code column is read-only and colours are picked: two refused,
      // told once.
      .Paste("tblAutocro", 1, 3, "Lineal\tCTX\nPuntual\tNUEVO\trojo\n")
      .Paste("tblAutocro", 1, 1, "OTRO")
      .EditCell("tblAutocro", 1, 6, "__..__..__..__")
      .SetCellColour("tblAutocro", 2, 5, 0)  // black: palette number 0
      .Click("cmdAceptar");
  f.ShowModal();
  EXPECT_EQ(session.RefusedEdits().size(), 2u);

  Rows r;
  r.n = 2;
  r.ReadFrom(f);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(r.codes, StrA::FromItems({"CT", "NUEVO"}));
  EXPECT_EQ(r.counts, StrA::FromItems({"", ""}));
  EXPECT_EQ(r.types, StrA::FromItems({"Lineal", "Puntual"}));
  EXPECT_EQ(r.layers, StrA::FromItems({"CTX", "NUEVO"}));
  EXPECT_EQ(r.colours, LngA::FromItems({2, 7}));
  EXPECT_EQ(r.lines, StrA::FromItems({"__..__..__..__", "_____________"}));

  // Cancelled, the arrays are left alone.
  for (int way = 0; way < 2; ++way) {
    f_Autocroq f;
    Show(f, {"CT"}, {3});
    if (way == 0)
      session.User()
          .Click("cmdAyuda")
          .EditCell("tblAutocro", 1, 4, "X")
          .PressEscape();
    else
      session.User().CloseBox();
    f.ShowModal();
    Rows r;
    r.n = 1;
    r.codes = StrA::FromItems({"keep"});
    r.ReadFrom(f);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.codes, StrA::FromItems({"keep"}));
    EXPECT_FALSE(r.types.IsAllocated());
    EXPECT_EQ(f.IsLoaded(), way == 0);  // the close box unloads
  }
  // After the two refused pastes' messages, the help, its lines ended as the
  // message box needs them.
  ASSERT_EQ(session.Messages().size(), 3u);
  EXPECT_EQ(session.Messages()[2].title, "Auyuda del Autocroquis:");
  EXPECT_NE(session.Messages()[2].prompt.find("<CT I>\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qdr2_Gomiat
