// The points editor's real window, offscreen: from the host's call with a
// million points to the first frame the grid paints. The window is then
// cancelled, so nothing is written back.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "frame/environment.h"
#include "platform/platform.h"
#include "platform/qt/qt_backend.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {
namespace {

using Clock = std::chrono::steady_clock;

class NoBar final : public ProgressBar {
 public:
  void SetMin(float) override {}
  void SetMax(float) override {}
  void SetValue(float) override {}
  void SetVisible(bool) override {}
};

// Notes the first paint of a grid's rows, then cancels the window.
class FirstPaint final : public QObject {
 public:
  explicit FirstPaint(ui::Form& form) : form_(form) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!painted_ && event->type() == QEvent::Paint &&
        dynamic_cast<QAbstractItemView*>(watched->parent()) != nullptr) {
      painted_ = true;
      // After this paint has been drawn.
      QTimer::singleShot(0, [this] {
        at = Clock::now();
        form_.PressEscape();
      });
    }
    return false;
  }
  Clock::time_point at;

 private:
  ui::Form& form_;
  bool painted_ = false;
};

class TimingUi final : public ui::UiBackend {
 public:
  explicit TimingUi(std::unique_ptr<qt::QtBackend> qt) : qt_(std::move(qt)) {}
  void ShowModal(ui::Form& form) override {
    FirstPaint watch(form);
    qApp->installEventFilter(&watch);
    qt_->ShowModal(form);
    qApp->removeEventFilter(&watch);
    first_paint = watch.at;
  }
  void Changed(ui::Form& f, ui::Control* c) override { qt_->Changed(f, c); }
  int32_t MsgBox(const std::string& p, int32_t f,
                 const std::string& t) override {
    return qt_->MsgBox(p, f, t);
  }
  void DoEvents() override { qt_->DoEvents(); }
  void SetMousePointer(ui::MousePointer p) override { qt_->SetMousePointer(p); }
  ui::MousePointer GetMousePointer() const override {
    return qt_->GetMousePointer();
  }
  int32_t ScreenWidth() const override { return qt_->ScreenWidth(); }
  int32_t ScreenHeight() const override { return qt_->ScreenHeight(); }

  static inline Clock::time_point first_paint;

 private:
  std::unique_ptr<qt::QtBackend> qt_;
};

void BM_PointsWindowFirstFrame(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  char folder[] = "/tmp/qdr2_points_bench_XXXXXX";
  if (mkdtemp(folder) == nullptr) return state.SkipWithError("no folder");
  Environment::Factories f;
  const std::string settings = std::string(folder) + "/settings.sqlite";
  f.settings = [settings] { return MakeSqliteSettings(settings); };
  f.numbers = MakeNumberTextService;
  f.colours = MakeColourService;
  f.sort = MakeSortService;
  f.files = MakeFileService;
  f.grid = MakeGridModel;
  f.clock = MakeSystemClock;
  f.ui = []() -> std::unique_ptr<ui::UiBackend> {
    return std::make_unique<TimingUi>(qt::MakeQtBackend());
  };
  auto previous =
      Environment::Install(std::make_shared<Environment>(std::move(f), folder));

  DblArray X(0, n), Y(0, n), Z(0, n);
  StrArray Nombre(0, n), Codigo(0, n), Capas(0, 1000);
  LngArray Nivel(0, n);
  IntArray CapaPuntos(0, n);
  for (int32_t j = 1; j <= 1000; ++j) Capas(j) = "CAPA_" + std::to_string(j);
  for (int32_t i = 1; i <= n; ++i) {
    const auto h = static_cast<uint32_t>(i) * 2654435761u;
    X(i) = 431000 + (h % 900000) / 1000.0;
    Y(i) = 4412000 + ((h >> 7) % 900000) / 1000.0;
    Z(i) = 600 + ((h >> 13) % 20000) / 1000.0;
    Nombre(i) = "P" + std::to_string(i);
    Codigo(i) = (h >> 20) % 3 == 0 ? "CT" : "BT I";
    CapaPuntos(i) = static_cast<int16_t>(1 + (h >> 9) % 1000);
  }
  for (auto _ : state) {
    int32_t nopun = n, nocapas = 1000;
    NoBar bar;
    c_Puntos editor;
    const auto start = Clock::now();
    editor.A_Editor_Puntos(nopun, X, Y, Z, Nombre, Codigo, Nivel, CapaPuntos,
                           nocapas, Capas, &bar);
    const std::chrono::duration<double> took = TimingUi::first_paint - start;
    if (took.count() <= 0) return state.SkipWithError("nothing was painted");
    state.SetIterationTime(took.count());
  }
  Environment::Install(previous);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

BENCHMARK(BM_PointsWindowFirstFrame)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qdr2_Gomiat
