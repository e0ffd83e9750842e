#include "points_editor/f_puntos.h"

#include <gtest/gtest.h>

#include "points_editor/points_test_support.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using points_test::Points;
using points_test::RecordingProgressBar;

std::vector<std::string> Row(const Grid& g, int32_t r) {
  std::vector<std::string> cells;
  for (int16_t c = 0; c < g.Cols(); ++c) cells.push_back(g.Text(r, c));
  return cells;
}

// The window in the Excel layout, filled from `p`, after "Crear Punto".
Grid& ExcelWithNewPoint(f_Puntos& f, Points& p, RecordingProgressBar& bar) {
  f.excel_mode = true;
  f.A_Editor_Puntos_Exel(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                         p.CapaPuntos, p.noCapas, p.Capas, &bar);
  f.cmdCrear.UserClick();
  return f.tblAutocro.grid();
}

TEST(f_Puntos, BothLayoutsFillCrearPuntoNamesAndLayerNamesAreCleaned) {
  testing::HeadlessSession session;
  Points p;
  RecordingProgressBar bar;
  f_Puntos standard;
  points_test::Edit(standard, p, bar, true);  // ValorO
  Grid& g = standard.tblAutocro.grid();
  ASSERT_EQ(g.Rows(), 4);
  EXPECT_EQ(Row(g, 1), (std::vector<std::string>{"", "70", "7", "10.5", "1",
                                                 "100.125", "CT", "TERRENO"}));
  EXPECT_EQ(Row(g, 3)[7], "sin capa");  // layer index 0 shows element 0
  // "orden" is read-only; rows come only from "Crear Punto", not a paste.
  EXPECT_FALSE(g.UserEdit(1, 0, "5"));
  EXPECT_EQ(g.UserPaste(3, 1, "9\n8\n").rows_added, 0);

  f_Puntos excel;
  const Grid& e = ExcelWithNewPoint(excel, p, bar);
  EXPECT_EQ(Row(e, 2), (std::vector<std::string>{"", "pozo", "20.25", "2",
                                                 "0.1", "BT I", "BORDE"}));

  // "Crear Punto" names the next number ("7", "pozo", "12" are there) and
  // takes the layer above.
  ASSERT_EQ(e.Rows(), 5);
  EXPECT_EQ(Row(e, 4),
            (std::vector<std::string>{"", "13", "", "", "", "", "sin capa"}));
  EXPECT_EQ(e.CurrentRow(), 4);

  f_Puntos none, empty;
  p.Nombre = StrArray::FromItems({"-4", "-2", "-7"});  // none above 0
  EXPECT_EQ(ExcelWithNewPoint(none, p, bar).Text(4, 1), "1");
  p.Nopun = 0;  // the layer above is the header's text
  EXPECT_EQ(ExcelWithNewPoint(empty, p, bar).Text(1, 6), "Capa");

  // Layer names are cleaned on the code page.
  f_Puntos f;
  EXPECT_EQ(f.CleanLayerName("Capa_1¤¥"), "Capa_1¤¥");  // with 164 and 165
  EXPECT_FALSE(f.NamesChanged());
  EXPECT_EQ(f.CleanLayerName(""), "Puntos_");
  EXPECT_EQ(f.CleanLayerName("año Ñu-x.y é€字\xff"), "a_o__u_x_y_____");
  EXPECT_TRUE(f.NamesChanged());
}

}  // namespace
}  // namespace qdr2_Gomiat
