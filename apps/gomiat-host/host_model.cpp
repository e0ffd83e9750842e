#include "host_model.h"

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>

namespace host {

namespace {

template <class T>
T At(const q::Array<T>& a, int32_t i, T fallback) {
  if (!a.IsAllocated() || i < a.LBound() || i > a.UBound()) return fallback;
  return a(i);
}

// Reallocates to 0..n keeping what fits (a tool may hand back arrays of
// other bounds; the model's own are always 0..count).
template <class T>
void Fit(q::Array<T>& a, int32_t n) {
  if (a.IsAllocated() && a.LBound() == 0) {
    if (a.UBound() != n) a.RedimPreserve(n);
    return;
  }
  q::Array<T> fresh(0, n);
  if (a.IsAllocated())
    for (int32_t i = std::max(a.LBound(), 0); i <= std::min(a.UBound(), n); ++i)
      fresh(i) = a(i);
  a = std::move(fresh);
}

constexpr int32_t kWhite = 16777215;

}  // namespace

void Extents::Add(double x, double y) {
  if (empty) {
    min_x = max_x = x;
    min_y = max_y = y;
    empty = false;
    return;
  }
  min_x = std::min(min_x, x);
  max_x = std::max(max_x, x);
  min_y = std::min(min_y, y);
  max_y = std::max(max_y, y);
}

HostModel::HostModel() { Clear(); }

void HostModel::Clear() {
  Nopun = 0;
  for (auto* a : {&X, &Y, &Z}) a->Redim(0, 0);
  Nombre.Redim(0, 0);
  Codigo.Redim(0, 0);
  Nivel.Redim(0, 0);
  CapaPuntos.Redim(0, 0);
  // A new drawing has the CAD's layer "0", on, white, continuous.
  noCapas = 1;
  Capas = q::StrArray::FromItems({"0"});
  Estado = q::StrArray::FromItems({"Si"});
  colorr = q::LngArray::FromItems({kWhite});
  grosor = q::LngArray::FromItems({0});
  Tipolin = q::LngArray::FromItems({0});
  Principal = 1;
  nPolis = 0;
  Polis.Redim(0, 0);
  NoDib = 0;
  DibNombres.Redim(0, 0);
  DibCarpeta.Redim(0, 0);
  for (auto* a : {&DibPtos, &DibPoli, &DibTri, &DibTex, &DibFoto, &DibBloq})
    a->Redim(0, 0);
  nCurvas = nCurvasVx = nTriangulos = nTextos = 0;
}

void HostModel::AddSurvey(const std::string& name,
                          const std::vector<gomiat::SurveyPoint>& points) {
  const size_t limit = static_cast<size_t>(std::numeric_limits<int32_t>::max());
  if (points.size() >= limit - static_cast<size_t>(Nopun))
    throw std::runtime_error("too many points for one drawing");
  const int32_t first = Nopun + 1;
  Nopun += static_cast<int32_t>(points.size());
  NormalisePoints();
  const auto layer = static_cast<int16_t>(
      Principal >= 1 && Principal <= noCapas ? Principal : 1);
  for (int32_t i = first; i <= Nopun; ++i) {
    const gomiat::SurveyPoint& p = points[static_cast<size_t>(i - first)];
    X(i) = p.x;
    Y(i) = p.y;
    Z(i) = p.z;
    Nombre(i) = p.name;
    Codigo(i) = p.code;
    Nivel(i) = 0;
    CapaPuntos(i) = layer;
  }
  ++NoDib;
  DibNombres.RedimPreserve(NoDib);
  DibCarpeta.RedimPreserve(NoDib);
  for (auto* a : {&DibPtos, &DibPoli, &DibTri, &DibTex, &DibFoto, &DibBloq})
    Fit(*a, NoDib);
  DibNombres(NoDib) = name;
  DibCarpeta(NoDib) = "Planta";
  DibPtos(NoDib) = static_cast<int32_t>(points.size());
  DibBloq(NoDib) = NoDib;
  UpdateDrawingCounts();
}

double HostModel::PX(int32_t i) const { return At(X, i, 0.0); }
double HostModel::PY(int32_t i) const { return At(Y, i, 0.0); }
double HostModel::PZ(int32_t i) const { return At(Z, i, 0.0); }
std::string HostModel::PointName(int32_t i) const {
  return At(Nombre, i, std::string());
}
std::string HostModel::PointCode(int32_t i) const {
  return At(Codigo, i, std::string());
}
int32_t HostModel::PointLayer(int32_t i) const {
  return At<int16_t>(CapaPuntos, i, 0);
}
std::string HostModel::LayerName(int32_t layer) const {
  return At(Capas, layer, std::string());
}
bool HostModel::LayerOn(int32_t layer) const {
  return At(Estado, layer, std::string("Si")) != "No";
}
int32_t HostModel::LayerColour(int32_t layer) const {
  const int32_t c = At(colorr, layer, kWhite);
  return c == 0 ? kWhite : c;  // 0: no colour set
}
int32_t HostModel::LayerThickness(int32_t layer) const {
  return At(grosor, layer, 0);
}
int32_t HostModel::LayerLineType(int32_t layer) const {
  const int32_t t = At(Tipolin, layer, 0);
  return t >= 0 && t <= 4 ? t : 0;
}

int32_t HostModel::PolylineLayer(int32_t k) const {
  if (k < 1 || k > nPolis) return 0;
  return At(Polis, k, q::T_ConexAutocro()).Capa;
}

std::vector<int32_t> HostModel::PolylineVertices(int32_t k) const {
  std::vector<int32_t> out;
  if (k < 1 || k > nPolis || !Polis.IsAllocated() || k > Polis.UBound() ||
      k < Polis.LBound())
    return out;
  const q::T_ConexAutocro& p = Polis(k);
  for (int32_t v = 1; v <= p.nVer; ++v) {
    const int32_t pt = At(p.ver, v, 0);
    if (pt >= 1 && pt <= Nopun) out.push_back(pt);
  }
  return out;
}

Extents HostModel::PointExtents() const {
  Extents e;
  for (int32_t i = 1; i <= Nopun; ++i) e.Add(PX(i), PY(i));
  return e;
}

LayerCounts HostModel::CountsPerLayer() const {
  LayerCounts c;
  for (auto* a : {&c.PunCp, &c.PolCp, &c.PlVCp, &c.texCp}) a->Redim(0, noCapas);
  for (int32_t i = 1; i <= Nopun; ++i) {
    const int32_t l = PointLayer(i);
    if (l >= 1 && l <= noCapas) ++c.PunCp(l);
  }
  for (int32_t k = 1; k <= nPolis; ++k) {
    const int32_t l = PolylineLayer(k);
    if (l < 1 || l > noCapas) continue;
    ++c.PolCp(l);
    c.PlVCp(l) += static_cast<int32_t>(PolylineVertices(k).size());
  }
  return c;
}

q::udt_Entidades HostModel::Entities() const {
  q::udt_Entidades e;
  e.Ptos = Nopun;
  e.Poli = nPolis;
  for (int32_t k = 1; k <= nPolis; ++k)
    e.PoliVx += static_cast<int32_t>(PolylineVertices(k).size());
  e.Curv = nCurvas;
  e.CurvVx = nCurvasVx;
  e.Tria = nTriangulos;
  e.Rotu = nTextos;
  return e;
}

std::vector<std::string> HostModel::LayerNames() const {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= noCapas; ++i) names.push_back(LayerName(i));
  return names;
}

