#include <gtest/gtest.h>

#include <set>

#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

TEST(ColourPalette, EveryNumberComesBackFromItsValueWithRedInTheLowByte) {
  auto colours = MakeColourService();
  std::set<int32_t> values;
  for (int16_t n = 0; n <= 255; ++n) {
    const int32_t v = colours->ColorValue(n);
    EXPECT_TRUE(v >= 0 && v <= 0xFFFFFF) << v;
    values.insert(v);
    EXPECT_EQ(colours->ColorNumber(v), n) << "value " << v;
  }
  EXPECT_EQ(values.size(), 256u);
  EXPECT_EQ(colours->ColorValue(1), 0x0000FF);  // red
  EXPECT_EQ(colours->ColorValue(2), 0x00FFFF);  // yellow
  EXPECT_EQ(colours->ColorValue(5), 0xFF0000);  // blue
  EXPECT_EQ(colours->ColorValue(7), 0xFFFFFF);  // white
}

TEST(ColourPalette, OffPaletteValuesGoToTheNearestEntry) {
  auto colours = MakeColourService();
  EXPECT_EQ(colours->ColorNumber(0x0002FA), 1);  // almost red
  EXPECT_EQ(colours->ColorNumber(0xFFFCFF), 7);  // almost white
  EXPECT_EQ(colours->ColorNumber(0x0000F0), 1);  // darker red
  // Brute force: no other entry is closer than the one chosen.
  for (int32_t v : {0x123456, 0x808081, 0x00FE80, 0x7F7F7E, 0x010203}) {
    const int16_t n = colours->ColorNumber(v);
    auto dist = [v](int32_t w) {
      int32_t s = 0;
      for (int shift : {0, 8, 16}) {
        const int32_t d = ((v >> shift) & 0xFF) - ((w >> shift) & 0xFF);
        s += d * d;
      }
      return s;
    };
    const int32_t chosen = dist(colours->ColorValue(n));
    for (int16_t k = 0; k <= 255; ++k)
      EXPECT_LE(chosen, dist(colours->ColorValue(k))) << v << " vs " << k;
  }
}

TEST(ColourPalette, OutOfRangeNumbersAndValuesFailWithInvalidCall) {
  auto colours = MakeColourService();
  for (int16_t n : {int16_t{-1}, int16_t{256}, int16_t{-32768}})
    EXPECT_EQ(test_support::FailureOf([&] { colours->ColorValue(n); }),
              err::kInvalidCall);
  for (int32_t v : {-1, 0x1000000, INT32_MIN})
    EXPECT_EQ(test_support::FailureOf([&] { colours->ColorNumber(v); }),
              err::kInvalidCall);
}

}  // namespace
}  // namespace qdr2_Gomiat
