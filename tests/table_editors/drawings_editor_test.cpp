#include <gtest/gtest.h>

#include <tuple>

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

  // The class entry or the window itself.
  template <class Editor>
  void Edit(Editor& d) {
    d.A_Dibujos(NoCap, Nombres, Carpeta, Ptos, Poli, Tri, Tex, Foto, Bloq);
  }
};

// The window itself, so that order cells can hold what a loaded file may
// leave in them.
TEST(DrawingsEditor, BlankRowsAreDroppedAndTheRestMoveUp) {
  testing::HeadlessSession session;
  Drawings d;
  f_Dibujos f;
  d.Edit(f);
  Grid& g = f.tblCapas.grid();
  EXPECT_EQ(g.Column(2).choices.size(), 5u);
  EXPECT_EQ(g.Column(2).choices[3], "Sección Tipo ");
  g.SetText(1, 1, "2.5");
  g.SetText(3, 1, "3.5 bis");
  session.User().EditCell("tblCapas", 2, 3, "   ").Click("cmdAceptar");
  f.ShowModal();
  ASSERT_TRUE(f.Accepted());
  f.A_Actualiza(d.NoCap, d.Bloq, d.Nombres, d.Carpeta);
  EXPECT_EQ(d.NoCap, 2);
  // Element 3 stays, empty; texts keep their blanks.
  EXPECT_EQ(d.Nombres, StrArray::FromItems({" Eje 1 ", "Planta", ""}));
  EXPECT_EQ(d.Carpeta, StrArray::FromItems({"Planta", "Sección Tipo ", ""}));
  EXPECT_EQ(d.Bloq, LngArray::FromItems({2, 4, 0}));

  // A blank kind drops the row too; an order that is no number reads 0.
  g.SetText(1, 2, "");
  g.SetText(3, 1, "x7");
  f.A_Actualiza(d.NoCap, d.Bloq, d.Nombres, d.Carpeta);
  EXPECT_EQ(std::tuple(d.NoCap, d.Nombres(1), d.Bloq(1)),
            std::tuple(1, "Planta", 0));
  EXPECT_EQ(d.Ptos, Drawings().Ptos);  // counts never rewritten
}

TEST(DrawingsEditor, EmptyListTheListCancelledAndFailures) {
  testing::HeadlessSession session;
  c_dibujos editor;
  Drawings none;
  none.NoCap = 0;
  session.User()
      .Look([](auto& v) { EXPECT_EQ(v.Rows("tblCapas"), 1); })
      .Click("cmdAceptar");
  none.Edit(editor);
  EXPECT_EQ(std::tuple(none.NoCap, none.Nombres.UBound(), none.Bloq.UBound(),
                       editor.A_vale),
            std::tuple(0, 0, 0, true));

  // The list with its counts and hidden buttons; cancelled.
  c_dibujos other;
  Drawings d;
  session.User()
      .Look([](const testing::WindowView& v) {
        ASSERT_EQ(v.Rows("tblCapas"), 4);
        EXPECT_EQ(v.Cell("tblCapas", 2, 1), "2");
        EXPECT_EQ(v.Cell("tblCapas", 2, 2), " Longitudinal");
        EXPECT_EQ(v.Cell("tblCapas", 1, 4), "10");
        EXPECT_EQ(v.Cell("tblCapas", 2, 4), "");  // 0 and below: empty
        EXPECT_EQ(v.Cell("tblCapas", 3, 4), "");
        EXPECT_EQ(v.Cell("tblCapas", 3, 7), "7");  // triangles last
        EXPECT_EQ(v.Cell("tblCapas", 1, 6), "1");  // texts before them
        EXPECT_FALSE(v.Visible("cmdCrear"));
        EXPECT_FALSE(v.Visible("cmEelimina"));
      })
      .EditCell("tblCapas", 1, 3, "X")
      .PressEscape();
  d.Edit(other);
  EXPECT_TRUE(d == Drawings());
  EXPECT_FALSE(other.A_vale);

  // More drawings than the host's arrays hold: reported, nothing shown.
  Drawings bad;
  bad.NoCap = 4;
  const Drawings before = bad;
  bad.Edit(other);
  EXPECT_TRUE(bad == before);
  EXPECT_EQ(session.ShownWindows(),
            std::vector<std::string>(2, "Editor de dibujos:"));
  EXPECT_TRUE(session.GetSetting("Errores", "1")
                  .starts_with("*# *Editor Dibujos 1 - Error nº 9:"));
}

}  // namespace
}  // namespace qdr2_Gomiat
