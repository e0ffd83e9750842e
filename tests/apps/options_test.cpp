// The command line of the program.
#include "options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../support/test_support.h"

namespace gomiat {
namespace {

std::string UsageErrorOf(const std::vector<std::string>& args) {
  return qdr2_Gomiat::test_support::MessageOf<UsageError>(
      [&] { ParseCommandLine(args); });
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

TEST(OptionsTest, CroquisTakesItsOptionsInAnyOrder) {
  const CommandLine c = ParseCommandLine(
      Words("croquis --delimiter=semicolon in.txt --geojson o.json -o o.dxf "
            "--columns P,N,E,Z,D --encoding windows-1250 --codes mine.txt "
            "--interactive -q --save-codes --report=r.txt --convention "
            "begin-end --comment #;"));
  ASSERT_EQ(c.command, Command::kCroquis);
  const CroquisOptions& o = c.croquis;
  EXPECT_TRUE(o.input == "in.txt" && o.dxf == "o.dxf" &&
              o.geojson == "o.json" && o.codes == "mine.txt" &&
              o.report == "r.txt" && o.convention == "begin-end" &&
              o.read.comment == "#;");
  EXPECT_EQ(o.read.delimiter, Delimiter::kSemicolon);
  EXPECT_EQ(o.read.encoding, Encoding::kWindows1250);
  EXPECT_EQ(o.read.columns.order[1], Column::kNorthing);
  EXPECT_TRUE(o.interactive && o.quiet && o.save_codes);
  // An input whose name starts with a dash, after "--".
  EXPECT_EQ(
      ParseCommandLine(Words("croquis -o x.dxf -- -in.txt")).croquis.input,
      "-in.txt");
  EXPECT_EQ(ParseCommandLine({"croquis", "--help"}).command,
            Command::kCroquisHelp);
}

TEST(OptionsTest, MistakesAreUsageErrors) {
  EXPECT_EQ(UsageErrorOf({}), "no command given");
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
