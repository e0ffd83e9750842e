// The plan view: the model drawn from its spatial index into an image
// that is kept until something changes. Drag pans, the wheel zooms around
// the cursor, a click picks a point (or else a polyline), a double click
// asks for the point editor.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "host_model.h"
#include "plan_render.h"
#include "spatial_index.h"

namespace host {

class PlanView : public QWidget {
 public:
  PlanView(const HostModel& model, QWidget* parent = nullptr);

  // The points or polylines changed: the index is built again.
  void ModelChanged();
  // Only layer states, colours or line types changed.
  void StyleChanged();
  void FitExtents();
  void CentreOn(int32_t point);
  void MarkPoint(int32_t point);
  // Zooms by `factor` keeping the world point under `screen` in place.
  void ZoomAt(double factor, QPointF screen);
  void ZoomOnPoint(bool in, int32_t point);
  void Pan(QPointF by);

  const ViewTransform& Transform() const { return view_; }
  int32_t MarkedPoint() const { return marks_.marked_point; }
  int32_t SelectedPolyline() const { return marks_.selected_polyline; }
  QPen PenOf(int32_t layer) const { return LayerPen(model_, layer); }
  const RenderStats& LastStats() const { return stats_; }
  const SpatialIndex& Index() const { return index_; }
  // The point under a screen position (6 pixels around), 0 when none.
  int32_t PointAt(QPointF screen) const;
  int32_t PolylineAt(QPointF screen) const;

  std::function<void(int32_t point)> on_point_picked;
  std::function<void(int32_t polyline)> on_polyline_picked;
  std::function<void(int32_t point)> on_point_double_clicked;
  std::function<void(double x, double y)> on_cursor;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void wheelEvent(QWheelEvent*) override;

 private:
  void Redraw();

  const HostModel& model_;
  SpatialIndex index_;
  PlanRenderer renderer_;
  ViewTransform view_;
  RenderMarks marks_;
  RenderStats stats_;
  QImage frame_;
  bool dirty_ = true;
  bool fitted_ = false;
  QPointF press_, last_;
  bool dragging_ = false, pressed_ = false;
};

}  // namespace host
