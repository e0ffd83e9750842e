#include <gtest/gtest.h>

#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

TEST(ColourPalette, NumbersRoundTripAndOffPaletteValuesGoToTheNearestEntry) {
  auto colours = MakeColourService();
  // Each number comes back, so the values are RGB ones (others fail, as
  // below) and all different.
  for (int16_t n = 0; n <= 255; ++n)
    EXPECT_EQ(colours->ColorNumber(colours->ColorValue(n)), n);
  EXPECT_EQ(colours->ColorValue(1), 0x0000FF);  // red in the low byte
  EXPECT_EQ(colours->ColorValue(5), 0xFF0000);  // blue
  // Brute force: no other entry is closer than the one chosen.
  for (int32_t v : {0x0002FA, 0xFFFCFF, 0x123456, 0x808081, 0x00FE80}) {
    auto dist = [v](int32_t w) {
      int32_t s = 0;
      for (int shift : {0, 8, 16}) {
        const int32_t d = ((v >> shift) & 0xFF) - ((w >> shift) & 0xFF);
        s += d * d;
      }
      return s;
    };
    const int32_t chosen = dist(colours->ColorValue(colours->ColorNumber(v)));
    for (int16_t k = 0; k <= 255; ++k)
      EXPECT_LE(chosen, dist(colours->ColorValue(k))) << v << " vs " << k;
  }
  for (int16_t n : {int16_t{-1}, int16_t{256}, int16_t{-32768}})
    EXPECT_EQ(test_support::FailureOf([&] { colours->ColorValue(n); }),
              err::kInvalidCall);
  for (int32_t v : {-1, 0x1000000, INT32_MIN})
    EXPECT_EQ(test_support::FailureOf([&] { colours->ColorNumber(v); }),
              err::kInvalidCall);
}

}  // namespace
}  // namespace qdr2_Gomiat
