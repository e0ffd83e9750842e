// Code pages of point files besides UTF-8 and Windows-1252 (frame/cp1252.h):
// Central European and Cyrillic Windows files, and UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace gomiat {

std::string Windows1250ToUtf8(std::string_view bytes);
std::string Windows1251ToUtf8(std::string_view bytes);
// Without the byte order mark. A lone surrogate or an odd last byte becomes
// U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool little_endian);

}  // namespace gomiat
