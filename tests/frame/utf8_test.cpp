#include "frame/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace qdr2_Gomiat {
namespace {

// The shortest encoding of a code point, written out independently of the
// validator.
std::string Encode(uint32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  const int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  std::string s(static_cast<size_t>(n), '\0');
  for (int i = n - 1; i > 0; --i, c >>= 6)
    s[static_cast<size_t>(i)] = static_cast<char>(0x80 | (c & 0x3F));
  // Lead byte: n ones, a zero, then the highest bits.
  s[0] = static_cast<char>(((0xFF00 >> n) & 0xFF) | c);
  return s;
}

// Every code point up to U+10FFFF in its shortest form is one sequence of
// its own length, except the surrogates; a cut sequence is none.
TEST(Utf8, EveryScalarValueAndNoSurrogate) {
  for (uint32_t c = 0; c <= 0x10FFFF; ++c) {
    const std::string s = Encode(c);
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    ASSERT_EQ(Utf8SequenceLength(s), surrogate ? 0u : s.size()) << c;
    ASSERT_EQ(IsValidUtf8(s), !surrogate) << c;
    if (s.size() > 1) {
      ASSERT_EQ(Utf8SequenceLength(s.substr(0, s.size() - 1)), 0u) << c;
    }
  }
  // Only the sequence at the start counts.
  EXPECT_EQ(Utf8SequenceLength("\xC3\xB1\xFF"), 2u);
  EXPECT_EQ(Utf8SequenceLength(""), 0u);
}

TEST(Utf8, OverlongAboveTheRangeAndStrayBytesAreRefused) {
  for (const std::string bad : {
           "\xC0\x80",          // overlong U+0000
           "\xC1\xBF",          // overlong U+007F
           "\xE0\x9F\xBF",      // overlong U+07FF
           "\xF0\x8F\xBF\xBF",  // overlong U+FFFF
           "\xF4\x90\x80\x80",  // U+110000
           "\xF5\x80\x80\x80",  // no such lead byte
           "\xFF",              // no such byte
           "\x80",              // continuation without a lead
           "\xE2\x28\xA1",      // lead without its continuation
           "\xE2\x82",          // cut at the end
       }) {
    EXPECT_EQ(Utf8SequenceLength(bad), 0u) << bad;
    EXPECT_FALSE(IsValidUtf8("ok " + bad + " ok")) << bad;
  }
  EXPECT_TRUE(IsValidUtf8(std::string("nul\0inside", 10)));
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("Ñandú, 東京, \xF0\x9F\x98\x80"));
}

}  // namespace
}  // namespace qdr2_Gomiat
