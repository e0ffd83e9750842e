// Escaping of cell texts for the grid's contents file, so that any bytes a
// cell holds fit on one line of valid UTF-8 and come back unchanged.
#pragma once

#include <string>
#include <string_view>

#include "frame/utf8.h"

namespace qdr2_Gomiat {

// Appends `text` to `out` with "\\", "\t", "\n", "\r" for those bytes and
// "\xHH" for other control bytes and bytes outside valid UTF-8.
void AppendEscaped(std::string_view text, std::string& out);

// Replaces `out` with the bytes `escaped` stands for; false when it holds an
// escape that AppendEscaped never writes (or a lone backslash at the end).
bool Unescape(std::string_view escaped, std::string& out);

}  // namespace qdr2_Gomiat
