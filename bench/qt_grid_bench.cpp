// A million rows into the grid on screen, drawn offscreen: filling the grid
// model, making its view, the first paint and a scroll to the last row,
// against the plain Qt way on the same texts in the same run: a
// QStandardItemModel (one item per cell) in a QTableView set up alike.
// The summary at the end gives the reference's time over ours.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "frame/ui/form.h"
#include "platform/grid/grid_model.h"
#include "platform/qt/grid_view.h"

namespace qdr2_Gomiat {
namespace {

using Clock = std::chrono::steady_clock;

// A points grid: name, X, Y, Z, code and layer.
constexpr int kCols = 6;
const char* const kCaptions[kCols] = {"Punto", "X", "Y", "Z", "Código", "Capa"};
constexpr int16_t kKinds[kCols] = {kGridText,    kGridNumber1, kGridNumber1,
                                   kGridNumber1, kGridText,    kGridText};
constexpr int16_t kWidths[kCols] = {10, 12, 12, 9, 15, 12};

// The texts of `rows` points, made once per size and shared by both sides.
struct Survey {
  std::vector<std::string> cells;  // row by row
  const std::string& Cell(int row, int col) const {
    return cells[static_cast<size_t>(row) * kCols + static_cast<size_t>(col)];
  }
};

const Survey& SurveyOf(int rows) {
  static std::map<int, Survey> made;
  auto it = made.find(rows);
  if (it != made.end()) return it->second;
  static const char* const kCodes[] = {"CT",    "BT I", "EJE",    "LBD,ARCEN",
                                       "ARBOL", "",     "CASA A", "PT"};
  Survey s;
  s.cells.reserve(static_cast<size_t>(rows) * kCols);
  char buf[32];
  for (int r = 0; r < rows; ++r) {
    const unsigned h = static_cast<unsigned>(r) * 2654435761u;
    s.cells.push_back("P" + std::to_string(r + 1));
    std::snprintf(buf, sizeof buf, "%.3f", 431000.0 + (h % 900000) / 1000.0);
    s.cells.emplace_back(buf);
    std::snprintf(buf, sizeof buf, "%.3f",
                  4412000.0 + ((h >> 7) % 900000) / 1000.0);
    s.cells.emplace_back(buf);
    std::snprintf(buf, sizeof buf, "%.3f",
                  600.0 + ((h >> 13) % 20000) / 1000.0);
    s.cells.emplace_back(buf);
    const char* code = kCodes[(h >> 20) % 8];
    s.cells.emplace_back(code);
    s.cells.emplace_back(*code == '\0' ? "Puntos"
                                       : "Capa_" + std::string(code, 2));
  }
  return made.emplace(rows, std::move(s)).first->second;
}

// Milliseconds of each step of one load.
struct Steps {
  double fill = 0, view = 0, paint = 0, scroll = 0;
  double heap_mb = 0;  // what the filled data holds
  double Total() const { return fill + view + paint + scroll; }
  void Add(const Steps& s) {
    fill += s.fill, view += s.view, paint += s.paint, scroll += s.scroll;
    heap_mb += s.heap_mb;
  }
  Steps Over(double n) const {
    return {fill / n, view / n, paint / n, scroll / n, heap_mb / n};
  }
};

// Bytes of the heap in use, large blocks included.
double HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}

double MsSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// The window size both views get, and the pictures they are drawn into.
constexpr int kViewWidth = 900, kViewHeight = 600;

// Shows, draws once, scrolls to the end and draws again; false when the
// last row does not show the survey's last name.
template <class View>
bool PaintAndScroll(View& view, const Survey& survey, int rows, Steps& steps) {
  auto t = Clock::now();
  view.resize(kViewWidth, kViewHeight);
  view.show();
  QPixmap first = view.grab();
  benchmark::DoNotOptimize(first);
  steps.paint = MsSince(t);
  t = Clock::now();
  view.scrollToBottom();
  QPixmap last = view.grab();
  benchmark::DoNotOptimize(last);
  steps.scroll = MsSince(t);
  const QModelIndex end = view.model()->index(rows - 1, 0);
  return view.rowAt(view.viewport()->height() - 1) == rows - 1 &&
         end.data().toString().toStdString() == survey.Cell(rows - 1, 0);
}

class f_Banco : public ui::Form {
 public:
  f_Banco()
      : Form("f_Banco"),
        tblBanco(
            Add<ui::GridControl>("tblBanco", std::make_unique<GridModel>())) {}
  ui::GridControl& tblBanco;
};

std::map<std::pair<std::string, int>, Steps>& Results() {
  static std::map<std::pair<std::string, int>, Steps> results;
  return results;
}

// Counters and the summary hold the mean over the iterations.
void Report(benchmark::State& state, const char* side, int rows,
            const Steps& sum) {
  if (state.iterations() == 0) return;
  const Steps mean = sum.Over(static_cast<double>(state.iterations()));
  state.counters["fill_ms"] = mean.fill;
  state.counters["view_ms"] = mean.view;
  state.counters["paint_ms"] = mean.paint;
  state.counters["scroll_ms"] = mean.scroll;
  state.counters["data_MB"] = mean.heap_mb;
  Results()[{side, rows}] = mean;
}

void BM_GridView(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  const Survey& survey = SurveyOf(rows);
  Steps sum;
  bool shown = true;
  for (auto _ : state) {
    Steps steps;
    const double heap = HeapBytes();
    auto t = Clock::now();
    auto form = std::make_unique<f_Banco>();
    Grid& g = form->tblBanco.grid();
    g.SetCols(kCols);
    for (int16_t c = 0; c < kCols; ++c)
      g.DefineColumn(c, false, false, kKinds[c], 0, 0, 0, kWidths[c],
                     kCaptions[c]);
    g.SetRows(rows + 1);
    for (int r = 0; r < rows; ++r)
      for (int16_t c = 0; c < kCols; ++c)
        g.SetText(r + 1, c, survey.Cell(r, c));
    g.Complete();
    steps.fill = MsSince(t);
    steps.heap_mb = (HeapBytes() - heap) / 1e6;

    t = Clock::now();
    auto view = std::make_unique<qt::GridView>(form->tblBanco, nullptr);
    steps.view = MsSince(t);
    shown = PaintAndScroll(*view, survey, rows, steps) && shown;
    state.SetIterationTime(steps.Total() / 1000.0);
    sum.Add(steps);
    view.reset();
    form.reset();
  }
  if (!shown) state.SkipWithError("the last row is not shown");
  Report(state, "grid", rows, sum);
}

void BM_QStandardItemModel(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  const Survey& survey = SurveyOf(rows);
  Steps sum;
  bool shown = true;
  for (auto _ : state) {
    Steps steps;
    const double heap = HeapBytes();
    auto t = Clock::now();
    auto model = std::make_unique<QStandardItemModel>(rows, kCols);
    for (int c = 0; c < kCols; ++c)
      model->setHorizontalHeaderItem(
          c, new QStandardItem(QString::fromUtf8(kCaptions[c])));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < kCols; ++c)
        model->setItem(
            r, c, new QStandardItem(QString::fromStdString(survey.Cell(r, c))));
    steps.fill = MsSince(t);
    steps.heap_mb = (HeapBytes() - heap) / 1e6;

    // Set up as the grid's view is: no row header, fixed row heights,
    // widths in characters.
    t = Clock::now();
    auto view = std::make_unique<QTableView>();
    view->setModel(model.get());
    view->setWordWrap(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() +
                                                  6);
    const int char_width = view->fontMetrics().averageCharWidth();
    for (int c = 0; c < kCols; ++c)
      view->setColumnWidth(c, kWidths[c] * char_width + 8);
    steps.view = MsSince(t);
    shown = PaintAndScroll(*view, survey, rows, steps) && shown;
    state.SetIterationTime(steps.Total() / 1000.0);
    sum.Add(steps);
    view.reset();
    model.reset();
  }
  if (!shown) state.SkipWithError("the last row is not shown");
  Report(state, "reference", rows, sum);
}

// One load per size: a load is seconds long at a million rows, and the
// views are remade from nothing each time.
BENCHMARK(BM_GridView)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QStandardItemModel)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void PrintRatios() {
  std::printf(
      "\nrows       grid ms  reference ms  reference/grid"
      "  (fill, view, paint, scroll)\n");
  for (const auto& [key, grid] : Results()) {
    if (key.first != "grid") continue;
    const auto ref = Results().find({"reference", key.second});
    if (ref == Results().end()) continue;
    const Steps& r = ref->second;
    std::printf(
        "%-9d %8.1f %13.1f %15.1fx  (%.1fx, %.1fx, %.1fx, %.1fx) %9.1fx"
        "  (%.0f, %.0f)\n",
        key.second, grid.Total(), r.Total(), r.Total() / grid.Total(),
        r.fill / grid.fill, r.view / grid.view, r.paint / grid.paint,
        r.scroll / grid.scroll, r.heap_mb / grid.heap_mb, grid.heap_mb,
        r.heap_mb);
  }
}

}  // namespace
}  // namespace qdr2_Gomiat

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  qdr2_Gomiat::PrintRatios();
  benchmark::Shutdown();
  return 0;
}
