#include "frame/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::FailureOf;

TEST(Convert, WholeNumbersRoundHalfToEvenAndOverflowIs6) {
  EXPECT_EQ(std::tuple(CLng(2.5), CLng(3.5), CLng(-2.5), CLng(2147483647.4),
                       CLng(-2147483648.5)),
            std::tuple(2, 4, -2, 2147483647, INT32_MIN));  // ties: the even one
  for (double v : {2147483647.5, std::nan(""), HUGE_VAL})
    EXPECT_EQ(FailureOf([v] { CLng(v); }), err::kOverflow) << v;

  EXPECT_EQ(std::tuple(CInt(1.5), CInt(-32768.5), CInt(32766.5)),
            std::tuple(2, -32768, 32766));
  EXPECT_EQ(FailureOf([] { CInt(32767.5); }), err::kOverflow);
}

TEST(Convert, StrHasALeadingBlankForNonNegatives) {
  EXPECT_EQ(Str(5), " 5");
  EXPECT_EQ(Str(-5), "-5");
  EXPECT_EQ(Str(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(CStr(5), "5");
}

TEST(Convert, ValReadsTheNumberAtTheStart) {
  EXPECT_DOUBLE_EQ(Val("  12 34abc"), 1234.0);  // blanks inside are ignored
  EXPECT_DOUBLE_EQ(Val("-3.5e2x"), -350.0);
  EXPECT_DOUBLE_EQ(Val("1d2"), 100.0);
  EXPECT_DOUBLE_EQ(Val("1,5"), 1.0);  // the comma is not a decimal sign here
  for (const char* t : {"", "   ", "abc", "-", ".", "+-5", "e5", "inf"})
    EXPECT_EQ(Val(t), 0.0) << t;
  // Too small for a double is zero; too large overflows.
  EXPECT_EQ(Val("1e-400"), 0.0);
  EXPECT_EQ(FailureOf([] { Val("1e400"); }), err::kOverflow);
  EXPECT_EQ(FailureOf([] { Val(std::string(400, '9')); }), err::kOverflow);
}

TEST(Convert, TextToWholeNumberFailsOnNonNumbers) {
  EXPECT_EQ(CLngText(" 12 "), 12);
  EXPECT_EQ(CLngText("3.5"), 4);
  EXPECT_EQ(CLngText("1e-400"), 0);
  for (const char* t : {"", "12abc", "1 2", "+-7", "inf", "nan", "0x10", "1,5"})
    EXPECT_EQ(FailureOf([t] { CLngText(t); }), err::kTypeMismatch) << t;
  EXPECT_EQ(FailureOf([] { CLngText("3000000000"); }), err::kOverflow);
  EXPECT_EQ(FailureOf([] { CLngText("1e400"); }), err::kOverflow);
}

TEST(Convert, TextToBoolean) {
  for (const char* t :
       {"True", "true", " TRUE ", "Verdadero", "-1", "1", "2.5", "1e400"})
    EXPECT_TRUE(CBoolText(t)) << t;
  for (const char* t : {"False", "falso", "0", "0.0", "-0", "1e-400"})
    EXPECT_FALSE(CBoolText(t)) << t;
  for (const char* t : {"", "sí", "yes", "nan", "inf", "1x", "+-1"})
    EXPECT_EQ(FailureOf([t] { CBoolText(t); }), err::kTypeMismatch) << t;
  EXPECT_TRUE(CBoolText(BoolText(true)));
  EXPECT_FALSE(CBoolText(BoolText(false)));
}

}  // namespace
}  // namespace qdr2_Gomiat
