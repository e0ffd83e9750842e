#include "number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace gomiat {

namespace {
// Room for any double in fixed notation (about 310 digits).
constexpr size_t kNumberRoom = 400;

constexpr double kPowers[] = {1, 10, 100, 1000, 10000, 100000};

// The nearest whole number to x >= 0 without a call into the maths library:
// below 2^51 adding 2^52 leaves no fraction to keep. Halves may go either
// way, which changes nothing below: m / 10^k == v then fails for both
// neighbours, as v * 10^k lies within 0.375 of the m that passes.
double Nearest(double x) {
  constexpr double kTwo52 = 4503599627370496.0;
  if (!(x < kTwo52 / 2)) return std::round(x);
  return (x + kTwo52) - kTwo52;
}

// Survey coordinates have a few decimals: v is m / 10^k for a whole m and a
// small k. The smallest k for which that division gives v back exactly is
// the shortest fixed text of v (the division is correctly rounded, as
// reading the text is); trailing zeros of m lower k. Null when v is not
// such a number.
char* FewDecimals(double v, bool fixed, char* p) {
  const double a = std::fabs(v);
  if (!(a < 1e12)) return nullptr;
  // Three decimals first: it covers fewer ones too, their zeros dropped.
  for (int power : {3, 4, 5}) {
    int k = power;
    const double m = Nearest(a * kPowers[power]);
    if (m >= 9007199254740992.0 || m / kPowers[power] != a) continue;
    char digits[24];
    char* end =
        std::to_chars(digits, digits + sizeof digits, static_cast<long long>(m))
            .ptr;
    int n = static_cast<int>(end - digits);
    for (; k > 0 && n > 1 && digits[n - 1] == '0'; --k) --n;  // "1.50"
    end = digits + n;
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
      p = std::copy(digits, digits + (n - k), p);
    } else {
      *p++ = '0';
    }
    if (k > 0) {
      *p++ = '.';
      for (int z = n; z < k; ++z) *p++ = '0';
      p = std::copy(digits + (n > k ? n - k : 0), end, p);
    }
    return p;
  }
  return nullptr;
}

// `fixed`: never an exponent; otherwise whichever of the two is shorter.
char* Format(double v, bool fixed, char* first, char* last) {
  if (!std::isfinite(v)) v = 0;  // callers never pass these; be safe
  if (v == 0) v = 0;             // no "-0"
  if (char* end = FewDecimals(v, fixed, first)) return end;
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
