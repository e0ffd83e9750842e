// The survey as the host keeps it: the parallel arrays the component's
// classes take by reference (points, layers, polylines, drawings) and the
// counts of the other entities. Every array is allocated 0 to its count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "point_file.h"
#include "qdr2_gomiat/qdr2_gomiat.h"

namespace host {

namespace q = qdr2_Gomiat;

// Counts per layer, as the layer editor shows them.
struct LayerCounts {
  q::LngArray PunCp, PolCp, PlVCp, texCp;
};

struct Extents {
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
  bool empty = true;
  void Add(double x, double y);
};

class HostModel {
 public:
  HostModel();

  // Points: 1..Nopun.
  int32_t Nopun = 0;
  q::DblArray X, Y, Z;
  q::StrArray Nombre, Codigo;
  q::LngArray Nivel;
  q::IntArray CapaPuntos;

  // Layers: 1..noCapas. Estado is "Si" or "No".
  int32_t noCapas = 0;
  q::StrArray Capas, Estado;
  q::LngArray colorr, grosor, Tipolin;
  int32_t Principal = 1;

  // Polylines: 1..nPolis, vertices are point numbers.
  int32_t nPolis = 0;
  q::Array<q::T_ConexAutocro> Polis;

  // Drawings: 1..NoDib; each opened survey is one.
  int32_t NoDib = 0;
  q::StrArray DibNombres, DibCarpeta;
  q::LngArray DibPtos, DibPoli, DibTri, DibTex, DibFoto, DibBloq;

  // Entities the host holds no geometry for, only counts.
  int32_t nCurvas = 0, nCurvasVx = 0, nTriangulos = 0, nTextos = 0;

  void Clear();
  // Appends the survey's points on the principal layer and a drawing
  // named `name` of kind "Planta".
  void AddSurvey(const std::string& name,
                 const std::vector<gomiat::SurveyPoint>& points);

  // Checked readers: what a tool left beyond an array's bounds reads as
  // the fallback, never out of bounds.
  double PX(int32_t i) const;
  double PY(int32_t i) const;
  double PZ(int32_t i) const;
  std::string PointName(int32_t i) const;
  std::string PointCode(int32_t i) const;
  int32_t PointLayer(int32_t i) const;
  std::string LayerName(int32_t layer) const;
  bool LayerOn(int32_t layer) const;
  int32_t LayerColour(int32_t layer) const;  // 0x00BBGGRR
  int32_t LayerThickness(int32_t layer) const;
  int32_t LayerLineType(int32_t layer) const;  // 0..4
  // Layer of polyline k (1-based), 0 when it has none.
  int32_t PolylineLayer(int32_t k) const;
  // Vertices of polyline k that are points of the model, in order.
  std::vector<int32_t> PolylineVertices(int32_t k) const;

  Extents PointExtents() const;
  LayerCounts CountsPerLayer() const;
  q::udt_Entidades Entities() const;

  // After a tool rewrote the layer names: the other layer arrays follow
  // the names (by name, or defaults for a new one), and every array is
  // reallocated to the count. `old_names` are the names before the call.
  void AlignLayerAttributes(const std::vector<std::string>& old_names);
  // The five layer arrays reallocated to 0..noCapas, kept by index.
  void FitLayerArrays();
  std::vector<std::string> LayerNames() const;
  // The point arrays reallocated to at least 0..Nopun (a tool may have
  // handed back shorter ones), and polyline vertices that no longer name
  // a point dropped.
  void NormalisePoints();
  // Drawing 1's counts follow the model.
  void UpdateDrawingCounts();
};

}  // namespace host
