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

void SplitFields(std::string_view line, char delimiter, size_t count,
                 SplitLine& out) {
  out.fields.clear();
  out.rest = {};
  out.error = nullptr;
  out.unquoted.clear();
  out.unquoted.reserve(count);  // views into it must not move
  size_t pos = 0;
  bool more = true;  // another field follows
  while (out.fields.size() < count && more) {
    pos = SkipBlanks(line, pos, delimiter);
    if (delimiter == 0 && pos == line.size()) break;
    std::string_view value;
    size_t end;  // where the field's text ends
    if (pos < line.size() && line[pos] == '"') {
      out.unquoted.emplace_back();
      end = ReadQuoted(line, pos, out.unquoted.back());
      if (end == std::string_view::npos) {
        out.error = "a quote is not closed";
        return;
      }
      end = SkipBlanks(line, end, delimiter);
      if (end < line.size() && line[end] != delimiter &&
          !(delimiter == 0 && IsBlank(line[end], '\t'))) {
        out.error = "text follows a closing quote";
        return;
      }
      value = out.unquoted.back();
    } else if (delimiter == 0) {
      end = pos;
      while (end < line.size() && !IsBlank(line[end], delimiter)) ++end;
      value = line.substr(pos, end - pos);
    } else {
      end = line.find(delimiter, pos);
      if (end == std::string_view::npos) end = line.size();
      value = TrimBlanks(line.substr(pos, end - pos));
    }
    out.fields.push_back(value);
    if (end >= line.size()) {
      more = false;
      pos = line.size();
    } else {
      pos = end + 1;
    }
  }
  if (more && pos <= line.size()) out.rest = line.substr(pos);
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
  std::string_view s = TrimBlanks(text);
  if (s.empty()) return NumberStatus::kEmpty;
  if (s.front() == '+') s.remove_prefix(1);
  // from_chars also reads "inf" and "nan"; only digits make a coordinate.
  bool digit = false, word = false;
  size_t comma = std::string_view::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == ',') {
      if (!decimal_comma || comma != std::string_view::npos)
        return NumberStatus::kNotNumber;
      comma = i;
    } else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') {
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
        return NumberStatus::kNotNumber;
      word = true;  // "inf", "nan": checked below
    }
  }
  // A decimal comma is read as a point, in a copy of the few characters.
  char copy[64];
  if (comma != std::string_view::npos) {
    if (s.size() > sizeof copy) return NumberStatus::kNotNumber;
    s.copy(copy, s.size());
    copy[comma] = '.';
    s = std::string_view(copy, s.size());
  }
  double v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec == std::errc::result_out_of_range) return NumberStatus::kNotFinite;
  if (ec != std::errc() || ptr != s.data() + s.size())
    return NumberStatus::kNotNumber;
  if (!digit || word || !std::isfinite(v)) {
    // A number's spelling of infinity or NaN is not a coordinate.
    return std::isfinite(v) ? NumberStatus::kNotNumber
                            : NumberStatus::kNotFinite;
  }
  value = v;
  return NumberStatus::kOk;
}

std::string Shown(std::string_view text, size_t max) {
  std::string out = "\"";
  size_t chars = 0, i = 0;
  for (; i < text.size() && chars < max; ++chars) {
    const auto b = static_cast<unsigned char>(text[i]);
    size_t len = b < 0x80    ? 1
                 : b >= 0xF0 ? 4
                 : b >= 0xE0 ? 3
                 : b >= 0xC0 ? 2
                             : 1;
    if (i + len > text.size()) len = 1;
    if (b < 0x20 || b == 0x7F || (b >= 0x80 && len == 1)) {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out.append(text.substr(i, len));
    }
    i += len;
  }
  return out + (i < text.size() ? "...\"" : "\"");
}

}  // namespace gomiat
