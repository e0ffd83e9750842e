// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// Tells UTF-8 text from single-byte bytes at the file edge.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qdr2_Gomiat {

// Length of the well-formed UTF-8 sequence at the start of `s` (1 to 4), or
// 0 when `s` is empty or does not start with one.
size_t Utf8SequenceLength(std::string_view s) noexcept;

bool IsValidUtf8(std::string_view s) noexcept;

// Appends the UTF-8 form of a code point (below U+110000).
void AppendUtf8(std::string& out, char32_t c);

}  // namespace qdr2_Gomiat
