#include "plan_render.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace host {

namespace {

const QColor kBackground(24, 26, 30);
const QColor kMark(255, 64, 64);

constexpr Qt::PenStyle kLineStyles[5] = {Qt::SolidLine, Qt::DashLine,
                                         Qt::DotLine, Qt::DashDotLine,
                                         Qt::DashDotDotLine};

}  // namespace

Box ViewTransform::Visible() const {
  double x0, y0, x1, y1;
  ToWorld({0, double(h)}, x0, y0);
  ToWorld({double(w), 0}, x1, y1);
  return {x0, y0, x1, y1};
}

void ViewTransform::Fit(const Box& b) {
  cx = (b.min_x + b.max_x) / 2;
  cy = (b.min_y + b.max_y) / 2;
  const double bw = std::max(b.max_x - b.min_x, 1e-6);
  const double bh = std::max(b.max_y - b.min_y, 1e-6);
  scale = 0.92 * std::min(w / bw, h / bh);
  if (!std::isfinite(scale) || scale <= 0) scale = 1;
}

QColor ColourOf(int32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QPen LayerPen(const HostModel& model, int32_t layer) {
  QPen pen(ColourOf(model.LayerColour(layer)));
  pen.setWidth(std::clamp(model.LayerThickness(layer), 1, 16));
  pen.setStyle(kLineStyles[model.LayerLineType(layer)]);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

RenderStats PlanRenderer::Render(QImage& image, const HostModel& model,
                                 const SpatialIndex& index,
                                 const ViewTransform& view,
                                 const RenderMarks& marks) {
  RenderStats stats;
  image.fill(kBackground);
  const Box visible = view.Visible();
  // Per layer (0: none): shown, colour. What is outside the list is shown
  // white, as the CAD shows an entity on an unknown layer.
  const auto nl = size_t(std::max(model.noCapas, 0)) + 1;
  std::vector<char> on(nl, 1);
  std::vector<QRgb> rgb(nl, qRgb(255, 255, 255));
  for (size_t l = 1; l < nl; ++l) {
    on[l] = model.LayerOn(int32_t(l));
    rgb[l] = ColourOf(model.LayerColour(int32_t(l))).rgb();
  }
  auto layer_slot = [&](int32_t l) {
    return l >= 1 && size_t(l) < nl ? size_t(l) : size_t(0);
  };

  QPainter p(&image);
  // Polylines, a pen change only where the layer changes.
  index.PolylinesIn(visible, polylines_);
  const bool styled = polylines_.size() < kStyledPolylines;
  std::stable_sort(polylines_.begin(), polylines_.end(),
                   [&](int32_t a, int32_t b) {
                     return index.PolylineLayer(a) < index.PolylineLayer(b);
                   });
  int32_t pen_layer = -1;
  auto draw_polyline = [&](int32_t k) {
    size_t n = 0;
    const double* xy = index.PolylineXY(k, n);
    path_.clear();
    int64_t last_x = INT64_MIN, last_y = INT64_MIN;
    for (size_t v = 0; v < n; ++v) {
      const QPointF s = view.ToScreen(xy[2 * v], xy[2 * v + 1]);
      // Vertices in the pixel of the one before add nothing.
      const auto px = int64_t(std::floor(s.x())),
                 py = int64_t(std::floor(s.y()));
      if (px == last_x && py == last_y && v + 1 < n) continue;
      last_x = px, last_y = py;
      path_.push_back(s);
    }
    if (path_.size() == 1) path_.push_back(path_.front());
    p.drawPolyline(path_.data(), int(path_.size()));
  };
  for (int32_t k : polylines_) {
    const int32_t layer = index.PolylineLayer(k);
    if (!on[layer_slot(layer)]) continue;
    if (layer != pen_layer) {
      pen_layer = layer;
      p.setPen(styled ? LayerPen(model, layer)
                      : QPen(QColor::fromRgb(rgb[layer_slot(layer)]), 0));
    }
    draw_polyline(k);
    ++stats.polylines;
  }
  if (marks.selected_polyline >= 1 &&
      size_t(marks.selected_polyline) <= index.PolylineCount()) {
    QPen pen = LayerPen(model, index.PolylineLayer(marks.selected_polyline));
    pen.setWidth(pen.width() + 3);
    pen.setStyle(Qt::SolidLine);
    p.setPen(pen);
    draw_polyline(marks.selected_polyline);
  }

  // Points.
  index.PointsIn(visible, points_);
  stats.detailed = points_.size() <= kNamedPoints;
  if (!stats.detailed) {
    // Very many: one pixel each, written straight into the image.
    p.end();
    const int w = image.width(), h = image.height();
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const auto stride = size_t(image.bytesPerLine()) / sizeof(QRgb);
    for (const IndexedPoint& pt : points_) {
      const size_t l = layer_slot(model.PointLayer(pt.id));
      if (!on[l]) continue;
      const QPointF s = view.ToScreen(pt.x, pt.y);
      const double sx = std::floor(s.x()), sy = std::floor(s.y());
      if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
      bits[size_t(sy) * stride + size_t(sx)] = rgb[l];
      ++stats.points;
    }
    p.begin(&image);
  } else {
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (const IndexedPoint& pt : points_) {
      const size_t l = layer_slot(model.PointLayer(pt.id));
      if (!on[l]) continue;
      const QPointF s = view.ToScreen(pt.x, pt.y);
      if (s.x() < -50 || s.y() < -20 || s.x() > view.w + 5 ||
          s.y() > view.h + 20)
        continue;
      p.setPen(QColor::fromRgb(rgb[l]));
      p.drawLine(s + QPointF(-2, 0), s + QPointF(2, 0));
      p.drawLine(s + QPointF(0, -2), s + QPointF(0, 2));
      ++stats.points;
      const std::string name = model.PointName(pt.id);
      if (!name.empty()) {
        p.drawText(s + QPointF(4, -3), QString::fromStdString(name));
        ++stats.names;
      }
    }
  }
  if (marks.marked_point >= 1 && marks.marked_point <= model.Nopun) {
    const QPointF s = view.ToScreen(model.PX(marks.marked_point),
                                    model.PY(marks.marked_point));
    p.setPen(QPen(kMark, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(s, 8, 8);
    p.drawLine(s + QPointF(-12, 0), s + QPointF(12, 0));
    p.drawLine(s + QPointF(0, -12), s + QPointF(0, 12));
  }
  return stats;
}

}  // namespace host
