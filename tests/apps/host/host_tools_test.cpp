// The remaining tools through the host's menus, and the spatial index
// against a plain search.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QTableWidget>
#include <QTest>
#include <random>

#include "error_history_dialog.h"
#include "main_window.h"
#include "qdr2_gomiat/testing.h"

namespace host {
namespace {

namespace qt = qdr2_Gomiat::testing;

void EnsureApp() {
  static int argc = 1;
  static char name[] = "host_tests";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

TEST(HostTools, LineStylePointsExcelAndErrorHistoryReachTheView) {
  EnsureApp();
  qt::HeadlessSession session;
  MainWindow w;
  w.set_quiet(true);
  w.resize(900, 650);
  w.show();
  ASSERT_TRUE(w.OpenSurvey(GOMIAT_SOURCE_DIR "/examples/road_survey.txt"));
  HostModel& m = w.Model();
  PlanView& v = w.View();
  session.User().Click("cmdAceptar");
  w.Action("sketch")->trigger();
  ASSERT_GT(m.nPolis, 0);

  // A click on a polyline, away from its points, picks it; the line style
  // picker then restyles its layer.
  QPoint on_line;
  for (int32_t k = 1; k <= m.nPolis && on_line.isNull(); ++k) {
    const std::vector<int32_t> p = m.PolylineVertices(k);
    for (size_t i = 1; i < p.size() && on_line.isNull(); ++i) {
      const QPointF a = v.Transform().ToScreen(m.PX(p[i - 1]), m.PY(p[i - 1]));
      const QPointF b = v.Transform().ToScreen(m.PX(p[i]), m.PY(p[i]));
      const QPoint mid = ((a + b) / 2).toPoint();
      if (v.PointAt(mid) == 0 && v.PolylineAt(mid) == k) on_line = mid;
    }
  }
  ASSERT_FALSE(on_line.isNull());
  QTest::mouseClick(&v, Qt::LeftButton, {}, on_line);
  const int32_t layer = m.PolylineLayer(v.SelectedPolyline());
  ASSERT_GE(layer, 1);
  const int32_t style = (m.LayerLineType(layer) + 1) % 5;
  session.User()
      .Click("optEstilo(" + std::to_string(style) + ")")
      .Click("cmdAceptar");
  w.Action("line_style")->trigger();
  EXPECT_EQ(m.LayerLineType(layer), style);
  const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                 Qt::DashDotLine, Qt::DashDotDotLine};
  EXPECT_EQ(v.PenOf(layer).style(), styles[style]);

  // The standard layout: a point moved and put on a new layer. The view
  // finds it at its new place; the other layers keep their styles.
  const std::vector<int32_t> colours(m.colorr.storage());
  const int32_t layers = m.noCapas;
  const double x = m.PX(5) + 30;
  session.User()
      .EditCell("tblAutocro", 5, 3, std::to_string(x))
      .EditCell("tblAutocro", 5, 7, "NUEVA")
      .Click("cmdAceptar");
  w.Action("points")->trigger();
  ASSERT_EQ(m.noCapas, layers + 1);
  EXPECT_EQ(m.LayerName(m.PointLayer(5)), "NUEVA");
  for (int32_t l = 1; l <= layers; ++l) EXPECT_EQ(m.colorr(l), colours[l]);
  EXPECT_NEAR(m.PX(5), x, 1e-9);
  v.FitExtents();
  EXPECT_EQ(v.PointAt(v.Transform().ToScreen(m.PX(5), m.PY(5))), 5);

  // The Excel layout asks first; Yes drops the polylines, and the
  // editor's progress runs on the status bar's progress bar.
  const int32_t points = m.Nopun;
  session.User().Answer(6).Click("cmdAceptar");
  w.Action("points_excel")->trigger();
  EXPECT_EQ(m.nPolis, 0);
  EXPECT_EQ(m.Nopun, points);
  EXPECT_EQ(w.Progress().maximum(), points);
  EXPECT_FALSE(w.Progress().isVisible());
  v.grab();
  EXPECT_EQ(v.LastStats().polylines, 0u);
  ASSERT_EQ(session.Messages().size(), 1u);
  EXPECT_EQ(session.Messages()[0].title,
            "Editor de puntos compatible con Excel:");
  EXPECT_TRUE(session.ScriptErrors().empty());

  // The error history lists what the component logged in the store.
  session.SaveSetting("Errores", "Cantidad", "1");
  session.SaveSetting("Errores", "1", "*# *Tipolin - Error nº 5:x");
  ErrorHistoryDialog dialog(ReadErrorHistory(), &w);
  ASSERT_EQ(dialog.Table()->rowCount(), 1);
  EXPECT_EQ(dialog.Table()->item(0, 2)->text().toStdString(),
            "*# *Tipolin - Error nº 5:x");
}

TEST(HostTools, SpatialIndexFindsWhatAPlainSearchFinds) {
  HostModel m;
  std::mt19937 rng(7);
  std::normal_distribution<double> cluster(0, 50);
  std::uniform_real_distribution<double> spread(-2000, 2000);
  std::vector<gomiat::SurveyPoint> pts(6000);
  for (size_t i = 0; i < pts.size(); ++i) {
    // Dense clusters and a sparse spread, and duplicates.
    pts[i].x = i % 3 ? cluster(rng) : spread(rng);
    pts[i].y = i % 3 ? cluster(rng) * 0.2 : spread(rng);
    if (i % 97 == 0 && i > 0) pts[i].x = pts[i - 1].x, pts[i].y = pts[i - 1].y;
  }
  m.AddSurvey("s", pts);
  m.nPolis = 400;
  m.Polis.Redim(0, m.nPolis);
  std::uniform_int_distribution<int32_t> pick(1, m.Nopun);
  for (int32_t k = 1; k <= m.nPolis; ++k) {
    q::T_ConexAutocro& p = m.Polis(k);
    p.nVer = 2 + k % 5;
    p.ver.Redim(0, p.nVer);
    for (int32_t i = 1; i <= p.nVer; ++i) p.ver(i) = pick(rng);
    p.Capa = 1;
  }
  SpatialIndex index;
  index.Build(m);
  std::vector<IndexedPoint> found;
  std::vector<int32_t> lines;
  for (int q = 0; q < 60; ++q) {
    const double x = spread(rng) / (q % 2 ? 1 : 20), y = spread(rng) / 20;
    const double r = q % 3 ? 5 : 900;
    const Box box{x - r, y - r, x + r, y + r};
    index.PointsIn(box, found);
    std::vector<int32_t> inside, expect;
    for (const IndexedPoint& p : found)
      if (p.x >= box.min_x && p.x <= box.max_x && p.y >= box.min_y &&
          p.y <= box.max_y)
        inside.push_back(p.id);
    int32_t nearest = 0;
    double best = r * r;
    for (int32_t i = 1; i <= m.Nopun; ++i) {
      if (m.PX(i) >= box.min_x && m.PX(i) <= box.max_x &&
          m.PY(i) >= box.min_y && m.PY(i) <= box.max_y)
        expect.push_back(i);
      const double d =
          (m.PX(i) - x) * (m.PX(i) - x) + (m.PY(i) - y) * (m.PY(i) - y);
      if (d <= best) best = d, nearest = i;
    }
    std::sort(inside.begin(), inside.end());
    ASSERT_EQ(inside, expect) << q;
    const int32_t got = index.Nearest(x, y, r);
    ASSERT_EQ(got == 0, nearest == 0) << q;
    if (got != 0) {
      EXPECT_DOUBLE_EQ(
          (m.PX(got) - x) * (m.PX(got) - x) + (m.PY(got) - y) * (m.PY(got) - y),
          best);
    }
    index.PolylinesIn(box, lines);
    std::sort(lines.begin(), lines.end());
    std::vector<int32_t> want;
    for (int32_t k = 1; k <= m.nPolis; ++k)
      if (index.PolylineBox(k).Overlaps(box)) want.push_back(k);
    ASSERT_EQ(lines, want) << q;
  }
}

}  // namespace
}  // namespace host
