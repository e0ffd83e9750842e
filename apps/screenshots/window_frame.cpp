#include "window_frame.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace screenshots {

namespace {

// The title bar, `width` device pixels wide, drawn by the application's
// style at `ratio`.
QImage TitleBar(int width, const QString& title, bool sizable, double ratio) {
  QStyle* style = QApplication::style();
  QStyleOptionTitleBar bar;
  bar.palette = QApplication::palette();
  bar.state = QStyle::State_Active | QStyle::State_Enabled;
  bar.titleBarState = Qt::WindowActive | QStyle::State_Active;
  bar.titleBarFlags = Qt::Dialog | Qt::WindowTitleHint |
                      Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  bar.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarCloseButton;
  if (sizable) {
    bar.titleBarFlags |= Qt::WindowMaximizeButtonHint;
    bar.subControls |= QStyle::SC_TitleBarMaxButton;
  }
  bar.text = title;
  QFont font = QApplication::font();
  font.setBold(true);
  bar.fontMetrics = QFontMetrics(font);
  const int height =
      std::max(style->pixelMetric(QStyle::PM_TitleBarHeight, &bar, nullptr),
               bar.fontMetrics.height() + 8);
  QImage image(width, static_cast<int>(std::ceil(height * ratio)),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(bar.palette.color(QPalette::Window));
  bar.rect = QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
  QPainter painter(&image);
  painter.setFont(font);
  style->drawComplexControl(QStyle::CC_TitleBar, &bar, &painter, nullptr);
  painter.end();
  image.setDevicePixelRatio(1);
  return image;
}

// The picture with a table of its 256 most used colours, every other
// colour drawn as the nearest of them. Dialogs are flat areas, lines and
// smoothed text, whose in-between shades are few enough for that to look
// the same; the file takes a third of the bytes.
QImage WithColourTable(const QImage& image) {
  QHash<QRgb, qint64> uses;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) ++uses[line[x]];
  }
  std::vector<std::pair<qint64, QRgb>> by_use;
  by_use.reserve(static_cast<size_t>(uses.size()));
  for (auto it = uses.cbegin(); it != uses.cend(); ++it)
    by_use.emplace_back(it.value(), it.key());
  // Most used first; equal uses in colour order, so runs are repeatable.
  std::sort(by_use.begin(), by_use.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  QVector<QRgb> table;
  for (size_t i = 0; i < by_use.size() && i < 256; ++i)
    table.push_back(by_use[i].second);
  return image.convertToFormat(QImage::Format_Indexed8, table,
                               Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace

bool SaveFramedPicture(const std::string& from, const std::string& to,
                       const std::string& title, bool sizable, double ratio) {
  QImage inside(QString::fromStdString(from));
  if (inside.isNull() || ratio <= 0) return false;
  inside = inside.convertToFormat(QImage::Format_RGB32);
  inside.setDevicePixelRatio(1);
  // Laid out in device pixels, so the inside is copied pixel for pixel.
  const int border = 1;
  const QImage bar = TitleBar(inside.width() + 2 * border,
                              QString::fromStdString(title), sizable, ratio);
  QImage framed(bar.width(), bar.height() + inside.height() + border,
                QImage::Format_RGB32);
  QPainter painter(&framed);
  painter.drawImage(QPoint(0, 0), bar);
  painter.drawImage(QPoint(border, bar.height()), inside);
  painter.setPen(QApplication::palette().color(QPalette::Shadow));
  painter.drawRect(framed.rect().adjusted(0, 0, -1, -1));
  painter.end();
  framed.setDevicePixelRatio(ratio);

  const QString file = QString::fromStdString(to);
  QDir().mkpath(QFileInfo(file).absolutePath());
  // PNG quality 0 is its strongest compression; the pixels stay exact.
  return WithColourTable(framed).save(file, "PNG", 0);
}

}  // namespace screenshots
