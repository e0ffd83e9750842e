#include "qdr2_gomiat/array.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::FailureOf;

// Bounds and contents as one value.
template <class T>
std::tuple<int32_t, int32_t, std::vector<T>> Of(const Array<T>& a) {
  return {a.LBound(), a.UBound(), a.storage()};
}
using Ints = std::vector<int32_t>;

TEST(Array, EveryIndexIsChecked) {
  // Unallocated, before any Redim and after Erase: no bounds at all.
  Array<int32_t> none;
  EXPECT_FALSE(none.IsAllocated());
  EXPECT_EQ(FailureOf([&] { none(0); }), err::kSubscript);
  none.Redim(1, 2);
  none.Erase();
  EXPECT_EQ(FailureOf([&] { none.UBound(); }), err::kSubscript);

  Array<std::string> a(-2, 2);
  a(-2) = "primero";
  a[2] = "último";
  EXPECT_EQ(Of(a), std::tuple(-2, 2,
                              std::vector<std::string>{"primero", "", "", "",
                                                       "último"}));
  for (int32_t bad : {-3, 3, INT32_MIN, INT32_MAX})
    EXPECT_EQ(FailureOf([&] { a(bad); }), err::kSubscript) << bad;

  // Empty but allocated (0 to -1), as the host makes an empty list.
  Array<int32_t> empty(0, -1);
  EXPECT_EQ(empty.UBound(), -1);
  EXPECT_EQ(FailureOf([&] { empty(0); }), err::kSubscript);
  EXPECT_EQ(FailureOf([&] { empty.Redim(5, 3); }), err::kSubscript);

  EXPECT_EQ(Of(Array<int32_t>::FromItems({10, 20, 30})),
            std::tuple(0, 3, Ints{0, 10, 20, 30}));
}

TEST(Array, RedimPreserveKeepsWhatFitsAndCopiesAreIndependent) {
  Array<int32_t> a(1, 3);
  a(1) = 1, a(2) = 2, a(3) = 3;
  a.RedimPreserve(5);
  EXPECT_EQ(Of(a), std::tuple(1, 5, Ints{1, 2, 3, 0, 0}));
  a.RedimPreserve(2);
  EXPECT_EQ(FailureOf([&] { a.RedimPreserve(-1); }), err::kSubscript);
  // A refused re-dimension changes nothing.
  EXPECT_EQ(Of(a), std::tuple(1, 2, Ints{1, 2}));

  Array<int32_t> fresh;
  fresh.RedimPreserve(2);
  EXPECT_EQ(Of(fresh), std::tuple(0, 2, Ints{0, 0, 0}));

  Array<int32_t> copy = a;
  copy(1) = 99;
  EXPECT_EQ(a(1), 1);
  copy(1) = 1;
  EXPECT_TRUE(copy == a);

  a.Redim(0, 1);  // plain ReDim clears
  EXPECT_EQ(Of(a), std::tuple(0, 1, Ints{0, 0}));
}

}  // namespace
}  // namespace qdr2_Gomiat
