#include "project_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "dxf_writer.h"
#include "frame/environment.h"
#include "output_file.h"

namespace host {

namespace {

constexpr const char* kMagic = "gomiat-host project 1";

// Texts travel on one line with their tabs, line breaks and backslashes
// escaped.
std::string Escape(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return out;
}

std::string Number(double v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

template <class Write>
void WriteFile(const std::string& path, Write write) {
  gomiat::OutputFile file(path);
  write(file.Stream());
  file.Commit();
}

class Reader {
 public:
  Reader(std::istream& in, std::string name)
      : in_(in), name_(std::move(name)) {}

  std::vector<std::string_view> Fields(size_t want) {
    if (!std::getline(in_, line_)) Fail("the file ends too early");
    ++number_;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    std::vector<std::string_view> f;
    std::string_view rest(line_);
    for (size_t at; (at = rest.find('\t')) != std::string_view::npos;) {
      f.push_back(rest.substr(0, at));
      rest.remove_prefix(at + 1);
    }
    f.push_back(rest);
    if (want != 0 && f.size() != want)
      Fail("expected " + std::to_string(want) + " fields, found " +
           std::to_string(f.size()));
    return f;
  }
  // "WORD N" lines that open a section.
  int32_t Section(const std::string& word) {
    auto f = Fields(2);
    if (f[0] != word) Fail("expected the section \"" + word + "\"");
    return Int(f[1], 0, std::numeric_limits<int32_t>::max() - 1);
  }
  double Real(std::string_view s) {
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() ||
        !std::isfinite(v))
      Fail("not a number: \"" + std::string(s.substr(0, 40)) + "\"");
    return v;
  }
  int32_t Int(std::string_view s, int64_t lo, int64_t hi) {
    int64_t v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || v < lo || v > hi)
      Fail("not a whole number from " + std::to_string(lo) + " to " +
           std::to_string(hi) + ": \"" + std::string(s.substr(0, 40)) + "\"");
    return static_cast<int32_t>(v);
  }
  [[noreturn]] void Fail(const std::string& why) const {
    throw std::runtime_error(name_ + ":" + std::to_string(number_) + ": " +
                             why);
  }
  // Counts are checked against what is left, so a damaged count cannot
  // ask for more memory than the file could fill.
  void Room(int64_t lines) {
    const std::streampos here = in_.tellg();
    if (here < 0) return;
    in_.seekg(0, std::ios::end);
    const std::streampos end = in_.tellg();
    in_.seekg(here);
    if (lines > static_cast<int64_t>(end - here))
      Fail("a count larger than the file can hold");
  }

 private:
  std::istream& in_;
  std::string name_;
  std::string line_;
  size_t number_ = 0;
};

}  // namespace

void SaveProject(const HostModel& m, const std::string& path) {
  WriteFile(path, [&](std::ostream& out) {
    auto at = [](const q::LngArray& a, int32_t i) {
      return a.IsAllocated() && i >= a.LBound() && i <= a.UBound() ? a(i) : 0;
    };
    out << kMagic << '\n';
    out << "points\t" << m.Nopun << '\n';
    for (int32_t i = 1; i <= m.Nopun; ++i)
      out << Escape(m.PointName(i)) << '\t' << Number(m.PX(i)) << '\t'
          << Number(m.PY(i)) << '\t' << Number(m.PZ(i)) << '\t'
          << Escape(m.PointCode(i)) << '\t' << m.PointLayer(i) << '\t'
          << at(m.Nivel, i) << '\n';
    out << "layers\t" << m.noCapas << '\n';
    for (int32_t k = 1; k <= m.noCapas; ++k)
      out << Escape(m.LayerName(k)) << '\t' << (m.LayerOn(k) ? "Si" : "No")
          << '\t' << m.LayerColour(k) << '\t' << m.LayerThickness(k) << '\t'
          << m.LayerLineType(k) << '\n';
    out << "principal\t" << m.Principal << '\n';
    out << "polylines\t" << m.nPolis << '\n';
    for (int32_t k = 1; k <= m.nPolis; ++k) {
      out << m.PolylineLayer(k) << '\t';
      const std::vector<int32_t> v = m.PolylineVertices(k);
      for (size_t i = 0; i < v.size(); ++i) out << (i ? " " : "") << v[i];
      out << '\n';
    }
    out << "drawings\t" << m.NoDib << '\n';
    for (int32_t d = 1; d <= m.NoDib; ++d) {
      auto text = [&](const q::StrArray& a) {
        return a.IsAllocated() && d >= a.LBound() && d <= a.UBound()
                   ? Escape(a(d))
                   : "";
      };
      out << text(m.DibNombres) << '\t' << text(m.DibCarpeta);
      for (const q::LngArray* a : {&m.DibPtos, &m.DibPoli, &m.DibTri, &m.DibTex,
                                   &m.DibFoto, &m.DibBloq})
        out << '\t' << at(*a, d);
      out << '\n';
    }
    out << "counts\t" << m.nCurvas << '\t' << m.nCurvasVx << '\t'
        << m.nTriangulos << '\t' << m.nTextos << '\n';
    out << "end\n";
  });
}

