// The DXF drawing: tables, entities and names as a CAD reader sees them.
#include "dxf_writer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "dxf_names.h"
#include "number_format.h"

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
  s.points.assign(40000, s.points[0]);
  for (size_t i = 0; i < s.points.size(); ++i) {
    s.points[i].name = std::to_string(i);
    s.points[i].layer = 0;
  }
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

// The quick path for numbers with few decimals writes what the standard
// library's shortest form writes.
TEST(DxfWriterTest, NumbersAreTheStandardShortestText) {
  std::mt19937_64 rng(11);
  for (int i = 0; i < 200000; ++i) {
    const int decimals = static_cast<int>(rng() % 8);
    double v = static_cast<double>(static_cast<int64_t>(rng() % 20000000000) -
                                   1000000000) /
               std::pow(10.0, decimals);
    if (i % 7 == 0) v = std::ldexp(static_cast<double>(rng() % 1000000), -20);
    char buf[400];
    auto r = std::to_chars(buf, buf + 400, v == 0 ? 0.0 : v,
                           std::chars_format::fixed);
    ASSERT_EQ(FixedShortest(v), std::string(buf, r.ptr)) << v;
    r = std::to_chars(buf, buf + 400, v == 0 ? 0.0 : v);
    ASSERT_EQ(Shortest(v), std::string(buf, r.ptr)) << v;
  }
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
