#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "point_tools/f_edit_punt.h"
#include "point_tools/survey.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using test_support::Survey;
using Points = std::vector<int32_t>;

struct Editor : c_EditorPun_Events {
  c_EditorPun editor;
  Points drawn;
  bool redibuja = false;
  Editor() { editor.SetEventSink(this); }
  void DibujaPunto(int32_t& punto) override { drawn.push_back(punto); }
  void Run(int32_t& punto, Survey& s) {
    editor.A_Editor_Punto(punto, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                          s.CapaPuntos, s.L, s.Capas, redibuja);
  }
};

TEST(PointEditor, OnlyThePointShownAtAcceptKeepsItsEditsArrowsWrapAndRepeat) {
  testing::HeadlessSession session;
  session.SaveSetting("Editor de puntos ", "Left", "1500");
  Survey s(10);
  Editor moved;
  int32_t punto = 3;
  testing::Bounds place;
  session.User()
      .Look([&](const testing::WindowView& v) { place = v.Place(); })
      .Type("txtNom", "Perdido")  // lost: the point changes
      .HoldMouse("cmdAv(1)", 1)   // a short press: one point
      .Type("txtNom", "Cuatro")
      .Type("txtZ", "2.5")
      .Type("cmbCapa", "Dos")
      .Click("cmdAceptar");
  moved.Run(punto, s);
  EXPECT_EQ(std::tuple(punto, moved.redibuja, moved.editor.Abortar),
            std::tuple(4, true, false));
  EXPECT_EQ(moved.drawn, (Points{4, 4}));  // shown, then accepted
  EXPECT_EQ(std::tuple(s.Nombre(3), s.Nombre(4), s.Z(4), s.CapaPuntos(4)),
            std::tuple("P3", "Cuatro", 2.5, 2));
  // Placed from its own keys, the top a fifth of the 16200-twip screen.
  EXPECT_EQ(place, (testing::Bounds{1500, 3240, place.width, 3900}));
  EXPECT_EQ(session.GetSetting("Editor de puntos ", "Top"), "3240");

  // Accepting a layer-0 point as it is gives it layer 1.
  Editor still;
  punto = 6;
  session.User().Click("cmdAceptar");
  still.Run(punto, s);
  EXPECT_EQ(std::tuple(punto, s.CapaPuntos(6)), std::tuple(6, 1));

  const Survey before = s;
  Editor cancelled;
  punto = 2;
  session.User().Type("txtNom", "X").Type("txtN", "5").PressEscape();
  cancelled.Run(punto, s);
  EXPECT_EQ(std::tuple(punto, cancelled.redibuja, cancelled.editor.Abortar),
            std::tuple(2, false, true));
  EXPECT_TRUE(s == before);

  // The arrows wrap, and a held arrow repeats.
  Editor e;
  punto = 1;
  const int32_t pass = f_Edit_Punt::kRepeatPasses;
  session.User()
      .HoldMouse("cmdAv(0)", 1)  // 1 -> 10
      .HoldMouse("cmdAv(1)", 1)  // 10 -> 1
      .HoldMouse("cmdAv(1)", 2 * pass + 1)
      .HoldMouse("cmdAv(0)", pass)
      .Click("cmdAceptar");
  e.Run(punto, s);
  EXPECT_EQ(e.drawn, (Points{10, 1, 2, 3, 4, 3, 3}));
  EXPECT_EQ(punto, 3);
}

TEST(PointEditor, SearchFindsWholeExactNames) {
  testing::HeadlessSession session;
  Survey s(12);
  s.Nombre(7) = s.Nombre(12) = "Pozo";
  s.Nombre(9) = "Pozo2";
  Editor e;
  int32_t punto = 1;
  // The point shown, what the label says and the list of matches.
  using Seen = std::tuple<std::string, std::string, std::vector<std::string>>;
  std::vector<Seen> seen;
  auto look = [&](const testing::WindowView& v) {
    seen.emplace_back(v.Text("txtN"), v.Text("labExix"), v.Items("cbxBucar"));
  };
  session.User()
      .Click("cmdBusca")  // searches the shown name, P1
      .Look(look)
      .Type("txtBucaNom", "Pozo")
      .Look(look)
      .Choose("cbxBucar", "12")
      .Type("txtBucaNom", "pozo")
      .Look(look)
      .Type("txtBucaNom", "Poz")
      .Look(look)
      .Click("cmdCancelar");
  e.Run(punto, s);
  const Seen none{"12", "El nombre no existe", {}};
  EXPECT_EQ(seen, (std::vector<Seen>{{"1", "No hay repetidos.", {"1"}},
                                     {"7", "Hay 2 repetidos.", {"7", "12"}},
                                     none,
                                     none}));
  EXPECT_EQ(e.drawn, (Points{7, 12}));
}

TEST(PointEditor, AFailedLoadIsLoggedAndLeavesTheWindowDeaf) {
  testing::HeadlessSession session;
  Survey s(4);
  Editor e;
  int32_t punto = 9;
  session.User().Type("txtN", "2").Click("cmdAceptar");
  e.Run(punto, s);
  EXPECT_TRUE(e.drawn.empty());
  EXPECT_TRUE(session.GetSetting("Errores", "1")
                  .starts_with("*# *Editor Punto A - Error nº 9:"));
  // The accept fails at the same point, before its event.
  EXPECT_TRUE(session.GetSetting("Errores", "2")
                  .starts_with("*# *Aceptar Pun - Error nº 9:"));
}

}  // namespace
}  // namespace qdr2_Gomiat
