#include "platform/grid/text_column.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qdr2_Gomiat {
namespace {

// Mirrors every change in a plain vector and compares after each step.
class Checked {
 public:
  void Resize(size_t n) {
    column.Resize(n);
    mirror.resize(n);
    Compare();
  }
  void Set(size_t i, const std::string& t) {
    column.Set(i, t);
    mirror[i] = t;
    Compare();
  }
  void Compare() const {
    ASSERT_EQ(column.size(), mirror.size());
    for (size_t i = 0; i < mirror.size(); ++i)
      ASSERT_EQ(column.Get(i), mirror[i]) << "cell " << i;
  }
  TextColumn column;
  std::vector<std::string> mirror;
};

TEST(TextColumn, ShorterLongerAndEmptyTextsKeepEveryOtherCell) {
  Checked c;
  c.Resize(4);
  c.Set(0, "alpha");
  c.Set(1, "beta");
  c.Set(2, "gamma");
  c.Set(1, "b");                     // shorter: written in place
  c.Set(1, "much longer");           // longer: moved to the end
  c.Set(0, "");                      // emptied
  c.Set(3, std::string("a\0b", 3));  // bytes, not C strings
  c.Resize(2);                       // cut
  c.Resize(5);                       // cells past the cut come back empty
  EXPECT_EQ(c.column.Get(2), "");
  c.Set(4, "ñandú \xE2\x82\xAC");
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

TEST(TextColumn, DeadTextIsReclaimedWithoutLosingLiveCells) {
  Checked c;
  c.Resize(3000);
  for (size_t i = 0; i < 3000; ++i) c.column.Set(i, std::string(700, 'a'));
  for (size_t i = 0; i < 3000; ++i) c.mirror[i] = std::string(700, 'a');
  // Growing every cell leaves the old texts dead, past the compaction mark.
  for (size_t round = 0; round < 3; ++round)
    for (size_t i = 0; i < 3000; ++i) {
      std::string t = std::to_string(i) + std::string(701 + round, 'b');
      c.column.Set(i, t);
      c.mirror[i] = t;
    }
  c.Compare();
  const size_t live = 3000 * 703 + 3000 * 4;
  EXPECT_LT(c.column.BufferBytes(), 3 * live);
  EXPECT_LT(c.column.DeadBytes(), c.column.BufferBytes());
  // Cutting most rows frees their text too.
  c.Resize(10);
  EXPECT_LT(c.column.BufferBytes(), live / 2);
  c.Resize(0);
  EXPECT_EQ(c.column.BufferBytes(), 0u);
}

TEST(TextColumn, AppendAddsCellsAtTheEnd) {
  TextColumn c;
  c.Append("one");
  c.Append("");
  c.Append("three");
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c.Get(0), "one");
  EXPECT_EQ(c.Get(1), "");
  EXPECT_EQ(c.Get(2), "three");
}

}  // namespace
}  // namespace qdr2_Gomiat
