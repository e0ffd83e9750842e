#include "frame/cp1252.h"

#include <gtest/gtest.h>

namespace qdr2_Gomiat {
namespace {

// Every byte reading and writing back is the text conversions fuzz
// harness's property; here the page's own characters.
TEST(Cp1252, TheBytesOwnCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "Ÿ");
  EXPECT_EQ(Cp1252ToUtf8("\xD1\xE1\xBA"), "Ñáº");
  // The undefined bytes read as C1 controls.
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const std::string one(1, static_cast<char>(b));
    const std::string expected = {'\xC2', static_cast<char>(b)};
    EXPECT_EQ(Cp1252ToUtf8(one), expected) << int(b);
  }
}

TEST(Cp1252, TextsWithoutAByteAreRefused) {
  EXPECT_FALSE(Utf8ToCp1252("Łódź").has_value());
  EXPECT_FALSE(Utf8ToCp1252("\xC2\x80").has_value());  // U+0080: 0x80 is €
  EXPECT_FALSE(Utf8ToCp1252("日本").has_value());
  // Not UTF-8 at all: a lone Latin-1 byte, an overlong form, a surrogate,
  // a cut sequence.
  for (const char* bad : {"caf\xE9", "\xC0\x80", "\xED\xA0\x80", "\xE2\x82"}) {
    EXPECT_FALSE(Utf8ToCp1252(bad).has_value()) << bad;
  }
  EXPECT_EQ(*Utf8ToCp1252("CAÑADA €"),
            "CA\xD1"
            "ADA \x80");

  // Mixed bytes: valid UTF-8 stays, other bytes read as Windows-1252.
  EXPECT_EQ(Utf8OrCp1252ToUtf8("é\xE9\xC0\x80"), "ééÀ€");
}

}  // namespace
}  // namespace qdr2_Gomiat
