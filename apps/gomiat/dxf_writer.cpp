#include "dxf_writer.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "dxf_names.h"
#include "number_format.h"

namespace gomiat {

namespace {

class Tags {
 public:
  explicit Tags(std::ostream& out) : out_(out) {}
  void Put(int code, std::string_view value) {
    std::string c = std::to_string(code);
    if (c.size() < 3) c.insert(0, 3 - c.size(), ' ');
    out_ << c << '\n' << value << '\n';
  }
  void Put(int code, double v) { Put(code, FixedShortest(v)); }
  void Int(int code, int v) { Put(code, std::to_string(v)); }
  void Xyz(double x, double y, double z, int base = 10) {
    Put(base, x);
    Put(base + 10, y);
    Put(base + 20, z);
  }

 private:
  std::ostream& out_;
};

struct Extents {
  double min[3] = {0, 0, 0};
  double max[3] = {0, 0, 0};
};

Extents ExtentsOf(const Sketch& s) {
  Extents e;
  if (s.points.empty()) return e;
  for (int k = 0; k < 3; ++k) {
    e.min[k] = std::numeric_limits<double>::max();
    e.max[k] = std::numeric_limits<double>::lowest();
  }
  for (const SketchPoint& p : s.points) {
    const double c[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
      e.min[k] = std::min(e.min[k], c[k]);
      e.max[k] = std::max(e.max[k], c[k]);
    }
  }
  return e;
}

void Header(Tags& t, const Sketch& s, const DxfOptions& o) {
  const Extents e = ExtentsOf(s);
  t.Put(0, "SECTION");
  t.Put(2, "HEADER");
  t.Put(9, "$ACADVER");
  t.Put(1, "AC1009");
  t.Put(9, "$DWGCODEPAGE");
  t.Put(3, "ANSI_1252");
  t.Put(9, "$INSBASE");
  t.Xyz(0, 0, 0);
  t.Put(9, "$EXTMIN");
  t.Xyz(e.min[0], e.min[1], e.min[2]);
  t.Put(9, "$EXTMAX");
  t.Xyz(e.max[0], e.max[1], e.max[2]);
  t.Put(9, "$LTSCALE");
  t.Put(40, 1.0);
  t.Put(9, "$TEXTSIZE");
  t.Put(40, o.text_height);
  t.Put(9, "$PDMODE");  // points drawn as small crosses
  t.Int(70, 3);
  t.Put(9, "$PDSIZE");
  t.Put(40, o.text_height);
  t.Put(0, "ENDSEC");
}

void LineTypeTable(Tags& t) {
  const auto& types = LineTypes();
  t.Put(0, "TABLE");
  t.Put(2, "LTYPE");
  t.Int(70, static_cast<int>(types.size()));
  for (const LineTypeDef& lt : types) {
    t.Put(0, "LTYPE");
    t.Put(2, lt.name);
    t.Int(70, 0);
    t.Put(3, lt.description);
    t.Int(72, 65);
    t.Int(73, static_cast<int>(lt.dashes.size()));
    t.Put(40, lt.PatternLength());
    for (double d : lt.dashes) t.Put(49, d);
  }
  t.Put(0, "ENDTAB");
}

void LayerTable(Tags& t, const DxfLayers& layers) {
  t.Put(0, "TABLE");
  t.Put(2, "LAYER");
  t.Int(70, static_cast<int>(layers.table.size()));
  for (const DxfLayer& l : layers.table) {
    t.Put(0, "LAYER");
    t.Put(2, DxfText(l.name));
    t.Int(70, 0);
    t.Int(62, l.colour);
    t.Put(6, l.line_type->name);
  }
  t.Put(0, "ENDTAB");
}

void StyleTable(Tags& t) {
  t.Put(0, "TABLE");
  t.Put(2, "STYLE");
  t.Int(70, 1);
  t.Put(0, "STYLE");
  t.Put(2, "STANDARD");
  t.Int(70, 0);
  t.Put(40, 0.0);
  t.Put(41, 1.0);
  t.Put(50, 0.0);
  t.Int(71, 0);
  t.Put(42, 0.2);
  t.Put(3, "txt");
  t.Put(4, "");
  t.Put(0, "ENDTAB");
}

const std::string& LayerOf(const DxfLayers& layers,
                           const std::vector<std::string>& names,
                           size_t sketch_layer) {
  if (sketch_layer >= layers.of_layer.size())
    throw std::out_of_range("layer " + std::to_string(sketch_layer) +
                            " is not in the drawing");
  return names[layers.of_layer[sketch_layer]];
}

void Points(Tags& t, const Sketch& s, const DxfLayers& layers,
            const std::vector<std::string>& names, const DxfOptions& o) {
  const double offset = o.text_height * 0.6;
  for (const SketchPoint& p : s.points) {
    const std::string& layer = LayerOf(layers, names, p.layer);
    t.Put(0, "POINT");
    t.Put(8, layer);
    t.Xyz(p.x, p.y, p.z);
    if (p.name.empty()) continue;
    t.Put(0, "TEXT");
    t.Put(8, layer);
    t.Xyz(p.x + offset, p.y + offset, p.z);
    t.Put(40, o.text_height);
    t.Put(1, DxfText(p.name));
  }
}

void Polylines(Tags& t, const Sketch& s, const DxfLayers& layers,
               const std::vector<std::string>& names) {
  for (const SketchPolyline& pl : s.polylines) {
    const std::string& layer = LayerOf(layers, names, pl.layer);
    for (size_t v : pl.vertices)
      if (v >= s.points.size())
        throw std::out_of_range("a polyline goes through point " +
                                std::to_string(v + 1) +
                                ", which is not in the drawing");
    if (pl.vertices.size() < 2) continue;
    t.Put(0, "POLYLINE");
    t.Put(8, layer);
    t.Int(66, 1);
    t.Xyz(0, 0, 0);
    t.Int(70, 8);  // 3D polyline
    for (size_t v : pl.vertices) {
      const SketchPoint& p = s.points[v];
      t.Put(0, "VERTEX");
      t.Put(8, layer);
      t.Xyz(p.x, p.y, p.z);
      t.Int(70, 32);  // vertex of a 3D polyline
    }
    t.Put(0, "SEQEND");
    t.Put(8, layer);
  }
}

}  // namespace

void WriteDxf(const Sketch& sketch, std::ostream& out,
              const DxfOptions& options) {
  const DxfLayers layers = ResolveDxfLayers(sketch.layers);
  std::vector<std::string> names;  // as the file holds them
  names.reserve(layers.table.size());
  for (const DxfLayer& l : layers.table) names.push_back(DxfText(l.name));

  Tags t(out);
  Header(t, sketch, options);
  t.Put(0, "SECTION");
  t.Put(2, "TABLES");
  LineTypeTable(t);
  LayerTable(t, layers);
  StyleTable(t);
  t.Put(0, "ENDSEC");
  t.Put(0, "SECTION");
  t.Put(2, "ENTITIES");
  Points(t, sketch, layers, names, options);
  Polylines(t, sketch, layers, names);
  t.Put(0, "ENDSEC");
  t.Put(0, "EOF");
  out.flush();
  if (!out) throw std::ios_base::failure("the drawing could not be written");
}

}  // namespace gomiat
