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

TextOut::TextOut(std::ostream& out)
    : out_(&out),
      buf_(std::make_unique_for_overwrite<char[]>(kRoom)),
      size_(kRoom) {}
TextOut::TextOut()
    : buf_(std::make_unique_for_overwrite<char[]>(kRoom)), size_(kRoom) {}

TextOut::~TextOut() {
  if (out_) Drain(0);
}

void TextOut::Drain(size_t need) {
  if (out_) {
    out_->write(buf_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
    if (need <= size_) return;
  } else if (need <= size_ - used_) {
    return;
  }
  const size_t size = std::max(size_ * 2, used_ + need);
  auto bigger = std::make_unique_for_overwrite<char[]>(size);
  std::copy(buf_.get(), buf_.get() + used_, bigger.get());
  buf_ = std::move(bigger);
  size_ = size;
}

TextOut& TextOut::Large(std::string_view s) {
  // A whole piece made elsewhere goes to the stream as it is, not through
  // the buffer.
  if (out_ && s.size() >= kRoom) {
    Drain(0);
    out_->write(s.data(), static_cast<std::streamsize>(s.size()));
    return *this;
  }
  Drain(s.size());
  s.copy(buf_.get() + used_, s.size());
  used_ += s.size();
  return *this;
}

void TextOut::Fixed(double v) {
  if (size_ - used_ < kNumberRoom) Drain(kNumberRoom);
  char* p = buf_.get() + used_;
  used_ = static_cast<size_t>(Format(v, true, p, p + kNumberRoom) - buf_.get());
}

void TextOut::Shortest(double v) {
  if (size_ - used_ < kNumberRoom) Drain(kNumberRoom);
  char* p = buf_.get() + used_;
  used_ =
      static_cast<size_t>(Format(v, false, p, p + kNumberRoom) - buf_.get());
}

void TextOut::Int(long long v) {
  if (size_ - used_ < 24) Drain(24);
  char* p = buf_.get() + used_;
  used_ = static_cast<size_t>(std::to_chars(p, p + 24, v).ptr - buf_.get());
}

void TextOut::Flush() {
  if (!out_) return;
  Drain(0);
  out_->flush();
}

}  // namespace gomiat
