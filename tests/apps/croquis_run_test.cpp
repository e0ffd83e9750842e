// The automatic sketch run as a host runs it, read back into a drawing.
#include "croquis_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "qdr2_gomiat/testing.h"

namespace gomiat {
namespace {

std::vector<SurveyPoint> Survey() {
  const char* codes[] = {"CASA", "CASA", "CASA",  "CASA A", "CT", "CT",
                         "CT I", "CT",   "CT,BT", "",       "BT", "I"};
  std::vector<SurveyPoint> points;
  for (const char* c : codes) {
    SurveyPoint p;
    p.name = "P" + std::to_string(points.size() + 1);
    p.x = 431200.0 + 10.0 * static_cast<double>(points.size());
    p.y = 4412100.0;
    p.z = 600.0;
    p.code = c;
    points.push_back(p);
  }
  return points;
}

size_t LayerNamed(const Sketch& s, const std::string& name) {
  for (size_t i = 0; i < s.layers.size(); ++i)
    if (s.layers[i].name == name) return i;
  ADD_FAILURE() << "no layer " << name;
  return s.layers.size();
}

TEST(CroquisRunTest, AcceptedCodeTableGivesLayersPointsAndPolylines) {
  qdr2_Gomiat::testing::HeadlessSession session;
  session.User().Click("cmdAceptar");
  const CroquisResult r = RunCroquis(Survey(), {"0", "BASE"});
  ASSERT_FALSE(r.cancelled);
  EXPECT_EQ(r.codes, 4);  // BT, CASA, CT, Puntos
  const Sketch& s = r.sketch;
  ASSERT_GE(s.layers.size(), 3u);
  EXPECT_EQ(s.layers[0].name, "0");
  EXPECT_EQ(s.layers[0].colour_number, 7);  // no code coloured it
  EXPECT_EQ(s.layers[1].name, "BASE");
  EXPECT_EQ(s.layers[2].name, "Puntos");

  // The default table: CT on layer CT, colour 2, dashed; BT on BAJO_TALUD.
  const size_t ct = LayerNamed(s, "CT");
  const size_t bt = LayerNamed(s, "BAJO_TALUD");
  const size_t casa = LayerNamed(s, "CASA");  // a code the table lacks
  ASSERT_LT(std::max({ct, bt, casa}), s.layers.size());
  EXPECT_EQ(s.layers[ct].colour_number, 2);
  EXPECT_EQ(s.layers[ct].line_type, 1);
  EXPECT_EQ(s.layers[bt].colour_number, 6);
  EXPECT_EQ(s.layers[casa].colour_number, 7);

  ASSERT_EQ(s.points.size(), 12u);
  EXPECT_EQ(s.points[0].layer, casa);
  EXPECT_EQ(s.points[8].layer, ct);  // the first code decides
  EXPECT_EQ(s.points[8].code, "CT,BT");
  EXPECT_EQ(s.points[9].layer, 2u);   // no code: Puntos
  EXPECT_EQ(s.points[11].layer, 0u);  // a command word alone: first layer
  EXPECT_EQ(s.points[3].name, "P4");
  EXPECT_DOUBLE_EQ(s.points[3].x, 431230.0);

  // CASA closed on its first corner; CT restarted at "CT I"; BT through
  // the point that carries both codes.
  std::vector<std::pair<size_t, std::vector<size_t>>> lines;
  for (const SketchPolyline& p : s.polylines)
    lines.emplace_back(p.layer, p.vertices);
  std::sort(lines.begin(), lines.end());
  std::vector<std::pair<size_t, std::vector<size_t>>> want = {
      {casa, {0, 1, 2, 3, 0}}, {ct, {4, 5}}, {ct, {6, 7, 8}}, {bt, {8, 10}}};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(lines, want);
}

TEST(CroquisRunTest, ACancelledCodeTableGivesNoDrawing) {
  qdr2_Gomiat::testing::HeadlessSession session;
  session.User().Click("cmdCancelar");
  const CroquisResult r = RunCroquis(Survey());
  EXPECT_TRUE(r.cancelled);
  EXPECT_TRUE(r.sketch.layers.empty());
  EXPECT_TRUE(r.sketch.polylines.empty());
  EXPECT_THROW(RunCroquis(Survey(), {}), std::runtime_error);
}

}  // namespace
}  // namespace gomiat
