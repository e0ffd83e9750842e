// Numbers written into drawing files: locale-independent, the shortest text
// that reads back as the same double.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace gomiat {

// Without an exponent ("431200.125", "0.5", "-3"), for DXF readers.
std::string FixedShortest(double v);
// Shortest, exponent allowed ("1e-07"), valid JSON.
std::string Shortest(double v);

// Text gathered in a large buffer and handed to a stream in big pieces,
// numbers formatted in place: the writers of large drawings spend their
// time here.
class TextOut {
 public:
  explicit TextOut(std::ostream& out);
  // Keeps all the text in memory, for Text(): a piece of a drawing made on
  // another thread.
  TextOut();
  ~TextOut();  // hands over what is left; a failure shows on the stream
  TextOut(const TextOut&) = delete;
  TextOut& operator=(const TextOut&) = delete;

  TextOut& operator<<(std::string_view s) {
    if (s.size() > size_ - used_) return Large(s);
    s.copy(buf_.get() + used_, s.size());
    used_ += s.size();
    return *this;
  }
  TextOut& operator<<(char c) {
    if (used_ == size_) Drain(1);
    buf_[used_++] = c;
    return *this;
  }
  // `n` bytes from `p`, where at least kPadded bytes may be read: a short
  // text goes in one fixed-size copy, not a call to memcpy.
  static constexpr size_t kPadded = 32;
  void Padded(const char* p, size_t n) {
    if (n > kPadded || size_ - used_ < kPadded) {
      *this << std::string_view(p, n);
      return;
    }
    std::memcpy(buf_.get() + used_, p, kPadded);
    used_ += n;
  }
  void Fixed(double v);     // as FixedShortest
  void Shortest(double v);  // as Shortest
  void Int(long long v);
  // Hands everything to the stream and flushes it.
  void Flush();
  // Without a stream: the text so far, and starting again (the memory kept).
  std::string_view Text() const { return {buf_.get(), used_}; }
  void Clear() { used_ = 0; }

 private:
  static constexpr size_t kRoom = size_t{1} << 20;
  // Makes room for `need` more bytes: hands the text to the stream, or
  // without one grows the buffer.
  void Drain(size_t need);
  TextOut& Large(std::string_view s);

  std::ostream* out_ = nullptr;
  std::unique_ptr<char[]> buf_;  // not zeroed: every byte is written first
  size_t size_ = 0;
  size_t used_ = 0;
};

}  // namespace gomiat
