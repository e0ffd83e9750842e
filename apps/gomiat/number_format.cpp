#include "number_format.h"

#include <array>
#include <charconv>
#include <cmath>

namespace gomiat {

namespace {
// `fixed`: never an exponent; otherwise whichever of the two is shorter.
std::string Format(double v, bool fixed) {
  if (!std::isfinite(v)) v = 0;  // callers never pass these; be safe
  if (v == 0) v = 0;             // no "-0"
  // Enough for any double in fixed notation (about 310 digits).
  std::array<char, 400> buf{};
  char* const first = buf.data();
  char* const last = buf.data() + buf.size();
  const auto r = fixed ? std::to_chars(first, last, v, std::chars_format::fixed)
                       : std::to_chars(first, last, v);
  if (r.ec != std::errc()) return "0";
  return std::string(buf.data(), r.ptr);
}
}  // namespace

std::string FixedShortest(double v) { return Format(v, true); }
std::string Shortest(double v) { return Format(v, false); }

}  // namespace gomiat
