// Blocks of cells in the form spreadsheets exchange through the clipboard:
// cells separated by TAB, rows ended by CR LF. A cell holding a TAB, a CR
// or an LF, or starting with a double quote, is written in double quotes
// with its quotes doubled, and read back the same way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qdr2_Gomiat {

// Appends `cell`, quoted when it must be.
void AppendTabCell(std::string& out, std::string_view cell);

// The rows of a block. Rows end in CR LF or LF; a line end after the last
// row adds no empty row, so "" is no row and "\r\n" one empty cell. A
// quote that does not close a quoted cell is taken as text.
std::vector<std::vector<std::string>> ReadTabBlock(std::string_view text);

}  // namespace qdr2_Gomiat
