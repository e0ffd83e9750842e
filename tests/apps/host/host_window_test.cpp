// The host driven offscreen as a user drives it: the sample survey opened,
// the tools run through the menus with a scripted user in their windows,
// and the model and the view checked after each; and the spatial index
// against a plain search.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QTableWidget>
#include <QTest>
#include <random>

#include "../../support/test_support.h"
#include "croquis_run.h"
#include "error_history_dialog.h"
#include "main_window.h"
#include "point_file.h"
#include "project_file.h"
#include "qdr2_gomiat/testing.h"

// Fontconfig keeps a little memory for the life of the process, which the
// leak checker of sanitizer builds would otherwise count against the host.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace host {
namespace {

namespace qt = qdr2_Gomiat::testing;
namespace test = qdr2_Gomiat::test_support;
const std::string kSample = GOMIAT_SOURCE_DIR "/examples/road_survey.txt";

bool App() {
  static int argc = 1;
  static char name[] = "host_tests";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
  return true;
}

struct Host {
  bool app = App();  // before the window
  qt::HeadlessSession session;
  MainWindow window;
  Host() {
    window.set_quiet(true);
    window.resize(900, 650);
    window.show();
    EXPECT_TRUE(window.OpenSurvey(QString::fromStdString(kSample)));
  }
  // Paints the view as the screen would and says what it drew.
  RenderStats Frame() {
    window.View().grab();
    return window.View().LastStats();
  }
  void Run(const char* action) { window.Action(action)->trigger(); }
  // The automatic sketch through the menu, its table accepted.
  void Sketch() {
    session.User().Click("cmdAceptar");
    Run("sketch");
  }
};

TEST(HostWindow, OpensSketchesSavesAndEditsTheSampleLikeAUser) {
  Host h;
  HostModel& m = h.window.Model();
  const gomiat::PointFile file = gomiat::ReadPointFile(kSample, {});
  ASSERT_EQ(m.Nopun, static_cast<int32_t>(file.points.size()));
  // Fitted: every point drawn as a mark with its name.
  const RenderStats s = h.Frame();
  const size_t n = file.points.size();
  EXPECT_EQ(std::tie(s.points, s.detailed, s.names),
            std::make_tuple(n, true, n));

  // The sketch holds what the command-line program's run of it gives.
  h.Sketch();
  h.session.User().Click("cmdAceptar");
  const gomiat::CroquisResult ref = gomiat::RunCroquis(file.points, {"0"});
  ASSERT_FALSE(ref.cancelled);
  ASSERT_EQ(m.nPolis, static_cast<int32_t>(ref.sketch.polylines.size()));
  ASSERT_EQ(m.noCapas, static_cast<int32_t>(ref.sketch.layers.size()));
  for (int32_t k = 1; k <= m.noCapas; ++k) {
    EXPECT_EQ(m.LayerName(k), ref.sketch.layers[size_t(k - 1)].name);
    EXPECT_EQ(m.LayerLineType(k), ref.sketch.layers[size_t(k - 1)].line_type);
  }
  for (int32_t i = 1; i <= m.Nopun; ++i)
    ASSERT_EQ(m.PointLayer(i) - 1,
              static_cast<int32_t>(ref.sketch.points[size_t(i - 1)].layer));
  EXPECT_EQ(h.Frame().polylines, static_cast<size_t>(m.nPolis));

  // Saved as a project, a DXF and a CSV, and read back.
  m.Codigo(1) = "a\tb\\c\nd";  // a code the file must escape
  const std::string dir = h.session.ComponentFolder();
  ASSERT_TRUE(h.window.SaveProjectAs(QString::fromStdString(dir + "/a.gmh")));
  ASSERT_TRUE(h.window.ExportDxfAs(QString::fromStdString(dir + "/a.dxf")));
  ASSERT_TRUE(h.window.ExportCsvAs(QString::fromStdString(dir + "/a.csv")));

  // The CSV reads back through the survey reader as the same points.
  gomiat::ReadOptions csv;
  csv.columns = gomiat::ParseColumnLayout("P,E,N,Z,D,-");
  const gomiat::PointFile back = gomiat::ReadPointFile(dir + "/a.csv", csv);
  ASSERT_EQ(back.points.size(), size_t(m.Nopun));
  EXPECT_EQ(back.points[9].x, m.PX(10));
  EXPECT_EQ(back.points[0].code, "a\tb\\c d");
  const std::string text = test::ReadFile(dir + "/a.dxf");
  for (const std::string& layer : m.LayerNames())
    EXPECT_NE(text.find("\n" + layer + "\n"), std::string::npos) << layer;

  // A damaged project is refused with its line, never half read.
  const std::string bytes = test::ReadFile(dir + "/a.gmh");
  for (const std::string& bad :
       {bytes.substr(0, bytes.size() / 2),
        std::string("gomiat-host project 1\npoints\t99999999\n"),
        std::string(bytes).replace(bytes.find("polylines"), 9, "polyline")}) {
    test::WriteFile(dir + "/b.gmh", bad);
    EXPECT_FALSE(h.window.OpenProject(QString::fromStdString(dir + "/b.gmh")));
    EXPECT_TRUE(h.window.StatusText().contains("b.gmh:"));
  }
  // The project reads back as the model, which the damaged ones left alone.
  const auto saved = [](const HostModel& o) {
    return std::make_tuple(o.Nopun, o.X, o.Y, o.Nombre, o.Codigo, o.CapaPuntos,
                           o.LayerNames(), o.nPolis, o.Polis, o.Entities());
  };
  EXPECT_EQ(saved(LoadProject(dir + "/a.gmh")), saved(m));

  // A click picks a point into the status bar; a double click opens the
  // point editor on it, which marks it and writes the new name back.
  PlanView& v = h.window.View();
  const QPoint at = v.Transform().ToScreen(m.PX(40), m.PY(40)).toPoint();
  const int32_t picked = v.PointAt(at);
  ASSERT_NE(picked, 0);
  QTest::mouseClick(&v, Qt::LeftButton, {}, at);
  EXPECT_TRUE(h.window.StatusText().contains(
      QString::fromStdString(m.PointName(picked))));
  h.session.User().Type("txtNom", "EDITED").Click("cmdAceptar");
  QTest::mouseDClick(&v, Qt::LeftButton, {}, at);
  EXPECT_EQ(m.PointName(picked), "EDITED");
  EXPECT_EQ(v.MarkedPoint(), picked);

  // The navigation bar: each step centres the view on the point shown and
  // marks it; an edit travels back with the next step; zoom doubles.
  auto centred_on = [&](int32_t p) {
    return [&, p] {
      EXPECT_DOUBLE_EQ(v.Transform().cx, m.PX(p)) << p;
      EXPECT_DOUBLE_EQ(v.Transform().cy, m.PY(p)) << p;
      EXPECT_EQ(v.MarkedPoint(), p);
    };
  };
  double scale = 0;
  h.session.User()
      .Do(centred_on(1))
      .Click("cmdAv(1)")
      .Do(centred_on(2))
      .Type("txtNom", "NAV-2")
      .Click("cmdAv(1)")
      .Do(centred_on(3))
      .Do([&] { scale = v.Transform().scale; })
      .Click("cmdZm(0)")
      .Do([&] { EXPECT_DOUBLE_EQ(v.Transform().scale, 2 * scale); })
      .Click("cmdAv(0)")
      .Do(centred_on(2))
      .Click("cmdCancelar");
  h.Run("navigate");
  EXPECT_EQ(m.PointName(2), "NAV-2");
  EXPECT_EQ(h.session.User().Pending(), 0u);

  // The survey opened again: what the bar last showed of the old point 2
  // must not come back into the new one.
  ASSERT_TRUE(h.window.OpenSurvey(QString::fromStdString(kSample)));
  h.session.User().Click("cmdAv(1)").Do(centred_on(2)).Click("cmdCancelar");
  h.Run("navigate");
  EXPECT_EQ(m.PointName(2), file.points[1].name);
  EXPECT_TRUE(h.session.ScriptErrors().empty());
}

TEST(HostTools, LayersLineStylePointsExcelAndErrorHistoryReachTheView) {
  Host h;
  HostModel& m = h.window.Model();
  PlanView& v = h.window.View();
  h.Sketch();
  ASSERT_GT(m.noCapas, 2);

  // The layer editor restyles the layer with most polyline vertices, then
  // hides it and its points.
  v.FitExtents();
  const size_t all = h.Frame().points;
  const LayerCounts counts = m.CountsPerLayer();
  int32_t busiest = 1;
  for (int32_t l = 1; l <= m.noCapas; ++l)
    if (counts.PlVCp(l) > counts.PlVCp(busiest)) busiest = l;
  h.session.User()
      .SetCellColour("tblCapas", busiest, 3, 1 | 200 << 8 | 90 << 16)
      .EditCell("tblCapas", busiest, 4, "3")
      .EditCell("tblCapas", busiest, 5, "__ __ __ __ __")
      .Click("cmdAceptar");
  h.Run("layers");
  const QPen pen = v.PenOf(busiest);
  EXPECT_EQ(std::make_tuple(pen.color(), pen.style(), pen.width()),
            std::make_tuple(QColor(1, 200, 90), Qt::DashLine, 3));
  h.session.User().EditCell("tblCapas", busiest, 2, "No").Click("cmdAceptar");
  h.Run("layers");
  EXPECT_FALSE(m.LayerOn(busiest));
  EXPECT_EQ(h.Frame().points, all - size_t(counts.PunCp(busiest)));

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
  h.session.User()
      .Click("optEstilo(" + std::to_string(style) + ")")
      .Click("cmdAceptar");
  h.Run("line_style");
  EXPECT_EQ(m.LayerLineType(layer), style);
  const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                 Qt::DashDotLine, Qt::DashDotDotLine};
  EXPECT_EQ(v.PenOf(layer).style(), styles[style]);

