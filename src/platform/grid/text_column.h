// The texts of one grid column: one shared byte buffer plus an offset and a
// length per cell, so a million rows cost 8 bytes each plus their text, and
// no heap object exists per cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qdr2_Gomiat {

// The text a number cell shows: the shortest that reads back as the same
// Double, without an exponent from 1e-4 to 1e15 (a coordinate of a million
// reads "1000000", not "1e+06"). `buf` needs kDecimalRoom characters.
std::string_view CellNumberText(double value, char* buf);

class TextColumn {
 public:
  size_t size() const noexcept { return spans_.size(); }
  // Valid until the column next changes. `i` must be below size(). The
  // first read after numbers were set makes their texts (see SetNumbers).
  std::string_view Get(size_t i) const {
    if (pending_) MakePendingTexts();
    const Span& s = spans_[i];
    return std::string_view(arena_.data() + s.offset, s.length);
  }
  // True when the cell has a text, made already or not.
  bool Filled(size_t i) const noexcept {
    return spans_[i].length > 0 || HasNumber(i);
  }
  // On failure (too much text, no memory) nothing changes.
  void Set(size_t i, std::string_view text);
  // The text of a number and the number itself, kept until the cell next
  // changes, so reading the column back as numbers needs no parsing.
  void SetNumber(size_t i, std::string_view text, double value);
  // Numbers whose texts are made only when the column is first read: a
  // table filled and read back as numbers never formats them.
  void SetNumbers(size_t first, const double* values, size_t count);
  // The number the cell was last set to, if its text has not changed since.
  bool Number(size_t i, double& value) const noexcept;
  // Adds a cell at the end (used when reading a file row by row).
  void Append(std::string_view text);

  // Room for `n` cells, so that a later Resize up to `n` cannot fail.
  void Reserve(size_t n) { spans_.reserve(n); }
  // Room for `bytes` more text, so a large fill does not copy the buffer
  // over and over as it grows. Only a hint: nothing fails for lack of it.
  void ReserveText(size_t bytes) noexcept;
  // Keeps the cells that still fit; new cells are empty.
  void Resize(size_t n);

  // Bytes held, live and dead (for tests and measurements).
  size_t BufferBytes() const noexcept { return arena_.size(); }
  size_t DeadBytes() const noexcept { return garbage_; }

 private:
  struct Span {
    uint32_t offset = 0;
    uint32_t length = 0;
  };

  bool HasNumber(size_t i) const noexcept {
    return i < numbers_.size() && numbers_[i] == numbers_[i];  // not NaN
  }
  // Gives a text to every number cell that has none yet.
  void MakePendingTexts() const;
  // Copies `text` to the end of the buffer and returns where it starts.
  uint32_t Store(std::string_view text) const;
  // Rewrites the buffer with live texts only, in cell order.
  void Compact() const;
  // Compacts when at least half the buffer is dead; never fails.
  void MaybeCompact() noexcept;

  // Mutable for the texts made on first read; the cells' contents do not
  // change then. A cell with a number and an empty span awaits its text.
  mutable std::vector<Span> spans_;
  mutable std::string arena_;
  mutable size_t garbage_ = 0;  // bytes of the buffer no cell points to
  mutable bool pending_ = false;
  // Per cell, the number behind its text or NaN; empty until a number is set.
  std::vector<double> numbers_;
};

}  // namespace qdr2_Gomiat
