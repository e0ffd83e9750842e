#include "platform/grid/text_column.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "frame/decimal_text.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {
// Offsets are 32-bit: a column holds at most 4 GiB of text.
constexpr size_t kMaxBuffer = std::numeric_limits<uint32_t>::max();
// Below this much dead text compaction is not worth a pass.
constexpr size_t kMinDeadToCompact = size_t{1} << 20;
constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();
}  // namespace

std::string_view CellNumberText(double value, char* buf) {
  const double a = std::fabs(value);
  const bool plain = a >= 1e-4 && a < 1e15;
  return std::string_view(
      buf, static_cast<size_t>(
               WriteShortest(value, plain, buf, buf + kDecimalRoom) - buf));
}

uint32_t TextColumn::Store(std::string_view text) const {
  if (text.size() > kMaxBuffer) throw Failure(err::kOutOfMemory);
  // `text` may live in our own buffer, which compaction replaces.
  std::string copy;
  if (!arena_.empty() && text.data() >= arena_.data() &&
      text.data() < arena_.data() + arena_.size()) {
    copy.assign(text);
    text = copy;
  }
  if (arena_.size() + text.size() > kMaxBuffer) {
    Compact();
    if (arena_.size() + text.size() > kMaxBuffer)
      throw Failure(err::kOutOfMemory);
  }
  const auto offset = static_cast<uint32_t>(arena_.size());
  arena_.append(text);
  return offset;
}

void TextColumn::Set(size_t i, std::string_view text) {
  Span& s = spans_[i];
  if (i < numbers_.size()) numbers_[i] = kNoNumber;
  if (text.size() <= s.length) {
    // Fits where the old text was: overwrite, the tail becomes dead.
    if (!text.empty())
      std::memmove(&arena_[s.offset], text.data(), text.size());
    garbage_ += s.length - text.size();
    s.length = static_cast<uint32_t>(text.size());
    return;
  }
  const uint32_t offset = Store(text);
  garbage_ += s.length;
  s.offset = offset;
  s.length = static_cast<uint32_t>(text.size());
  MaybeCompact();
}

void TextColumn::SetNumber(size_t i, std::string_view text, double value) {
  Set(i, text);
  // Only numbers that read back from their text are worth keeping.
  if (!std::isfinite(value)) return;
  if (numbers_.size() < spans_.size()) {
    try {
      numbers_.resize(spans_.size(), kNoNumber);
    } catch (const std::bad_alloc&) {
      return;  // the text alone is still right
    }
  }
  numbers_[i] = value;
}

bool TextColumn::Number(size_t i, double& value) const noexcept {
  if (!HasNumber(i)) return false;
  value = numbers_[i];
  return true;
}

void TextColumn::SetNumbers(size_t first, const double* values, size_t count) {
  if (first > spans_.size() || count > spans_.size() - first)
    throw Failure(err::kSubscript);
  if (numbers_.size() < spans_.size())
    numbers_.resize(spans_.size(), kNoNumber);
  for (size_t k = 0; k < count; ++k) {
    const double v = values[k];
    Span& s = spans_[first + k];
    if (!std::isfinite(v)) {
      // No text reads back as these: the cell keeps the text alone.
      char buf[kDecimalRoom];
      Set(first + k, CellNumberText(v, buf));
      continue;
    }
    garbage_ += s.length;
    s.length = 0;
    numbers_[first + k] = v;
    pending_ = true;
  }
}

void TextColumn::MakePendingTexts() const {
  size_t cells = 0;
  for (size_t i = 0; i < spans_.size(); ++i)
    if (spans_[i].length == 0 && HasNumber(i)) ++cells;
  // About twelve characters a coordinate.
  const size_t want = arena_.size() + cells * 12;
  if (want > arena_.capacity() && want <= kMaxBuffer) arena_.reserve(want);
  char buf[kDecimalRoom];
  for (size_t i = 0; i < spans_.size(); ++i) {
    if (spans_[i].length != 0 || !HasNumber(i)) continue;
    const std::string_view text = CellNumberText(numbers_[i], buf);
    spans_[i] = Span{Store(text), static_cast<uint32_t>(text.size())};
  }
  pending_ = false;
}

void TextColumn::Append(std::string_view text) {
  spans_.emplace_back();
  try {
    if (!text.empty()) {
      const uint32_t offset = Store(text);
      spans_.back() = Span{offset, static_cast<uint32_t>(text.size())};
    }
  } catch (...) {
    spans_.pop_back();
    throw;
  }
}

void TextColumn::ReserveText(size_t bytes) noexcept {
  const size_t want = arena_.size() + bytes;
  if (want <= arena_.capacity() || want > kMaxBuffer) return;
  try {
    arena_.reserve(want);
  } catch (const std::bad_alloc&) {
    // The cells still fit one by one.
  }
}

void TextColumn::Resize(size_t n) {
  if (!numbers_.empty()) {
    try {
      numbers_.resize(n, kNoNumber);
    } catch (const std::bad_alloc&) {
      std::vector<double>().swap(numbers_);  // the texts still hold them
    }
  }
  if (n >= spans_.size()) {
    spans_.resize(n);
    return;
  }
  for (size_t i = n; i < spans_.size(); ++i) garbage_ += spans_[i].length;
  spans_.resize(n);
  if (n == 0) {
    std::string().swap(arena_);
    garbage_ = 0;
    return;
  }
  MaybeCompact();
}

void TextColumn::Compact() const {
  std::string fresh;
  fresh.reserve(arena_.size() - garbage_);
  for (const Span& s : spans_) fresh.append(arena_, s.offset, s.length);
  // Nothing below can fail: the new offsets are the running sums.
  uint32_t at = 0;
  for (Span& s : spans_) {
    s.offset = at;
    at += s.length;
  }
  arena_.swap(fresh);
  garbage_ = 0;
}

void TextColumn::MaybeCompact() noexcept {
  if (garbage_ < kMinDeadToCompact || garbage_ * 2 < arena_.size()) return;
  try {
    Compact();
  } catch (const std::bad_alloc&) {
    // The cells are still right; the dead bytes just stay a while longer.
  }
}

}  // namespace qdr2_Gomiat
