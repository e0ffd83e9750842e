// A line shape: drawn on its container, below the windowed controls, and
// never in the way of the mouse.
#pragma once

#include <QWidget>
#include <memory>

#include "frame/ui/controls.h"
#include "platform/qt/control_binding.h"

namespace qdr2_Gomiat::qt {

class LineShapeWidget : public QWidget {
  Q_OBJECT
 public:
  explicit LineShapeWidget(QWidget* parent);
  // End points relative to the widget, in pixels.
  void SetLine(QPoint from, QPoint to, int width, int16_t style);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPoint from_, to_;
  int width_ = 1;
  int16_t style_ = ui::LineShape::kSolid;
};

std::unique_ptr<ControlBinding> MakeLineShapeBinding(ui::LineShape& line,
                                                     QWidget* parent);

}  // namespace qdr2_Gomiat::qt
