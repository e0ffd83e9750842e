#include "geojson_writer.h"

#include <cstdio>
#include <stdexcept>

#include "frame/cp1252.h"
#include "frame/utf8.h"
#include "line_types.h"
#include "number_format.h"

namespace gomiat {

namespace {

const SketchLayer& LayerAt(const Sketch& s, size_t i) {
  if (i >= s.layers.size())
    throw std::out_of_range("layer " + std::to_string(i) +
                            " is not in the drawing");
  return s.layers[i];
}

}  // namespace

std::string Rgb(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF,
                (v >> 16) & 0xFF);
  return buf;
}

std::string JsonString(std::string_view utf8) {
  // Names read from single-byte files must not break the document.
  std::string fixed;
  if (!qdr2_Gomiat::IsValidUtf8(utf8)) {
    fixed = qdr2_Gomiat::Utf8OrCp1252ToUtf8(utf8);
    utf8 = fixed;
  }
  std::string out = "\"";
  for (char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", b);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void WriteGeoJson(const Sketch& sketch, std::ostream& stream,
                  const std::vector<std::array<double, 2>>* lon_lat) {
  if (lon_lat && lon_lat->size() != sketch.points.size())
    throw std::out_of_range("a longitude and latitude a point is needed");
  TextOut out(stream);
  const SketchPoint* const base = sketch.points.data();
  const auto position = [&](const SketchPoint& p) {
    const size_t i = static_cast<size_t>(&p - base);
    out << '[';
    out.Shortest(lon_lat ? (*lon_lat)[i][0] : p.x);
    out << ',';
    out.Shortest(lon_lat ? (*lon_lat)[i][1] : p.y);
    out << ',';
    out.Shortest(p.z);
    out << ']';
  };
  std::vector<std::string> extra_keys;
  for (const std::string& name : sketch.extra_names)
    extra_keys.push_back("," + JsonString(name) + ":");
  out << "{\"type\":\"FeatureCollection\",\"features\":[";
  bool first = true;
  auto next = [&] {
    out << (first ? "\n" : ",\n");
    first = false;
  };
  for (const SketchPoint& p : sketch.points) {
    const SketchLayer& layer = LayerAt(sketch, p.layer);
    next();
    out << "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\","
           "\"coordinates\":";
    position(p);
    out << "},\"properties\":{\"name\":" << JsonString(p.name)
        << ",\"code\":" << JsonString(p.code)
        << ",\"layer\":" << JsonString(layer.name);
    for (size_t k = 0; k < extra_keys.size(); ++k)
      out << extra_keys[k]
          << JsonString(k < p.extras.size() ? p.extras[k] : std::string());
    out << "}}";
  }
  for (const SketchPolyline& pl : sketch.polylines) {
    const SketchLayer& layer = LayerAt(sketch, pl.layer);
    if (pl.vertices.size() < 2) continue;
    next();
    out << "{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\","
           "\"coordinates\":[";
    for (size_t k = 0; k < pl.vertices.size(); ++k) {
      const size_t v = pl.vertices[k];
      if (v >= sketch.points.size())
        throw std::out_of_range("a polyline goes through point " +
                                std::to_string(v + 1) +
                                ", which is not in the drawing");
      if (k) out << ',';
      position(sketch.points[v]);
    }
    const LineTypeDef& lt = LineTypeOf(layer.line_type);
    out << "]},\"properties\":{\"layer\":" << JsonString(layer.name)
        << ",\"colour\":";
    out.Int(layer.colour_number);
    out << ",\"stroke\":" << JsonString(Rgb(layer.colour_value))
        << ",\"line_type\":" << JsonString(lt.name) << ",\"line_type_number\":";
    out.Int(layer.line_type);
    out << ",\"closed\":" << (pl.Closed() ? "true" : "false") << "}}";
  }
  out << "\n]}\n";
  out.Flush();
  if (!stream) throw std::ios_base::failure("the GeoJSON could not be written");
}

}  // namespace gomiat
