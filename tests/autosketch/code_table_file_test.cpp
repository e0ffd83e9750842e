#include "autosketch/code_table_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frame/atomic_file.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

// The default file, line by line, as every installation writes it.
const char* const kDefaultFile[24] = {
    "ARBOL, 1,Puntual,ARBOLES, 3,0",
    "ARCEN, 2,Lineal,ARCEN, 7,1",
    "AT, 2,Lineal,ALTO_TALUD, 4,1",
    "BR*, 3,Puntual,BASES, 4,0",
    "BT, 2,Lineal,BAJO_TALUD, 6,1",
    "CAMINO, 2,Lineal,CAMINO, 7,3",
    "CAS, 1,Puntual,LINEA_ELEC, 4,0",
    "CP, 2,Lineal,CP, 5,1",
    "CT, 2,Lineal,CT, 2,1",
    "CUN, 2,Lineal,EJE_CUNETA, 4,4",
    "EJE*, 3,Lineal,EJE, 1,3",
    "ENCINA, 1,Puntual,ARBOLES, 3,0",
    "EXP, 2,Lineal,EXP, 6,1",
    "LBD, 2,Lineal,LBD, 4,1",
    "LBI, 2,Lineal,LBI, 4,1",
    "OF, 2,Lineal,OF, 1,0",
    "OLIVO, 1,Puntual,ARBOLES, 3,0",
    "P, 2,Lineal,P, 6,0",
    "PT, 2,Lineal,PT, 2,1",
    "PTF, 1,Lineal,PTF, 6,0",
    "R, 1,Puntual,R, 0,0",
    "Puntos, 2,Puntual,Puntos, 3,0",
    "EJE, 2,Lineal,EJE, 1,1",
    "VA, 2,Lineal,VA, 5,1",
};

class CodeTableFile : public ::testing::Test {
 protected:
  std::string Path() const { return CodeTablePath(); }
  void Put(const std::string& bytes) { WriteFileAtomically(Path(), bytes); }
  std::string Get() const { return ReadFileBytes(Path()); }
  static Array<std::string> Texts(std::initializer_list<std::string> v) {
    return Array<std::string>::FromItems(v);
  }
  template <class F>
  static Failure Fails(F&& f) {
    try {
      f();
    } catch (const Failure& e) {
      return e;
    }
    return Failure(0, "no failure");
  }
  testing::HeadlessSession session_;
};

TEST_F(CodeTableFile, MissingFileIsCreatedWithTheDefaults) {
  CodeTable t;
  LoadCodeTable(t);
  std::string expected;
  for (const char* line : kDefaultFile) expected += std::string(line) + "\r\n";
  EXPECT_EQ(Get(), expected);

  // Read back from the file it made, the table is the same.
  CodeTable again;
  LoadCodeTable(again);
  const CodeTable d = DefaultCodeTable();
  ASSERT_EQ(again.count, 24);
  EXPECT_EQ(again.codes, d.codes);
  EXPECT_EQ(again.counts, d.counts);
  EXPECT_EQ(again.types, d.types);
  EXPECT_EQ(again.layers, d.layers);
  EXPECT_EQ(again.colours, d.colours);
  EXPECT_EQ(again.lines, d.lines);
  EXPECT_EQ(t.codes, d.codes);
}

TEST_F(CodeTableFile, FieldReadingRules) {
  const auto rows = ParseCodeTableFile(
      "A, 1,Lineal,L1, 2,0\n"  // LF only
      "\r\n   \r\n"            // blank lines are no entry
      "B,,Puntual\r"           // lone CR; missing fields
      "  C , 3 , Lineal ,  L 3 , 4 ,1,extra\r\n"
      "\"D,1\", 2,\"Lin\" x,\" L4 \", 5,\"2\r\n"  // quoted; unclosed quote
      ",,,,,");
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (CodeTableFields{"A", "1", "Lineal", "L1", "2", "0"}));
  EXPECT_EQ(rows[1], (CodeTableFields{"B", "", "Puntual", "", "", ""}));
  EXPECT_EQ(rows[2], (CodeTableFields{"C", "3", "Lineal", "L 3", "4", "1"}));
  EXPECT_EQ(rows[3], (CodeTableFields{"D,1", "2", "Lin", " L4 ", "5", "2"}));
  EXPECT_EQ(rows[4], (CodeTableFields{"", "", "", "", "", ""}));

  // A UTF-8 editor's file (byte order mark) reads as UTF-8.
  const auto utf8 = ParseCodeTableFile(
      "\xEF\xBB\xBF"
      "CAÑO,,Lineal,CAÑOS, 3,1");
  ASSERT_EQ(utf8.size(), 1u);
  EXPECT_EQ(utf8[0][0], "CAÑO");
  EXPECT_EQ(utf8[0][3], "CAÑOS");

  EXPECT_EQ(CodeTableNumber(""), 0);
  EXPECT_EQ(CodeTableNumber(" -3"), -3);
  EXPECT_EQ(Fails([] { CodeTableNumber("verde"); }).number(),
            err::kTypeMismatch);

  // A record that cannot be read ends the load; the entry counts.
  Put("X, 1,Lineal,L, 2,0\r\nY, 1,Lineal,L, verde,0\r\nZ,,Lineal,L, 1,0\r\n");
  CodeTable t;
  EXPECT_EQ(Fails([&] { LoadCodeTable(t); }).number(), err::kTypeMismatch);
  EXPECT_EQ(t.count, 2);
  EXPECT_EQ(t.codes(2), "Y");
  EXPECT_EQ(t.layers(2), "L");
}

