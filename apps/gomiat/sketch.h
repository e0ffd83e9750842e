// The drawing the automatic sketch makes of a survey: layers, points on
// their layers and polylines through the points. Indices are 0-based.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gomiat {

struct SketchLayer {
  std::string name;
  int16_t colour_number = 7;        // of the indexed CAD palette, 1..255
  int32_t colour_value = 0xFFFFFF;  // RGB, red in the low byte
  int16_t line_type = 0;            // 0..4; see line_types.h
};

struct SketchPoint {
  std::string name;  // the running point number when the file has none
  double x = 0, y = 0, z = 0;  // easting, northing, elevation
  std::string code;  // the whole code field, trimmed; may hold several codes
  size_t layer = 0;
  std::vector<std::string> extras;  // values of Sketch::extra_names
  size_t line = 0;                  // in the point file, 1-based
};

struct SketchPolyline {
  size_t layer = 0;
  std::vector<size_t> vertices;  // points; a closed one ends on its first
  bool Closed() const {
    return vertices.size() > 2 && vertices.front() == vertices.back();
  }
};

struct Sketch {
  std::vector<SketchLayer> layers;
  std::vector<SketchPoint> points;
  std::vector<SketchPolyline> polylines;
  std::vector<std::string> extra_names;  // attributes every point carries
};

}  // namespace gomiat
