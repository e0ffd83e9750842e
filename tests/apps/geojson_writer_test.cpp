// The GeoJSON of a sketch: features, properties and string escapes.
#include "geojson_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace gomiat {
namespace {

size_t Count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1))
    ++n;
  return n;
}

TEST(GeoJsonWriterTest, PointsAndPolylinesBecomeFeatures) {
  Sketch s;
  s.layers = {{"0", 7, 0xFFFFFF, 0}, {"CT", 2, 0x00FFFF, 1}};
  s.points = {{"P\"1", 431200.5, 4412100.25, 600, "CT I", 1},
              {"2", 431201, 4412101, 600.5, "CT", 1},
              {"3", 431202, 4412100, 601, "", 0}};
  s.polylines = {{1, {0, 1, 2, 0}}};
  std::ostringstream out;
  WriteGeoJson(s, out);
  const std::string j = out.str();

  EXPECT_EQ(j.rfind("{\"type\":\"FeatureCollection\",\"features\":[", 0), 0u);
  EXPECT_EQ(Count(j, "\"type\":\"Feature\""), 4u);
  EXPECT_EQ(Count(j, "\"type\":\"Point\""), 3u);
  EXPECT_NE(j.find("\"coordinates\":[431200.5,4412100.25,600]},\"properties\":"
                   "{\"name\":\"P\\\"1\",\"code\":\"CT I\",\"layer\":\"CT\"}"),
            std::string::npos);
  EXPECT_NE(j.find("\"type\":\"LineString\",\"coordinates\":[[431200.5,"
                   "4412100.25,600],[431201,4412101,600.5],[431202,4412100,"
                   "601],[431200.5,4412100.25,600]]"),
            std::string::npos);
  EXPECT_NE(j.find("\"layer\":\"CT\",\"colour\":2,\"stroke\":\"#FFFF00\","
                   "\"line_type\":\"DASHED\",\"line_type_number\":1,"
                   "\"closed\":true"),
            std::string::npos);
  EXPECT_EQ(Count(j, "\"crs\""), 0u);

  s.polylines[0].vertices.push_back(3);
  std::ostringstream ignored;
  EXPECT_THROW(WriteGeoJson(s, ignored), std::out_of_range);
}

TEST(GeoJsonWriterTest, StringsAreValidJson) {
  EXPECT_EQ(JsonString("a\\b\"c"), "\"a\\\\b\\\"c\"");
  EXPECT_EQ(JsonString("tab\there\x01"), "\"tab\\u0009here\\u0001\"");
  EXPECT_EQ(JsonString("\xC3\x81rbol"), "\"\xC3\x81rbol\"");
  // A stray single-byte character is read as Windows-1252.
  EXPECT_EQ(JsonString("\xC1rbol"), "\"\xC3\x81rbol\"");
}

}  // namespace
}  // namespace gomiat
