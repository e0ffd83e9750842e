#include <gtest/gtest.h>

#include <vector>

#include "frame/ui/form.h"
#include "point_tools/f_edit_punt.h"
#include "point_tools/survey.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using test_support::Survey;

struct Editor : c_EditorPun_Events {
  c_EditorPun editor;
  std::vector<int32_t> drawn;
  bool redibuja = false;
  Editor() { editor.SetEventSink(this); }
  void DibujaPunto(int32_t& punto) override { drawn.push_back(punto); }
  void Run(int32_t& punto, Survey& s) {
    editor.A_Editor_Punto(punto, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                          s.CapaPuntos, s.L, s.Capas, redibuja);
  }
};

TEST(PointEditor, OnlyThePointShownAtAcceptKeepsItsEdits) {
  testing::HeadlessSession session;
  Survey s(10);
  {
    Editor e;
    int32_t punto = 3;
    session.User()
        .Type("txtNom", "Perdido")  // lost: the point changes
        .HoldMouse("cmdAv(1)", 1)   // a short press: one point
        .Type("txtNom", "Cuatro")
        .Type("txtZ", "2.5")
        .Type("cmbCapa", "Dos")
        .Click("cmdAceptar");
    e.Run(punto, s);
    EXPECT_EQ(punto, 4);
    EXPECT_TRUE(e.redibuja);
    EXPECT_FALSE(e.editor.Abortar);
    EXPECT_EQ(e.drawn, (std::vector<int32_t>{4, 4}));  // shown, accepted
    EXPECT_EQ(s.Nombre(3), "P3");
    EXPECT_EQ(s.Nombre(4), "Cuatro");
    EXPECT_EQ(s.Z(4), 2.5);
    EXPECT_EQ(s.CapaPuntos(4), 2);
  }
  {
    // Accepting a layer-0 point without moving gives it layer 1.
    Editor e;
    int32_t punto = 6;
    session.User().Click("cmdAceptar");
    e.Run(punto, s);
    EXPECT_EQ(punto, 6);
    EXPECT_EQ(s.CapaPuntos(6), 1);
  }
  const Survey before = s;
  {
    Editor e;
    e.editor.Abortar = false;
    int32_t punto = 2;
    session.User().Type("txtNom", "X").Type("txtN", "5").PressEscape();
    e.Run(punto, s);
    EXPECT_EQ(punto, 2);
    EXPECT_FALSE(e.redibuja);
    EXPECT_TRUE(e.editor.Abortar);
    EXPECT_TRUE(s == before);
  }
}

TEST(PointEditor, ArrowsWrapAndAHeldArrowRepeats) {
  testing::HeadlessSession session;
  Survey s(10);
  Editor e;
  int32_t punto = 1;
  const int32_t pass = f_Edit_Punt::kRepeatPasses + 1;
  session.User()
      .HoldMouse("cmdAv(0)", 1)  // 1 -> 10
      .HoldMouse("cmdAv(1)", 1)  // 10 -> 1
      .HoldMouse("cmdAv(1)", 2 * pass + 1)
      .HoldMouse("cmdAv(0)", pass)
      .Click("cmdAceptar");
  e.Run(punto, s);
  EXPECT_EQ(e.drawn, (std::vector<int32_t>{10, 1, 2, 3, 4, 3, 3}));
  EXPECT_EQ(punto, 3);
}

TEST(PointEditor, SearchFindsWholeExactNames) {
  testing::HeadlessSession session;
  Survey s(12);
  s.Nombre(7) = "Pozo";
  s.Nombre(12) = "Pozo";
  s.Nombre(9) = "Pozo2";
  Editor e;
  int32_t punto = 1;
  struct Seen {
    int32_t shown;
    std::string says;
    std::vector<std::string> list;
  };
  std::vector<Seen> seen;
  auto look = [&](ui::Form& f) {
    auto& w = static_cast<f_Edit_Punt&>(f);
    seen.push_back({w.ShownPoint(), w.labExix.Caption(), w.cbxBucar.Items()});
  };
  session.User()
      .Click("cmdBusca")  // searches the shown name, P1
      .Do(look)
      .Type("txtBucaNom", "Pozo")
      .Do(look)
      .Choose("cbxBucar", "12")
      .Do(look)
      .Type("txtBucaNom", "pozo")
      .Do(look)
      .Type("txtBucaNom", "Poz")
      .Do(look)
      .Click("cmdCancelar");
  e.Run(punto, s);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].says, "No hay repetidos.");
  EXPECT_EQ(seen[1].shown, 7);
  EXPECT_EQ(seen[1].says, "Hay 2 repetidos.");
  EXPECT_EQ(seen[1].list, (std::vector<std::string>{"7", "12"}));
  EXPECT_EQ(seen[2].shown, 12);
  for (int k : {3, 4}) {
    EXPECT_EQ(seen[k].says, "El nombre no existe");
    EXPECT_EQ(seen[k].shown, 12);
    EXPECT_TRUE(seen[k].list.empty());
  }
  EXPECT_EQ(e.drawn, (std::vector<int32_t>{7, 12}));
}

TEST(PointEditor, AFailedLoadIsLoggedAndLeavesTheWindowDeaf) {
  testing::HeadlessSession session;
  Survey s(4);
  Editor e;
  int32_t punto = 9;
  session.User().Type("txtN", "2").Click("cmdAceptar");
  e.Run(punto, s);
  EXPECT_TRUE(e.drawn.empty());
  EXPECT_EQ(session.GetSetting("Errores", "1")
                .rfind("*# *Editor Punto A - Error nº 9:", 0),
            0u);
  // The accept fails at the same point before its event, and says so.
  EXPECT_EQ(session.GetSetting("Errores", "2")
                .rfind("*# *Aceptar Pun - Error nº 9:", 0),
            0u);
}

TEST(PointEditor, PlaceIsKeptUnderItsOwnKeys) {
  testing::HeadlessSession session;
  session.SaveSetting("Editor de puntos ", "Left", "1500");
  Survey s(2);
  Editor e;
  int32_t punto = 1;
  std::vector<int32_t> place;
  session.User()
      .Do([&](ui::Form& f) {
        place = {f.Left(), f.Top(), f.Height()};
        f.Move(900, 1200, f.Width(), f.Height());
      })
      .Click("cmdCancelar");
  e.Run(punto, s);
  // Top: a fifth of the 16200-twip screen.
  EXPECT_EQ(place, (std::vector<int32_t>{1500, 3240, 3900}));
  EXPECT_EQ(session.GetSetting("Editor de puntos ", "Left"), "900");
  EXPECT_EQ(session.GetSetting("Editor de puntos ", "Top"), "1200");
}

}  // namespace
}  // namespace qdr2_Gomiat
