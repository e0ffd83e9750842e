#include "plan_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace host {

namespace {

constexpr double kPickPixels = 6;

double SegmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double len2 = QPointF::dotProduct(d, d);
  double t = len2 > 0 ? QPointF::dotProduct(p - a, d) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const QPointF q = a + t * d - p;
  return std::sqrt(QPointF::dotProduct(q, q));
}

}  // namespace

PlanView::PlanView(const HostModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setMouseTracking(true);
  setMinimumSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  ModelChanged();
}

void PlanView::ModelChanged() {
  index_.Build(model_);
  if (marks_.marked_point > model_.Nopun) marks_.marked_point = 0;
  if (size_t(marks_.selected_polyline) > index_.PolylineCount())
    marks_.selected_polyline = 0;
  if (!fitted_ && !index_.Empty()) FitExtents();
  Redraw();
}

void PlanView::StyleChanged() { Redraw(); }

void PlanView::Redraw() {
  dirty_ = true;
  update();
}

void PlanView::FitExtents() {
  view_.w = std::max(width(), 1);
  view_.h = std::max(height(), 1);
  if (index_.PointCount() > 0) {
    view_.Fit(index_.Bounds());
    fitted_ = true;
  }
  Redraw();
}

void PlanView::CentreOn(int32_t point) {
  if (point < 1 || point > model_.Nopun) return;
  view_.cx = model_.PX(point);
  view_.cy = model_.PY(point);
  Redraw();
}

void PlanView::MarkPoint(int32_t point) {
  marks_.marked_point = point >= 1 && point <= model_.Nopun ? point : 0;
  Redraw();
}

void PlanView::ZoomAt(double factor, QPointF screen) {
  if (!(factor > 0)) return;
  double x, y;
  view_.ToWorld(screen, x, y);
  view_.scale = std::clamp(view_.scale * factor, 1e-9, 1e9);
  // The world point stays under the cursor.
  view_.cx = x - (screen.x() - view_.w / 2.0) / view_.scale;
  view_.cy = y + (screen.y() - view_.h / 2.0) / view_.scale;
  Redraw();
}

void PlanView::ZoomOnPoint(bool in, int32_t point) {
  CentreOn(point);
  ZoomAt(in ? 2.0 : 0.5, QPointF(view_.w / 2.0, view_.h / 2.0));
}

void PlanView::Pan(QPointF by) {
  view_.cx -= by.x() / view_.scale;
  view_.cy += by.y() / view_.scale;
  Redraw();
}

int32_t PlanView::PointAt(QPointF screen) const {
  double x, y;
  view_.ToWorld(screen, x, y);
  const int32_t p = index_.Nearest(x, y, kPickPixels / view_.scale);
  return p >= 1 && model_.LayerOn(model_.PointLayer(p)) ? p : 0;
}

int32_t PlanView::PolylineAt(QPointF screen) const {
  double x, y;
  view_.ToWorld(screen, x, y);
  const double r = kPickPixels / view_.scale;
  std::vector<int32_t> near;
  index_.PolylinesIn({x - r, y - r, x + r, y + r}, near);
  int32_t best = 0;
  double best_d = kPickPixels;
  for (int32_t k : near) {
    if (!model_.LayerOn(index_.PolylineLayer(k))) continue;
    size_t n = 0;
    const double* xy = index_.PolylineXY(k, n);
    for (size_t v = 1; v < n; ++v) {
      const double d =
          SegmentDistance(screen, view_.ToScreen(xy[2 * v - 2], xy[2 * v - 1]),
                          view_.ToScreen(xy[2 * v], xy[2 * v + 1]));
      if (d < best_d) best_d = d, best = k;
    }
  }
  return best;
}

void PlanView::paintEvent(QPaintEvent*) {
  const qreal dpr = devicePixelRatioF();
  const QSize size(std::max(1, int(width() * dpr)),
                   std::max(1, int(height() * dpr)));
  if (frame_.size() != size) {
    frame_ = QImage(size, QImage::Format_RGB32);
    dirty_ = true;
  }
  if (dirty_) {
    ViewTransform device = view_;
    device.w = size.width();
    device.h = size.height();
    device.scale *= dpr;
    stats_ = renderer_.Render(frame_, model_, index_, device, marks_);
    dirty_ = false;
  }
  frame_.setDevicePixelRatio(dpr);
  QPainter(this).drawImage(0, 0, frame_);
}

void PlanView::resizeEvent(QResizeEvent*) {
  view_.w = std::max(width(), 1);
  view_.h = std::max(height(), 1);
  if (!fitted_) FitExtents();
  Redraw();
}

void PlanView::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  pressed_ = true;
  dragging_ = false;
  press_ = last_ = e->position();
}

void PlanView::mouseMoveEvent(QMouseEvent* e) {
  if (on_cursor) {
    double x, y;
    view_.ToWorld(e->position(), x, y);
    on_cursor(x, y);
  }
  if (!pressed_) return;
  if (!dragging_ && (e->position() - press_).manhattanLength() < 4) return;
  dragging_ = true;
  Pan(e->position() - last_);
  last_ = e->position();
}

void PlanView::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (dragging_) return;
  if (const int32_t p = PointAt(e->position())) {
    MarkPoint(p);
    if (on_point_picked) on_point_picked(p);
    return;
  }
  marks_.selected_polyline = PolylineAt(e->position());
  Redraw();
  if (on_polyline_picked) on_polyline_picked(marks_.selected_polyline);
}

void PlanView::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const int32_t p = PointAt(e->position());
  if (p != 0 && on_point_double_clicked) on_point_double_clicked(p);
}

void PlanView::wheelEvent(QWheelEvent* e) {
  const double steps = e->angleDelta().y() / 120.0;
  if (steps != 0) ZoomAt(std::pow(1.25, steps), e->position());
  e->accept();
}

}  // namespace host
