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
  s.points = {{"1", 1, 2, 3, "", 0, {}, 1}};
  s.polylines = {{0, {0, 1}}};
  std::ostringstream ignored;
  EXPECT_THROW(WriteDxf(s, ignored), std::out_of_range);
  s.polylines.clear();
  s.points[0].layer = 1;
  EXPECT_THROW(WriteDxf(s, ignored), std::out_of_range);

  // A large sketch is made in blocks on two threads: still in order.
  s.points[0].layer = 0;
  s.points.assign(40000, s.points[0]);
  for (size_t i = 0; i < s.points.size(); ++i)
    s.points[i].name = std::to_string(i);
  s.polylines = {{0, {0, 39999}}};
  std::ostringstream out;
  WriteDxf(s, out);
  size_t next = 0;
  const std::string dxf = out.str();
  size_t at = dxf.find("ENTITIES");
  while ((at = dxf.find("\n  1\n", at)) != std::string::npos) {
    at += 5;
    EXPECT_EQ(dxf.substr(at, dxf.find('\n', at) - at), std::to_string(next++));
  }
  EXPECT_EQ(next, 40000u);
  EXPECT_EQ(dxf.substr(dxf.size() - 4), "EOF\n");
}

TEST(DxfWriterTest, LayerNamesAreMadeSafeAndKeptApart) {
  EXPECT_EQ(SafeLayerName("MURO <2m>"), "MURO__2m_");
  EXPECT_EQ(SafeLayerName("a/b\\c:d;e?f*g|h=i`j,k\"l"),
            "a_b_c_d_e_f_g_h_i_j_k_l");
  EXPECT_EQ(SafeLayerName(""), "_");
  EXPECT_EQ(SafeLayerName("\xC3\x81RBOLES"), "\xC3\x81RBOLES");  // kept
  EXPECT_EQ(SafeLayerName(std::string(300, 'A')).size(), 255u);

  // Names that come out equal get a number; the very same name is one
  // layer (the first keeps its style); DXF names ignore case.
  std::vector<SketchLayer> layers;
  for (const char* name : {"0", "A:B", "A;B", "arcen", "ARCEN", "A:B",
                           "\xC3\xA1rbol", "\xC3\x81RBOL"})
    layers.push_back({name, static_cast<int16_t>(layers.size()), 0, 9});
  const DxfLayers d = ResolveDxfLayers(layers);
  std::vector<std::string> names;
  for (size_t i = 0; i < layers.size(); ++i)
    names.push_back(d.table[d.of_layer[i]].name);
  EXPECT_EQ(names, (std::vector<std::string>{"0", "A_B", "A_B_2", "arcen",
                                             "ARCEN_2", "A_B", "\xC3\xA1rbol",
                                             "\xC3\x81RBOL_2"}));
  EXPECT_EQ(d.table.size(), 7u);
  EXPECT_EQ(d.table[d.of_layer[5]].colour, 1);
  EXPECT_EQ(d.table[0].colour, 7);  // colour 0 is off the palette
  EXPECT_EQ(d.table[1].line_type->name, std::string("CONTINUOUS"));
  // Without a layer "0" the table still has one.
  const DxfLayers no_zero = ResolveDxfLayers({{"EJE", 1, 0, 0}});
  EXPECT_EQ(no_zero.table.back().name, "0");
}

TEST(DxfWriterTest, TextsAreWrittenInTheDrawingsCodePage) {
  EXPECT_EQ(DxfText("Cami\xC3\xB1o"), "Cami\xF1o");
  EXPECT_EQ(DxfText("\xCE\xA9 1"), "\\U+03A9 1");       // Greek Omega
  EXPECT_EQ(DxfText("\xF0\x9F\x8C\xB3"), "\\U+1F333");  // a tree
  EXPECT_EQ(DxfText("a\tb"), "a b");
}

}  // namespace
}  // namespace gomiat
