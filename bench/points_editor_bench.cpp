// The points editor on large surveys, headless: fill, Aceptar and
// write-back of the whole point list through c_Puntos, in both layouts,
// against the plain step-by-step version (one grid call per cell, the layer
// list searched from the start for every row) on the same survey. Before
// any timing each size and layout is run once both ways and the arrays
// they hand back are compared.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include "frame/environment.h"
#include "points_editor/f_puntos.h"
#include "points_editor_reference.h"
#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using reference::HostPoints;

constexpr int kLayers = 1000;

class QuietBar final : public ProgressBar {
 public:
  void SetMin(float) override {}
  void SetMax(float) override {}
  void SetValue(float) override {}
  void SetVisible(bool) override {}
};

// A seeded survey: 1,000 layers, one in 25 with a name to clean; points on
// random layers (a few on none), a few points at 0, 0, 0 without code.
const HostPoints& SurveyOf(int32_t n) {
  static std::map<int32_t, HostPoints> made;
  if (auto it = made.find(n); it != made.end()) return it->second;
  std::mt19937 rng(7u + static_cast<uint32_t>(n));
  static const char* const kCodes[] = {"CT",    "BT I", "EJE",   "LBD,ARCEN",
                                       "ARBOL", "",     "CASA A"};
  HostPoints p;
  p.Nopun = n;
  p.noCapas = kLayers;
  p.Capas.Redim(0, kLayers);
  p.Capas(0) = "0";
  for (int32_t j = 1; j <= kLayers; ++j)
    p.Capas(j) = (j % 25 == 0 ? "CAPA-" : "CAPA_") + std::to_string(j);
  for (auto* a : {&p.X, &p.Y, &p.Z}) a->Redim(0, n);
  p.Nombre.Redim(0, n), p.Codigo.Redim(0, n);
  p.Nivel.Redim(0, n), p.CapaPuntos.Redim(0, n);
  for (int32_t i = 1; i <= n; ++i) {
    const bool zero = rng() % 1000 == 0;
    p.X(i) = zero ? 0 : 431000 + (rng() % 900000) / 1000.0;
    p.Y(i) = zero ? 0 : 4412000 + (rng() % 900000) / 1000.0;
    p.Z(i) = zero ? 0 : 600 + (rng() % 20000) / 1000.0;
    p.Nombre(i) = "P" + std::to_string(i);
    p.Codigo(i) = zero ? "" : kCodes[rng() % 7];
    p.Nivel(i) = i % 7;
    p.CapaPuntos(i) =
        static_cast<int16_t>(rng() % 200 == 0 ? 0 : 1 + rng() % kLayers);
  }
  return made.emplace(n, std::move(p)).first->second;
}

testing::HeadlessSession& Session() {
  static testing::HeadlessSession session;
  return session;
}

// The window's part: fill, Aceptar, write-back.
void RunWindow(HostPoints& p, bool excel) {
  QuietBar bar;
  f_Puntos window;
  window.excel_mode = excel;
  bool valor_o = false;
  if (excel)
    window.A_Editor_Puntos_Exel(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo,
                                p.Nivel, p.CapaPuntos, p.noCapas, p.Capas,
                                &bar);
  else
    window.A_Editor_Puntos(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                           p.CapaPuntos, p.noCapas, p.Capas, &bar, valor_o);
  window.cmdAceptar.UserClick();
  if (excel)
    window.A_Actualiza_Valores(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo,
                               p.Nivel, p.CapaPuntos, p.noCapas, p.Capas,
                               valor_o);
  else
    window.A_Actualiza_Editor(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo,
                              p.Nivel, p.CapaPuntos, p.noCapas, p.Capas);
}

// The editor as a host calls it, the user pressing Aceptar at once.
void RunEditor(HostPoints& p, bool excel) {
  QuietBar bar;
  c_Puntos editor;
  if (excel) {
    int32_t none = 0;
    bool borrar = false;
    editor.Valores_actuales(none, none, none, borrar);
  }
  Session().User().Click("cmdAceptar");
  editor.A_Editor_Puntos(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                         p.CapaPuntos, p.noCapas, p.Capas, &bar);
  if (!editor.Abortar) throw std::runtime_error("the editor was not accepted");
}

void RunReference(HostPoints& p, bool excel) {
  QuietBar bar;
  auto grid = Environment::Current().NewGrid();
  reference::LiteralFill(*grid, excel, p, bar, false);
  reference::LiteralWriteBack(*grid, excel, p, bar, false);
}

void CheckSame(int32_t n, bool excel) {
  static std::map<std::pair<int32_t, bool>, bool> checked;
  if (checked[{n, excel}]) return;
  HostPoints fast = SurveyOf(n), plain = SurveyOf(n);
  RunEditor(fast, excel);
  RunReference(plain, excel);
  if (!(fast == plain))
    throw std::runtime_error("the editor and the reference differ at " +
                             std::to_string(n));
  checked[{n, excel}] = true;
}

// Resident memory now and at its peak since the last reset, in MB (Linux).
double StatusMb(const char* field) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(6)) / 1024;
  return 0;
}
double PeakMb() { return StatusMb("VmHWM:"); }
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

enum Way { kHostCall, kWindow, kReference };

template <Way kWay>
void BM_PointsEditor(benchmark::State& state) {
  Session();
  const auto n = static_cast<int32_t>(state.range(0));
  const bool excel = state.range(1) != 0;
  CheckSame(n, excel);
  double peak = 0, added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    HostPoints p = SurveyOf(n);
    ResetPeak();
    const double before = StatusMb("VmRSS:");
    state.ResumeTiming();
    if (kWay == kReference)
      RunReference(p, excel);
    else if (kWay == kWindow)
      RunWindow(p, excel);
    else
      RunEditor(p, excel);
    state.PauseTiming();
    peak = std::max(peak, PeakMb());
    added = std::max(added, PeakMb() - before);
    state.ResumeTiming();
  }
  // The whole process at its peak (the host's arrays and the benchmark's
  // own copy of the survey included), and what the call added to it.
  state.counters["peak_MB"] = peak;
  state.counters["added_MB"] = added;
  state.SetLabel(excel ? "Excel" : "standard");
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int excel : {0, 1}) {
    b->Args({1000, excel});
    b->Args({100000, excel});
    b->Args({1000000, excel});
  }
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_PointsEditor<kWindow>)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_PointsEditor<kHostCall>)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_PointsEditor<kReference>)->Apply(Sizes)->Iterations(1);

}  // namespace
}  // namespace qdr2_Gomiat
