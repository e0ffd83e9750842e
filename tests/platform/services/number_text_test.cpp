#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace qdr2_Gomiat {
namespace {

std::vector<std::string> Words(NumberTextService& s, const std::string& text) {
  int32_t count = -1;
  Array<std::string> words;
  s.DivideEnPalabras(text, count, words);
  EXPECT_EQ(words.LBound(), 0);
  EXPECT_EQ(words.UBound(), count);
  std::vector<std::string> out;
  for (int32_t i = 1; i <= count; ++i) out.push_back(words(i));
  // The view-based split must agree word for word.
  std::vector<std::string_view> views;
  s.SplitWords(text, views);
  EXPECT_EQ(views.size(), out.size()) << text;
  for (size_t i = 0; i < views.size() && i < out.size(); ++i)
    EXPECT_EQ(views[i], out[i]) << text;
  return out;
}

using W = std::vector<std::string>;

TEST(NumberText, WordsAreSplitOnRunsOfBlanksAndCommas) {
  auto s = MakeNumberTextService();
  EXPECT_EQ(Words(*s, "CT   I"), (W{"CT", "I"}));
  EXPECT_EQ(Words(*s, "CT, ,I"), (W{"CT", "I"}));
  EXPECT_EQ(Words(*s, ",,CT,,"), (W{"CT"}));
  EXPECT_EQ(Words(*s, "  BOR 12,5 A  "), (W{"BOR", "12", "5", "A"}));
  EXPECT_EQ(Words(*s, "ÁRBOL ñ"), (W{"ÁRBOL", "ñ"}));
  // No word at all still gives one empty word to read.
  EXPECT_EQ(Words(*s, ""), (W{""}));
  EXPECT_EQ(Words(*s, " , ,, "), (W{""}));
}

TEST(NumberText, TextsToNumbersWithPointOrComma) {
  auto s = MakeNumberTextService();
  for (const auto& [text, value] :
       std::vector<std::pair<const char*, double>>{{"12.5", 12.5},
                                                   {"12,5", 12.5},
                                                   {"  +7 ", 7.0},
                                                   {"-3,25", -3.25},
                                                   {",5", 0.5},
                                                   {"5,", 5.0},
                                                   {"1e3", 1000.0},
                                                   {"250\r\n", 250.0},
                                                   {"1e308", 1e308}})
    EXPECT_DOUBLE_EQ(s->TextoANumero(text), value) << text;
  // No positive number: 0 or less, never a failure.
  for (const char* t :
       {"", "   ", "abc", "12abc", "1,2,3", "1.234,5", "+-5", "--5", ",", ".",
        "-", "inf", "nan", "1e400", "-0", "0x1A", "1 000"})
    EXPECT_LE(s->TextoANumero(t), 0.0) << t;
  EXPECT_LE(s->TextoANumero(std::string(5000, '9')), 0.0);
}

TEST(NumberText, NumbersToTextWithTheGivenDecimals) {
  auto s = MakeNumberTextService();
  EXPECT_EQ(s->NumeroATexto(3.14159, 2, 0), "3.14");
  EXPECT_EQ(s->NumeroATexto(3.14159, 0, 0), "3");
  EXPECT_EQ(s->NumeroATexto(-1.5, 1, 0), "-1.5");
  EXPECT_EQ(s->NumeroATexto(1234567.891, 2, 0), "1234567.89");
  EXPECT_EQ(s->NumeroATexto(12, 3, 0), "12.000");
  // No minus sign on a value that shows as zero.
  EXPECT_EQ(s->NumeroATexto(-0.0, 2, 0), "0.00");
  EXPECT_EQ(s->NumeroATexto(-0.001, 2, 0), "0.00");
  EXPECT_EQ(s->NumeroATexto(-0.4, 0, 0), "0");
  EXPECT_EQ(s->NumeroATexto(-0.006, 2, 0), "-0.01");
  // Out-of-range decimal counts are held to 0..15.
  EXPECT_EQ(s->NumeroATexto(2.25, -3, 0), s->NumeroATexto(2.25, 0, 0));
  EXPECT_EQ(s->NumeroATexto(0.1, 40, 0), s->NumeroATexto(0.1, 15, 0));
  // Huge values are written out in full and read back.
  const std::string huge = s->NumeroATexto(1.5e300, 2, 0);
  EXPECT_EQ(huge.size(), 301u + 3u);
  EXPECT_EQ(huge.substr(huge.size() - 3), ".00");
  EXPECT_DOUBLE_EQ(s->TextoANumero(huge), 1.5e300);
  const std::string biggest = s->NumeroATexto(-1.7976931348623157e308, 15, 0);
  EXPECT_DOUBLE_EQ(s->TextoANumero(biggest), -1.7976931348623157e308);
}

}  // namespace
}  // namespace qdr2_Gomiat
