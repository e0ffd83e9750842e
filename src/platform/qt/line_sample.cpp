#include "platform/qt/line_sample.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cmath>

namespace qdr2_Gomiat::qt {

namespace {

constexpr std::array<const char*, kLinePatternCount> kPatternTexts = {
    "_____________", "__ __ __ __ __", "..................",
    "_._._._._._._._._.", "__..__..__..__"};

// Dashes and gaps in pen widths: continuous, dashed, dotted, dash-dot and
// dash-dot-dot, as CAD programs draw the same five types.
QList<qreal> DashesOf(int pattern) {
  switch (pattern) {
    case 1:
      return {5, 2.5};
    case 2:
      return {1, 1.5};
    case 3:
      return {5, 2, 1, 2};
    case 4:
      return {5, 2, 1, 2, 1, 2};
    default:
      return {};
  }
}

}  // namespace

int LinePatternIndex(const QString& text) {
  for (int i = 0; i < kLinePatternCount; ++i)
    if (text == QLatin1String(kPatternTexts[static_cast<size_t>(i)])) return i;
  return -1;
}

bool AreLinePatterns(const std::vector<std::string>& choices) {
  return !choices.empty() &&
         std::all_of(choices.begin(), choices.end(), [](const std::string& c) {
           return LinePatternIndex(QString::fromStdString(c)) >= 0;
         });
}

void PaintLineSample(QPainter& painter, const QRectF& rect, int pattern,
                     const QColor& ink) {
  if (pattern < 0 || pattern >= kLinePatternCount || rect.width() < 1 ||
      rect.height() < 1)
    return;
  // Thick enough for the dots to read as dots, thin enough to look like a
  // drawn line; whole pixels keep the dashes sharp.
  const qreal width = std::clamp(std::round(rect.height() / 10.0), 1.0, 3.0);
  QPen pen(ink, width, Qt::SolidLine, Qt::FlatCap);
  if (const QList<qreal> dashes = DashesOf(pattern); !dashes.isEmpty())
    pen.setDashPattern(dashes);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setPen(pen);
  // An odd width centred on a pixel, an even one on a pixel border.
  const qreal y = std::floor(rect.center().y()) +
                  (static_cast<int>(width) % 2 == 1 ? 0.5 : 0.0);
  painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
  painter.restore();
}

QIcon LineSampleIcon(int pattern, const QColor& ink, QSize size,
                     qreal device_pixel_ratio) {
  const qreal ratio = std::max<qreal>(1.0, device_pixel_ratio);
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  PaintLineSample(painter, QRectF(QPointF(0, 0), QSizeF(size)), pattern, ink);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace qdr2_Gomiat::qt
