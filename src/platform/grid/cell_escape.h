// Escaping of cell texts for the grid's contents file, so that any bytes a
// cell holds fit on one line of valid UTF-8 and come back unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qdr2_Gomiat {

// Length of the well-formed UTF-8 sequence at the start of `s` (1 to 4), or
// 0 when `s` does not start with one (overlong forms, surrogates and values
// above U+10FFFF are not well formed).
size_t Utf8SequenceLength(std::string_view s) noexcept;
bool IsValidUtf8(std::string_view s) noexcept;

// Appends `text` to `out` with "\\", "\t", "\n", "\r" for those bytes and
// "\xHH" for other control bytes and bytes outside valid UTF-8.
void AppendEscaped(std::string_view text, std::string& out);

// Replaces `out` with the bytes `escaped` stands for; false when it holds an
// escape that AppendEscaped never writes (or a lone backslash at the end).
bool Unescape(std::string_view escaped, std::string& out);

}  // namespace qdr2_Gomiat
