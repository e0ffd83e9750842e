// The deduction of polylines, layers and line types from point codes, run
// without any window, on the coding examples surveyors use. The fast
// deduction is compared with the step-by-step reference on random surveys
// by the deduction's fuzz harness, which the test suite also runs.
#include <gtest/gtest.h>

#include <vector>

#include "autosketch/sketch_deduction.h"
#include "deduction_reference.h"
#include "platform/platform.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using namespace testing;  // the reference deduction's run and readings

Array<std::string> Texts(std::vector<std::string> items) {
  return Array<std::string>::FromItems(items);
}

std::vector<std::vector<int32_t>> AllVertices(const SketchOutcome& out) {
  return test_support::AllVertices(out.nPolis, out.Polis);
}

class DeductionTest : public ::testing::Test {
 protected:
  SketchServices Services() { return {*numbers_, *sort_, palette_}; }

  // One accepted call on a fresh object, the window accepted untouched.
  SketchOutcome Run(std::vector<std::string> codes,
                    std::vector<std::string> layers = {},
                    const CodeMeanings& table = {}) {
    SketchDeduction d;
    return RunAccepted(
        d, Texts(codes), Texts(layers),
        [&](const SketchState& s) { return RowsAsAccepted(s, table); },
        Services());
  }

  std::unique_ptr<NumberTextService> numbers_ = MakeNumberTextService();
  std::unique_ptr<SortService> sort_ = MakeSortService();
  TracePalette palette_;
};

TEST_F(DeductionTest, CommandWordsStartAndClosePolylines) {
  using V = std::vector<std::vector<int32_t>>;
  // Three houses corners then "CASA A": closed, back at the first corner.
  EXPECT_EQ(AllVertices(Run({"CASA", "CASA", "CASA", "CASA A"})),
            (V{{1, 2, 3, 4, 1}}));
  // Closing after two corners only: that point is ignored, the line goes on.
  EXPECT_EQ(AllVertices(Run({"CASA", "CASA", "CASA A", "CASA"})),
            (V{{1, 2, 4}}));
  EXPECT_EQ(AllVertices(Run({"CT", "CT", "CT I", "CT", "CT"})),
            (V{{1, 2}, {3, 4, 5}}));
  // A lone point before a start belongs to no polyline.
  EXPECT_EQ(AllVertices(Run({"CT", "CT I", "CT"})), (V{{2, 3}}));
  // F and C are the other spellings; a command after a command is no code.
  EXPECT_EQ(AllVertices(Run({"P", "P F", "P", "P", "P C I"})),
            (V{{2, 3, 4, 5, 2}}));
  // The command belongs to the code right before it only.
  EXPECT_EQ(AllVertices(Run({"CT BT", "CT BT", "CT BT I", "CT BT"})),
            (V{{1, 2}, {3, 4}, {1, 2, 3, 4}}));
}

TEST_F(DeductionTest, WhichWordsBecomeCodes) {
  // Every code "Lineal", even the ones on a single point: a polyline still
  // needs two points, and a field of blanks (a tab is one) is never a vertex.
  const auto all_lineal = [](const SketchState& s) {
    SketchRows rows = RowsAsAccepted(s, {});
    for (int32_t k = 1; k <= s.code_count; ++k) rows.types(k) = "Lineal";
    return rows;
  };
  SketchDeduction d;
  const SketchOutcome out =
      RunAccepted(d,
                  Texts({"", "   ", "I", "CT\tI", "ARBOL", "CT", "F C A", ",",
                         "\t", "ct", " \t"}),
                  Texts({}), all_lineal, Services());
  // No command word and no empty word; case matters; a tab is a blank,
  // between words and alone.
  EXPECT_EQ(d.State().code_list, Texts({"ARBOL", "CT", "Puntos", "ct"}));
  EXPECT_EQ(d.State().code_counts, (Array<int32_t>::FromItems({1, 2, 1, 1})));
  EXPECT_EQ(AllVertices(out), (std::vector<std::vector<int32_t>>{{4, 6}}));
  // Blank fields and command words take layer 1; the code "Puntos" has its
  // own layer named after it, found at the layer "Puntos" just appended.
  EXPECT_EQ(out.CapaP,
            (Array<int16_t>::FromItems({1, 1, 1, 3, 2, 3, 1, 1, 1, 4, 1})));
}

// Colours, line types and which code sets a shared layer are compared with
// the reference on random surveys by the fuzz harness; here what the reference
// cannot tell: the values themselves, and the 16-bit limits.
TEST_F(DeductionTest, LayersColoursAndLineTypes) {
  const CodeMeanings table = {
      {"ARBOL", {"Puntual", "ARBOLES", 3, "0"}},
      {"OLIVO", {"Puntual", "ARBOLES", 5, "__ __ __ __ __"}},
      {"CT", {"Lineal", "CT", 2, "3.5"}},
  };
  const SketchOutcome out =
      Run({"ARBOL", "OLIVO", "CT", "CT", "ZZ", "ZZ", "ARBOL", "OLIVO"},
          {"L1", "CT"}, table);
  ASSERT_EQ(out.failure, 0);
  EXPECT_EQ(out.Capas, Texts({"L1", "CT", "Puntos", "ARBOLES", "ZZ"}));
  // ARBOLES: the later code (OLIVO) wins. A host layer no code uses keeps
  // what the object holds: nothing yet on a new one.
  EXPECT_EQ(out.Colo,
            (Array<int32_t>::FromItems(
                {0, 0x100000 + 2, 16777215, 0x100000 + 5, 0x100000 + 7})));
  EXPECT_EQ(out.TpLin, (Array<int16_t>::FromItems({0, 4, 0, 1, 0})));
  EXPECT_EQ(Run({"Q", "Q"}, {}, {{"Q", {"Lineal", "Q", 7, "40000"}}}).failure,
            err::kOverflow);
  EXPECT_EQ(Run({"Q", "Q"}, {}, {{"Q", {"Lineal", "Q", 70000, "0"}}}).failure,
            err::kOverflow);
}

}  // namespace
}  // namespace qdr2_Gomiat
