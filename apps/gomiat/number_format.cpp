#include "number_format.h"

#include <array>
#include <charconv>
#include <cmath>

namespace gomiat {

namespace {
// Room for any double in fixed notation (about 310 digits).
constexpr size_t kNumberRoom = 400;

// `fixed`: never an exponent; otherwise whichever of the two is shorter.
char* Format(double v, bool fixed, char* first, char* last) {
  if (!std::isfinite(v)) v = 0;  // callers never pass these; be safe
  if (v == 0) v = 0;             // no "-0"
  const auto r = fixed ? std::to_chars(first, last, v, std::chars_format::fixed)
                       : std::to_chars(first, last, v);
  if (r.ec != std::errc()) {
    *first = '0';
    return first + 1;
  }
  return r.ptr;
}

std::string Format(double v, bool fixed) {
  std::array<char, kNumberRoom> buf{};
  char* end = Format(v, fixed, buf.data(), buf.data() + buf.size());
  return std::string(buf.data(), end);
}
}  // namespace

std::string FixedShortest(double v) { return Format(v, true); }
std::string Shortest(double v) { return Format(v, false); }

TextOut::TextOut(std::ostream& out) : out_(out), buf_(kRoom) {}

TextOut::~TextOut() {
  if (used_ > 0) out_.write(buf_.data(), static_cast<std::streamsize>(used_));
}

void TextOut::Drain(size_t need) {
  out_.write(buf_.data(), static_cast<std::streamsize>(used_));
  used_ = 0;
  if (need > buf_.size()) buf_.resize(need);
}

void TextOut::Fixed(double v) {
  if (buf_.size() - used_ < kNumberRoom) Drain(kNumberRoom);
  char* p = buf_.data() + used_;
  used_ =
      static_cast<size_t>(Format(v, true, p, p + kNumberRoom) - buf_.data());
}

void TextOut::Shortest(double v) {
  if (buf_.size() - used_ < kNumberRoom) Drain(kNumberRoom);
  char* p = buf_.data() + used_;
  used_ =
      static_cast<size_t>(Format(v, false, p, p + kNumberRoom) - buf_.data());
}

void TextOut::Int(long long v) {
  if (buf_.size() - used_ < 24) Drain(24);
  char* p = buf_.data() + used_;
  used_ = static_cast<size_t>(std::to_chars(p, p + 24, v).ptr - buf_.data());
}

void TextOut::Flush() {
  Drain(0);
  out_.flush();
}

}  // namespace gomiat
