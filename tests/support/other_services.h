// Other readings the outside services could have besides ours, so the
// deduction is checked against them and not only against our own.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/services.h"

namespace qdr2_Gomiat::testing {

// Splits at every single separator, so runs of separators give empty words
// (the other reading the number text service could have); a text of
// separators only gives no word at all when asked to.
class EveryCommaSplitter final : public NumberTextService {
 public:
  EveryCommaSplitter(NumberTextService& numbers, bool none_for_separators)
      : numbers_(numbers), none_for_separators_(none_for_separators) {}

  void SplitWords(std::string_view text,
                  std::vector<std::string_view>& words) override {
    words.clear();
    if (none_for_separators_ &&
        text.find_first_not_of(" \t,") == std::string_view::npos)
      return;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i)
      if (i == text.size() || text[i] == ' ' || text[i] == '\t' ||
          text[i] == ',') {
        words.push_back(text.substr(start, i - start));
        start = i + 1;
      }
  }
  void DivideEnPalabras(const std::string& text, int32_t& count,
                        Array<std::string>& words) override {
    std::vector<std::string_view> parts;
    SplitWords(text, parts);
    count = static_cast<int32_t>(parts.size());
    words.Redim(0, count);
    for (int32_t k = 1; k <= count; ++k)
      words(k) = std::string(parts[static_cast<size_t>(k) - 1]);
  }
  double TextoANumero(const std::string& text) override {
    return numbers_.TextoANumero(text);
  }
  std::string NumeroATexto(double v, int32_t d, int32_t r) override {
    return numbers_.NumeroATexto(v, d, r);
  }

 private:
  NumberTextService& numbers_;
  bool none_for_separators_;
};

// Another fixed order of the texts: the deduction must follow the sort
// service, not assume one.
class DescendingSort final : public SortService {
 public:
  void Sort(Array<std::string>& items, int32_t first, int32_t last) override {
    if (last <= first) return;
    std::vector<std::string> part;
    for (int32_t i = first; i <= last; ++i) part.push_back(items(i));
    std::sort(part.begin(), part.end(), std::greater<>());
    for (int32_t i = first; i <= last; ++i)
      items(i) = part[static_cast<size_t>(i - first)];
  }
};

}  // namespace qdr2_Gomiat::testing
