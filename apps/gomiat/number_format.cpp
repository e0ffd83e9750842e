#include "number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "frame/decimal_text.h"

namespace gomiat {

namespace {
// Room for any double in fixed notation (about 310 digits).
constexpr size_t kNumberRoom = qdr2_Gomiat::kDecimalRoom;

// `fixed`: never an exponent; otherwise whichever of the two is shorter.
char* Format(double v, bool fixed, char* first, char* last) {
  if (!std::isfinite(v)) v = 0;  // callers never pass these; be safe
  if (v == 0) v = 0;             // no "-0"
  return qdr2_Gomiat::WriteShortest(v, fixed, first, last);
}

std::string Format(double v, bool fixed) {
  std::array<char, kNumberRoom> buf{};
  char* end = Format(v, fixed, buf.data(), buf.data() + buf.size());
  return std::string(buf.data(), end);
}
}  // namespace

std::string FixedShortest(double v) { return Format(v, true); }
std::string Shortest(double v) { return Format(v, false); }

TextOut::TextOut(std::ostream& out) : out_(&out), buf_(kRoom) {}
TextOut::TextOut(std::string& out) : str_(&out), buf_(kRoom) {}

TextOut::~TextOut() { Drain(0); }

void TextOut::Drain(size_t need) {
  if (out_)
    out_->write(buf_.data(), static_cast<std::streamsize>(used_));
  else
    str_->append(buf_.data(), used_);
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
  if (out_) out_->flush();
}

}  // namespace gomiat
