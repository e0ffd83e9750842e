// The DXF drawing: tables, entities and names as a CAD reader sees them.
#include "dxf_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dxf_names.h"

namespace gomiat {
namespace {

// Layers, colours, line types, points and polylines are read back by an
// outside reader in the program's end-to-end check (check_dxf.py); here,
// what that check cannot see.
TEST(DxfWriterTest, ASketchThatPointsOutsideItselfIsRefused) {
  Sketch s;
  s.layers = {{"0", 7, 0xFFFFFF, 0}};
  s.points = {{"1", 1, 2, 3, "", 0, {}}};
  s.polylines = {{0, {0, 1}}};
  std::ostringstream ignored;
  EXPECT_THROW(WriteDxf(s, ignored), std::out_of_range);
  s.polylines.clear();
  s.points[0].layer = 1;
  EXPECT_THROW(WriteDxf(s, ignored), std::out_of_range);
}

TEST(DxfWriterTest, LayerNamesAreMadeSafeAndKeptApart) {
  EXPECT_EQ(SafeLayerName("MURO <2m>"), "MURO__2m_");
  EXPECT_EQ(SafeLayerName("a/b\\c:d;e?f*g|h=i`j,k\"l"),
            "a_b_c_d_e_f_g_h_i_j_k_l");
  EXPECT_EQ(SafeLayerName(""), "_");
  EXPECT_EQ(SafeLayerName("\xC3\x81RBOLES"), "\xC3\x81RBOLES");  // kept
  EXPECT_EQ(SafeLayerName(std::string(300, 'A')).size(), 255u);

  const std::vector<SketchLayer> layers = {{"0", 7, 0, 0},
                                           {"A:B", 1, 0, 9},
                                           {"A;B", 2, 0, 1},
                                           {"arcen", 3, 0, 0},
                                           {"ARCEN", 4, 0, 0},
                                           {"A:B", 5, 0, 0},
                                           {"\xC3\xA1rbol", 6, 0, 0},
                                           {"\xC3\x81RBOL", 6, 0, 0},
                                           {"X", 0, 0, 0}};
  const DxfLayers d = ResolveDxfLayers(layers);
  ASSERT_EQ(d.of_layer.size(), layers.size());
  std::vector<std::string> names;
  for (size_t i = 0; i < layers.size(); ++i)
    names.push_back(d.table[d.of_layer[i]].name);
  EXPECT_EQ(names[1], "A_B");
  EXPECT_EQ(names[2], "A_B_2");
  EXPECT_EQ(names[3], "arcen");
  EXPECT_EQ(names[4], "ARCEN_2");           // DXF names ignore case
  EXPECT_EQ(d.of_layer[5], d.of_layer[1]);  // the very same name: one layer
  EXPECT_EQ(d.table[d.of_layer[5]].colour, 1);
  EXPECT_EQ(names[7], "\xC3\x81RBOL_2");
  EXPECT_EQ(d.table[d.of_layer[1]].line_type->name, std::string("CONTINUOUS"));
  EXPECT_EQ(d.table[d.of_layer[8]].colour, 7);  // off the palette
  EXPECT_EQ(d.table.size(), 8u);

  // Without a layer "0" the table still has one.
  const DxfLayers no_zero = ResolveDxfLayers({{"EJE", 1, 0, 0}});
  ASSERT_EQ(no_zero.table.size(), 2u);
  EXPECT_EQ(no_zero.table[1].name, "0");
}

TEST(DxfWriterTest, TextsAreWrittenInTheDrawingsCodePage) {
  EXPECT_EQ(DxfText("Cami\xC3\xB1o"), "Cami\xF1o");
  EXPECT_EQ(DxfText("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(DxfText("\xCE\xA9 1"), "\\U+03A9 1");       // Greek Omega
  EXPECT_EQ(DxfText("\xF0\x9F\x8C\xB3"), "\\U+1F333");  // a tree
  EXPECT_EQ(DxfText("a\tb"), "a b");
}

}  // namespace
}  // namespace gomiat