void HostModel::AlignLayerAttributes(
    const std::vector<std::string>& old_names) {
  struct Attr {
    std::string estado;
    int32_t colour, thickness, type;
  };
  std::map<std::string, Attr> by_name;
  for (size_t i = old_names.size(); i-- > 0;) {  // the first one wins
    const auto k = static_cast<int32_t>(i + 1);
    by_name[old_names[i]] = {At(Estado, k, std::string("Si")),
                             At(colorr, k, kWhite), At(grosor, k, 0),
                             At(Tipolin, k, 0)};
  }
  if (noCapas < 0) noCapas = 0;
  Fit(Capas, noCapas);
  q::StrArray estado(0, noCapas);
  q::LngArray colour(0, noCapas), thickness(0, noCapas), type(0, noCapas);
  for (int32_t k = 1; k <= noCapas; ++k) {
    auto it = by_name.find(Capas(k));
    const Attr a = it != by_name.end() ? it->second : Attr{"Si", kWhite, 0, 0};
    estado(k) = a.estado;
    colour(k) = a.colour;
    thickness(k) = a.thickness;
    type(k) = a.type;
  }
  Estado = std::move(estado);
  colorr = std::move(colour);
  grosor = std::move(thickness);
  Tipolin = std::move(type);
  if (Principal < 1 || Principal > noCapas) Principal = 1;
}

void HostModel::FitLayerArrays() {
  if (noCapas < 0) noCapas = 0;
  Fit(Capas, noCapas);
  Fit(Estado, noCapas);
  for (auto* a : {&colorr, &grosor, &Tipolin}) Fit(*a, noCapas);
  if (Principal < 1 || Principal > noCapas) Principal = 1;
}

void HostModel::NormalisePoints() {
  if (Nopun < 0) Nopun = 0;
  for (auto* a : {&X, &Y, &Z}) Fit(*a, Nopun);
  Fit(Nombre, Nopun);
  Fit(Codigo, Nopun);
  Fit(Nivel, Nopun);
  Fit(CapaPuntos, Nopun);
  if (nPolis < 0) nPolis = 0;
  Fit(Polis, nPolis);
  int32_t kept = 0;
  for (int32_t k = 1; k <= nPolis; ++k) {
    std::vector<int32_t> v = PolylineVertices(k);
    if (v.size() < 2) continue;  // nothing left to draw
    q::T_ConexAutocro p = Polis(k);
    p.nVer = static_cast<int32_t>(v.size());
    p.ver.Redim(0, p.nVer);
    for (int32_t i = 1; i <= p.nVer; ++i) p.ver(i) = v[size_t(i - 1)];
    Polis(++kept) = std::move(p);
  }
  if (kept != nPolis) {
    nPolis = kept;
    Polis.RedimPreserve(nPolis);
  }
}

void HostModel::UpdateDrawingCounts() {
  if (NoDib < 1) return;
  for (auto* a : {&DibPtos, &DibPoli, &DibTri, &DibTex, &DibFoto, &DibBloq})
    Fit(*a, NoDib);
  // Drawing d holds the points after those of the drawings before it; the
  // last one takes what a points editor added or removed.
  std::vector<int32_t> last_point(static_cast<size_t>(NoDib) + 1, 0);
  int32_t sum = 0;
  for (int32_t d = 1; d <= NoDib; ++d) {
    if (d == NoDib) DibPtos(d) = std::max(0, Nopun - sum);
    sum += std::max(0, DibPtos(d));
    last_point[static_cast<size_t>(d)] = sum;
    DibPoli(d) = 0;
  }
  for (int32_t k = 1; k <= nPolis; ++k) {
    const std::vector<int32_t> v = PolylineVertices(k);
    if (v.empty()) continue;
    int32_t d = 1;
    while (d < NoDib && v.front() > last_point[static_cast<size_t>(d)]) ++d;
    ++DibPoli(d);
  }
}

}  // namespace host
