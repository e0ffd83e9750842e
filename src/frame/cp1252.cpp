#include "frame/cp1252.h"

#include <array>
#include <cstdint>

#include "frame/utf8.h"

namespace qdr2_Gomiat {

namespace {

// Characters of bytes 0x80..0x9F; the rest of the page is Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharOfByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : char32_t{b};
}

// The byte of a character, or -1.
int ByteOfChar(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

// Decodes one strict UTF-8 sequence at `pos` (no overlong forms, no
// surrogates, nothing above U+10FFFF). Returns its length, 0 when invalid.
size_t DecodeOne(std::string_view s, size_t pos, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) {
    c = b0;
    return 1;
  }
  size_t len = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, min = 0x80, c = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, min = 0x800, c = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, min = 0x10000, c = b0 & 0x07;
  } else {
    return 0;
  }
  if (s.size() - pos < len) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[pos + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char b : bytes)
    AppendUtf8(out, CharOfByte(static_cast<unsigned char>(b)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    char32_t c = 0;
    const size_t len = DecodeOne(text, pos, c);
    if (len == 0) return std::nullopt;
    const int b = ByteOfChar(c);
    if (b < 0) return std::nullopt;
    out += static_cast<char>(b);
    pos += len;
  }
  return out;
}

std::string Utf8OrCp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t pos = 0; pos < bytes.size();) {
    char32_t c = 0;
    const size_t len = DecodeOne(bytes, pos, c);
    if (len == 0) {
      AppendUtf8(out, CharOfByte(static_cast<unsigned char>(bytes[pos])));
      ++pos;
    } else {
      out.append(bytes.substr(pos, len));
      pos += len;
    }
  }
  return out;
}

}  // namespace qdr2_Gomiat
