// "gomiat croquis" end to end on large point files (reading, the automatic
// sketch, the quality figures, writing the DXF to disk) against the
// automatic sketch alone on the same survey, in the same run.
//
//   gomiat_bench                           the benchmarks
//   gomiat_bench --write-survey N FILE     the survey of N points as a file
//                                          (for measuring the program's
//                                          peak memory from outside)
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "cli_session.h"
#include "croquis_command.h"
#include "croquis_run.h"
#include "point_file.h"

namespace gomiat {
namespace {

namespace fs = std::filesystem;

// A seeded survey: 500 codes, most points with one, some with two, a
// start command now and then, some without code; coordinates in metres
// with three decimals, as instruments export them.
void WriteSurvey(size_t n, const std::string& path) {
  std::mt19937 rng(20240611u);
  static const char* const kBases[] = {"CT",  "BT", "AT",    "EJE",  "CUN",
                                       "LBD", "VA", "ARBOL", "CASA", "P"};
  const auto code = [&] {
    const unsigned k = rng() % 500;
    return std::string(kBases[k % 10]) + std::to_string(k / 10) +
           (rng() % 100 < 3 ? " I" : "");
  };
  std::ofstream out(path, std::ios::binary);
  out << "Punto,X,Y,Z,Codigo\n";
  char line[128];
  for (size_t i = 1; i <= n; ++i) {
    const unsigned kind = rng() % 100;
    const std::string field = kind < 7    ? ""
                              : kind < 70 ? code()
                                          : code() + "," + code();
    std::snprintf(line, sizeof line, "%zu,%.3f,%.3f,%.3f,", i,
                  431000 + (rng() % 2000000) / 1000.0,
                  4412000 + (rng() % 2000000) / 1000.0,
                  600 + (rng() % 20000) / 1000.0);
    out << line << field << '\n';
  }
}

// One folder for the whole run: the surveys, the drawings, the component's
// folder and the settings, none of them the user's.
const fs::path& Folder() {
  static const fs::path folder = [] {
    char name[] = "/tmp/gomiat-bench-XXXXXX";
    const fs::path f = mkdtemp(name);
    fs::create_directories(f / "component");
    setenv("QDR2_GOMIAT_HOME", (f / "component").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (f / "config").c_str(), 1);
    return f;
  }();
  return folder;
}

std::string Survey(size_t n) {
  const std::string path = (Folder() / ("survey" + std::to_string(n) + ".txt"));
  if (!fs::exists(path)) WriteSurvey(n, path);
  return path;
}

void BM_Croquis_SketchAlone(benchmark::State& state) {
  const PointFile file = ReadPointFile(Survey(state.range(0)), {});
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<SurveyPoint> points = file.points;
    state.ResumeTiming();
    CliSession session({(Folder() / "component").string(), false, nullptr, {}});
    const CroquisResult r = RunCroquis(std::move(points));
    benchmark::DoNotOptimize(r.sketch.polylines.size());
  }
}

void BM_Croquis_EndToEnd(benchmark::State& state) {
  CroquisOptions o;
  o.input = Survey(state.range(0));
  o.dxf = (Folder() / "drawing.dxf").string();
  o.quiet = true;
  std::ostringstream out, err;
  Terminal t{out, err, false};
  for (auto _ : state) {
    // Each run writes a new drawing, as bench/croquis.sh does: replacing
    // one of 238 MB would add the file system's freeing of the old one.
    state.PauseTiming();
    fs::remove(o.dxf);
    state.ResumeTiming();
    if (RunCroquisCommand(o, t) != kExitOk)
      state.SkipWithError(err.str().c_str());
  }
  state.counters["MB_written"] =
      static_cast<double>(fs::file_size(o.dxf)) / 1e6;
}

BENCHMARK(BM_Croquis_SketchAlone)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_Croquis_EndToEnd)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace gomiat

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--write-survey") {
    gomiat::WriteSurvey(std::stoul(argv[2]), argv[3]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(gomiat::Folder());
  return 0;
}