  // The standard layout: a point moved and put on a new layer. The view
  // finds it at its new place; the other layers keep their styles.
  const std::vector<int32_t> colours(m.colorr.storage());
  const int32_t layers = m.noCapas;
  const double x = m.PX(5) + 30;
  h.session.User()
      .EditCell("tblAutocro", 5, 3, std::to_string(x))
      .EditCell("tblAutocro", 5, 7, "NUEVA")
      .Click("cmdAceptar");
  h.Run("points");
  ASSERT_EQ(m.noCapas, layers + 1);
  EXPECT_EQ(m.LayerName(m.PointLayer(5)), "NUEVA");
  for (int32_t l = 1; l <= layers; ++l) EXPECT_EQ(m.colorr(l), colours[l]);
  EXPECT_NEAR(m.PX(5), x, 1e-9);
  v.FitExtents();
  EXPECT_EQ(v.PointAt(v.Transform().ToScreen(m.PX(5), m.PY(5))), 5);

  // The Excel layout asks first; Yes drops the polylines, and the
  // editor's progress runs on the status bar's progress bar.
  const int32_t points = m.Nopun;
  h.session.User().Answer(6).Click("cmdAceptar");
  h.Run("points_excel");
  EXPECT_EQ(std::make_tuple(m.nPolis, m.Nopun, h.window.Progress().maximum()),
            std::make_tuple(0, points, points));
  EXPECT_FALSE(h.window.Progress().isVisible());
  EXPECT_EQ(h.Frame().polylines, 0u);
  EXPECT_EQ(h.session.Messages().size(), 1u);
  EXPECT_TRUE(h.session.ScriptErrors().empty());

