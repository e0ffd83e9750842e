#include "frame/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace qdr2_Gomiat {

namespace {

constexpr double kPowers[] = {1,    1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The nearest whole number to x >= 0 without a call into the maths library:
// below 2^51 adding 2^52 leaves no fraction to keep. Halves may go either
// way, which changes nothing below: m / 10^k == v then fails for both
// neighbours, as v * 10^k lies within 0.375 of the m that passes.
double Nearest(double x) {
  constexpr double kTwo52 = 4503599627370496.0;
  if (!(x < kTwo52 / 2)) return std::round(x);
  return (x + kTwo52) - kTwo52;
}

// v is m / 10^k for a whole m and a small k: the smallest such k gives the
// shortest text (the division is correctly rounded, as reading the text
// is, and below 1e12 no two multiples of 10^-5 share a double). Null when v
// is not such a number or when the exponent form would be shorter.
char* FewDecimals(double v, bool fixed, char* p) {
  const double a = std::fabs(v);
  if (!(a < 1e12) || (v == 0 && std::signbit(v))) return nullptr;
  // Three decimals first: it covers fewer ones too, their zeros dropped.
  for (int power : {3, 4, 5}) {
    int k = power;
    const double m = Nearest(a * kPowers[power]);
    if (m >= 9007199254740992.0 || m / kPowers[power] != a) continue;
    // Copied 24 at a time (a call to memmove for a few bytes costs more
    // than the rest of the number), so twice the room of the digits.
    char digits[48] = {};
    char* end = std::to_chars(digits, digits + 24, static_cast<int64_t>(m)).ptr;
    int n = static_cast<int>(end - digits);
    for (; k > 0 && n > 1 && digits[n - 1] == '0'; --k) --n;  // "1.50"
    if (!fixed) {
      // The general form takes the exponent when it is shorter ("1e+06").
      int significant = n;
      while (significant > 1 && digits[significant - 1] == '0') --significant;
      const int exponent = n - 1 - k;
      const int exp_digits = std::abs(exponent) >= 100 ? 3 : 2;
      const int scientific =
          significant + (significant > 1 ? 1 : 0) + 2 + exp_digits;
      const int plain = k == 0 ? n : (n > k ? n : k + 1) + 1;
      if (scientific < plain) return nullptr;
    }
    if (v < 0) *p++ = '-';
    if (n > k) {
      std::memcpy(p, digits, 24);
      p += n - k;
    } else {
      *p++ = '0';
    }
    if (k > 0) {
      *p++ = '.';
      for (int z = n; z < k; ++z) *p++ = '0';
      const int from = n > k ? n - k : 0;
      std::memcpy(p, digits + from, 24);
      p += n - from;
    }
    return p;
  }
  return nullptr;
}

}  // namespace

char* WriteShortest(double v, bool fixed, char* first, char* last) {
  if (char* end = FewDecimals(v, fixed, first)) return end;
  const auto r = fixed ? std::to_chars(first, last, v, std::chars_format::fixed)
                       : std::to_chars(first, last, v);
  if (r.ec != std::errc()) {
    *first = '0';
    return first + 1;
  }
  return r.ptr;
}

bool ReadDecimal(std::string_view t, double& v) {
  // Up to 15 significant digits and 22 decimals: m and 10^k are exact
  // doubles and their quotient is correctly rounded, as from_chars is.
  const char* p = t.data();
  const char* const end = p + t.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  uint64_t m = 0;
  int digits = 0, decimals = 0;
  bool any = false, point = false;
  for (; p != end; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      any = true;
      if (m == 0 && c == '0') {
        if (point) ++decimals;  // leading zeros carry no digit
        continue;
      }
      if (++digits > 15) break;
      m = m * 10 + static_cast<uint64_t>(c - '0');
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (p == end && any && decimals <= 22) {
    const double q = static_cast<double>(m) / kPowers[decimals];
    v = negative ? -q : q;
    return true;
  }
  const auto r = std::from_chars(t.data(), end, v);
  return r.ec == std::errc() && r.ptr == end;
}

}  // namespace qdr2_Gomiat
