// The text conversions at the file edge and the number texts on arbitrary
// bytes: Windows-1252 round trips, the word splitter's words, and the
// runtime's number readings, which fail only with the failures they name.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "frame/convert.h"
#include "frame/cp1252.h"
#include "fuzz_support.h"
#include "platform/grid/cell_escape.h"
#include "platform/platform.h"

namespace qdr2_Gomiat {
namespace {

using namespace fuzz;

void CheckCp1252(const std::string& bytes) {
  // Any bytes read as Windows-1252 give valid UTF-8 that writes back to
  // the same bytes.
  const std::string text = Cp1252ToUtf8(bytes);
  FUZZ_CHECK(IsValidUtf8(text), Escaped(bytes));
  const std::optional<std::string> back = Utf8ToCp1252(text);
  FUZZ_CHECK(back && *back == bytes, Escaped(bytes));

  // Bytes taken as UTF-8 text: when they convert, they come back.
  if (const std::optional<std::string> single = Utf8ToCp1252(bytes)) {
    FUZZ_CHECK(IsValidUtf8(bytes), Escaped(bytes));
    FUZZ_CHECK(Cp1252ToUtf8(*single) == bytes, Escaped(bytes));
  }

  // UTF-8 where valid, Windows-1252 otherwise: always valid UTF-8, the
  // same text when the bytes were valid, and nothing dropped.
  const std::string mixed = Utf8OrCp1252ToUtf8(bytes);
  FUZZ_CHECK(IsValidUtf8(mixed), Escaped(bytes));
  if (IsValidUtf8(bytes)) FUZZ_CHECK(mixed == bytes, Escaped(bytes));
  FUZZ_CHECK(mixed.size() >= bytes.size(), Escaped(bytes));
}

void CheckWords(NumberTextService& numbers, const std::string& text) {
  std::vector<std::string_view> words;
  numbers.SplitWords(text, words);
  // The words are the runs between separators (spaces, tabs and commas),
  // in order; a text with none gives one empty word.
  const std::string_view t = text;
  std::vector<std::string_view> expected;
  for (size_t start = t.find_first_not_of(" \t,"); start != t.npos;) {
    const size_t end = std::min(t.find_first_of(" \t,", start), t.size());
    expected.push_back(t.substr(start, end - start));
    start = t.find_first_not_of(" \t,", end);
  }
  if (expected.empty()) expected.push_back({});
  FUZZ_CHECK(words == expected, Escaped(text));

  const double v = numbers.TextoANumero(text);
  FUZZ_CHECK(std::isfinite(v), Escaped(text));
  // What it writes reads back to the value it wrote.
  const int32_t decimals = static_cast<int32_t>(text.size() % 8);
  const std::string written = numbers.NumeroATexto(v, decimals, 0);
  const double reread = numbers.TextoANumero(written);
  FUZZ_CHECK(std::fabs(reread - v) <=
                 0.5 * std::pow(10.0, -decimals) + std::fabs(v) * 1e-15,
             Escaped(text) + " -> " + written);
}

void CheckNumbers(const std::string& text) {
  int32_t number = 0;
  double val = 0;
  if (!Succeeds([&] { val = Val(text); }, &number))
    FUZZ_CHECK(number == err::kOverflow, Escaped(text));
  else
    FUZZ_CHECK(std::isfinite(val), Escaped(text));

  int32_t whole = 0;
  if (Succeeds([&] { whole = CLngText(text); }, &number)) {
    // A text CLng takes is a number Val reads the same way.
    FUZZ_CHECK(Succeeds([&] { val = Val(text); }), Escaped(text));
    int32_t rounded = 0;
    FUZZ_CHECK(Succeeds([&] { rounded = CLng(val); }) && rounded == whole,
               Escaped(text) + " CLng " + std::to_string(whole) + " Val " +
                   std::to_string(val));
  } else {
    FUZZ_CHECK(number == err::kTypeMismatch || number == err::kOverflow,
               Escaped(text) + " " + std::to_string(number));
  }

  if (!Succeeds([&] { CBoolText(text); }, &number))
    FUZZ_CHECK(number == err::kTypeMismatch, Escaped(text));
}

}  // namespace
}  // namespace qdr2_Gomiat

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qdr2_Gomiat;
  static const std::unique_ptr<NumberTextService> numbers =
      MakeNumberTextService();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckCp1252(bytes);
  CheckWords(*numbers, bytes);
  CheckNumbers(bytes);
  return 0;
}
