// Numbers written into drawing files: locale-independent, the shortest text
// that reads back as the same double.
#pragma once

#include <cstddef>
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
  explicit TextOut(std::string& out);  // appends to it
  ~TextOut();  // hands over what is left; a failure shows on the stream
  TextOut(const TextOut&) = delete;
  TextOut& operator=(const TextOut&) = delete;

  TextOut& operator<<(std::string_view s) {
    if (s.size() > buf_.size() - used_) Drain(s.size());
    s.copy(buf_.data() + used_, s.size());
    used_ += s.size();
    return *this;
  }
  TextOut& operator<<(char c) {
    if (used_ == buf_.size()) Drain(1);
    buf_[used_++] = c;
    return *this;
  }
  void Fixed(double v);     // as FixedShortest
  void Shortest(double v);  // as Shortest
  void Int(long long v);
  // Hands everything to the stream and flushes it.
  void Flush();

 private:
  static constexpr size_t kRoom = size_t{1} << 20;
  void Drain(size_t need);

  std::ostream* out_ = nullptr;
  std::string* str_ = nullptr;
  std::vector<char> buf_;
  size_t used_ = 0;
};

}  // namespace gomiat
