#include <gtest/gtest.h>

#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"
#include "table_editors/f_capas.h"

namespace qdr2_Gomiat {
namespace {

constexpr int32_t kWhite = 16777215;
const char* const kSolid = "_____________";

// The layer table as a host hands it over.
struct Layers {
  int32_t NoCap = 3, Principal = 2;
  StrArray Nombres = StrArray::FromItems({"Puntos", "Muros", "Ejes"});
  StrArray Estado = StrArray::FromItems({"Si", "No", "Si"});
  LngArray colorr = LngArray::FromItems({255, 0, 65280});
  LngArray grosor = LngArray::FromItems({2, 0, 11});
  LngArray Tipolin = LngArray::FromItems({3, 7, -1});
  LngArray PunCp = LngArray::FromItems({12, 0, 3});
  LngArray PolCp = LngArray::FromItems({0, 4, 1});
  LngArray PlVCp = LngArray::FromItems({0, 40, 2});
  LngArray texCp = LngArray::FromItems({1, 0, 0});
  bool operator==(const Layers&) const = default;

  void Edit(c_Capas& capas) {
    capas.A_Editor_Capas3(NoCap, Nombres, Estado, colorr, grosor, Tipolin,
                          Principal, PunCp, PolCp, PlVCp, texCp);
  }
};

TEST(LayerEditor, ShowsTheTableNormalisedWritesItBackOnAcceptOrFails) {
  testing::HeadlessSession session;
  Layers l;
  const Layers before = l;
  session.User()
      .Look([](const testing::WindowView& v) {
        ASSERT_EQ(v.Rows("tblCapas"), 4);
        EXPECT_EQ(v.Cell("tblCapas", 1, 5), "_._._._._._._._._.");
        EXPECT_EQ(v.CellColour("tblCapas", 2, 3), kWhite);  // colour 0
        EXPECT_EQ(v.Cell("tblCapas", 2, 4), "1");           // thickness 0
        EXPECT_EQ(v.Cell("tblCapas", 2, 5), kSolid);        // type 7
        EXPECT_EQ(v.Cell("tblCapas", 3, 5), kSolid);        // type -1
        EXPECT_EQ(v.Cell("tblCapas", 1, 6), "12");
        EXPECT_EQ(v.Cell("tblCapas", 1, 7), "-");  // counts of 0
        EXPECT_EQ(v.Cell("tblCapas", 2, 8), "40");
        EXPECT_EQ(v.MousePointer(), testing::Pointer::Default);
      })
      // Names come back exactly as typed; the counts cannot be edited.
      .EditCell("tblCapas", 1, 1, "  Puntos nuevos ")
      .EditCell("tblCapas", 3, 6, "99")
      .EditCell("tblCapas", 3, 4, "12")  // not in the list
      .EditCell("tblCapas", 3, 4, "5")
      .SetCellColour("tblCapas", 3, 3, 128)
      .EditCell("tblCapas", 2, 2, "Quizas")      // shown: Si or No
      .Paste("tblCapas", 3, 1, "Ejes\nNueva\n")  // makes no row 4
      .Click("cmdAceptar");
  c_Capas capas;
  l.Edit(capas);
  EXPECT_EQ(session.RefusedEdits().size(), 4u);
  EXPECT_EQ(session.ShownWindows(),
            std::vector<std::string>{"Editor de capas:"});
  Layers want = before;
  want.Nombres = StrArray::FromItems({"  Puntos nuevos ", "Muros", "Ejes"});
  want.colorr = LngArray::FromItems({255, kWhite, 128});
  want.grosor = LngArray::FromItems({2, 1, 5});
  want.Tipolin = LngArray::FromItems({3, 0, 0});
  EXPECT_TRUE(l == want);

  // Cancel leaves the table, and the flag (set by the accept) is never set
  // back to False.
  session.User()
      .Click("cmdCrear")
      .EditCell("tblCapas", 1, 1, "X")
      .PressEscape();
  l.Edit(capas);
  EXPECT_TRUE(l == want);
  EXPECT_TRUE(capas.A_vale);
  EXPECT_TRUE(session.ScriptErrors().empty());

  // The window itself: a thickness cell that is no number, as a loaded file
  // may leave it, fails the write-back (the entry reports it); a new layer's
  // row is the one selected.
  l = before;
  F_Capas f;
  f.A_Editor_Capas2(l.NoCap, l.Nombres, l.Estado, l.colorr, l.grosor, l.Tipolin,
                    l.Principal, l.PunCp, l.PolCp, l.PlVCp, l.texCp);
  f.cmdCrear.UserClick();
  EXPECT_EQ(f.tblCapas.grid().CurrentRow(), 4);
  f.tblCapas.grid().SetText(2, 4, "dos");
  EXPECT_EQ(test_support::FailureOf([&] {
              f.A_Actualiza_Valores1(l.NoCap, l.Nombres, l.Estado, l.colorr,
                                     l.grosor, l.Tipolin, l.Principal);
            }),
            13);
}

}  // namespace
}  // namespace qdr2_Gomiat
