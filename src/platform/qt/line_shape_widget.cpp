#include "platform/qt/line_shape_widget.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace qdr2_Gomiat::qt {

namespace {

// Dash patterns in multiples of the pen width, close to the platform's.
QList<qreal> DashPattern(int16_t style) {
  switch (style) {
    case ui::LineShape::kDash:
      return {6, 3};
    case ui::LineShape::kDot:
      return {1, 2};
    case ui::LineShape::kDashDot:
      return {6, 3, 1, 3};
    case ui::LineShape::kDashDotDot:
      return {6, 2, 1, 2, 1, 2};
    default:
      return {};
  }
}

class LineShapeBinding : public ControlBinding {
 public:
  LineShapeBinding(ui::LineShape& line, QWidget* parent)
      : ControlBinding(line, new LineShapeWidget(parent)), line_(line) {}

  void Sync(const Units& units) override {
    auto* w = static_cast<LineShapeWidget*>(widget());
    const QPoint a(units.ToPxX(line_.X1()), units.ToPxY(line_.Y1()));
    const QPoint b(units.ToPxX(line_.X2()), units.ToPxY(line_.Y2()));
    const int width = std::clamp<int>(line_.BorderWidth(), 1, 100);
    const int margin = width / 2 + 1;
    const QRect box =
        QRect(a, b).normalized().adjusted(-margin, -margin, margin, margin);
    w->setGeometry(box);
    w->SetLine(a - box.topLeft(), b - box.topLeft(), width,
               line_.BorderStyle());
    w->setVisible(line_.Visible());
  }

 private:
  ui::LineShape& line_;
};

}  // namespace

LineShapeWidget::LineShapeWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void LineShapeWidget::SetLine(QPoint from, QPoint to, int width,
                              int16_t style) {
  from_ = from;
  to_ = to;
  width_ = width;
  style_ = style;
  update();
}

void LineShapeWidget::paintEvent(QPaintEvent*) {
  if (style_ == 0) return;  // transparent
  QPainter p(this);
  QPen pen(palette().color(QPalette::WindowText));
  pen.setWidth(width_);
  pen.setCapStyle(Qt::FlatCap);
  const QList<qreal> dashes = DashPattern(style_);
  if (!dashes.isEmpty()) pen.setDashPattern(dashes);
  p.setPen(pen);
  if (from_ == to_)
    p.drawPoint(from_);
  else
    p.drawLine(from_, to_);
}

std::unique_ptr<ControlBinding> MakeLineShapeBinding(ui::LineShape& line,
                                                     QWidget* parent) {
  return std::make_unique<LineShapeBinding>(line, parent);
}

}  // namespace qdr2_Gomiat::qt
