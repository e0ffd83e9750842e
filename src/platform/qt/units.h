// Twips of the window model to pixels of the screen and back, at the
// screen's logical DPI (1440 twips per inch).
#pragma once

#include <QRect>
#include <cstdint>

class QScreen;

namespace qdr2_Gomiat::qt {

class Units {
 public:
  // 15 twips per pixel (96 DPI) when there is no screen.
  explicit Units(const QScreen* screen = nullptr);
  Units(double dpi_x, double dpi_y);

  double TwipsPerPixelX() const { return tpp_x_; }
  double TwipsPerPixelY() const { return tpp_y_; }

  int ToPxX(int32_t twips) const;
  int ToPxY(int32_t twips) const;
  int32_t ToTwipsX(int px) const;
  int32_t ToTwipsY(int px) const;
  QRect ToPx(int32_t left, int32_t top, int32_t width, int32_t height) const;

 private:
  double tpp_x_ = 15.0;
  double tpp_y_ = 15.0;
};

}  // namespace qdr2_Gomiat::qt
