// The automatic sketch run as a host runs it, read back into a drawing.
// (The polylines, read back with point names: the shipped samples in
// convention_test.cpp and check_dxf.py.)
#include "croquis_run.h"

#include <gtest/gtest.h>

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
    p.x = 10.0 * static_cast<double>(points.size());
    p.code = c;
    p.extras = {"x"};
    p.line = points.size() + 1;
    points.push_back(p);
  }
  return points;
}

TEST(CroquisRunTest, TheSketchHoldsThePointsAndTheirLayersUnlessCancelled) {
  qdr2_Gomiat::testing::HeadlessSession session;
  session.User().Click("cmdAceptar");
  const CroquisResult r = RunCroquis(Survey(), {"0", "BASE"});
  ASSERT_FALSE(r.cancelled);
  EXPECT_EQ(r.codes, 4);  // BT, CASA, CT, Puntos
  const Sketch& s = r.sketch;
  ASSERT_EQ(s.points.size(), 12u);
  const SketchPoint& p = s.points[3];
  EXPECT_EQ(
      std::tie(p.name, p.code, p.extras, p.line, p.x),
      std::make_tuple("P4", "CASA A", std::vector<std::string>{"x"}, 4u, 30.0));
  EXPECT_EQ(s.layers.at(s.points[0].layer).name, "CASA");
  // A command word alone: the first layer.
  EXPECT_EQ(s.layers.at(s.points[11].layer).name, "0");

  session.User().Click("cmdCancelar");
  const CroquisResult none = RunCroquis(Survey());
  EXPECT_TRUE(none.cancelled);
  EXPECT_TRUE(none.sketch.layers.empty() && none.sketch.polylines.empty());
  EXPECT_THROW(RunCroquis(Survey(), {}), std::runtime_error);
}

}  // namespace
}  // namespace gomiat
