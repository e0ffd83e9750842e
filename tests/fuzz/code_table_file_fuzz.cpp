// The code table file on arbitrary bytes: loading and merging never crash
// and fail only with a Failure; a merge writes a file that reads back as the
// merged entries, leaving out (and naming, with failure 5) the given entries
// the file cannot hold; any other failed merge leaves the file as it was.
//
// Input: one byte of switches, the entries to merge (when switched on),
// then the bytes of autocroquis.txt.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "autosketch/code_table.h"
#include "autosketch/code_table_file.h"
#include "frame/convert.h"
#include "fuzz_support.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using namespace fuzz;
using namespace test_support;

// Entries to merge, as the file's fields (the colour as its number's text).
struct Given {
  std::vector<CodeTableFields> entries;
  std::vector<int32_t> colours;
  Array<std::string> Field(size_t f) const {
    std::vector<std::string> column;
    for (const CodeTableFields& e : entries) column.push_back(e[f]);
    return Array<std::string>::FromItems(column);
  }
};

std::string Describe(const CodeTableFields& f) {
  std::string s;
  for (const std::string& x : f) s += "[" + Escaped(x) + "]";
  return s;
}

// Entries to merge; a code may be taken from the file so updates happen.
Given TakeGiven(FuzzedDataProvider& in,
                const std::vector<CodeTableFields>& file) {
  Given g;
  const int n = in.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < n; ++i) {
    const uint8_t pick = in.ConsumeIntegral<uint8_t>();
    CodeTableFields& e = g.entries.emplace_back();
    e[0] = !file.empty() && pick % 2 == 1 ? file[(pick / 2u) % file.size()][0]
                                          : in.ConsumeRandomLengthString(12);
    e[1] = in.ConsumeRandomLengthString(6);
    e[2] = in.ConsumeRandomLengthString(10);
    e[3] = in.ConsumeRandomLengthString(12);
    e[4] = Str(g.colours.emplace_back(in.ConsumeIntegral<int32_t>()));
    e[5] = in.ConsumeRandomLengthString(16);
  }
  return g;
}

void CheckLoad(const std::string& bytes) {
  const std::vector<CodeTableFields> parsed = ParseCodeTableFile(bytes);
  CodeTable t;
  int32_t number = 0;
  if (!Succeeds([&] { LoadCodeTable(t); }, &number)) {
    // Only a numeric field can refuse a file that exists.
    FUZZ_CHECK(number == err::kTypeMismatch || number == err::kOverflow,
               std::to_string(number));
    FUZZ_CHECK(t.count >= 1 && static_cast<size_t>(t.count) <= parsed.size(),
               std::to_string(t.count));
    return;
  }
  FUZZ_CHECK(static_cast<size_t>(t.count) == parsed.size(),
             std::to_string(t.count));
  for (int32_t k = 1; k <= t.count; ++k) {
    const CodeTableFields& f = parsed[static_cast<size_t>(k - 1)];
    FUZZ_CHECK(t.codes(k) == f[0] && t.types(k) == f[2] &&
                   t.layers(k) == f[3] && t.lines(k) == f[5] &&
                   t.counts(k) == CodeTableNumber(f[1]) &&
                   t.colours(k) == CodeTableNumber(f[4]),
               Describe(f));
  }
  // Loading never rewrites a file that exists.
  FUZZ_CHECK(ReadFile(CodeTablePath()) == bytes, "file changed by loading");
}

void CheckMerge(const std::string& bytes, const Given& g, int32_t n) {
  const std::string path = CodeTablePath();
  bool merged = true, some_left_out = false;
  Succeeds([&] {
    try {
      Array<int32_t> colours = Array<int32_t>::FromItems(g.colours);
      MergeCodeTable(n, g.Field(0), g.Field(1), g.Field(2), g.Field(3), colours,
                     g.Field(5));
    } catch (const Failure& f) {
      merged = false;
      some_left_out = f.number() == err::kInvalidCall &&
                      f.description().starts_with("No se han guardado");
      throw;
    }
  });
  // The table and its lock file, nothing else.
  FUZZ_CHECK(FilesIn(Run().ComponentFolder()) <= 2, "stray file left");
  const std::string after = ReadFile(path);
  if (!merged && !some_left_out) {
    FUZZ_CHECK(after == bytes, "a failed merge changed the file");
    return;
  }

  FUZZ_CHECK(static_cast<size_t>(n) <= g.entries.size(),
             "merged past the arrays");

  // What the file must now hold, field by field.
  std::vector<CodeTableFields> model = ParseCodeTableFile(bytes);
  bool left_out = false;
  for (int32_t i = 0; i < n; ++i) {
    const CodeTableFields& e = g.entries[static_cast<size_t>(i)];
    bool storable = true;
    for (const std::string& text : {e[0], e[1], e[2], e[3], Linea_Numero(e[5])})
      storable = storable && CodeTableUnstorable(text).empty();
    if (!storable) {
      left_out = true;
      continue;
    }
    // A code already there is updated in place, a new one goes last.
    auto same = std::ranges::find_if(
        model, [&](const CodeTableFields& m) { return m[0] == e[0]; });
    if (same != model.end())
      *same = e;
    else
      model.push_back(e);
  }
  FUZZ_CHECK(some_left_out == left_out, "entries left out without a failure");
  const std::vector<CodeTableFields> back = ParseCodeTableFile(after);
  FUZZ_CHECK(back.size() == model.size(), std::to_string(back.size()) +
                                              " entries, expected " +
                                              std::to_string(model.size()));
  for (size_t j = 0; j < model.size(); ++j) {
    const CodeTableFields& m = model[j];
    const CodeTableFields& b = back[j];
    const std::string detail = Describe(m) + " came back " + Describe(b);
    // Blanks at the ends of a text are not kept.
    for (size_t f = 0; f < 4; ++f) FUZZ_CHECK(b[f] == Trim(m[f]), detail);
    FUZZ_CHECK(CodeTableNumber(b[4]) == CodeTableNumber(m[4]), detail);
    FUZZ_CHECK(b[5] == Linea_Numero(m[5]), detail);
  }
}

}  // namespace
}  // namespace qdr2_Gomiat

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qdr2_Gomiat;
  fuzz::Run();
  FuzzedDataProvider in(data, size);
  const uint8_t switches = in.ConsumeIntegral<uint8_t>();
  if ((switches & 1) == 0) {
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    WriteFile(CodeTablePath(), bytes);
    CheckLoad(bytes);
    return 0;
  }
  // Entries come first so the file bytes can run to the end of the input;
  // codes taken from the file are resolved after it is known.
  const size_t header = in.ConsumeIntegralInRange<size_t>(0, size);
  const std::vector<uint8_t> entries = in.ConsumeBytes<uint8_t>(header);
  const std::string bytes = in.ConsumeRemainingBytesAsString();
  FuzzedDataProvider e(entries.data(), entries.size());
  const Given given = TakeGiven(e, ParseCodeTableFile(bytes));
  auto n = static_cast<int32_t>(given.entries.size());
  // Sometimes more entries than the arrays hold: a failure, nothing saved.
  if (switches & 2) n += 1;
  WriteFile(CodeTablePath(), bytes);
  CheckMerge(bytes, given, n);
  return 0;
}
