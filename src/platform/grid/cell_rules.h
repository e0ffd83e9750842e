// What a user may type into a grid cell.
#pragma once

#include <cstdint>
#include <string_view>

namespace qdr2_Gomiat {

// Kinds 0, 1 and 3 hold numbers the grid checks; kind 2 is typed freely
// and read by the window through the number text service.
bool IsNumberKind(int16_t kind) noexcept;

// A number as users type it: blanks around, an optional sign, digits with
// at most one decimal point or decimal comma (at least one digit), an
// optional exponent ("1e3", "2,5E-2"). No thousands separators. The empty
// text clears a cell and is accepted too.
bool IsNumberText(std::string_view text) noexcept;

}  // namespace qdr2_Gomiat
