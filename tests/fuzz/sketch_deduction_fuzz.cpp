// The fast deduction of the automatic sketch against the step-by-step
// reference on fuzzer-made code fields, host layers and table rows: the
// same results, the same failures, the same state left on the object, over
// two calls on the same objects.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "autosketch/sketch_deduction.h"
#include "deduction_reference.h"
#include "frame/services.h"
#include "fuzz_support.h"
#include "platform/platform.h"

namespace qdr2_Gomiat {
namespace {

using namespace testing;

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

const std::vector<std::string> kWords = {
    "CT", "BT", "CASA", "P", "EJE*", "ct", "I", "F", "A", "C", "\t", "Puntos"};
const std::vector<std::string> kSeparators = {" ", ",", ", ", "  ", ",,", " ,"};

std::string Pick(FuzzedDataProvider& in, const std::vector<std::string>& v) {
  return v[in.ConsumeIntegralInRange<size_t>(0, v.size() - 1)];
}

// Mostly words of a small vocabulary, so codes repeat and commands follow
// codes; sometimes raw bytes.
std::string Field(FuzzedDataProvider& in) {
  if (in.ConsumeIntegralInRange(0, 7) == 0)
    return in.ConsumeRandomLengthString(10);
  std::string field;
  const int words = in.ConsumeIntegralInRange(0, 4);
  if (in.ConsumeBool()) field += Pick(in, kSeparators);
  for (int w = 0; w < words; ++w) {
    if (w > 0) field += Pick(in, kSeparators);
    field += Pick(in, kWords);
  }
  if (in.ConsumeBool()) field += Pick(in, kSeparators);
  return field;
}

SketchRows Rows(const SketchState& s, const std::vector<uint8_t>& bytes) {
  static const std::vector<std::string> kTypes = {"Lineal", "Area", "Puntual",
                                                  "lineal"};
  static const std::vector<std::string> kLayers = {"L1",     "CT", "ARBOLES",
                                                   "Puntos", "",   "X"};
  static const std::vector<std::string> kLines = {
      "0",       "1",  "3",  "2.5",           "__..__..__..__",
      "x",       "",   "-1", "_____________", "1e9",
      "32767.5", "4,5"};
  FuzzedDataProvider in(bytes.data(), bytes.size());
  SketchRows r = RowsAsAccepted(s, {});
  for (int32_t k = 1; k <= s.code_count; ++k) {
    r.types(k) = in.ConsumeBool() ? Pick(in, kTypes) : r.types(k);
    if (in.ConsumeBool())
      r.layers(k) = in.ConsumeBool() ? Pick(in, kLayers)
                                     : in.ConsumeRandomLengthString(6);
    r.colours(k) = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 300)
                                    : in.ConsumeIntegral<int32_t>();
    r.lines(k) =
        in.ConsumeBool() ? Pick(in, kLines) : in.ConsumeRandomLengthString(8);
  }
  return r;
}

}  // namespace
}  // namespace qdr2_Gomiat

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qdr2_Gomiat;
  static const std::unique_ptr<NumberTextService> ours =
      MakeNumberTextService();
  static const std::unique_ptr<SortService> bytewise = MakeSortService();
  static EveryCommaSplitter every_comma(*ours, false);
  static EveryCommaSplitter no_word_for_separators(*ours, true);
  static DescendingSort descending;
  static TracePalette palette;
  NumberTextService* splitters[] = {ours.get(), &every_comma,
                                    &no_word_for_separators};
  SortService* sorts[] = {bytewise.get(), &descending};

  FuzzedDataProvider in(data, size);
  SketchServices services{*splitters[in.ConsumeIntegralInRange(0, 2)],
                          *sorts[in.ConsumeIntegralInRange(0, 1)], palette};
  SketchDeduction fast;
  LiteralDeduction literal;
  for (int call = 0; call < 2 && in.remaining_bytes() > 0; ++call) {
    std::vector<std::string> codes(in.ConsumeIntegralInRange(0, 40));
    for (std::string& c : codes) c = Field(in);
    std::vector<std::string> layers(in.ConsumeIntegralInRange(0, 4));
    for (std::string& l : layers) l = Field(in);
    // A layer index array shorter than the points now and then.
    const int32_t capa_size =
        in.ConsumeIntegralInRange(0, 7) == 0
            ? in.ConsumeIntegralInRange(0, static_cast<int>(codes.size()))
            : -1;
    const std::vector<uint8_t> row_bytes =
        in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 256));
    auto rows = [&](const SketchState& s) { return Rows(s, row_bytes); };
    const auto codigos = Array<std::string>::FromItems(codes);
    const auto capas = Array<std::string>::FromItems(layers);
    SketchOutcome a, b;
    fuzz::Succeeds([&] {
      a = RunAccepted(fast, codigos, capas, rows, services, capa_size);
    });
    fuzz::Succeeds([&] {
      b = RunAccepted(literal, codigos, capas, rows, services, capa_size);
    });
    // The input that broke a check is kept by libFuzzer; say which call.
    const std::string detail = "call " + std::to_string(call) + " failures " +
                               std::to_string(a.failure) + "/" +
                               std::to_string(b.failure);
    FUZZ_CHECK(a == b, detail);
    if (a.failure != 0) break;
    FUZZ_CHECK(fast.State() == literal.State(), detail);
  }
  return 0;
}
