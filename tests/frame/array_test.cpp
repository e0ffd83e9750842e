#include "qdr2_gomiat/array.h"

#include <gtest/gtest.h>

#include <string>

#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::FailureOf;

TEST(Array, UnallocatedArraysHaveNoBounds) {
  Array<int32_t> a;
  EXPECT_FALSE(a.IsAllocated());
  EXPECT_EQ(FailureOf([&] { a.UBound(); }), err::kSubscript);
  EXPECT_EQ(FailureOf([&] { a(0); }), err::kSubscript);
  a.Redim(1, 2);
  a.Erase();
  EXPECT_FALSE(a.IsAllocated());
  EXPECT_EQ(FailureOf([&] { a.UBound(); }), err::kSubscript);
}

TEST(Array, EveryIndexIsChecked) {
  Array<std::string> a(-2, 2);
  EXPECT_EQ(a.LBound(), -2);
  EXPECT_EQ(a.UBound(), 2);
  a(-2) = "primero";
  a[2] = "último";
  EXPECT_EQ(a.storage().front(), "primero");
  EXPECT_EQ(a.storage().back(), "último");
  for (int32_t bad : {-3, 3, INT32_MIN, INT32_MAX})
    EXPECT_EQ(FailureOf([&] { a(bad); }), err::kSubscript) << bad;

  // Empty but allocated (0 to -1), as the host makes an empty list.
  Array<int32_t> empty(0, -1);
  EXPECT_TRUE(empty.IsAllocated());
  EXPECT_EQ(empty.UBound(), -1);
  EXPECT_EQ(FailureOf([&] { empty(0); }), err::kSubscript);
  EXPECT_EQ(FailureOf([&] { empty.Redim(5, 3); }), err::kSubscript);

  const auto items = Array<int32_t>::FromItems({10, 20, 30});
  EXPECT_EQ(items.LBound(), 0);
  EXPECT_EQ(items.UBound(), 3);
  EXPECT_EQ(items(3), 30);
}

TEST(Array, RedimPreserveKeepsWhatFitsAndCopiesAreIndependent) {
  Array<int32_t> a(1, 3);
  a(1) = 1, a(2) = 2, a(3) = 3;
  a.RedimPreserve(5);
  EXPECT_EQ(a.UBound(), 5);
  EXPECT_EQ(a(5), 0);
  a.RedimPreserve(2);
  EXPECT_EQ(a.UBound(), 2);
  EXPECT_EQ(a(2), 2);
  EXPECT_EQ(FailureOf([&] { a(3); }), err::kSubscript);
  EXPECT_EQ(FailureOf([&] { a.RedimPreserve(-1); }), err::kSubscript);
  EXPECT_EQ(a.UBound(), 2);  // a refused re-dimension changes nothing

  Array<int32_t> fresh;
  fresh.RedimPreserve(2);
  EXPECT_EQ(fresh.UBound(), 2);

  Array<int32_t> copy = a;
  copy(1) = 99;
  EXPECT_EQ(a(1), 1);
  copy(1) = 1;
  EXPECT_TRUE(copy == a);

  a.Redim(0, 1);  // plain ReDim clears
  EXPECT_EQ(a(1), 0);
}

}  // namespace
}  // namespace qdr2_Gomiat
