#include "number_format.h"

#include <array>
#include <charconv>
#include <cmath>

namespace gomiat {

namespace {
std::string Format(double v, std::chars_format format) {
  if (!std::isfinite(v)) v = 0;  // callers never pass these; be safe
  if (v == 0) v = 0;             // no "-0"
  // Enough for any double in fixed notation (about 310 digits).
  std::array<char, 400> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, format);
  if (r.ec != std::errc()) return "0";
  return std::string(buf.data(), r.ptr);
}
}  // namespace

std::string FixedShortest(double v) {
  return Format(v, std::chars_format::fixed);
}
std::string Shortest(double v) { return Format(v, std::chars_format::general); }

}  // namespace gomiat