TEST_F(CodeTableFile, WindowsFilesOfOtherInstallationsReadBackIdentically) {
  // Written elsewhere: Windows-1252 bytes (Ñ = D1, Á = C1), CR LF.
  const std::string file =
      "CA\xD1"
      "ADA,,Lineal,CA\xD1"
      "ADAS, 3,1\r\n"
      "\xC1RBOL,1,Puntual,\xC1RBOLES,-2,0\r\n";
  Put(file);
  CodeTable t;
  LoadCodeTable(t);
  ASSERT_EQ(t.count, 2);
  EXPECT_EQ(t.codes(1), "CAÑADA");
  EXPECT_EQ(t.counts(1), 0);  // empty count field
  EXPECT_EQ(t.layers(1), "CAÑADAS");
  EXPECT_EQ(t.codes(2), "ÁRBOL");
  EXPECT_EQ(t.colours(2), -2);

  int32_t none = 0;
  Array<std::string> e(0, 0);
  Array<int32_t> c(0, 0);
  MergeCodeTable(none, e, e, e, e, c, e);
  EXPECT_EQ(Get(), file);  // rewritten byte for byte
}

TEST_F(CodeTableFile, MergeUpdatesFirstMatchAndAppendsNewCodes) {
  Put("CT,,Lineal,CT, 2,1\r\nBT, 2,Lineal,BT, 6,1\r\nCT,,Lineal,OTRA, 5,0\r\n");
  int32_t n = 3;
  MergeCodeTable(n, Texts({"NUEVO2", "CT", "NUEVO1"}), Texts({"", "", ""}),
                 Texts({"Lineal", "Puntual", "Lineal"}),
                 Texts({"NUEVO2", "CTX", "CAPA, CON COMA"}),
                 Array<int32_t>::FromItems({7, 3, 7}),
                 Texts({"_____________", "__..__..__..__", "2"}));
  EXPECT_EQ(Get(),
            "CT,,Puntual,CTX, 3,4\r\n"
            "BT,2,Lineal,BT, 6,1\r\n"  // the count is kept as the text read
            "CT,,Lineal,OTRA, 5,0\r\n"
            "NUEVO2,,Lineal,NUEVO2, 7,0\r\n"
            "NUEVO1,,Lineal,\"CAPA, CON COMA\", 7,2\r\n");
  CodeTable t;
  LoadCodeTable(t);
  EXPECT_EQ(t.layers(5), "CAPA, CON COMA");
  EXPECT_EQ(t.counts(1), 0);

  // A given array shorter than n: nothing is saved.
  const std::string before = Get();
  n = 2;
  EXPECT_EQ(Fails([&] {
              MergeCodeTable(n, Texts({"A"}), Texts({""}), Texts({"Lineal"}),
                             Texts({"A"}), Array<int32_t>::FromItems({7}),
                             Texts({"0"}));
            }).number(),
            err::kSubscript);
  EXPECT_EQ(Get(), before);
}

