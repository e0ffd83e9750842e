#include <gtest/gtest.h>

#include "frame/ui/form.h"
#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

std::vector<std::vector<std::string>> Cells(ui::Form& f) {
  auto& g = static_cast<ui::FlexGrid&>(*f.FindByFullName("msf_MaxMin"));
  std::vector<std::vector<std::string>> rows;
  for (int32_t r = 0; r < g.Rows(); ++r) {
    rows.emplace_back();
    for (int32_t c = 0; c < g.Cols(); ++c)
      rows.back().push_back(g.TextMatrix(r, c));
  }
  return rows;
}

TEST(EntityCounts, DashForNoneAndThreeVerticesPerTriangle) {
  testing::HeadlessSession session;
  c_NuEntidades counts;
  udt_Entidades e{.Ptos = 120,
                  .Poli = 0,
                  .PoliVx = 7,
                  .Curv = -2,
                  .CurvVx = 5,
                  .Tria = 4,
                  .Rotu = 1};
  const udt_Entidades before = e;
  std::vector<std::vector<std::string>> shown;
  session.User()
      .Do([&](ui::Form& f) { shown = Cells(f); })
      .Do([](ui::Form& f) { f.Move(300, 400, f.Width(), f.Height()); })
      .Click("bt_salir");
  counts.A_Show_Entidades(e);
  EXPECT_EQ(shown, (std::vector<std::vector<std::string>>{
                       {"Entidades  ", " Cantidad ", " Vértices "},
                       {"Puntos", "120", "-"},
                       {"Polilíneas", "-", "7"},
                       {"Triángulos", "4", "12"},
                       {"Curvas", "-", "5"},
                       {"Texto", "1", ""}}));
  EXPECT_TRUE(e == before);
  EXPECT_EQ(session.ShownWindows(), std::vector<std::string>{"Entidades:"});

  // All zero; the window comes back where it was left.
  udt_Entidades zero;
  int32_t left = 0;
  session.User()
      .Do([&](ui::Form& f) {
        shown = Cells(f);
        left = f.Left();
      })
      .Click("cmdDatosaceptar");
  counts.A_Show_Entidades(zero);
  EXPECT_EQ(left, 300);
  for (int32_t r = 1; r <= 5; ++r) {
    EXPECT_EQ(shown[r][1], "-");
    EXPECT_EQ(shown[r][2], r == 5 ? "" : "-");
  }
}

TEST(EntityCounts, FailuresReachTheHost) {
  testing::HeadlessSession session;
  c_NuEntidades counts;
  udt_Entidades e;
  e.Tria = 1000000000;  // three times that does not fit a Long
  EXPECT_EQ(test_support::FailureOf([&] { counts.A_Show_Entidades(e); }), 6);
  EXPECT_TRUE(session.ShownWindows().empty());
  EXPECT_TRUE(session.Messages().empty());
}

}  // namespace
}  // namespace qdr2_Gomiat
