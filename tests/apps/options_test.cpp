// The command line of the program.
#include "options.h"

#include <gtest/gtest.h>

#include "../support/test_support.h"

namespace gomiat {
namespace {

std::string UsageErrorOf(const std::vector<std::string>& args) {
  return qdr2_Gomiat::test_support::MessageOf<UsageError>(
      [&] { ParseCommandLine(args); });
}

TEST(OptionsTest, CroquisTakesItsOptionsInAnyOrder) {
  const CommandLine c = ParseCommandLine({"croquis",
                                          "--delimiter=semicolon",
                                          "in.txt",
                                          "--geojson",
                                          "o.json",
                                          "-o",
                                          "o.dxf",
                                          "--columns",
                                          "P,N,E,Z,D",
                                          "--encoding",
                                          "windows-1252",
                                          "--codes",
                                          "mine.txt",
                                          "--interactive",
                                          "-q",
                                          "--save-codes",
                                          "--report=r.txt",
                                          "--convention",
                                          "begin-end",
                                          "--comment",
                                          "#;"});
  ASSERT_EQ(c.command, Command::kCroquis);
  const CroquisOptions& o = c.croquis;
  EXPECT_EQ(o.input, "in.txt");
  EXPECT_EQ(o.dxf, "o.dxf");
  EXPECT_EQ(o.geojson.value_or(""), "o.json");
  EXPECT_EQ(o.codes.value_or(""), "mine.txt");
  EXPECT_EQ(o.read.delimiter, Delimiter::kSemicolon);
  EXPECT_EQ(o.read.encoding, Encoding::kWindows1252);
  EXPECT_EQ(o.read.columns.order[1], Column::kNorthing);
  EXPECT_TRUE(o.interactive && o.quiet && o.save_codes);
  EXPECT_EQ(o.report.value_or(""), "r.txt");
  EXPECT_EQ(o.convention, "begin-end");
  EXPECT_EQ(o.read.comment, "#;");
  // An input whose name starts with a dash, after "--".
  EXPECT_EQ(ParseCommandLine({"croquis", "-o", "x.dxf", "--", "-in.txt"})
                .croquis.input,
            "-in.txt");
  EXPECT_EQ(ParseCommandLine({"croquis", "--help"}).command,
            Command::kCroquisHelp);
  EXPECT_EQ(ParseCommandLine({"--version"}).command, Command::kVersion);
  EXPECT_EQ(ParseCommandLine({"--help"}).command, Command::kHelp);
}

TEST(OptionsTest, MistakesAreUsageErrors) {
  EXPECT_EQ(UsageErrorOf({}), "no command given");
  EXPECT_EQ(UsageErrorOf({"sketch"}), "unknown command \"sketch\"");
  EXPECT_EQ(UsageErrorOf({"croquis", "-o", "x.dxf"}), "no input file given");
  EXPECT_EQ(UsageErrorOf({"croquis", "in.txt"}),
            "no output drawing given (-o OUT.dxf)");
  EXPECT_EQ(UsageErrorOf({"croquis", "a", "b", "-o", "x"}),
            "one input file only");
  EXPECT_EQ(UsageErrorOf({"croquis", "a", "-o", "x", "--encoding=lat\x01"}),
            "--encoding: \"lat\\x01\" is not one of auto, utf-8, utf-16, "
            "windows-1250, windows-1251, windows-1252");
  EXPECT_EQ(UsageErrorOf({"croquis", "a", "-o", "x", "--columns", "P,Z,D"}),
            "--columns: the columns must include E and N");
  EXPECT_EQ(UsageErrorOf({"croquis", "a", "-o", "x", "--quiet=yes"}),
            "unknown option \"--quiet=yes\"");
}

}  // namespace
}  // namespace gomiat
