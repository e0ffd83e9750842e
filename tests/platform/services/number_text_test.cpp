#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"

namespace qdr2_Gomiat {
namespace {

std::vector<std::string> Words(NumberTextService& s, const std::string& text) {
  int32_t count = -1;
  Array<std::string> words;
  s.DivideEnPalabras(text, count, words);
  EXPECT_EQ(std::pair(words.LBound(), words.UBound()), std::pair(0, count));
  std::vector<std::string> out;
  for (int32_t i = 1; i <= count; ++i) out.push_back(words(i));
  return out;
}

using W = std::vector<std::string>;

// Which bytes separate words is the text conversions fuzz harness's
// property, on the view-based split; here the host's array of words.
TEST(NumberText, WordsAndNumbersWithPointOrCommaAndNumbersToText) {
  auto s = MakeNumberTextService();
  EXPECT_EQ(Words(*s, "  BOR 12,5 A  "), (W{"BOR", "12", "5", "A"}));
  // No word at all still gives one empty word to read.
  EXPECT_EQ(Words(*s, " , ,, "), (W{""}));

  for (const auto& [text, value] :
       std::vector<std::pair<const char*, double>>{{"12.5", 12.5},
                                                   {"-3,25", -3.25},
                                                   {",5", 0.5},
                                                   {"250\r\n", 250.0},
                                                   {"1e308", 1e308}})
    EXPECT_DOUBLE_EQ(s->TextoANumero(text), value) << text;
  // No positive number: 0 or less, never a failure.
  for (const char* t :
       {"", "12abc", "1,2,3", "+-5", ",", "inf", "nan", "1e400", "-0"})
    EXPECT_LE(s->TextoANumero(t), 0.0) << t;
  EXPECT_LE(s->TextoANumero(std::string(5000, '9')), 0.0);

  // Numbers to texts: no minus sign on a value that shows as zero; decimals
  // held to 0..15.
  for (const auto& [v, d, text] :
       std::vector<std::tuple<double, int, const char*>>{
           {3.14159, 2, "3.14"},
           {-1.5, 1, "-1.5"},
           {-0.0, 2, "0.00"},
           {-0.4, 0, "0"},
           {-0.006, 2, "-0.01"},
           {2.25, -3, "2"},
           {0.1, 40, "0.100000000000000"}})
    EXPECT_EQ(s->NumeroATexto(v, d, 0), text) << v << " " << d;
  // Huge values are written out in full and read back.
  const std::string huge = s->NumeroATexto(1.5e300, 2, 0);
  EXPECT_EQ(huge.substr(301), ".00");
  EXPECT_DOUBLE_EQ(s->TextoANumero(huge), 1.5e300);
  const std::string biggest = s->NumeroATexto(-1.7976931348623157e308, 15, 0);
  EXPECT_DOUBLE_EQ(s->TextoANumero(biggest), -1.7976931348623157e308);
}

}  // namespace
}  // namespace qdr2_Gomiat
