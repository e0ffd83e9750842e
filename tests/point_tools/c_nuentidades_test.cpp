#include <gtest/gtest.h>

#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using Table = std::vector<std::vector<std::string>>;

Table Cells(const testing::WindowView& v) {
  Table rows(static_cast<size_t>(v.Rows("msf_MaxMin")));
  for (int32_t r = 0; r < v.Rows("msf_MaxMin"); ++r)
    for (int32_t c = 0; c < v.Cols("msf_MaxMin"); ++c)
      rows[static_cast<size_t>(r)].push_back(v.Cell("msf_MaxMin", r, c));
  return rows;
}

TEST(EntityCounts, DashForNoneThreeVerticesPerTriangleAndFailures) {
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
  Table shown;
  session.User()
      .Look([&](const testing::WindowView& v) { shown = Cells(v); })
      .Click("bt_salir");
  counts.A_Show_Entidades(e);
  EXPECT_EQ(shown, (Table{{"Entidades  ", " Cantidad ", " Vértices "},
                          {"Puntos", "120", "-"},
                          {"Polilíneas", "-", "7"},
                          {"Triángulos", "4", "12"},
                          {"Curvas", "-", "5"},
                          {"Texto", "1", ""}}));
  EXPECT_TRUE(e == before);

  // Failures reach the host, before any window.
  e.Tria = 1000000000;  // three times that does not fit a Long
  EXPECT_EQ(test_support::FailureOf([&] { counts.A_Show_Entidades(e); }), 6);
  EXPECT_EQ(session.ShownWindows(), std::vector<std::string>{"Entidades:"});
}

}  // namespace
}  // namespace qdr2_Gomiat