HostModel ReadProject(std::istream& in, const std::string& name) {
  Reader r(in, name);
  if (r.Fields(1)[0] != kMagic) r.Fail("not a gomiat-host project");
  HostModel m;
  const int64_t kLong = std::numeric_limits<int32_t>::max();
  m.Nopun = r.Section("points");
  r.Room(m.Nopun);
  m.NormalisePoints();
  for (int32_t i = 1; i <= m.Nopun; ++i) {
    auto f = r.Fields(7);
    m.Nombre(i) = Unescape(f[0]);
    m.X(i) = r.Real(f[1]);
    m.Y(i) = r.Real(f[2]);
    m.Z(i) = r.Real(f[3]);
    m.Codigo(i) = Unescape(f[4]);
    m.CapaPuntos(i) = static_cast<int16_t>(r.Int(f[5], 0, 32767));
    m.Nivel(i) = r.Int(f[6], -kLong - 1, kLong);
  }
  m.noCapas = r.Section("layers");
  if (m.noCapas > 32767) r.Fail("more layers than points can refer to");
  r.Room(m.noCapas);
  m.Capas.Redim(0, m.noCapas);
  m.AlignLayerAttributes({});
  for (int32_t k = 1; k <= m.noCapas; ++k) {
    auto f = r.Fields(5);
    m.Capas(k) = Unescape(f[0]);
    if (f[1] != "Si" && f[1] != "No") r.Fail("a layer state is Si or No");
    m.Estado(k) = std::string(f[1]);
    m.colorr(k) = r.Int(f[2], 0, 0xFFFFFF);
    m.grosor(k) = r.Int(f[3], 0, 255);
    m.Tipolin(k) = r.Int(f[4], 0, 4);
  }
  {
    auto f = r.Fields(2);
    if (f[0] != "principal") r.Fail("expected the principal layer");
    m.Principal = r.Int(f[1], 0, kLong);
  }
  m.nPolis = r.Section("polylines");
  r.Room(m.nPolis);
  m.Polis.Redim(0, m.nPolis);
  for (int32_t k = 1; k <= m.nPolis; ++k) {
    auto f = r.Fields(2);
    q::T_ConexAutocro& p = m.Polis(k);
    p.Capa = r.Int(f[0], 0, 32767);
    std::vector<int32_t> v;
    for (std::string_view rest = f[1]; !rest.empty();) {
      const size_t at = rest.find(' ');
      v.push_back(r.Int(rest.substr(0, at), 1, m.Nopun));
      rest = at == std::string_view::npos ? "" : rest.substr(at + 1);
    }
    p.nVer = static_cast<int32_t>(v.size());
    p.ver.Redim(0, p.nVer);
    for (int32_t i = 1; i <= p.nVer; ++i) p.ver(i) = v[size_t(i - 1)];
  }
  m.NoDib = r.Section("drawings");
  r.Room(m.NoDib);
  m.DibNombres.Redim(0, m.NoDib);
  m.DibCarpeta.Redim(0, m.NoDib);
  q::LngArray* counts[] = {&m.DibPtos, &m.DibPoli, &m.DibTri,
                           &m.DibTex,  &m.DibFoto, &m.DibBloq};
  for (q::LngArray* a : counts) a->Redim(0, m.NoDib);
  for (int32_t d = 1; d <= m.NoDib; ++d) {
    auto f = r.Fields(8);
    m.DibNombres(d) = Unescape(f[0]);
    m.DibCarpeta(d) = Unescape(f[1]);
    for (size_t c = 0; c < 6; ++c)
      (*counts[c])(d) = r.Int(f[2 + c], -kLong - 1, kLong);
  }
  {
    auto f = r.Fields(5);
    if (f[0] != "counts") r.Fail("expected the entity counts");
    m.nCurvas = r.Int(f[1], 0, kLong);
    m.nCurvasVx = r.Int(f[2], 0, kLong);
    m.nTriangulos = r.Int(f[3], 0, kLong);
    m.nTextos = r.Int(f[4], 0, kLong);
  }
  if (r.Fields(1)[0] != "end") r.Fail("expected the end of the project");
  return m;
}

