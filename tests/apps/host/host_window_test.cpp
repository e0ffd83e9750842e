// The host driven offscreen as a user drives it: the sample survey opened,
// the tools run through the menus with a scripted user in their windows,
// and the model and the view checked after each.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "croquis_run.h"
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
const std::string kSample = GOMIAT_SOURCE_DIR "/examples/road_survey.txt";

void App() {
  static int argc = 1;
  static char name[] = "host_tests";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

struct Host {
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
};

TEST(HostWindow, OpensSketchesAndEditsTheSampleLikeAUser) {
  App();
  Host h;
  HostModel& m = h.window.Model();
  const gomiat::PointFile file = gomiat::ReadPointFile(kSample, {});
  ASSERT_EQ(m.Nopun, static_cast<int32_t>(file.points.size()));
  // Fitted: every point drawn as a mark with its name.
  RenderStats s = h.Frame();
  EXPECT_EQ(s.points, file.points.size());
  EXPECT_TRUE(s.detailed);
  EXPECT_EQ(s.names, file.points.size());

  // The automatic sketch through the menu, its table accepted: the model
  // holds what the command-line program's run of it gives.
  h.session.User().Click("cmdAceptar");
  h.Run("sketch");
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

  // A click picks a point into the status bar; a double click opens the
  // point editor on it, which marks it and writes the new name back.
  PlanView& v = h.window.View();
  const int32_t k = 40;
  const QPoint at = v.Transform().ToScreen(m.PX(k), m.PY(k)).toPoint();
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

TEST(HostWindow, LayerEditorRestylesAndHidesWhatTheViewDraws) {
  App();
  Host h;
  HostModel& m = h.window.Model();
  h.session.User().Click("cmdAceptar");
  h.Run("sketch");
  ASSERT_GT(m.noCapas, 2);
  h.window.View().FitExtents();
  const size_t all = h.Frame().points;
  const LayerCounts counts = m.CountsPerLayer();
  int32_t layer = 1;  // the layer with most polyline vertices
  for (int32_t l = 1; l <= m.noCapas; ++l)
    if (counts.PlVCp(l) > counts.PlVCp(layer)) layer = l;
  const QColor mine(1, 200, 90);
  h.session.User()
      .SetCellColour("tblCapas", layer, 3, 1 | 200 << 8 | 90 << 16)
      .EditCell("tblCapas", layer, 4, "3")
      .EditCell("tblCapas", layer, 5, "__ __ __ __ __")
      .Click("cmdAceptar");
  h.Run("layers");
  QPen pen = h.window.View().PenOf(layer);
  EXPECT_EQ(pen.color(), mine);
  EXPECT_EQ(pen.style(), Qt::DashLine);
  EXPECT_EQ(pen.width(), 3);
  h.session.User().EditCell("tblCapas", layer, 2, "No").Click("cmdAceptar");
  h.Run("layers");
  EXPECT_FALSE(m.LayerOn(layer));
  EXPECT_EQ(h.Frame().points, all - size_t(counts.PunCp(layer)));
  EXPECT_TRUE(h.session.ScriptErrors().empty());
}

TEST(HostWindow, SavesProjectDxfAndCsvAndReopensTheProject) {
  App();
  Host h;
  HostModel& m = h.window.Model();
  h.session.User().Click("cmdAceptar");
  h.Run("sketch");
  const std::string dir = h.session.ComponentFolder();
  ASSERT_TRUE(h.window.SaveProjectAs(QString::fromStdString(dir + "/a.gmh")));
  ASSERT_TRUE(h.window.ExportDxfAs(QString::fromStdString(dir + "/a.dxf")));
  ASSERT_TRUE(h.window.ExportCsvAs(QString::fromStdString(dir + "/a.csv")));

  const HostModel r = LoadProject(dir + "/a.gmh");
  ASSERT_EQ(r.Nopun, m.Nopun);
  for (int32_t i = 1; i <= m.Nopun; ++i) {
    ASSERT_EQ(r.PX(i), m.PX(i));
    ASSERT_EQ(r.PY(i), m.PY(i));
    ASSERT_EQ(r.PointName(i), m.PointName(i));
    ASSERT_EQ(r.PointCode(i), m.PointCode(i));
    ASSERT_EQ(r.PointLayer(i), m.PointLayer(i));
  }
  ASSERT_EQ(r.LayerNames(), m.LayerNames());
  ASSERT_EQ(r.nPolis, m.nPolis);
  for (int32_t k = 1; k <= m.nPolis; ++k)
    EXPECT_EQ(r.PolylineVertices(k), m.PolylineVertices(k));
  EXPECT_EQ(r.Entities(), m.Entities());

  // The CSV reads back through the survey reader as the same points.
  gomiat::ReadOptions csv;
  csv.columns = gomiat::ParseColumnLayout("P,E,N,Z,D,-");
  const gomiat::PointFile back = gomiat::ReadPointFile(dir + "/a.csv", csv);
  ASSERT_EQ(back.points.size(), size_t(m.Nopun));
  EXPECT_EQ(back.points[9].x, m.PX(10));
  std::ifstream dxf(dir + "/a.dxf");
  const std::string text((std::istreambuf_iterator<char>(dxf)), {});
  for (const std::string& layer : m.LayerNames())
    EXPECT_NE(text.find("\n" + layer + "\n"), std::string::npos) << layer;

  // A damaged project is refused with its line, never half read.
  std::string bytes;
  {
    std::ifstream in(dir + "/a.gmh");
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  for (const std::string& bad :
       {bytes.substr(0, bytes.size() / 2),
        std::string("gomiat-host project 1\npoints\t99999999\n"),
        std::string(bytes).replace(bytes.find("polylines"), 9, "polyline")}) {
    std::ofstream(dir + "/b.gmh") << bad;
    EXPECT_FALSE(h.window.OpenProject(QString::fromStdString(dir + "/b.gmh")));
    EXPECT_TRUE(h.window.StatusText().contains("b.gmh:"));
  }
  EXPECT_EQ(h.window.Model().Nopun, m.Nopun);  // the open model stays
}

}  // namespace
}  // namespace host
