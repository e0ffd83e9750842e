#include "line_fields.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace gomiat {

namespace {

bool IsBlank(char c, char delimiter) {
  return c == ' ' || (c == '\t' && delimiter != '\t');
}

size_t SkipBlanks(std::string_view s, size_t pos, char delimiter) {
  while (pos < s.size() && IsBlank(s[pos], delimiter)) ++pos;
  return pos;
}

// Reads a quoted field starting at the quote at `pos`; returns the position
// after the closing quote, or npos when the quote is never closed.
size_t ReadQuoted(std::string_view s, size_t pos, std::string& value) {
  value.clear();
  for (size_t i = pos + 1; i < s.size(); ++i) {
    if (s[i] != '"') {
      value += s[i];
    } else if (i + 1 < s.size() && s[i + 1] == '"') {
      value += '"';
      ++i;
    } else {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

SplitLine SplitFields(std::string_view line, char delimiter, size_t count) {
  SplitLine out;
  size_t pos = 0;
  bool more = true;  // another field follows
  while (out.fields.size() < count && more) {
    pos = SkipBlanks(line, pos, delimiter);
    if (delimiter == 0 && pos == line.size()) break;
    std::string value;
    size_t end;  // where the field's text ends
    if (pos < line.size() && line[pos] == '"') {
      end = ReadQuoted(line, pos, value);
      if (end == std::string_view::npos) {
        out.error = "a quote is not closed";
        return out;
      }
      end = SkipBlanks(line, end, delimiter);
      if (end < line.size() && line[end] != delimiter &&
          !(delimiter == 0 && IsBlank(line[end], '\t'))) {
        out.error = "text follows a closing quote";
        return out;
      }
    } else if (delimiter == 0) {
      end = pos;
      while (end < line.size() && !IsBlank(line[end], delimiter)) ++end;
      value.assign(line.substr(pos, end - pos));
    } else {
      end = line.find(delimiter, pos);
      if (end == std::string_view::npos) end = line.size();
      value.assign(TrimBlanks(line.substr(pos, end - pos)));
    }
    out.fields.push_back(std::move(value));
    if (end >= line.size()) {
      more = false;
      pos = line.size();
    } else {
      pos = end + 1;
    }
  }
  if (more && pos <= line.size()) out.rest.assign(line.substr(pos));
  return out;
}

std::string CodeField(std::string_view rest, char delimiter) {
  std::string_view s = TrimBlanks(rest);
  if (delimiter != 0) {
    while (!s.empty() &&
           (s.back() == delimiter || s.back() == ' ' || s.back() == '\t'))
      s.remove_suffix(1);
  }
  if (s.size() >= 2 && s.front() == '"') {
    std::string value;
    if (ReadQuoted(s, 0, value) == s.size()) return value;
  }
  return std::string(s);
}

NumberStatus ParseCoordinate(std::string_view text, bool decimal_comma,
                             double& value) {
  std::string s(TrimBlanks(text));
  if (s.empty()) return NumberStatus::kEmpty;
  if (s.front() == '+') s.erase(0, 1);
  // from_chars also reads "inf" and "nan"; only digits make a coordinate.
  bool digit = false;
  int commas = 0;
  for (char& c : s) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == ',') {
      if (!decimal_comma) return NumberStatus::kNotNumber;
      c = '.';
      ++commas;
    } else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') {
      const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      if (!word) return NumberStatus::kNotNumber;
      digit = false;  // "inf", "nan": checked below
      break;
    }
  }
  if (commas > 1) return NumberStatus::kNotNumber;
  const char* first = s.data();
  const char* last = s.data() + s.size();
  double v = 0;
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec == std::errc::result_out_of_range) return NumberStatus::kNotFinite;
  if (ec != std::errc() || ptr != last) return NumberStatus::kNotNumber;
  if (!digit || !std::isfinite(v)) {
    // A number's spelling of infinity or NaN is not a coordinate.
    return std::isfinite(v) ? NumberStatus::kNotNumber
                            : NumberStatus::kNotFinite;
  }
  value = v;
  return NumberStatus::kOk;
}

}  // namespace gomiat
