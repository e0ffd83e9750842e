#include "dxf_writer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <future>
#include <limits>
#include <stdexcept>
#include <string>

#include "dxf_names.h"
#include "line_fields.h"
#include "number_format.h"

namespace gomiat {

namespace {

// A short text every entity repeats, made once and written with one
// fixed-size copy (see TextOut::Padded).
class Piece {
 public:
  explicit Piece(std::string text)
      : size_(text.size()), text_(std::move(text)) {
    if (text_.size() < TextOut::kPadded) text_.resize(TextOut::kPadded);
  }
  const char* data() const { return text_.data(); }
  size_t size() const { return size_; }

 private:
  size_t size_;
  std::string text_;
};

class Tags {
 public:
  explicit Tags(TextOut& out) : out_(out) {}
  void Raw(std::string_view text) { out_ << text; }
  void Put(int code, std::string_view value) {
    Code(code);
    out_ << value << '\n';
  }
  void Put(int code, double v) {
    Code(code);
    out_.Fixed(v);
    out_ << '\n';
  }
  void Int(int code, int v) {
    Code(code);
    out_.Int(v);
    out_ << '\n';
  }
  void Xyz(double x, double y, double z, int base = 10) {
    Put(base, x);
    Put(base + 10, y);
    Put(base + 20, z);
  }
  void Put(const Piece& piece) { out_.Padded(piece.data(), piece.size()); }
  // As Xyz(x, y, z), the group codes in pieces.
  void Coordinates(double x, double y, double z) {
    Put(x_);
    out_.Fixed(x);
    Put(y_);
    out_.Fixed(y);
    Put(z_);
    out_.Fixed(z);
    out_ << '\n';
  }
  void Flush() { out_.Flush(); }

