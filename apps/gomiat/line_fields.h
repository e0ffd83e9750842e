// Cutting one line of a point file into fields, and reading its numbers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gomiat {

// The first `count` fields of a line and what follows them. `delimiter` is
// ',', ';' or '\t', or 0 for runs of blanks. A field may be in double
// quotes ("" inside stands for one quote); blanks around fields are
// dropped.
struct SplitLine {
  std::vector<std::string> fields;  // fewer than asked when the line is short
  std::string rest;   // after the delimiter that ends the last field
  std::string error;  // a quote left open or text after a closing quote
};
SplitLine SplitFields(std::string_view line, char delimiter, size_t count);

// The code field from the rest of a line: blanks and trailing empty
// fields removed, one quoted field unquoted; delimiters inside are kept.
std::string CodeField(std::string_view rest, char delimiter);

enum class NumberStatus { kOk, kEmpty, kNotNumber, kNotFinite };

// A coordinate: an optional sign, digits with a decimal point (or a decimal
// comma when `decimal_comma`), an optional exponent. Nothing else.
NumberStatus ParseCoordinate(std::string_view text, bool decimal_comma,
                             double& value);

std::string_view TrimBlanks(std::string_view s);

}  // namespace gomiat