// Texts that could be mistaken for the file's own marks come back as
// they were merged.
TEST_F(CodeTableFile, MergedTextsReadBackUnchanged) {
  // "ï»¿" in Windows-1252 is the UTF-8 byte order mark: first in the file
  // it would be dropped and the rest read as UTF-8 ("Ã±" as "ñ"). Further
  // down it is only text.
  Put("");
  int32_t n = 2;
  MergeCodeTable(n, Texts({"ï»¿CT", "ï»¿\"BT\""}), Texts({"", ""}),
                 Texts({"Lineal", "Lineal"}), Texts({"CAÃ±O", "BT"}),
                 Array<int32_t>::FromItems({2, 3}), Texts({"1", "0"}));
  EXPECT_EQ(Get(),
            "\"\xEF\xBB\xBF"
            "CT\",,Lineal,CA\xC3\xB1O, 2,1\r\n"
            "\xEF\xBB\xBF\"BT\",,Lineal,BT, 3,0\r\n");
  CodeTable t;
  LoadCodeTable(t);
  ASSERT_EQ(t.count, 2);
  EXPECT_EQ(t.codes(1), "ï»¿CT");
  EXPECT_EQ(t.layers(1), "CAÃ±O");
  EXPECT_EQ(t.codes(2), "ï»¿\"BT\"");

  // First in the file, such a text cannot also hold a quote.
  Put("");
  n = 1;
  EXPECT_EQ(Fails([&] {
              MergeCodeTable(n, Texts({"ï»¿\"BT\""}), Texts({""}),
                             Texts({"Lineal"}), Texts({"BT"}),
                             Array<int32_t>::FromItems({3}), Texts({"0"}));
            }).number(),
            err::kInvalidCall);
  EXPECT_EQ(Get(), "");
}

TEST_F(CodeTableFile, MergeLimitsAndMissingFile) {
  int32_t one = 1;
  const auto codes = Texts({"NUEVO"});
  const auto empty = Texts({""});
  const auto colours = Array<int32_t>::FromItems({7});
  auto merge = [&] {
    MergeCodeTable(one, codes, empty, Texts({"Lineal"}), codes, colours,
                   Texts({"0"}));
  };
  merge();  // no file: none is made
  EXPECT_FALSE(std::filesystem::exists(Path()));

  std::string full;
  for (int k = 1; k <= kCodeTableMergeLimit; ++k)
    full += "C" + std::to_string(k) + ",,Lineal,L, 7,0\r\n";
  Put(full);
  const Failure f = Fails(merge);
  EXPECT_EQ(f.number(), err::kSubscript);
  EXPECT_EQ(Get(), full);

  Put(full + "C1001,,Lineal,L, 7,0\r\n");
  EXPECT_EQ(Fails([&] {
              MergeCodeTable(one, Texts({"C1"}), empty, Texts({"Puntual"}),
                             codes, colours, Texts({"0"}));
            }).number(),
            err::kSubscript);

  // At the limit an update still fits.
  Put(full);
  MergeCodeTable(one, Texts({"C1000"}), empty, Texts({"Puntual"}), codes,
                 colours, Texts({"0"}));
  EXPECT_NE(Get().find("C1000,,Puntual,NUEVO, 7,0\r\n"), std::string::npos);
}

TEST_F(CodeTableFile, TextsTheFileCannotHoldRefuseTheWholeWrite) {
  Put("CT,,Lineal,CT, 2,1\r\n");
  int32_t n = 2;
  auto merge_layer = [&](const std::string& layer) {
    return Fails([&] {
      MergeCodeTable(n, Texts({"CT", "BT"}), Texts({"", ""}),
                     Texts({"Lineal", "Lineal"}), Texts({"BT", layer}),
                     Array<int32_t>::FromItems({1, 2}), Texts({"0", "0"}));
    });
  };
  const Failure f = merge_layer("ŁÓDŹ");
  EXPECT_EQ(f.number(), err::kInvalidCall);
  EXPECT_NE(f.description().find("\"ŁÓDŹ\""), std::string::npos);
  EXPECT_EQ(merge_layer("DOS\r\nLINEAS").number(), err::kInvalidCall);
  EXPECT_EQ(merge_layer("\"A\", B").number(), err::kInvalidCall);
  EXPECT_EQ(Get(), "CT,,Lineal,CT, 2,1\r\n");

  // Quotes where they do not change the reading are written as they are.
  EXPECT_EQ(CodeTableFieldBytes("PASO \"A\""), "PASO \"A\"");
  EXPECT_EQ(CodeTableFieldBytes(" ORILLA"), "\" ORILLA\"");
  EXPECT_EQ(CodeTableFieldBytes("AÑO"), "A\xD1O");
}

}  // namespace
}  // namespace qdr2_Gomiat
