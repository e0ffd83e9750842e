// The fast deduction of the automatic sketch against the step-by-step
// reference on fuzzer-made code fields, host layers and table rows: the
// same results, the same failures, the same state left on the object, over
// two calls on the same objects.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "autosketch/sketch_deduction.h"
#include "deduction_reference.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "support/other_services.h"

namespace qdr2_Gomiat {
namespace {

using namespace testing;

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
