#include "spatial_index.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {

// About this many points to a cell: few enough that a query's edge cells
// add little, many enough that the cell table stays small.
constexpr double kPointsPerCell = 16;
// A polyline whose box touches more cells than this is tested by its box.
constexpr int64_t kMaxCellsPerPolyline = 64;

}  // namespace

int32_t SpatialIndex::CellX(double x) const {
  const double c = std::floor((x - bounds_.min_x) / cell_w_);
  return static_cast<int32_t>(std::clamp(c, 0.0, double(nx_ - 1)));
}

int32_t SpatialIndex::CellY(double y) const {
  const double c = std::floor((y - bounds_.min_y) / cell_h_);
  return static_cast<int32_t>(std::clamp(c, 0.0, double(ny_ - 1)));
}

void SpatialIndex::CellRange(const Box& b, int32_t& x0, int32_t& y0,
                             int32_t& x1, int32_t& y1) const {
  x0 = CellX(b.min_x);
  x1 = CellX(b.max_x);
  y0 = CellY(b.min_y);
  y1 = CellY(b.max_y);
}

void SpatialIndex::Build(const HostModel& m) {
  *this = SpatialIndex();
  Extents e = m.PointExtents();
  if (e.empty) e.Add(0, 0);
  bounds_ = {e.min_x, e.min_y, e.max_x, e.max_y};
  const double w = std::max(bounds_.max_x - bounds_.min_x, 1e-9);
  const double h = std::max(bounds_.max_y - bounds_.min_y, 1e-9);
  const double cells = std::max(1.0, m.Nopun / kPointsPerCell);
  // Square cells, as many as the points ask for, at most 4096 a side.
  const double side = std::sqrt(w * h / cells);
  nx_ = static_cast<int32_t>(std::clamp(std::ceil(w / side), 1.0, 4096.0));
  ny_ = static_cast<int32_t>(std::clamp(std::ceil(h / side), 1.0, 4096.0));
  cell_w_ = w / nx_;
  cell_h_ = h / ny_;
  const size_t ncells = size_t(nx_) * size_t(ny_);

  // Points, counting sort by cell.
  std::vector<uint32_t> cell_of(static_cast<size_t>(m.Nopun));
  point_start_.assign(ncells + 1, 0);
  for (int32_t i = 1; i <= m.Nopun; ++i) {
    const auto c = uint32_t(CellY(m.PY(i)) * nx_ + CellX(m.PX(i)));
    cell_of[size_t(i - 1)] = c;
    ++point_start_[c + 1];
  }
  for (size_t c = 0; c < ncells; ++c) point_start_[c + 1] += point_start_[c];
  points_.resize(size_t(m.Nopun));
  std::vector<uint32_t> fill(point_start_.begin(), point_start_.end() - 1);
  for (int32_t i = 1; i <= m.Nopun; ++i)
    points_[fill[cell_of[size_t(i - 1)]]++] = {i, m.PointLayer(i), m.PX(i),
                                               m.PY(i)};

  // Polylines: flat vertices and boxes.
  const auto np = static_cast<size_t>(std::max(m.nPolis, 0));
  poly_start_.reserve(np + 1);
  poly_start_.push_back(0);
  for (int32_t k = 1; k <= m.nPolis; ++k) {
    Box b{1, 1, -1, -1};
    bool first = true;
    for (int32_t v : m.PolylineVertices(k)) {
      const double x = m.PX(v), y = m.PY(v);
      poly_xy_.push_back(x);
      poly_xy_.push_back(y);
      if (first) b = {x, y, x, y};
      b.min_x = std::min(b.min_x, x), b.max_x = std::max(b.max_x, x);
      b.min_y = std::min(b.min_y, y), b.max_y = std::max(b.max_y, y);
      first = false;
    }
    poly_start_.push_back(uint32_t(poly_xy_.size() / 2));
    poly_box_.push_back(b);
    poly_layer_.push_back(m.PolylineLayer(k));
  }
  seen_.assign(np, 0);

  // Polylines by cell, in two passes (count, then place).
  cell_poly_start_.assign(ncells + 1, 0);
  auto each_cell = [&](size_t k, auto&& f) {
    const Box& b = poly_box_[k];
    if (b.min_x > b.max_x) return false;  // no vertices
    int32_t x0, y0, x1, y1;
    CellRange(b, x0, y0, x1, y1);
    if (int64_t(x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCellsPerPolyline)
      return true;
    for (int32_t y = y0; y <= y1; ++y)
      for (int32_t x = x0; x <= x1; ++x) f(size_t(y) * size_t(nx_) + x);
    return false;
  };
  for (size_t k = 0; k < np; ++k)
    if (each_cell(k, [&](size_t c) { ++cell_poly_start_[c + 1]; }))
      wide_polys_.push_back(int32_t(k + 1));
  for (size_t c = 0; c < ncells; ++c)
    cell_poly_start_[c + 1] += cell_poly_start_[c];
  cell_polys_.resize(cell_poly_start_.back());
  fill.assign(cell_poly_start_.begin(), cell_poly_start_.end() - 1);
  for (size_t k = 0; k < np; ++k)
    each_cell(k, [&](size_t c) { cell_polys_[fill[c]++] = int32_t(k + 1); });
}

void SpatialIndex::PointsIn(const Box& box,
                            std::vector<IndexedPoint>& out) const {
  out.clear();
  if (points_.empty() || !box.Overlaps(bounds_)) return;
  int32_t x0, y0, x1, y1;
  CellRange(box, x0, y0, x1, y1);
  for (int32_t y = y0; y <= y1; ++y) {
    // The cells of one row are consecutive: one copy per row.
    const size_t a = point_start_[size_t(y) * size_t(nx_) + size_t(x0)];
    const size_t b = point_start_[size_t(y) * size_t(nx_) + size_t(x1) + 1];
    out.insert(out.end(), points_.begin() + ptrdiff_t(a),
               points_.begin() + ptrdiff_t(b));
  }
}

size_t SpatialIndex::CountPointsIn(const Box& box) const {
  if (points_.empty() || !box.Overlaps(bounds_)) return 0;
  int32_t x0, y0, x1, y1;
  CellRange(box, x0, y0, x1, y1);
  size_t n = 0;
  for (int32_t y = y0; y <= y1; ++y)
    n += point_start_[size_t(y) * size_t(nx_) + size_t(x1) + 1] -
         point_start_[size_t(y) * size_t(nx_) + size_t(x0)];
  return n;
}

void SpatialIndex::PolylinesIn(const Box& box,
                               std::vector<int32_t>& out) const {
  out.clear();
  if (poly_box_.empty()) return;
  if (++stamp_ == 0) {  // wrapped: forget every old stamp
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  auto take = [&](int32_t k) {
    uint32_t& s = seen_[size_t(k - 1)];
    if (s == stamp_) return;
    s = stamp_;
    if (poly_box_[size_t(k - 1)].Overlaps(box)) out.push_back(k);
  };
  for (int32_t k : wide_polys_) take(k);
  ForEachInCells(box, cell_poly_start_,
                 [&](uint32_t i) { take(cell_polys_[i]); });
}

int32_t SpatialIndex::Nearest(double x, double y, double radius) const {
  std::vector<IndexedPoint> near;
  PointsIn({x - radius, y - radius, x + radius, y + radius}, near);
  int32_t best = 0;
  double best_d = radius * radius;
  for (const IndexedPoint& p : near) {
    const double d = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
    if (d <= best_d) {
      best_d = d;
      best = p.id;
    }
  }
  return best;
}

const double* SpatialIndex::PolylineXY(int32_t k, size_t& vertices) const {
  const size_t a = poly_start_[size_t(k - 1)], b = poly_start_[size_t(k)];
  vertices = b - a;
  return poly_xy_.data() + 2 * a;
}

}  // namespace host
