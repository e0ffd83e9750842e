#include "platform/grid/text_column.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {
namespace {

// Every change mirrored in a plain vector and compared.
struct Checked {
  void Set(size_t i, const std::string& t) { column.Set(i, t), mirror[i] = t; }
  void Resize(size_t n) { column.Resize(n), mirror.resize(n); }
  void Compare() const {
    ASSERT_EQ(column.size(), mirror.size());
    for (size_t i = 0; i < mirror.size(); ++i)
      ASSERT_EQ(column.Get(i), mirror[i]) << "cell " << i;
  }
  TextColumn column;
  std::vector<std::string> mirror;
};

TEST(TextColumn, EveryChangeKeepsTheOtherCellsAndDeadTextIsReclaimed) {
  Checked c;
  c.Resize(4);
  for (const auto& [i, t] :
       std::vector<std::pair<size_t, std::string>>{{0, "alpha"},
                                                   {1, "beta"},
                                                   {1, "b"},
                                                   {1, "much longer"},
                                                   {0, ""},
                                                   {3, std::string("a\0b", 3)}})
    c.Set(i, t), c.Compare();
  c.Resize(2), c.Resize(5), c.Compare();  // cells past a cut come back empty

  c.Resize(3000);
  for (size_t round = 0; round < 4; ++round)
    for (size_t i = 0; i < 3000; ++i)
      c.Set(i, std::to_string(i) + std::string(700 + round, 'b'));
  c.Compare();
  const size_t live = 3000 * 703 + 3000 * 4;
  EXPECT_LT(c.column.BufferBytes(), 3 * live);
  c.Resize(10);  // cutting most rows frees their text too
  EXPECT_LT(c.column.BufferBytes(), live / 2);
  c.Resize(0);
  EXPECT_EQ(c.column.BufferBytes(), 0u);
}

TEST(TextColumn, CopyingACellOntoAnotherOfTheSameColumnIsSafe) {
  TextColumn c;
  c.Resize(2);
  c.Set(0, "short");
  c.Set(1, std::string(5000, 'x'));
  // The source lives in the column's own buffer, which the store may move.
  c.Set(0, c.Get(1));
  EXPECT_EQ(c.Get(0), std::string(5000, 'x'));
  c.Set(1, c.Get(1).substr(10, 20));
  EXPECT_EQ(c.Get(1), std::string(20, 'x'));
}

// Numbers get their texts on the first read; until then, and after, they
// read back as numbers, and any change of a cell drops its number.
TEST(TextColumn, NumbersReadBackAndGetTheirTextsWhenFirstRead) {
  TextColumn c;
  c.Resize(5);
  c.Set(4, "kept");
  const double v[] = {431247.982, -0.5, 1e22, 7};
  c.SetNumbers(0, v, 4);
  double n = 0;
  EXPECT_TRUE(c.Number(2, n) && n == 1e22);
  EXPECT_TRUE(c.Filled(1));
  c.Set(3, "x");  // a text over a number waiting for its own
  c.Resize(6);
  EXPECT_FALSE(c.Number(3, n) || c.Number(5, n) || c.Filled(5));
  EXPECT_EQ(std::tuple(c.Get(0), c.Get(1), c.Get(2), c.Get(3), c.Get(4)),
            std::tuple("431247.982", "-0.5", "1e+22", "x", "kept"));
  EXPECT_TRUE(c.Number(0, n) && n == 431247.982);
  const double million[] = {1e6};  // no exponent for a plain coordinate
  c.SetNumbers(3, million, 1);
  EXPECT_EQ(c.Get(3), "1000000");
  const double nan[] = {std::numeric_limits<double>::quiet_NaN()};
  c.SetNumbers(1, nan, 1);  // no number to keep: the text alone
  EXPECT_FALSE(c.Number(1, n));
  EXPECT_EQ(c.Get(1), "nan");
  EXPECT_THROW(c.SetNumbers(5, v, 2), Failure);
}

}  // namespace
}  // namespace qdr2_Gomiat
