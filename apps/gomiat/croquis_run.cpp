#include "croquis_run.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "autosketch/code_table.h"
#include "autosketch/code_table_file.h"
#include "frame/atomic_file.h"
#include "frame/environment.h"
#include "qdr2_gomiat/qdr2_gomiat.h"

namespace gomiat {

namespace q = qdr2_Gomiat;

namespace {

std::runtime_error Broken(const std::string& what) {
  return std::runtime_error("the automatic sketch returned " + what);
}

// Palette number of a returned colour value; 7 (white/black, the CAD
// default) for a layer no code coloured and for values off the palette.
int16_t ColourNumber(int32_t value) {
  if (value == 0) return 7;
  const int16_t n = q::Environment::Current().Colours().ColorNumber(value);
  return n >= 1 && n <= 255 ? n : 7;
}

template <class T>
T ItemOr(const q::Array<T>& a, int32_t i, T fallback) {
  if (!a.IsAllocated() || i < a.LBound() || i > a.UBound()) return fallback;
  return a(i);
}

std::vector<SketchLayer> Layers(int32_t n, const q::StrArray& names,
                                const q::LngArray& colours,
                                const q::IntArray& line_types) {
  if (n < 1 || !names.IsAllocated() || names.UBound() < n)
    throw Broken("a layer list that does not hold its count");
  std::vector<SketchLayer> layers;
  for (int32_t i = 1; i <= n; ++i) {
    SketchLayer l;
    l.name = names(i);
    l.colour_value = ItemOr<int32_t>(colours, i, 0);
    l.colour_number = ColourNumber(l.colour_value);
    if (l.colour_value == 0)  // shown as the palette's colour 7
      l.colour_value = q::Environment::Current().Colours().ColorValue(7);
    l.line_type = ItemOr<int16_t>(line_types, i, 0);
    layers.push_back(std::move(l));
  }
  return layers;
}

std::vector<SketchPolyline> Polylines(int32_t n,
                                      const q::Array<q::T_ConexAutocro>& polis,
                                      size_t points, size_t layers) {
  std::vector<SketchPolyline> out;
  if (n <= 0) return out;
  if (!polis.IsAllocated() || polis.UBound() < n)
    throw Broken("fewer polylines than it counts");
  out.reserve(static_cast<size_t>(n));
  for (int32_t k = 1; k <= n; ++k) {
    const q::T_ConexAutocro& p = polis(k);
    SketchPolyline pl;
    if (p.Capa < 1 || static_cast<size_t>(p.Capa) > layers)
      throw Broken("a polyline on layer " + std::to_string(p.Capa) +
                   ", which is not in the layer list");
    pl.layer = static_cast<size_t>(p.Capa - 1);
    if (p.nVer > 0 && (!p.ver.IsAllocated() || p.ver.UBound() < p.nVer))
      throw Broken("a polyline with fewer vertices than it counts");
    pl.vertices.reserve(static_cast<size_t>(std::max(p.nVer, 0)));
    for (int32_t v = 1; v <= p.nVer; ++v) {
      const int32_t point = p.ver(v);
      if (point < 1 || static_cast<size_t>(point) > points)
        throw Broken("a polyline through point " + std::to_string(point) +
                     ", which is not in the survey");
      pl.vertices.push_back(static_cast<size_t>(point - 1));
    }
    out.push_back(std::move(pl));
  }
  return out;
}

}  // namespace

CroquisResult RunCroquis(std::vector<SurveyPoint> points,
                         const std::vector<std::string>& host_layers,
                         const std::vector<std::string>* codes) {
  if (codes != nullptr && codes->size() != points.size())
    throw std::runtime_error("one code field a point is needed");
  if (points.size() >
      static_cast<size_t>(std::numeric_limits<int32_t>::max() - 1))
    throw std::runtime_error("too many points for one sketch");
  if (host_layers.empty() ||
      host_layers.size() >
          static_cast<size_t>(std::numeric_limits<int16_t>::max()))
    throw std::runtime_error("the host layer list must hold 1 to 32767 layers");
  const auto n = static_cast<int32_t>(points.size());

  std::unique_ptr<q::Object> object =
      q::CreateObject("qdr2_Gomiat.c_Autocroquis");
  auto* croquis = dynamic_cast<q::c_Autocroquis*>(object.get());
  if (croquis == nullptr) throw std::runtime_error("c_Autocroquis not found");
  croquis->A_Ver_Codigos = true;

  // The points become the sketch's, and their codes go into the call's
  // array and come back after it: a large survey is held once.
  CroquisResult r;
  Sketch& s = r.sketch;
  s.points = std::move(points);
  q::StrArray codigos(0, n);
  for (int32_t i = 1; i <= n; ++i) {
    SketchPoint& p = s.points[static_cast<size_t>(i - 1)];
    if (codes)
      codigos(i) = (*codes)[static_cast<size_t>(i - 1)];
    else
      codigos(i) = std::move(p.code);
  }
  auto nCapas = static_cast<int32_t>(host_layers.size());
  q::StrArray Capas(0, nCapas);
  for (int32_t i = 1; i <= nCapas; ++i) Capas(i) = host_layers[i - 1];
  q::IntArray CapaP(0, n);
  q::Array<q::T_ConexAutocro> Polis;
  q::LngArray Colo;
  q::IntArray TpLin;
  int32_t nPolis = 0;
  int32_t NoCodig = 0;
  bool Cancela = false;

  croquis->A_Autocroquis5(nPolis, CapaP, Polis, NoCodig, codigos, nCapas, Capas,
                          Colo, TpLin, Cancela);

  r.codes = NoCodig;
  r.cancelled = Cancela;
  if (Cancela) {
    s = Sketch();
    return r;
  }

  s.layers = Layers(nCapas, Capas, Colo, TpLin);
  for (int32_t i = 1; i <= n; ++i) {
    SketchPoint& p = s.points[static_cast<size_t>(i - 1)];
    const int16_t layer = CapaP(i);
    if (layer < 1 || static_cast<size_t>(layer) > s.layers.size())
      throw Broken("point " + p.name + " on layer " + std::to_string(layer) +
                   ", which is not in the layer list");
    p.layer = static_cast<size_t>(layer - 1);
    if (!codes) p.code = std::move(codigos(i));
  }
  s.polylines = Polylines(nPolis, Polis, s.points.size(), s.layers.size());
  return r;
}

size_t AddNumberedCodes(const std::map<std::string, std::string>& numbered) {
  if (numbered.empty()) return 0;
  q::CodeTable table;
  q::LoadCodeTable(table);  // makes the file from the defaults when missing
  auto find = [&](const std::string& code) -> int32_t {
    for (int32_t k = 1; k <= table.count; ++k)
      if (table.codes(k) == code) return k;
    return 0;
  };
  const auto signed_form = [](int32_t v) {
    return (v < 0 ? "" : " ") + std::to_string(v);
  };
  std::string added;
  size_t n = 0;
  for (const auto& [code, base] : numbered) {
    if (find(code) != 0) continue;  // the table's own entry wins
    const int32_t k = find(base);
    added += q::CodeTableFieldBytes(code) + ",," +
             q::CodeTableFieldBytes(k ? table.types(k) : "Lineal") + "," +
             q::CodeTableFieldBytes(k ? table.layers(k) : base) + "," +
             signed_form(k ? table.colours(k) : 7) + "," +
             q::CodeTableFieldBytes(k ? table.lines(k) : "0") + "\r\n";
    ++n;
  }
  if (n > 0) {
    const std::string path = q::CodeTablePath();
    std::string bytes = q::ReadFileBytes(path);
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r')
      bytes += "\r\n";
    q::WriteFileAtomically(path, bytes + added);
  }
  return n;
}

}  // namespace gomiat
