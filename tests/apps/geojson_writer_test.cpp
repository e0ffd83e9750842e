// The GeoJSON of a sketch: features, properties and string escapes.
#include "geojson_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "gis_output.h"

namespace gomiat {
namespace {

// Features and their styles are compared with the DXF by the program's
// end-to-end check (check_dxf.py); here the attributes of extra columns.
TEST(GeoJsonWriterTest, ExtraColumnsArePropertiesAndBadVerticesRefused) {
  Sketch s;
  s.layers = {{"0", 7, 0xFFFFFF, 0}};
  s.extra_names = {"rod", "fecha"};
  s.points = {{"1", 1, 2, 3, "CT", 0, {"1.80", "2024-06-11"}, 1},
              {"2", 1.5, 2, 3, "CT", 0, {"2\"", ""}, 2}};
  s.polylines = {{0, {0, 1}}};
  std::ostringstream out;
  WriteGeoJson(s, out);
  EXPECT_NE(out.str().find(R"("layer":"0","rod":"1.80","fecha":"2024-06-11")"),
            std::string::npos);
  EXPECT_NE(out.str().find(R"("rod":"2\"","fecha":"")"), std::string::npos);

  // Declared as UTM zone 30 north: its central meridian at the false
  // easting on the equator is longitude -3, latitude 0.
  if (GisAvailable()) {
    s.points[0].x = 500000;
    s.points[0].y = 0;
    const auto lon_lat = LonLat("EPSG:25830").Of(s);
    EXPECT_NEAR(lon_lat[0][0], -3, 1e-9);
    EXPECT_NEAR(lon_lat[0][1], 0, 1e-9);
    EXPECT_THROW(LonLat("EPSG:1"), std::invalid_argument);
  }
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
