// A uniform grid over the drawing, so a frame visits only what lies in the
// window: points sorted by cell with their coordinates beside them, and
// polylines listed in every cell their bounding box touches (a polyline
// that spans many cells is kept apart and tested by its box). Polyline
// vertices are copied flat so drawing never goes back to the arrays.
#pragma once

#include <cstdint>
#include <vector>

#include "host_model.h"

namespace host {

struct Box {
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
  bool Overlaps(const Box& o) const {
    return min_x <= o.max_x && o.min_x <= max_x && min_y <= o.max_y &&
           o.min_y <= max_y;
  }
};

struct IndexedPoint {
  int32_t id;     // point number in the model
  int32_t layer;  // its layer, as when the index was built
  double x, y;
};

class SpatialIndex {
 public:
  void Build(const HostModel& model);

  // Points in the cells the box touches (a few just outside it too).
  void PointsIn(const Box& box, std::vector<IndexedPoint>& out) const;
  // The same without copying: how many, and each one to `f`.
  size_t CountPointsIn(const Box& box) const;
  template <class F>
  void VisitPointsIn(const Box& box, F&& f) const {
    if (points_.empty()) return;
    ForEachInCells(box, point_start_, [&](uint32_t i) { f(points_[i]); });
  }
  // Polylines whose bounding box meets the box, each once.
  void PolylinesIn(const Box& box, std::vector<int32_t>& out) const;
  // The point nearest (x, y) within `radius`, 0 when none.
  int32_t Nearest(double x, double y, double radius) const;

  size_t PointCount() const { return points_.size(); }
  size_t PolylineCount() const { return poly_box_.size(); }
  // Polyline k is 1-based, as in the model.
  const Box& PolylineBox(int32_t k) const { return poly_box_[size_t(k - 1)]; }
  int32_t PolylineLayer(int32_t k) const { return poly_layer_[size_t(k - 1)]; }
  // Its vertices as x, y pairs.
  const double* PolylineXY(int32_t k, size_t& vertices) const;
  bool Empty() const { return points_.empty() && poly_box_.empty(); }
  const Box& Bounds() const { return bounds_; }

 private:
  // Calls f with every entry of the cells the box meets, row by row; `start`
  // holds each cell's first entry, and one past the last cell's.
  template <class F>
  void ForEachInCells(const Box& box, const std::vector<uint32_t>& start,
                      F&& f) const {
    if (!box.Overlaps(bounds_)) return;
    int32_t x0, y0, x1, y1;
    CellRange(box, x0, y0, x1, y1);
    for (int32_t y = y0; y <= y1; ++y) {
      const size_t row = size_t(y) * size_t(nx_);
      for (uint32_t i = start[row + size_t(x0)];
           i < start[row + size_t(x1) + 1]; ++i)
        f(i);
    }
  }
  void CellRange(const Box& box, int32_t& x0, int32_t& y0, int32_t& x1,
                 int32_t& y1) const;
  int32_t CellX(double x) const;
  int32_t CellY(double y) const;

  Box bounds_;
  int32_t nx_ = 1, ny_ = 1;
  double cell_w_ = 1, cell_h_ = 1;
  std::vector<uint32_t> point_start_;  // per cell, into points_
  std::vector<IndexedPoint> points_;
  std::vector<uint32_t> poly_start_;  // per polyline, into poly_xy_ pairs
  std::vector<double> poly_xy_;
  std::vector<Box> poly_box_;
  std::vector<int32_t> poly_layer_;
  std::vector<uint32_t> cell_poly_start_;  // per cell, into cell_polys_
  std::vector<int32_t> cell_polys_;
  std::vector<int32_t> wide_polys_;     // spanning too many cells to list
  mutable std::vector<uint32_t> seen_;  // per polyline: last query's stamp
  mutable uint32_t stamp_ = 0;
};

}  // namespace host
