// Grid cells edited by the scripted user go through the grid's own rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/environment.h"
#include "frame/ui/controls.h"
#include "frame/ui/form.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

class GridDialog : public ui::Form {
 public:
  GridDialog()
      : ui::Form("frmTabla"),
        tblDatos(Add<ui::GridControl>("tblDatos",
                                      Environment::Current().NewGrid())) {
    Grid& g = tblDatos.grid();
    g.SetCols(4);
    g.SetRows(3);
    g.DefineColumn(0, false, true, kGridText, 0, 0, 0, 4, "Nº");
    g.DefineColumn(1, false, false, kGridText, 0, 0, 0, 12, "Nombre");
    g.DefineColumn(2, false, false, kGridChoice, 0, 0, 0, 4, "Activa");
    g.DefineColumn(3, false, false, kGridColour, 0, 0, 0, 6, "Color");
    Array<std::string> choices(0, 1);
    choices(0) = "Si";
    choices(1) = "No";
    g.SetChoiceList(2, choices);
    for (int32_t r = 1; r <= 2; ++r) {
      g.SetText(r, 0, r);
      g.SetText(r, 2, "Si");
    }
  }
  ui::GridControl& tblDatos;
};

TEST(ScriptedUser, EditsGridCellsAsTheGridAllows) {
  testing::HeadlessSession s;
  GridDialog d;
  s.User()
      .EditCell("tblDatos", 1, 1, "Pepe")
      .EditCell("tblDatos", 1, 0, "9")      // read-only column
      .EditCell("tblDatos", 2, 2, "Quizá")  // not in the list
      .EditCell("tblDatos", 2, 2, "No")
      .SetCellColour("tblDatos", 1, 3, 255)
      .SetCellColour("tblDatos", 2, 1, 255)  // not a colour column
      .EditCell("tblDatos", 0, 1, "Cabecera")
      .EditCell("tblDatos", 3, 1, "Fuera")
      .EditCell("tblNoHay", 1, 1, "x");
  d.ShowModal();
  const Grid& g = d.tblDatos.grid();
  EXPECT_EQ(g.Text(1, 1), "Pepe");
  EXPECT_EQ(g.Text(1, 0), "1");
  EXPECT_EQ(g.Text(2, 2), "No");
  EXPECT_EQ(g.Colour(1, 3), 255);
  EXPECT_EQ(g.Text(0, 1), "Nombre");

  ASSERT_EQ(s.RefusedEdits().size(), 3u);
  EXPECT_NE(s.RefusedEdits()[0].find("(1, 0)"), std::string::npos);
  EXPECT_NE(s.RefusedEdits()[1].find("Quizá"), std::string::npos);
  EXPECT_NE(s.RefusedEdits()[2].find("SetCellColour"), std::string::npos);
  // Cells a user cannot reach are mistakes of the script.
  ASSERT_EQ(s.ScriptErrors().size(), 3u);
  EXPECT_NE(s.ScriptErrors()[0].find("Cabecera"), std::string::npos);
  EXPECT_NE(s.ScriptErrors()[1].find("Fuera"), std::string::npos);
  EXPECT_NE(s.ScriptErrors()[2].find("tblNoHay"), std::string::npos);
}

}  // namespace
}  // namespace qdr2_Gomiat
