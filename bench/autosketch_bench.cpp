// The automatic sketch's deduction on large surveys: the fast deduction
// against the step-by-step reference on the same survey, the fast one timed
// only once its results are found equal to the reference's. The code table
// window's part is played by a fixed table, as the window hands it back when
// accepted untouched.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "autosketch/sketch_deduction.h"
#include "deduction_reference.h"
#include "platform/platform.h"

namespace qdr2_Gomiat {
namespace {

using testing::CodeMeanings;
using testing::LiteralDeduction;
using testing::RowsAsAccepted;
using testing::RunAccepted;
using testing::SketchOutcome;
using testing::SketchServices;
using testing::TracePalette;

constexpr int kDistinctCodes = 1000;

std::string CodeName(int k) {
  static const char* const kBases[] = {"CT",  "BT", "AT",    "EJE",  "CUN",
                                       "LBD", "VA", "ARBOL", "CASA", "P"};
  return std::string(kBases[k % 10]) + std::to_string(k / 10);
}

struct Survey {
  Array<std::string> codes;
  Array<std::string> host_layers;
  CodeMeanings table;
};

// A seeded survey: mostly one code per point, some with two or three, a
// command after some codes, points without code and fields of blanks.
Survey MakeSurvey(int32_t points) {
  std::mt19937 rng(20240611u + static_cast<uint32_t>(points));
  static const char* const kSeparators[] = {" ", ",", ", "};
  static const char* const kCommands[] = {"I", "F", "A", "C"};
  Survey s;
  s.codes.Redim(0, points);
  for (int32_t i = 1; i <= points; ++i) {
    const uint32_t kind = rng() % 100;
    std::string field;
    if (kind < 7) {
      field = "";
    } else if (kind < 10) {
      field = "   ";
    } else {
      const int words = kind < 70 ? 1 : kind < 95 ? 2 : 3;
      for (int w = 0; w < words; ++w) {
        if (w > 0) field += kSeparators[rng() % 3];
        field += CodeName(static_cast<int>(rng() % kDistinctCodes));
        if (rng() % 100 < 7) {
          field += ' ';
          field += kCommands[rng() % 4];
        }
      }
    }
    s.codes(i) = std::move(field);
  }
  std::vector<std::string> layers = {"0", "TERRENO", "Puntos"};
  for (int k = 0; k < kDistinctCodes; k += 61) layers.push_back(CodeName(k));
  s.host_layers = Array<std::string>::FromItems(layers);
  // Some codes known to the table: every tenth one point-like, others
  // sharing layers, with colours and line types of their own.
  for (int k = 0; k < kDistinctCodes; k += 3)
    s.table[CodeName(k)] = {k % 10 == 0 ? "Puntual" : "Lineal",
                            "CAPA" + std::to_string(k % 50), k % 255 + 1,
                            std::to_string(k % 5)};
  return s;
}

struct Services {
  std::unique_ptr<NumberTextService> numbers = MakeNumberTextService();
  std::unique_ptr<SortService> sort = MakeSortService();
  TracePalette palette;
  SketchServices Get() { return {*numbers, *sort, palette}; }
};

const Survey& SurveyOf(int32_t points) {
  static std::map<int32_t, std::unique_ptr<Survey>> cache;
  auto& s = cache[points];
  if (!s) s = std::make_unique<Survey>(MakeSurvey(points));
  return *s;
}

template <class Deduction>
SketchOutcome RunOnce(const Survey& s, Services& services,
                      SketchState* state_out = nullptr) {
  Deduction d;
  const CodeMeanings& table = s.table;
  SketchOutcome out = RunAccepted(
      d, s.codes, s.host_layers,
      [&](const SketchState& st) { return RowsAsAccepted(st, table); },
      services.Get());
  if (state_out) *state_out = d.State();
  return out;
}

// What the reference gave on each size: its results and the state it left.
struct ReferenceRun {
  SketchOutcome out;
  SketchState state;
};
std::map<int32_t, ReferenceRun>& ReferenceRuns() {
  static std::map<int32_t, ReferenceRun> runs;
  return runs;
}

const ReferenceRun& ReferenceOf(int32_t points, Services& services) {
  auto& runs = ReferenceRuns();
  auto it = runs.find(points);
  if (it == runs.end()) {
    ReferenceRun r;
    r.out = RunOnce<LiteralDeduction>(SurveyOf(points), services, &r.state);
    it = runs.emplace(points, std::move(r)).first;
  }
  return it->second;
}

// Whether the fast deduction agrees with the reference in every result and
// in the state left on the object; checked once per size.
bool SameAsReference(int32_t points, Services& services) {
  static std::map<int32_t, bool> checked;
  if (const auto it = checked.find(points); it != checked.end())
    return it->second;
  SketchState state;
  const SketchOutcome fast =
      RunOnce<SketchDeduction>(SurveyOf(points), services, &state);
  const ReferenceRun& ref = ReferenceOf(points, services);
  const bool same = fast.failure == 0 && fast == ref.out && state == ref.state;
  std::fprintf(stderr, "%d points: %d codes, %d polylines, %s\n", points,
               state.code_count, fast.nPolis,
               same ? "same results as the reference"
                    : "RESULTS DIFFER FROM THE REFERENCE");
  checked[points] = same;
  return same;
}

void ReportSize(benchmark::State& state, const SketchOutcome& out,
                int32_t points) {
  state.counters["polylines"] = out.nPolis;
  state.counters["points/s"] = benchmark::Counter(
      static_cast<double>(points) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}

void BM_Deduction_Fast(benchmark::State& state) {
  const auto points = static_cast<int32_t>(state.range(0));
  const bool checkable = state.range(1) != 0;
  const Survey& survey = SurveyOf(points);
  Services services;
  if (checkable && !SameAsReference(points, services)) {
    state.SkipWithError("fast and reference results differ");
    return;
  }
  SketchOutcome out;
  for (auto _ : state) {
    out = RunOnce<SketchDeduction>(survey, services);
    benchmark::DoNotOptimize(out);
  }
  if (out.failure != 0) state.SkipWithError("the deduction failed");
  ReportSize(state, out, points);
}

void BM_Deduction_Reference(benchmark::State& state) {
  const auto points = static_cast<int32_t>(state.range(0));
  const Survey& survey = SurveyOf(points);
  Services services;
  ReferenceRun run;
  for (auto _ : state) {
    run.out = RunOnce<LiteralDeduction>(survey, services, &run.state);
    benchmark::DoNotOptimize(run.out);
  }
  ReportSize(state, run.out, points);
  // Kept for the fast deduction's check on the same survey.
  ReferenceRuns()[points] = std::move(run);
}

// The reference runs first, once per size; the fast deduction then checks
// its results against what the reference gave before it is timed. The
// second argument says whether the fast deduction is checked on that size:
// at a million points the reference alone would take minutes.
BENCHMARK(BM_Deduction_Reference)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deduction_Fast)
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Args({1000000, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qdr2_Gomiat

BENCHMARK_MAIN();
