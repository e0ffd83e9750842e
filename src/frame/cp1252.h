// Windows-1252, the single-byte code page of the files other installations
// of the suite write, and our UTF-8 texts: conversions at the file edge.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qdr2_Gomiat {

// Every byte has a character; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081 and so on, so any file
// reads and writes back byte for byte.
std::string Cp1252ToUtf8(std::string_view bytes);

// The bytes of a UTF-8 text, or nothing when the text is not valid UTF-8 or
// holds a character that has no byte in Windows-1252.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

// UTF-8 where the bytes are valid UTF-8; any other byte is read as
// Windows-1252. Nothing is dropped.
std::string Utf8OrCp1252ToUtf8(std::string_view bytes);

}  // namespace qdr2_Gomiat
