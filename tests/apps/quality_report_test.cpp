// The quality report finds the doubtful spots of a sketch.
#include "quality_report.h"

#include <gtest/gtest.h>

#include <sstream>

namespace gomiat {
namespace {

TEST(QualityReportTest, DoubtfulJoinsNamesCodesAndAxesAreFound) {
  // CT along x every 10 units but one far jump; a lone EJE; a CASA close
  // with too few points before it; point "3" twice; eastings that read
  // like northings.
  const std::vector<std::string> codes = {
      "CT", "CT", "CT,EJE", "CT", "CT", "CT", "CASA", "CASA", "CASA A", "X"};
  const double xs[] = {0, 10, 20, 30, 40, 400, 0, 5, 5, 0};
  Sketch sketch;
  for (size_t i = 0; i < codes.size(); ++i) {
    const std::string name = i == 4 ? "3" : std::to_string(i + 1);
    sketch.points.push_back(
        {name, 4412000 + xs[i], 431000, 0, codes[i], 0, {}, i + 2});
  }
  sketch.polylines = {{0, {0, 1, 2, 3, 4, 5}}, {0, {6, 7}}};
  ReportInput in;
  in.sketch = &sketch;
  in.known_codes = {"CT", "EJE"};
  in.joining = {{"X", "Puntual"}};
  const QualityReport r = MakeQualityReport(in);

  ASSERT_EQ(r.codes.size(), 4u);  // CASA, CT, EJE, X
  const CodeFigures& ct = r.codes[1];
  EXPECT_EQ(std::tie(ct.code, ct.points, ct.vertices, ct.longest),
            std::make_tuple("CT", 6u, 6u, 360.0));
  ASSERT_EQ(r.long_segments.size(), 1u);
  EXPECT_EQ(r.unknown_codes, (std::vector<std::string>{"CASA", "X"}));
  EXPECT_EQ(r.lone_points, (decltype(r.lone_points){{"EJE", {2}}}));
  EXPECT_EQ(r.ignored_closes, (decltype(r.ignored_closes){{"CASA", 8}}));
  EXPECT_NE(r.axis_hint.find("--columns P,N,E,Z,D"), std::string::npos);

  // The long segment (points "3" to "6") and the name used twice, as listed.
  std::ostringstream text;
  WriteQualityReport(r, in, "survey.txt", text);
  EXPECT_NE(text.str().find("  CT: 3 - 6  360 (median 10)"), std::string::npos);
  EXPECT_NE(text.str().find("  3: lines 4 6"), std::string::npos);
}

}  // namespace
}  // namespace gomiat