  // The error history lists what the component logged in the store.
  h.session.SaveSetting("Errores", "Cantidad", "1");
  h.session.SaveSetting("Errores", "1", "*# *Tipolin - Error nº 5:x");
  ErrorHistoryDialog dialog(ReadErrorHistory(), &h.window);
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
    const auto in_box = [&](double px, double py) {
      return px >= box.min_x && px <= box.max_x && py >= box.min_y &&
             py <= box.max_y;
    };
    const auto d2 = [&](int32_t i) {
      return (m.PX(i) - x) * (m.PX(i) - x) + (m.PY(i) - y) * (m.PY(i) - y);
    };
    index.PointsIn(box, found);
    std::vector<int32_t> inside, expect;
    for (const IndexedPoint& p : found)
      if (in_box(p.x, p.y)) inside.push_back(p.id);
    double best = r * r;  // none nearer: Nearest gives 0
    for (int32_t i = 1; i <= m.Nopun; ++i) {
      if (in_box(m.PX(i), m.PY(i))) expect.push_back(i);
      best = std::min(best, d2(i));
    }
    std::sort(inside.begin(), inside.end());
    ASSERT_EQ(inside, expect) << q;
    const int32_t got = index.Nearest(x, y, r);
    EXPECT_DOUBLE_EQ(got == 0 ? r * r : d2(got), best) << q;
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
