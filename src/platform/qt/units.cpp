#include "platform/qt/units.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

namespace qdr2_Gomiat::qt {

namespace {
constexpr double kTwipsPerInch = 1440.0;

// Rounds into the int range: the model may hold any 32-bit value.
int RoundToInt(double v) {
  constexpr double lo = std::numeric_limits<int>::min() / 2;
  constexpr double hi = std::numeric_limits<int>::max() / 2;
  return static_cast<int>(std::lround(std::clamp(v, lo, hi)));
}

int32_t RoundToTwips(double v) {
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::llround(std::clamp(v, lo, hi)));
}

double TwipsPerPixel(double dpi) {
  return dpi > 1.0 && std::isfinite(dpi) ? kTwipsPerInch / dpi : 15.0;
}
}  // namespace

Units::Units(const QScreen* screen) {
  if (screen == nullptr && qGuiApp != nullptr)
    screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    tpp_x_ = TwipsPerPixel(screen->logicalDotsPerInchX());
    tpp_y_ = TwipsPerPixel(screen->logicalDotsPerInchY());
  }
}

Units::Units(double dpi_x, double dpi_y)
    : tpp_x_(TwipsPerPixel(dpi_x)), tpp_y_(TwipsPerPixel(dpi_y)) {}

int Units::ToPxX(int32_t twips) const { return RoundToInt(twips / tpp_x_); }
int Units::ToPxY(int32_t twips) const { return RoundToInt(twips / tpp_y_); }
int32_t Units::ToTwipsX(int px) const { return RoundToTwips(px * tpp_x_); }
int32_t Units::ToTwipsY(int px) const { return RoundToTwips(px * tpp_y_); }

QRect Units::ToPx(int32_t left, int32_t top, int32_t width,
                  int32_t height) const {
  return QRect(ToPxX(left), ToPxY(top), std::max(0, ToPxX(width)),
               std::max(0, ToPxY(height)));
}

}  // namespace qdr2_Gomiat::qt
