#include <gtest/gtest.h>

#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"
#include "table_editors/f_dibujos.h"

namespace qdr2_Gomiat {
namespace {

// The drawing list as a host hands it over.
struct Drawings {
  int32_t NoCap = 3;
  StrArray Nombres = StrArray::FromItems({" Eje 1 ", "Perfil 2", "Planta"});
  StrArray Carpeta =
      StrArray::FromItems({"Planta", " Longitudinal", "Sección Tipo "});
  LngArray Ptos = LngArray::FromItems({10, 0, -1});
  LngArray Poli = LngArray::FromItems({2, 3, 0});
  LngArray Tri = LngArray::FromItems({0, 0, 7});
  LngArray Tex = LngArray::FromItems({1, 0, 0});
  LngArray Foto = LngArray::FromItems({0, 0, 0});
  LngArray Bloq = LngArray::FromItems({1, 2, 3});
  bool operator==(const Drawings&) const = default;

  void Edit(c_dibujos& d) {
    d.A_Dibujos(NoCap, Nombres, Carpeta, Ptos, Poli, Tri, Tex, Foto, Bloq);
  }
};

Grid& GridOf(ui::Form& f) { return static_cast<f_Dibujos&>(f).tblCapas.grid(); }

TEST(DrawingsEditor, ShowsTheListWithItsCountsAndHiddenButtons) {
  testing::HeadlessSession session;
  Drawings d;
  session.User()
      .Do([](ui::Form& f) {
        const Grid& g = GridOf(f);
        ASSERT_EQ(g.Rows(), 4);
        EXPECT_EQ(g.Text(2, 1), "2");
        EXPECT_EQ(g.Text(2, 2), " Longitudinal");
        EXPECT_EQ(g.Text(1, 4), "10");
        EXPECT_EQ(g.Text(2, 4), "");  // 0 and below: empty
        EXPECT_EQ(g.Text(3, 4), "");
        EXPECT_EQ(g.Text(3, 7), "7");  // triangles in the last column
        EXPECT_EQ(g.Text(1, 6), "1");  // texts before them
        EXPECT_EQ(g.Column(2).choices.size(), 5u);
        EXPECT_EQ(g.Column(2).choices[3], "Sección Tipo ");
        // The button frame sits bottom right, the grid above it.
        auto& w = static_cast<f_Dibujos&>(f);
        EXPECT_EQ(w.Frame1.Top(), w.ScaleHeight() - 666);
        EXPECT_EQ(w.tblCapas.Left() + w.tblCapas.Width(), w.ScaleWidth());
      })
      .Click("cmdCrear")  // hidden: the user cannot reach it
      .Click("cmEelimina")
      .PressEscape();
  c_dibujos editor;
  d.Edit(editor);
  EXPECT_EQ(session.ScriptErrors().size(), 2u);
  EXPECT_EQ(session.ShownWindows(),
            std::vector<std::string>{"Editor de dibujos:"});
  EXPECT_EQ(session.GetSetting("Editor de Dibujos", "Width"), "5700");
}

TEST(DrawingsEditor, BlankRowsAreDroppedAndTheRestMoveUp) {
  testing::HeadlessSession session;
  Drawings d;
  const Drawings before = d;
  session.User()
      .EditCell("tblCapas", 2, 3, "   ")
      .Do([](ui::Form& f) {
        // Order values as a loaded file may leave them.
        GridOf(f).SetText(1, 1, "2.5");
        GridOf(f).SetText(3, 1, "3.5 bis");
      })
      .Click("cmdAceptar");
  c_dibujos editor;
  d.Edit(editor);
  EXPECT_TRUE(editor.A_vale);
  EXPECT_EQ(d.NoCap, 2);
  // Element 3 stays, empty; texts keep their blanks.
  EXPECT_EQ(d.Nombres, StrArray::FromItems({" Eje 1 ", "Planta", ""}));
  EXPECT_EQ(d.Carpeta, StrArray::FromItems({"Planta", "Sección Tipo ", ""}));
  EXPECT_EQ(d.Bloq, LngArray::FromItems({2, 4, 0}));
  EXPECT_EQ(d.Ptos, before.Ptos);  // counts never rewritten
  EXPECT_EQ(d.Tri, before.Tri);

  // A blank kind drops the row too; an order that is no number reads 0.
  Drawings e;
  session.User()
      .EditCell("tblCapas", 1, 2, "")
      .Do([](ui::Form& f) { GridOf(f).SetText(2, 1, "x7"); })
      .Click("cmdAceptar");
  e.Edit(editor);
  EXPECT_EQ(e.NoCap, 2);
  EXPECT_EQ(e.Nombres(1), "Perfil 2");
  EXPECT_EQ(e.Bloq(1), 0);
}

TEST(DrawingsEditor, EmptyListCancelAndFailures) {
  testing::HeadlessSession session;
  c_dibujos editor;
  Drawings none;
  none.NoCap = 0;
  session.User()
      .Do([](ui::Form& f) { EXPECT_EQ(GridOf(f).Rows(), 1); })
      .Click("cmdAceptar");
  none.Edit(editor);
  EXPECT_EQ(none.NoCap, 0);
  EXPECT_EQ(none.Nombres.UBound(), 0);
  EXPECT_EQ(none.Bloq.UBound(), 0);
  EXPECT_TRUE(editor.A_vale);

  c_dibujos other;
  for (int way = 0; way < 2; ++way) {
    Drawings d;
    const Drawings before = d;
    if (way == 0) session.User().EditCell("tblCapas", 1, 3, "X").PressEscape();
    if (way == 1) session.User().CloseBox();
    d.Edit(other);
    EXPECT_TRUE(d == before);
    EXPECT_FALSE(other.A_vale);
  }

  // More drawings than the host's arrays hold: reported, nothing shown.
  Drawings bad;
  bad.NoCap = 4;
  const Drawings before = bad;
  bad.Edit(other);
  EXPECT_TRUE(bad == before);
  EXPECT_EQ(session.ShownWindows().size(), 3u);
  const std::string head = "*# *Editor Dibujos 1 - Error nº 9:";
  EXPECT_EQ(session.GetSetting("Errores", "1").substr(0, head.size()), head);
}

}  // namespace
}  // namespace qdr2_Gomiat
