#include "autosketch/code_table_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "autosketch/code_table.h"
#include "frame/atomic_file.h"
#include "qdr2_gomiat/testing.h"
#include "support/processes.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

namespace fs = std::filesystem;
using test_support::FailureOf;

class CodeTableFile : public ::testing::Test {
 protected:
  std::string Path() const { return CodeTablePath(); }
  void Put(const std::string& bytes) { WriteFileAtomically(Path(), bytes); }
  std::string Get() const { return ReadFileBytes(Path()); }
  static Array<std::string> Texts(const std::vector<std::string>& v) {
    return Array<std::string>::FromItems(v);
  }
  // Merges codes with the given layers, joining "Lineal", colour 7, line 0.
  static void Merge(const std::vector<std::string>& codes,
                    const std::vector<std::string>& layers) {
    using V = std::vector<std::string>;
    const size_t n = codes.size();
    MergeCodeTable(static_cast<int32_t>(n), Texts(codes), Texts(V(n)),
                   Texts(V(n, "Lineal")), Texts(layers),
                   Array<int32_t>::FromItems(std::vector<int32_t>(n, 7)),
                   Texts(V(n, "0")));
  }
  testing::HeadlessSession session_;
};

TEST_F(CodeTableFile, TextConversions) {
  EXPECT_EQ(Tipo_Union("P"), "Puntual");
  EXPECT_EQ(Tipo_Union("p"), "Lineal");

  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Linea_Patron(std::to_string(k)), kLinePatterns[k]);
    EXPECT_EQ(Linea_Numero(kLinePatterns[k]), std::to_string(k));
  }
  EXPECT_EQ(Linea_Patron("5"), "_____________");
  EXPECT_EQ(Linea_Patron(" 1"), "_____________");
  EXPECT_EQ(Linea_Numero("7"), "7");
  EXPECT_EQ(Linea_Numero("2,5"), "2.5");  // never a comma into the file
  EXPECT_EQ(Linea_Numero("-2"), "0");
  EXPECT_EQ(Linea_Numero("raya"), "0");

  EXPECT_EQ(CodeTablePath(), session_.ComponentFolder() + "/autocroquis.txt");
}

TEST_F(CodeTableFile, MissingFileIsCreatedWithTheDefaults) {
  CodeTable t;
  LoadCodeTable(t);
  // As every installation writes it: CR LF, a blank before the numbers.
  const auto lines = test_support::LinesOf(Get());
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines.front(), "ARBOL, 1,Puntual,ARBOLES, 3,0\r");
  EXPECT_EQ(lines.back(), "VA, 2,Lineal,VA, 5,1\r");
  CodeTable again;
  LoadCodeTable(again);
  const CodeTable d = DefaultCodeTable();
  EXPECT_TRUE(again.codes == d.codes && again.counts == d.counts &&
              again.types == d.types && again.layers == d.layers &&
              again.colours == d.colours && again.lines == d.lines);
}

TEST_F(CodeTableFile, FieldReadingRules) {
  const auto rows = ParseCodeTableFile(
      "A, 1,Lineal,L1, 2,0\n"  // LF only
      "\r\n   \r\n"            // blank lines are no entry
      "B,,Puntual\r"           // lone CR; missing fields
      " \tC , 3 , Lineal ,  L 3\t, 4 ,1,extra\r\n"
      "\"D,1\", \"L\"\r\n"  // no quoting: a quote is text
      ",,,,,");
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (CodeTableFields{"A", "1", "Lineal", "L1", "2", "0"}));
  EXPECT_EQ(rows[1], (CodeTableFields{"B", "", "Puntual", "", "", ""}));
  EXPECT_EQ(rows[2], (CodeTableFields{"C", "3", "Lineal", "L 3", "4", "1"}));
  EXPECT_EQ(rows[3], (CodeTableFields{"\"D", "1\"", "\"L\"", "", "", ""}));
  EXPECT_EQ(rows[4], (CodeTableFields{"", "", "", "", "", ""}));
  const auto utf8 = ParseCodeTableFile(
      "\xEF\xBB\xBF"
      "CAÑO,,Lineal,CAÑOS");
  EXPECT_EQ(utf8.at(0)[3], "CAÑOS");  // a UTF-8 editor's file

  // A record that cannot be read ends the load; the entry counts.
  Put("X, 1,Lineal,L, 2,0\r\nY, 1,Lineal,L, verde,0\r\nZ,,Lineal,L, 1,0\r\n");
  CodeTable t;
  EXPECT_EQ(FailureOf([&] { LoadCodeTable(t); }), err::kTypeMismatch);
  EXPECT_EQ(t.count, 2);
  EXPECT_EQ(t.layers(2), "L");
}

