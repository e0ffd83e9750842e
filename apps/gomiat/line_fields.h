// Cutting one line of a point file into fields, and reading its numbers.
// Fields are views into the line; only a quoted field is copied.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gomiat {

// The first `count` fields of a line and what follows them. `delimiter` is
// ',', ';' or '\t', or 0 for runs of blanks. A field may be in double
// quotes ("" inside stands for one quote); blanks around fields are
// dropped. Made to be reused line after line.
struct SplitLine {
  std::vector<std::string_view> fields;  // fewer than asked when short
  std::string_view rest;        // after the delimiter that ends the last field
  const char* error = nullptr;  // a quote left open, text after a quote
  std::vector<std::string> unquoted;  // what quoted fields view
};
void SplitFields(std::string_view line, char delimiter, size_t count,
                 SplitLine& out);

// The code field from the rest of a line: blanks and trailing empty
// fields removed, one quoted field unquoted; delimiters inside are kept.
std::string CodeField(std::string_view rest, char delimiter);

enum class NumberStatus { kOk, kEmpty, kNotNumber, kNotFinite };

// A coordinate: an optional sign, digits with a decimal point (or a decimal
// comma when `decimal_comma`), an optional exponent. Nothing else.
NumberStatus ParseCoordinate(std::string_view text, bool decimal_comma,
                             double& value);

std::string_view TrimBlanks(std::string_view s);

// A piece of a file for a message: at most `max` characters (whole UTF-8
// characters), control characters as \xNN, in double quotes, "..." when cut.
std::string Shown(std::string_view text, size_t max = 40);

}  // namespace gomiat