HostModel LoadProject(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot be opened");
  return ReadProject(in, path);
}

void ExportDxf(const HostModel& m, const std::string& path) {
  gomiat::Sketch s;
  q::ColourService& colours = q::Environment::Current().Colours();
  for (int32_t k = 1; k <= std::max(m.noCapas, 1); ++k) {
    gomiat::SketchLayer l;
    l.name = k <= m.noCapas ? m.LayerName(k) : "0";
    l.colour_value = m.LayerColour(k);
    const int16_t n = colours.ColorNumber(l.colour_value);
    l.colour_number = n >= 1 && n <= 255 ? n : 7;
    l.line_type = static_cast<int16_t>(m.LayerLineType(k));
    s.layers.push_back(std::move(l));
  }
  auto layer_of = [&](int32_t l) {
    return l >= 1 && static_cast<size_t>(l) <= s.layers.size()
               ? static_cast<size_t>(l - 1)
               : 0;
  };
  s.points.resize(static_cast<size_t>(m.Nopun));
  for (int32_t i = 1; i <= m.Nopun; ++i) {
    gomiat::SketchPoint& p = s.points[size_t(i - 1)];
    p.name = m.PointName(i);
    p.x = m.PX(i);
    p.y = m.PY(i);
    p.z = m.PZ(i);
    p.code = m.PointCode(i);
    p.layer = layer_of(m.PointLayer(i));
    p.line = size_t(i);
  }
  for (int32_t k = 1; k <= m.nPolis; ++k) {
    gomiat::SketchPolyline pl;
    pl.layer = layer_of(m.PolylineLayer(k));
    for (int32_t v : m.PolylineVertices(k))
      pl.vertices.push_back(size_t(v - 1));
    if (pl.vertices.size() >= 2) s.polylines.push_back(std::move(pl));
  }
  WriteFile(path, [&](std::ostream& out) { gomiat::WriteDxf(s, out); });
}

void ExportPointsCsv(const HostModel& m, const std::string& path) {
  // One point per line, as survey readers read it: a line break inside a
  // name or code is written as a blank.
  auto field = [](std::string s) {
    std::replace_if(
        s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    if (s.find_first_of(",\"") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
  };
  WriteFile(path, [&](std::ostream& out) {
    out << "name,x,y,z,code,layer\n";
    for (int32_t i = 1; i <= m.Nopun; ++i)
      out << field(m.PointName(i)) << ',' << Number(m.PX(i)) << ','
          << Number(m.PY(i)) << ',' << Number(m.PZ(i)) << ','
          << field(m.PointCode(i)) << ',' << field(m.LayerName(m.PointLayer(i)))
          << '\n';
  });
}

}  // namespace host
