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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Power of ten of the first significant digit of a number text that
// from_chars found out of range; its sign tells overflow from underflow.
int64_t LeadingPowerOfTen(std::string_view num) {
  size_t i = 0;
  if (i < num.size() && (num[i] == '-' || num[i] == '+')) ++i;
  int64_t int_digits = 0, frac_digits = 0;
  int64_t first_int = -1, first_frac = -1;  // 1-based positions
  bool point = false;
  for (; i < num.size(); ++i) {
    const char c = num[i];
    if (c == '.') {
      point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    int64_t& count = point ? frac_digits : int_digits;
    ++count;
    if (c != '0' && first_int < 0 && first_frac < 0)
      (point ? first_frac : first_int) = count;
  }
  int64_t lead = 0;
  if (first_int > 0)
    lead = int_digits - first_int;
  else if (first_frac > 0)
    lead = -first_frac;
  int64_t exponent = 0;
  if (i < num.size() && (num[i] == 'e' || num[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < num.size() && (num[i] == '-' || num[i] == '+'))
      negative = num[i++] == '-';
    for (; i < num.size() && IsDigit(num[i]); ++i)
      if (exponent < 1000000000) exponent = exponent * 10 + (num[i] - '0');
    if (negative) exponent = -exponent;
  }
  return lead + exponent;
}

enum class Parsed { kNumber, kNotANumber, kTooLarge };

// A whole text read as the runtime reads a number: blanks around, one
// optional sign, digits with an optional point and exponent. Words that
// from_chars also takes ("inf", "nan") are not numbers here; a value too
// small for a double is 0.
Parsed ParseWhole(std::string_view text, double& v) {
  std::string_view t = Trim(text);
  const bool plus = !t.empty() && t.front() == '+';
  if (plus) t.remove_prefix(1);
  const size_t sign = !plus && !t.empty() && t.front() == '-' ? 1 : 0;
  if (t.size() <= sign || !(IsDigit(t[sign]) || t[sign] == '.'))
    return Parsed::kNotANumber;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (r.ec == std::errc::invalid_argument || r.ptr != t.data() + t.size())
    return Parsed::kNotANumber;
  if (r.ec == std::errc::result_out_of_range) {
    if (LeadingPowerOfTen(t) > 0) return Parsed::kTooLarge;
    v = sign != 0 ? -0.0 : 0.0;
  }
  return Parsed::kNumber;
}

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
  while (!num.empty() &&
         (num.back() == 'e' || num.back() == '+' || num.back() == '-'))
    num.pop_back();
  if (!digits || num.empty()) return 0.0;
  if (num.front() == '+') num.erase(0, 1);
  double v = 0.0;
  const auto r = std::from_chars(num.data(), num.data() + num.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    if (LeadingPowerOfTen(num) > 0) throw Failure(err::kOverflow);
    return num.front() == '-' ? -0.0 : 0.0;  // too small: zero
  }
  return r.ec == std::errc() ? v : 0.0;
}

int32_t CLngText(std::string_view text) {
  double v = 0.0;
  switch (ParseWhole(text, v)) {
    case Parsed::kNotANumber:
      throw Failure(err::kTypeMismatch);
    case Parsed::kTooLarge:
      throw Failure(err::kOverflow);
    case Parsed::kNumber:
      break;
  }
  return CLng(v);
}

bool CBoolText(std::string_view text) {
  const std::string_view t = Trim(text);
  std::string lower;
  for (char c : t)
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "true" || lower == "verdadero") return true;
  if (lower == "false" || lower == "falso") return false;
  double v = 0.0;
  switch (ParseWhole(t, v)) {
    case Parsed::kNotANumber:
      throw Failure(err::kTypeMismatch);
    case Parsed::kTooLarge:
      return true;  // a huge number is not zero
    case Parsed::kNumber:
      break;
  }
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
