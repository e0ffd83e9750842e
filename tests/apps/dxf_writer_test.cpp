// The DXF drawing: tables, entities and names as a CAD reader sees them.
#include "dxf_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dxf_names.h"

namespace gomiat {
namespace {

// One entity or table entry: its type and its group values in order.
struct Record {
  std::string type;
  std::vector<std::pair<int, std::string>> groups;
  std::string Get(int code, size_t nth = 0) const {
    for (const auto& [c, v] : groups)
      if (c == code && nth-- == 0) return v;
    return "<none>";
  }
};

// Splits a DXF text into records (every group 0 starts one) and checks
// that codes and values alternate line by line.
std::vector<Record> ReadRecords(const std::string& dxf) {
  std::istringstream in(dxf);
  std::vector<Record> out;
  std::string code, value;
  while (std::getline(in, code) && std::getline(in, value)) {
    const int c = std::stoi(code);
    if (c == 0) {
      out.push_back({value, {}});
    } else {
      EXPECT_FALSE(out.empty());
      if (!out.empty()) out.back().groups.emplace_back(c, value);
    }
  }
  return out;
}

std::vector<Record> OfType(const std::vector<Record>& all,
                           const std::string& t) {
  std::vector<Record> out;
  for (const Record& r : all)
    if (r.type == t) out.push_back(r);
  return out;
}

Sketch RoadSketch() {
  Sketch s;
  s.layers = {{"0", 7, 0xFFFFFF, 0},
              {"LBD", 4, 0xFFFF00, 1},
              {"EJE", 1, 0x0000FF, 3},
              {"Puntos", 3, 0x00FF00, 0}};
  s.points = {{"1", 431200.125, 4412100.5, 600.25, "LBD", 1},
              {"2", 431210.0, 4412105.0, 600.5, "LBD", 1},
              {"3", 431220.0, 4412110.0, 600.75, "EJE", 2},
              {"", 431230.0, 4412115.0, 601.0, "", 3}};
  s.polylines = {{1, {0, 1}}, {2, {0, 1, 2, 0}}};
  return s;
}

TEST(DxfWriterTest, TablesCarryLayersColoursAndLineTypes) {
  std::ostringstream out;
  WriteDxf(RoadSketch(), out);
  const std::vector<Record> records = ReadRecords(out.str());
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().type, "EOF");

  std::map<std::string, Record> ltypes;
  for (const Record& r : OfType(records, "LTYPE")) ltypes[r.Get(2)] = r;
  ASSERT_EQ(ltypes.size(), 5u);
  EXPECT_EQ(ltypes["CONTINUOUS"].Get(73), "0");
  EXPECT_EQ(ltypes["DASHED"].Get(73), "2");
  EXPECT_EQ(ltypes["DIVIDE"].Get(73), "6");
  // The pattern length is the sum of the dash and gap lengths.
  const Record& dashdot = ltypes["DASHDOT"];
  double sum = 0;
  for (size_t k = 0; k < 4; ++k) sum += std::abs(std::stod(dashdot.Get(49, k)));
  EXPECT_DOUBLE_EQ(std::stod(dashdot.Get(40)), sum);

  std::map<std::string, Record> layers;
  for (const Record& r : OfType(records, "LAYER")) layers[r.Get(2)] = r;
  ASSERT_EQ(layers.size(), 4u);
  EXPECT_EQ(layers["LBD"].Get(62), "4");
  EXPECT_EQ(layers["LBD"].Get(6), "DASHED");
  EXPECT_EQ(layers["EJE"].Get(62), "1");
  EXPECT_EQ(layers["EJE"].Get(6), "DASHDOT");
  EXPECT_EQ(layers["Puntos"].Get(6), "CONTINUOUS");
  EXPECT_EQ(layers["0"].Get(62), "7");
}

TEST(DxfWriterTest, PointsNamesAndThreeDimensionalPolylines) {
  std::ostringstream out;
  WriteDxf(RoadSketch(), out);
  const std::vector<Record> records = ReadRecords(out.str());

  const auto points = OfType(records, "POINT");
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0].Get(8), "LBD");
  EXPECT_EQ(points[0].Get(10), "431200.125");
  EXPECT_EQ(points[0].Get(20), "4412100.5");
  EXPECT_EQ(points[0].Get(30), "600.25");
  EXPECT_EQ(points[3].Get(8), "Puntos");
  // A point without a name gets no text.
  const auto texts = OfType(records, "TEXT");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[2].Get(1), "3");
  EXPECT_EQ(texts[2].Get(8), "EJE");
  EXPECT_EQ(texts[2].Get(30), "600.75");

  const auto polylines = OfType(records, "POLYLINE");
  ASSERT_EQ(polylines.size(), 2u);
  for (const Record& p : polylines) {
    EXPECT_EQ(p.Get(70), "8");
    EXPECT_EQ(p.Get(66), "1");
  }
  EXPECT_EQ(polylines[1].Get(8), "EJE");
  const auto vertices = OfType(records, "VERTEX");
  ASSERT_EQ(vertices.size(), 6u);
  for (const Record& v : vertices) EXPECT_EQ(v.Get(70), "32");
  // The closed one ends where it starts, as the sketch gave it.
  EXPECT_EQ(vertices[5].Get(10), vertices[2].Get(10));
  EXPECT_EQ(vertices[5].Get(30), "600.25");
  EXPECT_EQ(vertices[4].Get(20), "4412110");
  EXPECT_EQ(OfType(records, "SEQEND").size(), 2u);

  Sketch bad = RoadSketch();
  bad.polylines[0].vertices.push_back(9);
  std::ostringstream ignored;
  EXPECT_THROW(WriteDxf(bad, ignored), std::out_of_range);
  bad = RoadSketch();
  bad.points[0].layer = 4;
  EXPECT_THROW(WriteDxf(bad, ignored), std::out_of_range);
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
