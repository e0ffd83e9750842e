// Numbers as decimal texts, locale-independent and exact, with a quick path
// for what surveys are made of: coordinates with a few decimals. Large
// grids and drawing files spend most of their time here.
#pragma once

#include <string_view>

namespace qdr2_Gomiat {

// The shortest text that reads back as `v`, exactly as std::to_chars
// writes it: with an exponent when that is shorter ("1e+20") unless `fixed`
// is set. `last - first` must be at least kDecimalRoom. Returns the end.
inline constexpr int kDecimalRoom = 400;
char* WriteShortest(double v, bool fixed, char* first, char* last);

// Reads a whole decimal text: an optional '-', digits with an optional '.',
// an optional exponent. The same double std::from_chars gives, or false
// when the text is not such a number.
bool ReadDecimal(std::string_view text, double& v);

}  // namespace qdr2_Gomiat
