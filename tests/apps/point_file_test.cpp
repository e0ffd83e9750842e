// Reading point files as instruments and spreadsheets export them.
#include "point_file.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/test_support.h"

namespace gomiat {
namespace {

PointFile Parse(const std::string& text, ReadOptions o = {}) {
  return ParsePointFile(text, "survey.txt", o);
}

// The message of the failure to read `text`, or "" when it reads.
std::string ErrorOf(const std::string& text, ReadOptions o = {}) {
  return qdr2_Gomiat::test_support::MessageOf<InputError>(
      [&] { Parse(text, o); });
}

TEST(PointFileTest, EveryDelimiterIsDetectedAndTheCodeFieldKeepsItsOwn) {
  for (const auto& [text, expected] :
       std::vector<std::pair<std::string, Delimiter>>{
           {"1,431200.5,4412100.25,601.5,LBD,ARCEN\n", Delimiter::kComma},
           {"1;431200,5;4412100,25;601,5;LBD,ARCEN\n", Delimiter::kSemicolon},
           {"1\t431200.5\t4412100.25\t601.5\tLBD,ARCEN\n", Delimiter::kTab},
           {"  1   431200.5  4412100.25 601.5   LBD,ARCEN  \n",
            Delimiter::kBlanks}}) {
    const PointFile f = Parse(text);
    EXPECT_EQ(f.delimiter, expected) << text;
    ASSERT_EQ(f.points.size(), 1u);
    const SurveyPoint& p = f.points[0];
    EXPECT_TRUE(p.name == "1" && p.x == 431200.5 && p.y == 4412100.25 &&
                p.z == 601.5 && p.code == "LBD,ARCEN" && p.line == 1)
        << text;
  }
  // Blanks inside the code field stay, whatever separates the columns;
  // empty trailing columns do not become part of it.
  EXPECT_EQ(Parse("7,1,2,3,CT I\n").points[0].code, "CT I");
  EXPECT_EQ(Parse("7 1 2 3 CT   I\n").points[0].code, "CT   I");
  EXPECT_EQ(Parse("7,1,2,3,\"LBD, ARCEN\"\n").points[0].code, "LBD, ARCEN");
  EXPECT_EQ(Parse("7,1,2,3\n").points[0].code, "");
  // A comma inside the code of a blank-separated file does not fool the
  // detection, nor a blank inside the code of a comma-separated one.
  EXPECT_EQ(Parse("1 2 3 4 A,B\n5 6 7 8 C,D\n").delimiter, Delimiter::kBlanks);
  EXPECT_EQ(Parse("1,2,3,4,A B\n5,6,7,8,C D\n").delimiter, Delimiter::kComma);
}

TEST(PointFileTest, ColumnOrdersPlaceEastingNorthingAndCode) {
  ReadOptions o;
  o.columns = ParseColumnLayout("x, y, z");  // no name, no code
  PointFile f = Parse("10,20,30\n11,21,31\n", o);
  ASSERT_EQ(f.points.size(), 2u);
  EXPECT_EQ(f.points[1].name, "2");  // the running number

  o.columns = ParseColumnLayout("P,D,E,N");  // code not last: one field
  f = Parse("B,ARBOL,5,6\n", o);
  EXPECT_TRUE(f.points[0].code == "ARBOL" && f.points[0].x == 5);

  // Skipped columns, kept ones, and comment lines anywhere.
  o.columns = ParseColumnLayout("-,P,N,E,+rod,-,Z,D");
  o.comment = "#;";
  f = Parse("# job 12\nx,7,20,10,1.8,y,30,CT I\n  ; rod change\n", o);
  ASSERT_EQ(f.points.size(), 1u);
  EXPECT_TRUE(f.points[0].name == "7" && f.points[0].x == 10 &&
              f.points[0].y == 20 && f.points[0].z == 30 && !f.header_skipped);
  EXPECT_EQ(f.points[0].extras, std::vector<std::string>{"1.8"});
  EXPECT_EQ(f.extra_names, std::vector<std::string>{"rod"});

  EXPECT_THROW(ParseColumnLayout("P,E,N,E"), std::invalid_argument);
  EXPECT_THROW(ParseColumnLayout("E,N,+a,+a"), std::invalid_argument);
  EXPECT_THROW(ParseColumnLayout("E,N,+code"), std::invalid_argument);
}

TEST(PointFileTest, HeaderBlankLinesAndLineEndsAreSkipped) {
  const PointFile f =
      Parse("Punto,X,Y,Z,Codigo\r\n\r\n1,1,2,3,EJE\r\n   \r\n2,4,5,6,EJE\r\n");
  EXPECT_TRUE(f.header_skipped);
  ASSERT_EQ(f.points.size(), 2u);
  EXPECT_EQ(f.points[0].code, "EJE");  // no "\r" left behind
  EXPECT_EQ(f.points[1].line, 5u);
  // Old Mac line ends.
  EXPECT_EQ(Parse("1,1,2,3,A\r2,4,5,6,B\r").points.size(), 2u);
  // Only the first line may be a header.
  EXPECT_EQ(ErrorOf("1,1,2,3,A\nName,X,Y,Z,Code\n"),
            "survey.txt:2: easting \"X\" is not a number");
  EXPECT_EQ(ErrorOf(""), "survey.txt: no points in the file");
}

TEST(PointFileTest, EncodingsAreToldApartAndDecoded) {
  // "Árbol" in UTF-8 (with and without a byte order mark) and in 1252.
  const std::string utf8 = "1,1,2,3,\xC3\x81rbol\n";
  const std::string cp1252 = "1,1,2,3,\xC1rbol\n";
  PointFile f = Parse(utf8);
  EXPECT_EQ(f.encoding, Encoding::kUtf8);
  EXPECT_EQ(f.points[0].code, "\xC3\x81rbol");
  f = Parse("\xEF\xBB\xBF" + utf8);
  EXPECT_EQ(f.points[0].name, "1");  // the mark is not part of the name
  f = Parse(cp1252);
  EXPECT_EQ(f.encoding, Encoding::kWindows1252);
  EXPECT_EQ(f.points[0].code, "\xC3\x81rbol");

  // UTF-16 by its byte order mark, or by its NUL bytes without one.
  std::string le;
  for (char c : std::string("1,1,2,3,")) le += {c, '\0'};
  le += "\x01\x04";  // U+0401
  f = Parse("\xFF\xFE" + le);
  EXPECT_EQ(f.encoding, Encoding::kUtf16);
  EXPECT_EQ(f.points[0].code, "\xD0\x81");
  EXPECT_EQ(Parse(le).points[0].code, "\xD0\x81");

  ReadOptions o;
  o.encoding = Encoding::kWindows1252;
  EXPECT_EQ(Parse(utf8, o).points[0].code, "\xC3\x83\xC2\x81rbol");
  o.encoding = Encoding::kWindows1251;  // \xC0: Cyrillic A
  EXPECT_EQ(Parse("1,1,2,3,\xC0\n", o).points[0].code, "\xD0\x90");
  o.encoding = Encoding::kUtf8;
  EXPECT_EQ(ErrorOf("1,1,2,3,A\n" + cp1252, o),
            "survey.txt:2: not valid UTF-8 (try --encoding windows-1252)");
}

TEST(PointFileTest, MalformedLinesNameFileAndLine) {
  const std::string good = "1,431200.5,4412100.2,600.1,EJE\n";
  EXPECT_EQ(ErrorOf(good + "2,431201.5,4412101.2\n"),
            "survey.txt:2: expected 4 fields before the code (name, easting, "
            "northing, elevation), found 3");
  EXPECT_EQ(ErrorOf(good + "3,431201.5,abc,600\n"),
            "survey.txt:2: northing \"abc\" is not a number");
  EXPECT_EQ(ErrorOf(good + "\n4,431201.5,4412101,nan\n"),
            "survey.txt:3: elevation \"nan\" is not a finite number");
  EXPECT_EQ(ErrorOf(good + "8,12.5x\x01\x7F,4412101,600\n"),
            "survey.txt:2: easting \"12.5x\\x01\\x7F\" is not a number");
  EXPECT_EQ(ErrorOf(good + "8," + std::string(50, '9') + "x,1,2\n"),
            "survey.txt:2: easting \"" + std::string(40, '9') +
                "...\" is not a number");
  EXPECT_EQ(ErrorOf(good + "9,\"431201,4412101,600\n"),
            "survey.txt:2: a quote is not closed");
  // A decimal comma is a number only where the comma is not the delimiter.
  EXPECT_EQ(ErrorOf("1;1,5,2;3;4\n"),
            "survey.txt:1: easting \"1,5,2\" is not a number");
  ReadOptions o;
  o.delimiter = Delimiter::kComma;
  EXPECT_EQ(Parse("1,+1.5e2,-2,3\n", o).points[0].x, 150.0);

  // A large file is read in two halves: lines are still counted in order.
  std::string big = "Name,X,Y,Z\n";
  for (int i = 2; i <= 90000; ++i) big += std::to_string(i) + ",1,2,3,CT\n";
  const PointFile f = Parse(big);
  ASSERT_EQ(f.points.size(), 89999u);
  EXPECT_TRUE(f.points.back().line == 90000 && f.points.back().name == "90000");
  big.replace(big.find("\n80000,") + 7, 1, "x");
  EXPECT_EQ(ErrorOf(big), "survey.txt:80000: easting \"x\" is not a number");
  EXPECT_EQ(qdr2_Gomiat::test_support::MessageOf<InputError>(
                [] { ReadPointFile("/nonexistent/survey.txt", {}); }),
            "/nonexistent/survey.txt: No such file or directory");
}

}  // namespace
}  // namespace gomiat
