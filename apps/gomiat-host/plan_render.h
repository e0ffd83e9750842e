// Drawing of the plan into an image: what lies in the window only, and at
// a level of detail that follows the zoom (names and marks when few points
// show, single pixels and plain lines when very many do).
#pragma once

#include <QImage>
#include <QPen>
#include <QPointF>
#include <cstdint>

#include "host_model.h"
#include "spatial_index.h"

namespace host {

// World to screen: the world point (cx, cy) at the centre of a w by h
// window, `scale` pixels to a drawing unit, Y up.
struct ViewTransform {
  double cx = 0, cy = 0, scale = 1;
  int w = 1, h = 1;
  QPointF ToScreen(double x, double y) const {
    return {w / 2.0 + (x - cx) * scale, h / 2.0 - (y - cy) * scale};
  }
  void ToWorld(QPointF p, double& x, double& y) const {
    x = cx + (p.x() - w / 2.0) / scale;
    y = cy - (p.y() - h / 2.0) / scale;
  }
  Box Visible() const;
  // Centres and scales so the box fills the window with a margin.
  void Fit(const Box& box);
};

// Colour value 0x00BBGGRR of the component as a colour.
QColor ColourOf(int32_t value);
// The pen of a layer: its colour, its line type's dash pattern (0 solid,
// 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot) and its thickness.
QPen LayerPen(const HostModel& model, int32_t layer);

struct RenderMarks {
  int32_t marked_point = 0;       // drawn with a ring (navigation, editor)
  int32_t selected_polyline = 0;  // drawn thicker
};

struct RenderStats {
  size_t points = 0, names = 0, polylines = 0;
  bool detailed = false;  // marks and names rather than pixels
};

// Fewer visible points than this show as marks with their names.
constexpr size_t kNamedPoints = 2500;
// Fewer visible polylines than this keep their dash patterns.
constexpr size_t kStyledPolylines = 20000;

class PlanRenderer {
 public:
  RenderStats Render(QImage& image, const HostModel& model,
                     const SpatialIndex& index, const ViewTransform& view,
                     const RenderMarks& marks);

 private:
  std::vector<IndexedPoint> points_;  // kept between frames: no allocation
  std::vector<int32_t> polylines_;
  std::vector<QPointF> path_;
};

}  // namespace host
