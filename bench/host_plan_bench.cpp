// gomiat-host's plan view at a million points and a hundred thousand
// polylines: the time to open (a survey file, a project with its
// polylines; reading, the model's arrays and the spatial index) and to draw
// one frame, fitted to the whole drawing and zoomed in, against a plain
// drawing of everything (every point as a mark with its name, every
// polyline with its layer's pen, no index, no level of detail) in the same
// run.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "host_model.h"
#include "plan_render.h"
#include "point_file.h"
#include "project_file.h"
#include "spatial_index.h"

namespace host {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kPoints = 1000000;
constexpr int32_t kPolylines = 100000;  // ten points each
constexpr int32_t kLayers = 20;

const fs::path& Folder() {
  static const fs::path folder = [] {
    std::string pattern =
        (fs::temp_directory_path() / "gomiat-host-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return fs::path(pattern);
  }();
  return folder;
}

// Lines of ten points a few metres apart, scattered over 20 by 20 km,
// one layer each out of 20 with every line type and thickness.
const HostModel& Survey() {
  static const HostModel model = [] {
    std::mt19937 rng(20261205u);
    std::uniform_real_distribution<double> where(0, 20000), step(-4, 4);
    std::vector<gomiat::SurveyPoint> points(kPoints);
    for (int32_t k = 0; k < kPolylines; ++k) {
      double x = 430000 + where(rng), y = 4410000 + where(rng);
      for (int32_t v = 0; v < 10; ++v) {
        gomiat::SurveyPoint& p = points[size_t(k * 10 + v)];
        p.name = std::to_string(k * 10 + v + 1);
        p.x = x += 3 + step(rng);
        p.y = y += step(rng);
        p.z = 600;
        p.code = "L" + std::to_string(k % kLayers);
      }
    }
    HostModel m;
    m.AddSurvey("bench", points);
    m.noCapas = kLayers;
    m.Capas.Redim(0, kLayers);
    for (int32_t l = 1; l <= kLayers; ++l) m.Capas(l) = "L" + std::to_string(l);
    m.AlignLayerAttributes({});
    for (int32_t l = 1; l <= kLayers; ++l) {
      m.colorr(l) = int32_t(rng() & 0xFFFFFF);
      m.Tipolin(l) = l % 5;
      m.grosor(l) = 1 + l % 3;
    }
    m.nPolis = kPolylines;
    m.Polis.Redim(0, kPolylines);
    for (int32_t k = 1; k <= kPolylines; ++k) {
      q::T_ConexAutocro& p = m.Polis(k);
      p.nVer = 10;
      p.ver.Redim(0, 10);
      for (int32_t v = 1; v <= 10; ++v) p.ver(v) = (k - 1) * 10 + v;
      p.Capa = 1 + (k - 1) % kLayers;
    }
    for (int32_t i = 1; i <= kPoints; ++i)
      m.CapaPuntos(i) = int16_t(1 + ((i - 1) / 10) % kLayers);
    return m;
  }();
  return model;
}

const std::string& SurveyFile() {
  static const std::string path = [] {
    const std::string p = (Folder() / "survey.txt").string();
    const HostModel& m = Survey();
    std::ofstream out(p);
    char line[128];
    for (int32_t i = 1; i <= m.Nopun; ++i) {
      std::snprintf(line, sizeof line, "%d,%.3f,%.3f,%.3f,", i, m.PX(i),
                    m.PY(i), m.PZ(i));
      out << line << m.PointCode(i) << '\n';
    }
    return p;
  }();
  return path;
}

const std::string& ProjectFile() {
  static const std::string path = [] {
    const std::string p = (Folder() / "survey.gmh").string();
    SaveProject(Survey(), p);
    return p;
  }();
  return path;
}

void BM_OpenSurvey(benchmark::State& state) {
  const std::string& path = SurveyFile();
  for (auto _ : state) {
    HostModel m;
    m.AddSurvey("s", gomiat::ReadPointFile(path, {}).points);
    SpatialIndex index;
    index.Build(m);
    benchmark::DoNotOptimize(index.PointCount());
  }
}

void BM_OpenProject(benchmark::State& state) {
  const std::string& path = ProjectFile();
  for (auto _ : state) {
    HostModel m = LoadProject(path);
    SpatialIndex index;
    index.Build(m);
    benchmark::DoNotOptimize(index.PolylineCount());
  }
}

// Fitted to the whole drawing, then zoomed in `zoom` times on its centre.
ViewTransform View(int64_t zoom, const SpatialIndex& index) {
  ViewTransform v;
  v.w = 1280;
  v.h = 800;
  v.Fit(index.Bounds());
  v.scale *= double(zoom);
  return v;
}

const SpatialIndex& Index() {
  static const SpatialIndex index = [] {
    SpatialIndex i;
    i.Build(Survey());
    return i;
  }();
  return index;
}

void BM_Frame(benchmark::State& state) {
  const ViewTransform v = View(state.range(0), Index());
  QImage image(v.w, v.h, QImage::Format_RGB32);
  PlanRenderer renderer;
  RenderStats s;
  for (auto _ : state) s = renderer.Render(image, Survey(), Index(), v, {});
  state.counters["points"] = double(s.points);
  state.counters["polylines"] = double(s.polylines);
}

// Everything, every time, in full detail.
void BM_FrameReference(benchmark::State& state) {
  const HostModel& m = Survey();
  const ViewTransform v = View(state.range(0), Index());
  QImage image(v.w, v.h, QImage::Format_RGB32);
  std::vector<QPointF> path;
  for (auto _ : state) {
    image.fill(Qt::black);
    QPainter p(&image);
    for (int32_t k = 1; k <= m.nPolis; ++k) {
      p.setPen(LayerPen(m, m.PolylineLayer(k)));
      path.clear();
      for (int32_t pt : m.PolylineVertices(k))
        path.push_back(v.ToScreen(m.PX(pt), m.PY(pt)));
      p.drawPolyline(path.data(), int(path.size()));
    }
    for (int32_t i = 1; i <= m.Nopun; ++i) {
      const QPointF s = v.ToScreen(m.PX(i), m.PY(i));
      p.setPen(ColourOf(m.LayerColour(m.PointLayer(i))));
      p.drawLine(s + QPointF(-2, 0), s + QPointF(2, 0));
      p.drawLine(s + QPointF(0, -2), s + QPointF(0, 2));
      p.drawText(s + QPointF(4, -3), QString::fromStdString(m.PointName(i)));
    }
  }
}

BENCHMARK(BM_OpenSurvey)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Frame)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameReference)
    ->Arg(1)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace host

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);  // fonts for the names
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(host::Folder(), ec);
  return 0;
}
