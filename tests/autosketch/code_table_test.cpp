#include "autosketch/code_table.h"

#include <gtest/gtest.h>

#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

struct Row {
  const char* code;
  int32_t count;
  const char* type;
  const char* layer;
  int32_t colour;
  const char* line;
};

// The built-in table as the suite documents it.
const Row kDefaults[24] = {
    {"ARBOL", 1, "Puntual", "ARBOLES", 3, "0"},
    {"ARCEN", 2, "Lineal", "ARCEN", 7, "1"},
    {"AT", 2, "Lineal", "ALTO_TALUD", 4, "1"},
    {"BR*", 3, "Puntual", "BASES", 4, "0"},
    {"BT", 2, "Lineal", "BAJO_TALUD", 6, "1"},
    {"CAMINO", 2, "Lineal", "CAMINO", 7, "3"},
    {"CAS", 1, "Puntual", "LINEA_ELEC", 4, "0"},
    {"CP", 2, "Lineal", "CP", 5, "1"},
    {"CT", 2, "Lineal", "CT", 2, "1"},
    {"CUN", 2, "Lineal", "EJE_CUNETA", 4, "4"},
    {"EJE*", 3, "Lineal", "EJE", 1, "3"},
    {"ENCINA", 1, "Puntual", "ARBOLES", 3, "0"},
    {"EXP", 2, "Lineal", "EXP", 6, "1"},
    {"LBD", 2, "Lineal", "LBD", 4, "1"},
    {"LBI", 2, "Lineal", "LBI", 4, "1"},
    {"OF", 2, "Lineal", "OF", 1, "0"},
    {"OLIVO", 1, "Puntual", "ARBOLES", 3, "0"},
    {"P", 2, "Lineal", "P", 6, "0"},
    {"PT", 2, "Lineal", "PT", 2, "1"},
    {"PTF", 1, "Lineal", "PTF", 6, "0"},
    {"R", 1, "Puntual", "R", 0, "0"},
    {"Puntos", 2, "Puntual", "Puntos", 3, "0"},
    {"EJE", 2, "Lineal", "EJE", 1, "1"},
    {"VA", 2, "Lineal", "VA", 5, "1"},
};

TEST(CodeTable, DefaultsAreCutFromTheirColumns) {
  const CodeTable t = DefaultCodeTable();
  ASSERT_EQ(t.count, 24);
  EXPECT_EQ(t.codes.LBound(), 0);
  EXPECT_EQ(t.lines.UBound(), 24);
  for (int32_t k = 1; k <= 24; ++k) {
    const Row& r = kDefaults[k - 1];
    SCOPED_TRACE(r.code);
    EXPECT_EQ(t.codes(k), r.code);
    EXPECT_EQ(t.counts(k), r.count);
    EXPECT_EQ(t.types(k), r.type);
    EXPECT_EQ(t.layers(k), r.layer);
    EXPECT_EQ(t.colours(k), r.colour);
    EXPECT_EQ(t.lines(k), r.line);
  }
}

TEST(CodeTable, TextConversions) {
  testing::HeadlessSession session;
  EXPECT_EQ(Tipo_Union("L"), "Lineal");
  EXPECT_EQ(Tipo_Union("P"), "Puntual");
  EXPECT_EQ(Tipo_Union("p"), "Lineal");
  EXPECT_EQ(Tipo_Union(""), "Lineal");

  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Linea_Patron(std::to_string(k)), kLinePatterns[k]);
    EXPECT_EQ(Linea_Numero(kLinePatterns[k]), std::to_string(k));
  }
  EXPECT_EQ(Linea_Patron("5"), "_____________");
  EXPECT_EQ(Linea_Patron(" 1"), "_____________");
  EXPECT_EQ(Linea_Numero("__..__..__..__"), "4");
  EXPECT_EQ(Linea_Numero("3"), "3");
  EXPECT_EQ(Linea_Numero("7"), "7");
  EXPECT_EQ(Linea_Numero("2,5"), "2.5");  // never a comma into the file
  EXPECT_EQ(Linea_Numero("-2"), "0");
  EXPECT_EQ(Linea_Numero("raya"), "0");

  EXPECT_EQ(CodeTablePath(), session.ComponentFolder() + "/autocroquis.txt");
}

}  // namespace
}  // namespace qdr2_Gomiat
