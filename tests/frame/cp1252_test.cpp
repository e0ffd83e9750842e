#include "frame/cp1252.h"

#include <gtest/gtest.h>

namespace qdr2_Gomiat {
namespace {

// Every byte reading and writing back is the text conversions fuzz
// harness's property; here the page's own characters, and texts without a
// byte.
TEST(Cp1252, TheBytesOwnCharactersAndTextsWithoutAByte) {
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F\xD1\xE1\xBA"), "€ŸÑáº");
  // The undefined bytes read as C1 controls.
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"),
            "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");

  // No byte for U+0080 (0x80 is €) nor for these letters; then not UTF-8
  // at all: a lone Latin-1 byte, an overlong form, a surrogate, a cut
  // sequence.
  for (const char* bad : {"Łódź", "\xC2\x80", "日本", "caf\xE9", "\xC0\x80",
                          "\xED\xA0\x80", "\xE2\x82"})
    EXPECT_FALSE(Utf8ToCp1252(bad).has_value()) << bad;
  EXPECT_EQ(*Utf8ToCp1252("CAÑADA €"),
            "CA\xD1"
            "ADA \x80");

  // Mixed bytes: valid UTF-8 stays, other bytes read as Windows-1252.
  EXPECT_EQ(Utf8OrCp1252ToUtf8("é\xE9\xC0\x80"), "ééÀ€");
}

}  // namespace
}  // namespace qdr2_Gomiat
