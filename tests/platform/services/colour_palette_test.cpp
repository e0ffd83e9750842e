#include <gtest/gtest.h>

#include <set>

#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {
namespace {

TEST(ColourPalette, EveryNumberComesBackFromItsValue) {
  auto colours = MakeColourService();
  std::set<int32_t> values;
  for (int16_t n = 0; n <= 255; ++n) {
    const int32_t v = colours->ColorValue(n);
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 0xFFFFFF);
    values.insert(v);
    EXPECT_EQ(colours->ColorNumber(v), n) << "value " << v;
  }
  EXPECT_EQ(values.size(), 256u);
}

TEST(ColourPalette, KnownColoursWithRedInTheLowByte) {
  auto colours = MakeColourService();
  EXPECT_EQ(colours->ColorValue(1), 0x0000FF);  // red
  EXPECT_EQ(colours->ColorValue(2), 0x00FFFF);  // yellow
  EXPECT_EQ(colours->ColorValue(3), 0x00FF00);  // green
  EXPECT_EQ(colours->ColorValue(4), 0xFFFF00);  // cyan
  EXPECT_EQ(colours->ColorValue(5), 0xFF0000);  // blue
  EXPECT_EQ(colours->ColorValue(6), 0xFF00FF);  // magenta
  EXPECT_EQ(colours->ColorValue(7), 0xFFFFFF);  // white
  EXPECT_EQ(colours->ColorNumber(16777215), 7);
  EXPECT_EQ(colours->ColorNumber(65535), 2);
  // The later copies of the pure colours are moved, not the first ones.
  EXPECT_NE(colours->ColorValue(10), colours->ColorValue(1));
  EXPECT_NE(colours->ColorValue(255), colours->ColorValue(7));
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
  for (int16_t n :
       {int16_t{-1}, int16_t{256}, int16_t{-32768}, int16_t{32767}}) {
    try {
      colours->ColorValue(n);
      ADD_FAILURE() << n;
    } catch (const Failure& f) {
      EXPECT_EQ(f.number(), err::kInvalidCall);
      EXPECT_NE(f.description().find(std::to_string(n)), std::string::npos);
    }
  }
  EXPECT_THROW(colours->ColorNumber(-1), Failure);
  EXPECT_THROW(colours->ColorNumber(0x1000000), Failure);
  EXPECT_THROW(colours->ColorNumber(INT32_MIN), Failure);
}

}  // namespace
}  // namespace qdr2_Gomiat
