// Array<T>: a one-dimensional array that carries its own bounds, as the host's
// arrays do. It may be unallocated; every index is checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

template <class T>
class Array {
 public:
  Array() = default;  // unallocated: asking for its bounds fails
  Array(int32_t lower, int32_t upper) { Redim(lower, upper); }

  // Allocated 0 to items.size(), items at 1..n (the model's convention).
  static Array FromItems(std::initializer_list<T> items) {
    Array a(0, static_cast<int32_t>(items.size()));
    int32_t i = 1;
    for (const T& v : items) a.data_[static_cast<size_t>(i++)] = v;
    return a;
  }
  static Array FromItems(const std::vector<T>& items) {
    Array a(0, static_cast<int32_t>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) a.data_[i + 1] = items[i];
    return a;
  }

  bool IsAllocated() const noexcept { return allocated_; }
  int32_t LBound() const {
    RequireAllocated();
    return lower_;
  }
  int32_t UBound() const {
    RequireAllocated();
    return upper_;
  }
  // Number of elements; 0 when unallocated.
  size_t size() const noexcept { return data_.size(); }

  T& operator()(int32_t i) { return data_[Offset(i)]; }
  const T& operator()(int32_t i) const { return data_[Offset(i)]; }
  T& operator[](int32_t i) { return data_[Offset(i)]; }
  const T& operator[](int32_t i) const { return data_[Offset(i)]; }

  // ReDim: new bounds, contents reset to default values.
  void Redim(int32_t lower, int32_t upper) {
    if (!ValidBounds(lower, upper)) throw Failure(err::kSubscript);
    std::vector<T> fresh(Count(lower, upper));
    data_.swap(fresh);
    lower_ = lower;
    upper_ = upper;
    allocated_ = true;
  }
  // ReDim Preserve: keeps the lower bound and the contents that still fit.
  // An unallocated array is allocated from 0.
  void RedimPreserve(int32_t upper) {
    const int32_t lower = allocated_ ? lower_ : 0;
    if (!ValidBounds(lower, upper)) throw Failure(err::kSubscript);
    data_.resize(Count(lower, upper));
    lower_ = lower;
    upper_ = upper;
    allocated_ = true;
  }
  void Erase() noexcept {
    data_.clear();
    data_.shrink_to_fit();
    allocated_ = false;
    lower_ = 0;
    upper_ = -1;
  }

  // Direct access for fast loops; element k of the vector is index LBound()+k.
  std::vector<T>& storage() noexcept { return data_; }
  const std::vector<T>& storage() const noexcept { return data_; }

  bool operator==(const Array& o) const {
    return allocated_ == o.allocated_ && lower_ == o.lower_ &&
           upper_ == o.upper_ && data_ == o.data_;
  }

 private:
  // An empty array (upper = lower - 1) is allowed; 64-bit so no bound
  // overflows.
  static bool ValidBounds(int32_t lower, int32_t upper) {
    return static_cast<int64_t>(upper) >= static_cast<int64_t>(lower) - 1;
  }
  static size_t Count(int32_t lower, int32_t upper) {
    return static_cast<size_t>(static_cast<int64_t>(upper) - lower + 1);
  }
  void RequireAllocated() const {
    if (!allocated_) throw Failure(err::kSubscript);
  }
  size_t Offset(int32_t i) const {
    if (!allocated_ || i < lower_ || i > upper_) throw Failure(err::kSubscript);
    return static_cast<size_t>(static_cast<int64_t>(i) - lower_);
  }

  std::vector<T> data_;
  int32_t lower_ = 0;
  int32_t upper_ = -1;
  bool allocated_ = false;
};

}  // namespace qdr2_Gomiat
