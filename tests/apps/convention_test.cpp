// Codes of other conventions put into our words, and the shipped samples
// drawing the lines their codes mean.
#include "convention.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "croquis_run.h"
#include "options.h"
#include "qdr2_gomiat/testing.h"

namespace gomiat {
namespace {

const std::vector<std::string> kFolders = {GOMIAT_SOURCE_DIR
                                           "/apps/gomiat/conventions"};

TEST(ConventionTest, OtherConventionsAreSaidInOurWords) {
  struct Case {
    std::string convention;
    std::vector<std::string> fields, ours;
  };
  const Case cases[] = {
      // An end makes the code's next point start; a close after an end
      // has no line to close; markers with no code say nothing.
      {"begin-end",
       {"TB B", "TB", "EC B\\curb, x", "TB E", "TB C", "TB", "B", "BC1 B",
        "BC2,GS\\HMA"},
       {"TB I", "TB", "EC I", "TB", "TB I", "TB", "", "BC1 I", "BC2,GS"}},
      {"plus-dot",
       {"SW1+", "SW1", "SW1.", "SW1-", "FL+ /flow", "FL-", "SW1"},
       {"SW1 I", "SW1", "SW1", "SW1 I", "FL I", "FL A", "SW1"}},
      {"st-co-cl",
       {"EP_st", "EP_co", "EP_en", "EP_co", "WALL_st EP", "WALL_cl", "_st"},
       {"EP I", "EP", "EP", "EP I", "WALL I,EP", "WALL A", "_st"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(
        TranslateCodes(c.fields, LoadConvention(c.convention, kFolders)).fields,
        c.ours)
        << c.convention;
  const TranslatedCodes t = TranslateCodes(
      {"BC1 B", "BC12", "12", "TREE", "TREE"},
      ParseConvention("start word B\nnumbered yes\npoint TREE # spot\n", "x"));
  EXPECT_EQ(t.fields, (std::vector<std::string>{"BC1 I", "BC12", "12", "TREE I",
                                                "TREE I"}));
  EXPECT_EQ(t.numbered, (std::map<std::string, std::string>{{"BC1", "BC"},
                                                            {"BC12", "BC"}}));
  for (const char* bad : {"start glued +\n", "\n\nbegin word B\n"})
    EXPECT_THROW(ParseConvention(bad, "c.txt"), std::invalid_argument) << bad;
  EXPECT_THROW(LoadConvention("no-such", kFolders), std::invalid_argument);
}

// Each sample names its command line ("# run: ...") and the lines it must
// draw ("# expect LAYER: point names").
TEST(ConventionTest, TheSamplesDrawTheLinesTheirCodesMean) {
  const std::filesystem::path dir = GOMIAT_SOURCE_DIR "/examples/conventions";
  for (const std::string& name : ShippedConventions()) {
    SCOPED_TRACE(name);
    std::ifstream in(dir / (name + ".txt"));
    std::vector<std::string> args, expected;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("# run: ", 0) == 0) {
        std::istringstream words(line.substr(7));
        for (std::string w; words >> w;) args.push_back(w);
      } else if (line.rfind("# expect ", 0) == 0) {
        expected.push_back(line.substr(9));
      }
    }
    ASSERT_FALSE(expected.empty());
    const CroquisOptions o = ParseCommandLine(args).croquis;
    const PointFile file = ReadPointFile((dir / o.input).string(), o.read);
    std::vector<std::string> fields;
    for (const SurveyPoint& p : file.points) fields.push_back(p.code);
    const TranslatedCodes t =
        TranslateCodes(fields, LoadConvention(o.convention, kFolders));
    qdr2_Gomiat::testing::HeadlessSession session;
    session.User().Click("cmdAceptar");
    AddNumberedCodes(t.numbered);
    const CroquisResult r = RunCroquis(file.points, {"0"}, &t.fields);
    std::vector<std::string> drawn;
    for (const SketchPolyline& pl : r.sketch.polylines) {
      std::string s = r.sketch.layers[pl.layer].name + ":";
      for (size_t v : pl.vertices) s += " " + file.points[v].name;
      drawn.push_back(s);
    }
    std::sort(drawn.begin(), drawn.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(drawn, expected);
  }
}

}  // namespace
}  // namespace gomiat