TEST_F(CodeTableFile, OtherInstallationsFilesReadAndRewriteByteForByte) {
  // Windows-1252 bytes (Ñ = D1, Á = C1), CR LF, quotes and all.
  const std::string file =
      "CA\xD1"
      "ADA,,Lineal,CA\xD1"
      "ADAS, 3,1\r\n"
      "\xC1RBOL,1,Puntual,\"\xC1RBOLES\",-2,0\r\n";
  Put(file);
  CodeTable t;
  LoadCodeTable(t);
  ASSERT_EQ(t.count, 2);
  EXPECT_EQ(t.codes(1), "CAÑADA");
  EXPECT_EQ(t.layers(2), "\"ÁRBOLES\"");
  EXPECT_EQ(t.colours(2), -2);
  // A second name for the file tells whether it was replaced or left alone.
  fs::create_hard_link(Path(), Path() + ".1");
  Merge({"CAÑADA"}, {"CAÑADAS"});
  EXPECT_EQ(fs::hard_link_count(Path()), 1u);
  EXPECT_EQ(Get(),
            "CA\xD1"
            "ADA,,Lineal,CA\xD1"
            "ADAS, 7,0\r\n"
            "\xC1RBOL,1,Puntual,\"\xC1RBOLES\",-2,0\r\n");
  // A merge that changes no byte leaves the file alone (a read-only
  // table is then no failure).
  fs::create_hard_link(Path(), Path() + ".2");
  Merge({"CAÑADA"}, {"CAÑADAS"});
  EXPECT_EQ(fs::hard_link_count(Path()), 2u);
}

// Entries the file cannot hold are left out and named in one failure; the
// others are merged by the usual rule.
TEST_F(CodeTableFile, MergeSavesWhatTheFileCanHoldAndNamesTheRest) {
  Put("CT,,Lineal,CT, 2,1\r\nBT, 2,Lineal,BT, 6,1\r\nCT,,Lineal,OTRA, 5,0\r\n");
  int32_t n = 4;
  try {
    MergeCodeTable(n, Texts({"NUEVO2", "CT", "NUEVO1", "ŁÓDŹ"}),
                   Texts({"", "", "", ""}),
                   Texts({"Lineal", "Puntual", "Lineal", "Lineal"}),
                   Texts({"NUEVO2", " CTX ", "CAPA, CON COMA", "L"}),
                   Array<int32_t>::FromItems({7, 3, 7, 7}),
                   Texts({"_____________", "__..__..__..__", "2", "0"}));
    ADD_FAILURE() << "nothing reported";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), err::kInvalidCall);
    EXPECT_NE(f.description().find("2 códigos: \"CAPA, CON COMA\" tiene una "
                                   "coma, que en el archivo separa los "
                                   "campos; \"ŁÓDŹ\""),
              std::string::npos)
        << f.description();
  }
  EXPECT_EQ(Get(),
            "CT,,Puntual, CTX , 3,4\r\n"  // blanks kept, not read back
            "BT,2,Lineal,BT, 6,1\r\n"     // the count is kept as read
            "CT,,Lineal,OTRA, 5,0\r\n"
            "NUEVO2,,Lineal,NUEVO2, 7,0\r\n");

  for (const std::string& bad : std::vector<std::string>{
           "A,B", "A\tB", std::string("A\0B", 3), "A\x7F", "DOS\r\nLINEAS",
           "ï»¿CT", std::string(256, 'x'),
           std::string(128, 'N') + "Ñ" + std::string(127, 'N')})
    EXPECT_NE(CodeTableUnstorable(bad), "") << bad;
  EXPECT_EQ(CodeTableUnstorable(std::string(254, 'N') + "Ñ"), "");
  EXPECT_EQ(CodeTableFieldBytes("PASO \"A\""), "PASO \"A\"");
  EXPECT_EQ(FailureOf([] { CodeTableFieldBytes("A,B"); }), err::kInvalidCall);

  // Arrays shorter than n: nothing is saved.
  const std::string before = Get();
  n = 2;
  EXPECT_EQ(FailureOf([&] {
              MergeCodeTable(n, Texts({"A"}), Texts({""}), Texts({"Lineal"}),
                             Texts({"A"}), Array<int32_t>::FromItems({7}),
                             Texts({"0"}));
            }),
            err::kSubscript);
  EXPECT_EQ(Get(), before);
}

