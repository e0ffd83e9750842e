// Number texts: code fields split into words; numbers read and written
// without regard to the process locale.
//
// Splitting: commas and blanks (spaces and tabs, as a field's blank test
// has them) separate words, and a run of separators counts as one, so
// "CT  I" and "CT, I" both give CT and I. A text with no
// word at all (empty or separators only) gives a single empty word, so a
// caller that reads "the first word" always finds one.
#include <charconv>
#include <cmath>
#include <cstdio>

#include "frame/convert.h"
#include "frame/decimal_text.h"
#include "platform/platform.h"

namespace qdr2_Gomiat {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

class NumberText final : public NumberTextService {
 public:
  void SplitWords(std::string_view text,
                  std::vector<std::string_view>& words) override {
    words.clear();
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
      while (i < n && IsSeparator(text[i])) ++i;
      const size_t start = i;
      while (i < n && !IsSeparator(text[i])) ++i;
      if (i > start) words.push_back(text.substr(start, i - start));
    }
    if (words.empty()) words.push_back(std::string_view());
  }

  void DivideEnPalabras(const std::string& text, int32_t& count,
                        Array<std::string>& words) override {
    std::vector<std::string_view> parts;
    SplitWords(text, parts);
    words.Redim(0, static_cast<int32_t>(parts.size()));
    for (size_t k = 0; k < parts.size(); ++k)
      words(static_cast<int32_t>(k + 1)) = std::string(parts[k]);
    count = static_cast<int32_t>(parts.size());
  }

  // Reads a number with a decimal point or a decimal comma; anything that is
  // not a number gives 0. A line end left on a field read from a file is a
  // blank like any other.
  double TextoANumero(const std::string& text) override {
    return ReadNumber(text);
  }

  double ReadNumber(std::string_view view) override {
    while (!view.empty() && (view.back() == '\r' || view.back() == '\n'))
      view.remove_suffix(1);
    std::string_view t = Trim(view);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (t.empty()) return 0.0;
    // A decimal comma is read as a point; most texts have none and are read
    // where they lie.
    std::string copy;
    if (t.find(',') != std::string_view::npos) {
      copy.assign(t);
      for (char& c : copy)
        if (c == ',') c = '.';
      t = copy;
    }
    double v = 0.0;
    if (!ReadDecimal(t, v) || !std::isfinite(v)) return 0.0;
    return v;
  }

  std::string NumeroATexto(double value, int32_t decimals,
                           int32_t /*reserved*/) override {
    if (decimals < 0) decimals = 0;
    if (decimals > 15) decimals = 15;
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value,
                                 std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return "0";
    std::string s(buf, r.ptr);
    // "-0.00" reads oddly in a table.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos)
      s.erase(0, 1);
    return s;
  }
};

}  // namespace

std::unique_ptr<NumberTextService> MakeNumberTextService() {
  return std::make_unique<NumberText>();
}

}  // namespace qdr2_Gomiat
