#include "autosketch/code_table.h"

#include <gtest/gtest.h>

#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

// The defaults are checked byte for byte through the file they make
// (code_table_file_test.cpp).
TEST(CodeTable, TextConversions) {
  testing::HeadlessSession session;
  EXPECT_EQ(Tipo_Union("P"), "Puntual");
  EXPECT_EQ(Tipo_Union("p"), "Lineal");

  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Linea_Patron(std::to_string(k)), kLinePatterns[k]);
    EXPECT_EQ(Linea_Numero(kLinePatterns[k]), std::to_string(k));
  }
  EXPECT_EQ(Linea_Patron("5"), "_____________");
  EXPECT_EQ(Linea_Patron(" 1"), "_____________");
  EXPECT_EQ(Linea_Numero("7"), "7");
  EXPECT_EQ(Linea_Numero("2,5"), "2.5");  // never a comma into the file
  EXPECT_EQ(Linea_Numero("-2"), "0");
  EXPECT_EQ(Linea_Numero("raya"), "0");

  EXPECT_EQ(CodeTablePath(), session.ComponentFolder() + "/autocroquis.txt");
}

}  // namespace
}  // namespace qdr2_Gomiat