TEST_F(CodeTableFile, MergeLimitsAndMissingFile) {
  Merge({"NUEVO"}, {"NUEVO"});  // no file: none is made
  EXPECT_FALSE(fs::exists(Path()));
  std::string full;
  for (int k = 1; k <= kCodeTableMergeLimit; ++k)
    full += "C" + std::to_string(k) + ",,Lineal,L, 7,0\r\n";
  Put(full);
  EXPECT_EQ(FailureOf([&] { Merge({"NUEVO"}, {"NUEVO"}); }), err::kSubscript);
  EXPECT_EQ(Get(), full);
  Merge({"C1000"}, {"NUEVO"});  // at the limit an update still fits
  EXPECT_NE(Get().find("C1000,,Lineal,NUEVO, 7,0\r\n"), std::string::npos);
  Put(full + "C1001,,Lineal,L, 7,0\r\n");
  EXPECT_EQ(FailureOf([&] { Merge({"C1"}, {"L"}); }), err::kSubscript);
}

// Something else under the table's name is a failure; it is never replaced
// by a table of defaults and never waited on.
TEST_F(CodeTableFile, OddFilesUnderTheNameAreFailuresLeftAlone) {
  const std::string path = Path();
  auto check = [&](const char* what, const std::function<bool()>& still) {
    CodeTable t;
    EXPECT_EQ(FailureOf([&] { LoadCodeTable(t); }), err::kPathAccess) << what;
    EXPECT_EQ(FailureOf([&] { Merge({"CT"}, {"CT"}); }), err::kPathAccess)
        << what;
    EXPECT_TRUE(still()) << what;
    fs::remove(path);
  };
  const auto link = [&] { return fs::is_symlink(path); };
  fs::create_symlink(session_.ComponentFolder() + "/not_mounted/t.txt", path);
  check("dangling link", link);
  fs::create_symlink(path, path);
  check("link loop", link);
  // A device of our own (root only): a fault would replace this one only.
  const std::string device = session_.ComponentFolder() + "/null";
  if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
    fs::create_symlink(device, path);
    check("device", [&] { return fs::is_character_file(device); });
  }
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  check("named pipe", [&] { return fs::is_fifo(path); });
  fs::create_directory(path);
  check("folder", [&] { return fs::is_directory(path); });
}

TEST_F(CodeTableFile, ProgramsMergingAtOnceLoseNoRow) {
  constexpr int kPrograms = 4, kMerges = 8;
  int lost = 0;
  for (int trial = 0; trial < 3; ++trial) {
    Put("CT,,Lineal,CT, 2,1\r\n");
    test_support::StartLine start;
    std::vector<pid_t> children;
    for (int p = 0; p < kPrograms; ++p)
      children.push_back(start.Spawn([&, p] {
        for (int m = 0; m < kMerges; ++m) {
          const std::string code =
              "P" + std::to_string(p) + "_" + std::to_string(m);
          Merge({code}, {code});
        }
      }));
    start.Go();
    for (pid_t c : children) EXPECT_EQ(test_support::Reap(c), 0);
    CodeTable t;
    LoadCodeTable(t);
    lost += 1 + kPrograms * kMerges - t.count;
  }
  EXPECT_EQ(lost, 0);
}

}  // namespace
}  // namespace qdr2_Gomiat
