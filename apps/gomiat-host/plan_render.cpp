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

// The image's pixels, for drawing straight into them.
struct Raster {
  QRgb* bits;
  size_t stride;
  double w, h;
  explicit Raster(QImage& image)
      : bits(reinterpret_cast<QRgb*>(image.bits())),
        stride(size_t(image.bytesPerLine()) / sizeof(QRgb)),
        w(image.width()),
        h(image.height()) {}
  void Pixel(int x, int y, QRgb c) { bits[size_t(y) * stride + size_t(x)] = c; }
};

// Cuts the segment a-b to the rectangle (Liang and Barsky); false when
// nothing of it is inside.
bool Clip(QPointF& a, QPointF& b, double x0, double y0, double x1, double y1) {
  if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
      !std::isfinite(b.y()))
    return false;
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - x0, x1 - a.x(), a.y() - y0, y1 - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const QPointF from = a;
  a = from + t0 * QPointF(dx, dy);
  b = from + t1 * QPointF(dx, dy);
  return true;
}

// A one-pixel line clipped to the image first, so a segment far outside
// costs nothing.
void RasterLine(Raster& r, QPointF a, QPointF b, QRgb colour) {
  if (!Clip(a, b, 0, 0, r.w - 1, r.h - 1)) return;
  auto x0 = int(a.x()), y0 = int(a.y());
  const auto x1 = int(b.x()), y1 = int(b.y());
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  const int ex = std::abs(x1 - x0), ey = -std::abs(y1 - y0);
  int err = ex + ey;
  for (;;) {
    r.Pixel(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= ey) err += ey, x0 += sx;
    if (e2 <= ex) err += ex, y0 += sy;
  }
}

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

  // Polylines, a pen change only where the layer changes. Very many show
  // as one-pixel lines drawn straight into the image.
  index.PolylinesIn(visible, polylines_);
  const bool styled = polylines_.size() < kStyledPolylines;
  if (!styled) {
    Raster r(image);
    for (int32_t k : polylines_) {
      const size_t l = layer_slot(index.PolylineLayer(k));
      if (!on[l]) continue;
      ++stats.polylines;
      size_t n = 0;
      const double* xy = index.PolylineXY(k, n);
      if (n == 0) continue;
      QPointF a = view.ToScreen(xy[0], xy[1]);
      const Box& b = index.PolylineBox(k);
      if ((b.max_x - b.min_x) * view.scale < 1 &&
          (b.max_y - b.min_y) * view.scale < 1) {
        RasterLine(r, a, a, rgb[l]);  // within a pixel: a dot
        continue;
      }
      for (size_t v = 1; v < n; ++v) {
        const QPointF c = view.ToScreen(xy[2 * v], xy[2 * v + 1]);
        // Less than a pixel on: wait for a vertex further away.
        if (v + 1 < n && std::abs(c.x() - a.x()) < 1 &&
            std::abs(c.y() - a.y()) < 1)
          continue;
        RasterLine(r, a, c, rgb[l]);
        a = c;
      }
    }
    polylines_.clear();
  } else {
    std::stable_sort(polylines_.begin(), polylines_.end(),
                     [&](int32_t a, int32_t b) {
                       return index.PolylineLayer(a) < index.PolylineLayer(b);
                     });
  }
  QPainter p(&image);
  int32_t pen_layer = -1;
  // Segments are cut to the window and a margin, so a long one seen from
  // close up never makes the painter lay out dashes far off screen.
  const double m = 64;
  auto flush = [&] {
    if (path_.size() == 1) path_.push_back(path_.front());
    if (!path_.empty()) p.drawPolyline(path_.data(), int(path_.size()));
    path_.clear();
  };
  auto draw_polyline = [&](int32_t k) {
    size_t n = 0;
    const double* xy = index.PolylineXY(k, n);
    path_.clear();
    if (n == 1) path_.push_back(view.ToScreen(xy[0], xy[1]));
    QPointF prev = n ? view.ToScreen(xy[0], xy[1]) : QPointF();
    for (size_t v = 1; v < n; ++v) {
      const QPointF next = view.ToScreen(xy[2 * v], xy[2 * v + 1]);
      QPointF a = prev, b = next;
      // Vertices within a pixel of the one before add nothing.
      const bool tiny = std::abs(b.x() - prev.x()) < 1 &&
                        std::abs(b.y() - prev.y()) < 1 && v + 1 < n;
      if (tiny) continue;
      prev = next;
      if (!Clip(a, b, -m, -m, view.w + m, view.h + m)) {
        flush();
        continue;
      }
      if (path_.empty() || path_.back() != a) {
        flush();
        path_.push_back(a);
      }
      path_.push_back(b);
    }
    flush();
  };
  for (int32_t k : polylines_) {
    const int32_t layer = index.PolylineLayer(k);
    if (!on[layer_slot(layer)]) continue;
    if (layer != pen_layer) {
      pen_layer = layer;
      p.setPen(LayerPen(model, layer));
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
  stats.detailed = index.CountPointsIn(visible) <= kNamedPoints;
  if (!stats.detailed) {
    // Very many: one pixel each, written straight into the image.
    p.end();
    Raster r(image);
    index.VisitPointsIn(visible, [&](const IndexedPoint& pt) {
      const size_t l = layer_slot(pt.layer);
      if (!on[l]) return;
      const QPointF s = view.ToScreen(pt.x, pt.y);
      const double sx = std::floor(s.x()), sy = std::floor(s.y());
      if (!(sx >= 0 && sy >= 0 && sx < r.w && sy < r.h)) return;
      r.Pixel(int(sx), int(sy), rgb[l]);
      ++stats.points;
    });
    p.begin(&image);
  } else {
    index.PointsIn(visible, points_);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (const IndexedPoint& pt : points_) {
      const size_t l = layer_slot(pt.layer);
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
