// The suite's five line types as grids show them ("_____________",
// "__ __ __ __ __", ...): texts too long for the narrow columns they sit
// in, so cells and lists draw them as a short line in their dash style.
#pragma once

#include <QColor>
#include <QIcon>
#include <QRectF>
#include <QString>
#include <string>
#include <vector>

class QPainter;

namespace qdr2_Gomiat::qt {

inline constexpr int kLinePatternCount = 5;

// 0 to 4 for one of the five pattern texts (line type numbers), -1 for any
// other text.
int LinePatternIndex(const QString& text);
// Whether a choice list offers line types: not empty, and every choice is
// one of the five pattern texts.
bool AreLinePatterns(const std::vector<std::string>& choices);

// Draws line type `pattern` across the middle of `rect` in `ink`. Nothing
// is drawn for a pattern outside 0 to 4.
void PaintLineSample(QPainter& painter, const QRectF& rect, int pattern,
                     const QColor& ink);
// The same sample as an icon of `size` (logical pixels) for lists.
QIcon LineSampleIcon(int pattern, const QColor& ink, QSize size,
                     qreal device_pixel_ratio);

}  // namespace qdr2_Gomiat::qt
