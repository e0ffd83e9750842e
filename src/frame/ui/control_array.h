// A control array: controls of one name told apart by their index
// ("optEstilo(2)"), with one handler for all of them that receives the
// index of the element that fired.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::ui {

template <class C>
class ControlArray {
 public:
  ControlArray(std::string name, int16_t first, std::vector<C*> elements)
      : name_(std::move(name)), first_(first), elements_(std::move(elements)) {}

  const std::string& Name() const { return name_; }
  int16_t LBound() const { return first_; }
  int16_t UBound() const { return static_cast<int16_t>(first_ + Count() - 1); }
  int16_t Count() const { return static_cast<int16_t>(elements_.size()); }

  // The element of index i; an index outside the array is failure 9.
  C& operator()(int32_t i) const {
    if (i < first_ || i > UBound()) throw Failure(err::kSubscript);
    return *elements_[static_cast<size_t>(i - first_)];
  }

  // Sets `event` of every element to `handler`, called with the element's
  // index first: cmdAv.Handle(&CommandButton::Click, [this](int16_t i) {}).
  template <class B, class... A>
  void Handle(
      std::function<void(A...)> B::*event,
      std::type_identity_t<std::function<void(int16_t, A...)>> handler) {
    static_assert(std::is_base_of_v<B, C>, "an event of another control kind");
    for (int16_t k = 0; k < Count(); ++k) {
      const auto index = static_cast<int16_t>(first_ + k);
      elements_[static_cast<size_t>(k)]->*event = [handler, index](A... args) {
        handler(index, args...);
      };
    }
  }

  // Runs `f(element, index)` for every element, in index order.
  template <class F>
  void ForEach(F&& f) const {
    for (int16_t k = 0; k < Count(); ++k)
      f(*elements_[static_cast<size_t>(k)], static_cast<int16_t>(first_ + k));
  }

 private:
  std::string name_;
  int16_t first_;
  std::vector<C*> elements_;
};

}  // namespace qdr2_Gomiat::ui
