#include "frame/decimal_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace qdr2_Gomiat {
namespace {

// The quick paths must give exactly what the standard conversions give.
TEST(DecimalText, ShortestTextIsTheStandardOne) {
  std::mt19937_64 rng(5);
  char ours[kDecimalRoom], std_text[kDecimalRoom];
  for (int i = 0; i < 300000; ++i) {
    const int decimals = static_cast<int>(rng() % 8);
    double v = static_cast<double>(static_cast<int64_t>(rng() % 20000000000) -
                                   1000000000) /
               std::pow(10.0, decimals);
    if (i % 7 == 0) v = std::ldexp(static_cast<double>(rng() % 1000000), -20);
    if (i % 11 == 0) v *= 1e7;  // near and above the quick path's limit
    if (i == 0) v = -0.0;
    for (bool fixed : {false, true}) {
      const auto r = fixed
                         ? std::to_chars(std_text, std_text + kDecimalRoom, v,
                                         std::chars_format::fixed)
                         : std::to_chars(std_text, std_text + kDecimalRoom, v);
      char* end = WriteShortest(v, fixed, ours, ours + kDecimalRoom);
      ASSERT_EQ(std::string(ours, end), std::string(std_text, r.ptr)) << v;
    }
  }
}

TEST(DecimalText, ReadsAsFromChars) {
  std::mt19937_64 rng(9);
  const std::string alphabet = "0123456789.-e";
  for (int i = 0; i < 300000; ++i) {
    std::string t;
    const size_t len = 1 + rng() % 22;
    for (size_t k = 0; k < len; ++k)
      t += alphabet[rng() % (k == 0 ? alphabet.size() : 11)];
    double ours = 1, theirs = 2;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), theirs);
    const bool ok = r.ec == std::errc() && r.ptr == t.data() + t.size();
    ASSERT_EQ(ReadDecimal(t, ours), ok) << t;
    if (ok) {
      ASSERT_EQ(ours, theirs) << t;
      ASSERT_EQ(std::signbit(ours), std::signbit(theirs)) << t;
    }
  }
  double v = 0;
  for (const char* bad : {"", "-", ".", "+1", "1,5", " 1", "1 "})
    EXPECT_FALSE(ReadDecimal(bad, v)) << bad;
}

}  // namespace
}  // namespace qdr2_Gomiat
