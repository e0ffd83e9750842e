// The layer editor's real window on 10,000 layers, drawn offscreen: the
// host's call with the window shown, drawn once and accepted at once,
// against the plain Qt way on the same layers in the same run: a
// QStandardItemModel (one item per cell, colours as backgrounds) in a
// QTableView on a dialog, drawn once, then read back cell by cell.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>
#include <memory>
#include <string>

#include "frame/environment.h"
#include "frame/ui/controls.h"
#include "layer_table.h"
#include "platform/platform.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_backend.h"

namespace qdr2_Gomiat::bench {
namespace {

constexpr int kCols = 10;

// Real windows, settings in a folder of their own, for the benchmark's run.
class WindowSession {
 public:
  WindowSession() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "gomiat-bench-XXXXXX")
            .string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    Environment::Factories f;
    f.settings = [path = folder_ + "/settings.sqlite"] {
      return MakeSqliteSettings(path);
    };
    f.numbers = MakeNumberTextService;
    f.colours = MakeColourService;
    f.sort = MakeSortService;
    f.files = MakeFileService;
    f.ui = [] { return std::unique_ptr<ui::UiBackend>(qt::MakeQtBackend()); };
    f.grid = MakeGridModel;
    f.clock = MakeSystemClock;
    previous_ = Environment::Install(
        std::make_shared<Environment>(std::move(f), folder_));
  }
  ~WindowSession() {
    Environment::Install(previous_);
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
  }
  bool Ready() const { return !folder_.empty(); }

 private:
  std::string folder_;
  std::shared_ptr<Environment> previous_;
};

// Once the window is up: draw it, then accept it as a click would.
void AcceptWhenShown(bool& drawn) {
  QTimer::singleShot(0, [&drawn] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* view = dynamic_cast<qt::FormView*>(w);
      if (view == nullptr || !view->isVisible()) continue;
      QPixmap picture = view->grab();
      drawn = !picture.isNull();
      auto* accept = dynamic_cast<ui::CommandButton*>(
          view->form().FindByFullName("cmdAceptar"));
      if (accept != nullptr) accept->UserClick();
      return;
    }
  });
}

void BM_LayerEditorWindow(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  WindowSession session;
  if (!session.Ready()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const LayerTable host = MakeLayers(n);
  LayerTable expected = host;
  LiteralEdit(expected);
  bool all_right = true;
  for (auto _ : state) {
    state.PauseTiming();
    LayerTable t = host;
    c_Capas capas;
    bool drawn = false;
    state.ResumeTiming();
    AcceptWhenShown(drawn);
    capas.A_Editor_Capas3(t.NoCap, t.Nombres, t.Estado, t.colorr, t.grosor,
                          t.Tipolin, t.Principal, t.PunCp, t.PolCp, t.PlVCp,
                          t.texCp);
    state.PauseTiming();
    all_right = all_right && drawn && capas.A_vale && t.SameLayers(expected);
    state.ResumeTiming();
  }
  if (!all_right) state.SkipWithError("the window did not give the table back");
}

void BM_LayerWindowReference(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  const LayerTable host = MakeLayers(n);
  for (auto _ : state) {
    state.PauseTiming();
    LayerTable t = host;
    state.ResumeTiming();
    // Filled as the editor fills its grid.
    QStandardItemModel model(n, kCols);
    for (int32_t i = 1; i <= n; ++i) {
      const int r = i - 1;
      model.setItem(r, 1,
                    new QStandardItem(QString::fromStdString(t.Nombres(i))));
      model.setItem(r, 2,
                    new QStandardItem(QString::fromStdString(t.Estado(i))));
      const int32_t c = t.colorr(i) == 0 ? 16777215 : t.colorr(i);
      auto* colour = new QStandardItem;
      colour->setBackground(
          QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
      model.setItem(r, 3, colour);
      model.setItem(r, 4,
                    new QStandardItem(
                        QString::number(t.grosor(i) == 0 ? 1 : t.grosor(i))));
      const int32_t type = t.Tipolin(i);
      model.setItem(r, 5,
                    new QStandardItem(QString::fromLatin1(
                        kLinePatterns[type >= 0 && type < 5 ? type : 0])));
      const int32_t counts[] = {t.PunCp(i), t.PolCp(i), t.PlVCp(i), t.texCp(i)};
      for (int k = 0; k < 4; ++k)
        model.setItem(
            r, 6 + k,
            new QStandardItem(counts[k] == 0 ? QStringLiteral("-")
                                             : QString::number(counts[k])));
    }
    QDialog dialog;
    auto* view = new QTableView(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(view);
    view->setModel(&model);
    dialog.resize(647, 513);
    dialog.show();
    QPixmap picture = dialog.grab();
    benchmark::DoNotOptimize(picture);
    dialog.hide();
    // Read back as the editor writes the table back.
    for (auto* a : {&t.Nombres, &t.Estado}) a->Redim(0, n);
    for (auto* a : {&t.colorr, &t.grosor, &t.Tipolin}) a->Redim(0, n);
    for (int32_t i = 1; i <= n; ++i) {
      const int r = i - 1;
      t.Nombres(i) = model.item(r, 1)->text().toStdString();
      t.Estado(i) = model.item(r, 2)->text().toStdString();
      const QColor c = model.item(r, 3)->background().color();
      t.colorr(i) = c.red() | (c.green() << 8) | (c.blue() << 16);
      t.grosor(i) = model.item(r, 4)->text().toInt();
      const QString type = model.item(r, 5)->text();
      t.Tipolin(i) = 0;
      for (int k = 0; k < 5; ++k)
        if (type == QLatin1String(kLinePatterns[k])) t.Tipolin(i) = k;
    }
    benchmark::DoNotOptimize(t.Tipolin);
  }
}

BENCHMARK(BM_LayerEditorWindow)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayerWindowReference)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qdr2_Gomiat::bench
