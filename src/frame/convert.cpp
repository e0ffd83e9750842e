#include "frame/convert.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

double RoundHalfEven(double v) {
  if (!std::isfinite(v)) throw Failure(err::kOverflow);
  return std::nearbyint(v);  // default rounding mode: to nearest, ties even
}

template <class I>
I CheckedRound(double v) {
  const double r = RoundHalfEven(v);
  if (r < static_cast<double>(std::numeric_limits<I>::min()) ||
      r > static_cast<double>(std::numeric_limits<I>::max()))
    throw Failure(err::kOverflow);
  return static_cast<I>(r);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Two(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", v % 100);
  return b;
}

}  // namespace

int32_t CLng(double v) { return CheckedRound<int32_t>(v); }
int16_t CInt(double v) { return CheckedRound<int16_t>(v); }

std::string CStr(int64_t v) { return std::to_string(v); }
std::string Str(int64_t v) { return v < 0 ? CStr(v) : " " + CStr(v); }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

double Val(std::string_view text) {
  // Collect the characters that can form a number, ignoring blanks.
  std::string num;
  bool digits = false, dot = false, exp = false;
  for (char c : text) {
    if (IsBlank(c) || c == '\n' || c == '\r') continue;
    const bool first = num.empty();
    const char last = first ? '\0' : num.back();
    if (std::isdigit(static_cast<unsigned char>(c))) {
      num += c;
      digits = true;
    } else if ((c == '+' || c == '-') && (first || last == 'e')) {
      num += c;
    } else if (c == '.' && !dot && !exp) {
      num += c;
      dot = true;
    } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digits &&
               !exp) {
      num += 'e';
      exp = true;
    } else {
      break;
    }
  }
  while (!num.empty() && (num.back() == 'e' || num.back() == '+' ||
                          num.back() == '-'))
    num.pop_back();
  if (!digits || num.empty()) return 0.0;
  if (num.front() == '+') num.erase(0, 1);
  double v = 0.0;
  const auto r = std::from_chars(num.data(), num.data() + num.size(), v);
  if (r.ec == std::errc::result_out_of_range) throw Failure(err::kOverflow);
  return r.ec == std::errc() ? v : 0.0;
}

int32_t CLngText(std::string_view text) {
  std::string_view t = Trim(text);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double v = 0.0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || r.ec == std::errc::invalid_argument ||
      r.ptr != t.data() + t.size())
    throw Failure(err::kTypeMismatch);
  if (r.ec == std::errc::result_out_of_range) throw Failure(err::kOverflow);
  return CLng(v);
}

bool CBoolText(std::string_view text) {
  const std::string_view t = Trim(text);
  std::string lower;
  for (char c : t) lower += static_cast<char>(std::tolower(
                       static_cast<unsigned char>(c)));
  if (lower == "true" || lower == "verdadero") return true;
  if (lower == "false" || lower == "falso") return false;
  std::string_view n = t;
  if (!n.empty() && n.front() == '+') n.remove_prefix(1);
  double v = 0.0;
  const auto r = std::from_chars(n.data(), n.data() + n.size(), v);
  if (n.empty() || r.ec != std::errc() || r.ptr != n.data() + n.size())
    throw Failure(err::kTypeMismatch);
  return v != 0.0;
}

std::string FormatDate(const std::tm& t, std::string_view pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    if (pattern.substr(i, 4) == "yyyy") {
      out += std::to_string(t.tm_year + 1900);
      i += 4;
    } else if (pattern.substr(i, 2) == "mm") {
      out += Two(t.tm_mon + 1);
      i += 2;
    } else if (pattern.substr(i, 2) == "dd") {
      out += Two(t.tm_mday);
      i += 2;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

std::string FormatTime(const std::tm& t, std::string_view pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    const std::string_view tok = pattern.substr(i, 2);
    if (tok == "hh" || tok == "HH") {
      out += Two(t.tm_hour);
      i += 2;
    } else if (tok == "MM" || tok == "mm" || tok == "nn") {
      out += Two(t.tm_min);
      i += 2;
    } else if (tok == "SS" || tok == "ss") {
      out += Two(t.tm_sec);
      i += 2;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

}  // namespace qdr2_Gomiat
