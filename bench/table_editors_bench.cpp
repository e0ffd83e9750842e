// The layer editor on a host's table of 10,000 layers, headless: the whole
// call a host makes (window created and placed, grid set up and filled,
// the user accepting at once, the table written back, the place saved)
// against the same fill and write-back done plainly on a table of strings.
// Both sides' results are compared before anything is timed.
#include <benchmark/benchmark.h>

#include "layer_table.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat::bench {
namespace {

bool EditorMatchesReference(int32_t n) {
  testing::HeadlessSession session;
  LayerTable ours = MakeLayers(n), plain = ours;
  session.User().Click("cmdAceptar");
  c_Capas capas;
  capas.A_Editor_Capas3(ours.NoCap, ours.Nombres, ours.Estado, ours.colorr,
                        ours.grosor, ours.Tipolin, ours.Principal, ours.PunCp,
                        ours.PolCp, ours.PlVCp, ours.texCp);
  LiteralEdit(plain);
  return capas.A_vale && ours.SameLayers(plain);
}

void BM_LayerEditor(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  if (!EditorMatchesReference(n)) {
    state.SkipWithError("the editor and the reference disagree");
    return;
  }
  testing::HeadlessSession session;
  const LayerTable host = MakeLayers(n);
  c_Capas capas;
  for (auto _ : state) {
    state.PauseTiming();
    LayerTable t = host;
    session.User().Click("cmdAceptar");
    state.ResumeTiming();
    capas.A_Editor_Capas3(t.NoCap, t.Nombres, t.Estado, t.colorr, t.grosor,
                          t.Tipolin, t.Principal, t.PunCp, t.PolCp, t.PlVCp,
                          t.texCp);
    benchmark::DoNotOptimize(t.Tipolin);
  }
}

void BM_LayerReference(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  const LayerTable host = MakeLayers(n);
  for (auto _ : state) {
    state.PauseTiming();
    LayerTable t = host;
    state.ResumeTiming();
    LiteralEdit(t);
    benchmark::DoNotOptimize(t.Tipolin);
  }
}

BENCHMARK(BM_LayerEditor)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayerReference)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qdr2_Gomiat::bench