 private:
  // Group codes right-aligned in three characters, as R12 writers do;
  // the few in use are made once.
  void Code(int code) {
    if (code < 0 || static_cast<size_t>(code) >= kCodeCount) {
      out_.Int(code);
      out_ << '\n';
      return;
    }
    std::string& text = codes_[static_cast<size_t>(code)];
    if (text.empty()) {
      text = std::to_string(code);
      if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
      text += '\n';
    }
    out_ << text;
  }
  static constexpr size_t kCodeCount = 1100;
  std::array<std::string, kCodeCount> codes_;
  TextOut& out_;
  const Piece x_{" 10\n"}, y_{"\n 20\n"}, z_{"\n 30\n"};
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

// The drawing's layer of a sketch layer, an index of its names.
size_t LayerOf(const DxfLayers& layers, size_t sketch_layer) {
  if (sketch_layer >= layers.of_layer.size())
    throw std::out_of_range("layer " + std::to_string(sketch_layer) +
                            " is not in the drawing");
  return layers.of_layer[sketch_layer];
}

// The texts of the entities that every point and vertex repeats.
struct Repeated {
  Repeated(const std::vector<std::string>& names, const DxfOptions& o)
      : height(" 40\n" + FixedShortest(o.text_height) + "\n  1\n") {
    for (const std::string& name : names)
      layers.emplace_back("  8\n" + name + "\n");
  }
  const Piece point{"  0\nPOINT\n"}, text{"  0\nTEXT\n"};
  const Piece vertex{"  0\nVERTEX\n"}, vertex_end{" 70\n32\n"};
  const Piece height;         // of a name, and the name's group code
  std::vector<Piece> layers;  // "  8" and the name, of each layer
};

// The block every point is an insert of when the points carry attributes:
// a point at its base, and one attribute per extra column, hidden so the
// drawing stays readable (CAD programs list them with the insert).
constexpr std::string_view kPointBlock = "GOMIAT_PUNTO";

// An attribute tag: no blanks, upper case, as CAD programs expect.
std::string Tag(const std::string& name) {
  std::string tag;
  for (char c : name) {
    const auto b = static_cast<unsigned char>(c);
    tag += std::isalnum(b) || c == '_' || c == '-'
               ? static_cast<char>(std::toupper(b))
               : '_';
  }
  return tag.empty() ? "_" : tag;
}

void Blocks(Tags& t, const Sketch& s, const DxfOptions& o) {
  if (s.extra_names.empty()) return;
  t.Put(0, "SECTION");
  t.Put(2, "BLOCKS");
  t.Put(0, "BLOCK");
  t.Put(8, "0");
  t.Put(2, kPointBlock);
  t.Int(70, 2);  // has attribute definitions
  t.Xyz(0, 0, 0);
  t.Put(3, kPointBlock);
  t.Put(0, "POINT");
  t.Put(8, "0");
  t.Xyz(0, 0, 0);
  for (const std::string& name : s.extra_names) {
    t.Put(0, "ATTDEF");
    t.Put(8, "0");
    t.Xyz(0, 0, 0);
    t.Put(40, o.text_height);
    t.Put(1, "");
    t.Put(3, DxfText(name));
    t.Put(2, DxfText(Tag(name)));
    t.Int(70, 1);  // hidden
  }
  t.Put(0, "ENDBLK");
  t.Put(8, "0");
  t.Put(0, "ENDSEC");
}

// Entities by the block, two blocks at a time on two threads, handed to
// `t` in order: a large drawing is made twice as fast on two cores.
constexpr size_t kBlock = 16384;  // points, or polyline vertices

template <class Format>  // void(Tags&, size_t first, size_t end)
void InBlocks(Tags& t, const std::vector<size_t>& bounds, Format format) {
  // Two pairs of texts, kept from pair to pair (their memory is made once):
  // the other thread makes the second block of the next pair while this one
  // hands the finished pair to `t`.
  std::array<TextOut, 2> a, b;
  Tags ta[] = {Tags(a[0]), Tags(a[1])}, tb[] = {Tags(b[0]), Tags(b[1])};
  std::future<void> other;  // ends before the texts it writes into
  const auto launch = [&](size_t k, size_t side) {
    if (k + 2 < bounds.size())
      other = std::async(std::launch::async, [&, k, side] {
        format(tb[side], bounds[k + 1], bounds[k + 2]);
      });
  };
  launch(0, 0);
  for (size_t k = 0, side = 0; k + 1 < bounds.size(); k += 2, side ^= 1) {
    format(ta[side], bounds[k], bounds[k + 1]);
    if (other.valid()) other.get();
    launch(k + 2, side ^ 1);
    t.Raw(a[side].Text());
    t.Raw(b[side].Text());
    a[side].Clear();
    b[side].Clear();
  }
}

void PointRange(Tags& t, const Sketch& s, size_t first, size_t end,
                const DxfLayers& layers, const std::vector<std::string>& names,
                const Repeated& r, const std::vector<std::string>& tags,
                const DxfOptions& o) {
  const double offset = o.text_height * 0.6;
  const std::string height = FixedShortest(o.text_height);
  for (size_t i = first; i < end; ++i) {
    const SketchPoint& p = s.points[i];
    const size_t l = LayerOf(layers, p.layer);
    if (tags.empty()) {
      t.Put(r.point);
      t.Put(r.layers[l]);
      t.Coordinates(p.x, p.y, p.z);
    } else {
      const std::string& layer = names[l];
      t.Put(0, "INSERT");
      t.Put(8, layer);
      t.Int(66, 1);
      t.Put(2, kPointBlock);
      t.Xyz(p.x, p.y, p.z);
      for (size_t k = 0; k < tags.size(); ++k) {
        t.Put(0, "ATTRIB");
        t.Put(8, layer);
        t.Xyz(p.x, p.y, p.z);
        t.Put(40, height);
        t.Put(1, k < p.extras.size() ? DxfText(p.extras[k]) : std::string());
        t.Put(2, tags[k]);
        t.Int(70, 1);
      }
      t.Put(0, "SEQEND");
      t.Put(8, layer);
    }
    if (p.name.empty()) continue;
    t.Put(r.text);
    t.Put(r.layers[l]);
    t.Coordinates(p.x + offset, p.y + offset, p.z);
    t.Put(r.height);
    t.Raw(DxfText(p.name));
    t.Raw("\n");
  }
}

void Points(Tags& t, const Sketch& s, const DxfLayers& layers,
            const std::vector<std::string>& names, const Repeated& r,
            const DxfOptions& o) {
  std::vector<size_t> bounds;
  for (size_t i = 0; i < s.points.size(); i += kBlock) bounds.push_back(i);
  bounds.push_back(s.points.size());
  std::vector<std::string> tags;
  for (const std::string& name : s.extra_names)
    tags.push_back(DxfText(Tag(name)));
  InBlocks(t, bounds, [&](Tags& t, size_t first, size_t end) {
    PointRange(t, s, first, end, layers, names, r, tags, o);
  });
}

// The points of a line lie anywhere in a large survey: their coordinates
// are read from a copy of them alone, five times smaller than the points,
// and asked for ahead of their turn, so few reads wait on memory.
using Xyz = std::array<double, 3>;
constexpr size_t kAhead = 8;  // vertices

void PolylineRange(Tags& t, const Sketch& s, const std::vector<Xyz>& xyz,
                   size_t first, size_t end, const DxfLayers& layers,
                   const std::vector<std::string>& names, const Repeated& r) {
  for (size_t i = first; i < end; ++i) {
    const SketchPolyline& pl = s.polylines[i];
    const size_t l = LayerOf(layers, pl.layer);
    const std::string& layer = names[l];
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
    const std::vector<size_t>& vs = pl.vertices;
    for (size_t k = 0; k < vs.size(); ++k) {
      if (k + kAhead < vs.size()) __builtin_prefetch(&xyz[vs[k + kAhead]]);
      const Xyz& p = xyz[vs[k]];
      t.Put(r.vertex);
      t.Put(r.layers[l]);
      t.Coordinates(p[0], p[1], p[2]);
      t.Put(r.vertex_end);  // 70: vertex of a 3D polyline
    }
    t.Put(0, "SEQEND");
    t.Put(8, layer);
  }
}

void Polylines(Tags& t, const Sketch& s, const DxfLayers& layers,
               const std::vector<std::string>& names, const Repeated& r) {
  std::vector<size_t> bounds = {0};
  size_t vertices = 0;
  for (size_t i = 0; i < s.polylines.size(); ++i) {
    vertices += s.polylines[i].vertices.size();
    if (vertices >= kBlock) {
      bounds.push_back(i + 1);
      vertices = 0;
    }
  }
  if (bounds.back() != s.polylines.size()) bounds.push_back(s.polylines.size());
  std::vector<Xyz> xyz;
  xyz.reserve(s.points.size());
  for (const SketchPoint& p : s.points) xyz.push_back({p.x, p.y, p.z});
  InBlocks(t, bounds, [&](Tags& t, size_t first, size_t end) {
    PolylineRange(t, s, xyz, first, end, layers, names, r);
  });
}

}  // namespace

void WriteDxf(const Sketch& sketch, std::ostream& out,
              const DxfOptions& options) {
  const DxfLayers layers = ResolveDxfLayers(sketch.layers);
  std::vector<std::string> names;  // as the file holds them
  names.reserve(layers.table.size());
  for (const DxfLayer& l : layers.table) names.push_back(DxfText(l.name));

  TextOut text(out);
  Tags t(text);
  Header(t, sketch, options);
  t.Put(0, "SECTION");
  t.Put(2, "TABLES");
  LineTypeTable(t);
  LayerTable(t, layers);
  StyleTable(t);
  t.Put(0, "ENDSEC");
  Blocks(t, sketch, options);
  t.Put(0, "SECTION");
  t.Put(2, "ENTITIES");
  const Repeated repeated(names, options);
  Points(t, sketch, layers, names, repeated, options);
  Polylines(t, sketch, layers, names, repeated);
  t.Put(0, "ENDSEC");
  t.Put(0, "EOF");
  t.Flush();
  if (!out) throw std::ios_base::failure("the drawing could not be written");
}

}  // namespace gomiat
