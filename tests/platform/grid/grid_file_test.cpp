#include "platform/grid/grid_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>

#include "frame/utf8.h"
#include "grid_test_support.h"
#include "platform/grid/grid_file_io.h"
#include "platform/grid/grid_model.h"
#include "qdr2_gomiat/testing.h"
#include "support/processes.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using grid_test::DefineCodeColumns;
using grid_test::Snapshot;
using test_support::FailureOf;
using test_support::FilesIn;
using test_support::ReadFile;
using test_support::WriteFile;

// Texts that break naive formats.
const std::vector<std::string> kNasty = {
    "tab\there",
    "line\nbreak\r\nand CR",
    "back\\slash \\t not a tab",
    "Ñandú, camión, 東京, \xF0\x9F\x98\x80",
    std::string("nul\0inside", 10),
    "\x01\x1F\x7F control",
    "bad utf8 \xC3 \xFF \xED\xA0\x80",
    ";semi;colon;",
    "",
    "fin",
    "QDR2-TABLA\t1\tcrq",
};

// `text_colours`: also a colour on a text column (column 4).
void FillNasty(Grid& g, bool text_colours = true) {
  g.SetRows(static_cast<int32_t>(kNasty.size()) + 1);
  for (size_t i = 0; i < kNasty.size(); ++i) {
    const auto r = static_cast<int32_t>(i + 1);
    g.SetText(r, 1, kNasty[i]);
    g.SetText(r, 4, kNasty[kNasty.size() - 1 - i]);
    g.SetText(r, 2, r * 1000);
    g.SetColour(r, 5, r == 1 ? -1 : r * 0x0A0B0C);
    g.SetText(r, 5, i % 2 ? "texto en color" : "");
  }
  if (text_colours) g.SetColour(2, 4, 0x00FF00);
}

TEST(GridFile, ContentsComeBackByteForByteAndAFailedSaveLeavesTheOldFile) {
  testing::HeadlessSession session;
  test_support::TempFolder dir;
  GridModel saved;
  DefineCodeColumns(saved);
  FillNasty(saved);
  const std::string path = dir.File("codes.crq");
  saved.SaveContents(path);

  GridModel loaded;
  DefineCodeColumns(loaded);
  loaded.LoadContents(path);
  EXPECT_EQ(Snapshot(loaded), Snapshot(saved));

  // Every line is valid UTF-8 and the signature is the first line.
  const std::string bytes = ReadFile(path);
  EXPECT_EQ(bytes.rfind("QDR2-TABLA\t1\tcrq\n", 0), 0u);
  EXPECT_TRUE(IsValidUtf8(bytes));
  EXPECT_EQ(bytes.find('\0'), std::string::npos);

  // Saving again over the file gives the same bytes and leaves no stray
  // file (mode and links kept: the atomic writer's, atomic_file_test.cpp).
  loaded.SaveContents(path);
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);

  // An empty grid round-trips as well, and shrinks the one it loads into.
  GridModel empty;
  DefineCodeColumns(empty);
  empty.SetRows(1);
  empty.SaveContents(path);
  loaded.LoadContents(path);
  EXPECT_EQ(Snapshot(loaded), Snapshot(empty));

  // A failed save leaves the old file whole.
  std::filesystem::create_directory(dir.File("taken.crq"));  // in the way
  for (const auto& [name, number] :
       std::vector<std::pair<std::string, int32_t>>{
           {dir.File("no/such/folder/x.crq"), err::kPathNotFound},
           {"", err::kBadFileName},
           {dir.File("taken.crq"), err::kPathAccess},
           {dir.File("taken.crq/"), err::kBadFileName}})
    EXPECT_EQ(FailureOf([&] { saved.SaveContents(name); }), number) << name;
  WriteFile(path, "old contents\n");
  // A folder the writer may not write in; root may write anywhere, so a
  // child run by root becomes "nobody" first.
  ::chmod(dir.Path().c_str(), 0500);
  test_support::StartLine start;
  const pid_t child = start.Spawn([&] {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(1);
    ::_exit(FailureOf([&] { saved.SaveContents(path); }));
  });
  start.Go();
  EXPECT_EQ(test_support::Reap(child), err::kPermissionDenied);
  ::chmod(dir.Path().c_str(), 0700);
  EXPECT_EQ(ReadFile(path), "old contents\n");
  // Nothing but the old file and the folder in the way is left behind.
  EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

TEST(GridFile, BadFilesAreRefusedAndTheGridStaysAsItWas) {
  testing::HeadlessSession session;
  test_support::TempFolder dir;
  GridModel source;
  DefineCodeColumns(source);
  FillNasty(source, false);
  source.SaveContents(dir.File("good.crq"));
  const std::string good = ReadFile(dir.File("good.crq"));

  GridModel g;
  DefineCodeColumns(g);
  g.SetRows(3);
  g.SetText(2, 4, "mine");
  g.SetColour(1, 5, 77);
  g.SetCurrentRow(2);
  const auto before = Snapshot(g);
  const std::string path = dir.File("bad.crq");

  // `says`: a piece of the failure's message, so the file is refused for
  // the reason meant and not another.
  auto expect_refused = [&](const std::string& bytes, const std::string& why,
                            const std::string& says = "") {
    WriteFile(path, bytes);
    try {
      g.LoadContents(path);
      ADD_FAILURE() << why << ": loaded";
    } catch (const Failure& f) {
      EXPECT_EQ(f.number(), kBadGridFile) << why << ": " << f.description();
      EXPECT_NE(f.description().find(says), std::string::npos)
          << why << ": " << f.description();
    }
    EXPECT_EQ(Snapshot(g), before) << why;
  };

  // Every cut of the file is noticed, wherever it falls; only the final
  // line break may be missing.
  for (size_t n = 0; n + 1 < good.size(); ++n)
    expect_refused(good.substr(0, n), "cut at " + std::to_string(n));

  const size_t rows_at = good.find("filas\t");
  const size_t first_row = good.find('\n', rows_at) + 1;
  auto with_row = [&](const std::string& row) {
    // The file with its first data row replaced.
    const size_t end = good.find('\n', first_row);
    return good.substr(0, first_row) + row + good.substr(end);
  };
  const GridFileLayout layout{"*.crq", {4, 4, 1, 5, 4, 6, 5}};
  // The rows below differ from this one in one point each.
  WriteFile(path, with_row("\tA\\tB\t1\t\t\t0;\t"));
  EXPECT_EQ(LoadGridFile(path, layout).texts.at(1).Get(0), "A\tB");
  const auto edited = [&](size_t at, size_t n, const std::string& to) {
    return std::string(good).replace(at, n, to);
  };
  const std::vector<std::array<std::string, 3>> bad = {
      {"", "empty file", "no es un archivo de tabla"},
      {"nombre;x;y\n1;2;3\n", "a foreign file", "no es un archivo de tabla"},
      {edited(0, 16, "QDR2-TABLA\t2\tcrq"), "a later version", "Versión"},
      {edited(0, 16, "QDR2-TABLA\t1\tpts"), "another filter",
       "otra tabla (*.pts)"},
      {edited(good.find("4 4 1"), 5, "4 4 0"), "other kinds", "otras columnas"},
      {edited(good.find("columnas\t7"), 10, "columnas\t8"), "other count",
       "tipos de columna"},
      {edited(good.find("6c"), 2, "6"), "colours missing", "sin colores"},
      {edited(rows_at, 8, "filas\t99"), "rows announced",
       "anuncia 99 filas y trae 11"},
      {edited(rows_at, 8, "filas\t-1"), "negative rows", "filas"},
      {edited(rows_at, 8, "filas\tx1"), "rows no number", "filas"},
      {good + "extra\n", "text after the end", "después del final"},
      {with_row("\t\t\t\t0;\t"), "a cell short", "6 celdas en vez de 7"},
      {with_row("\tA\\q\t1\t\t\t0;\t"), "unknown escape", "escape"},
      {with_row("\tA\\x4\t1\t\t\t0;\t"), "short hex escape", "escape"},
      {with_row("\tA\t1\t\t\t0;\tend\\"), "lone backslash", "escape"},
      {with_row("\tA\t1\t\t\tred;\t"), "colour no number", "color"},
      {with_row("\tA\t1\t\t\t99999999999;\t"), "colour overflow", "color"},
      {with_row("\tA\t1\t\t\t12\t"), "colour without text", "color"},
      {with_row("\tA\xC3\x28\t1\t\t\t0;\t"), "not UTF-8", "UTF-8"},
  };
  for (const auto& [bytes, why, says] : bad) expect_refused(bytes, why, says);

  // An endless line is refused once it passes the limit, before it is all
  // read (a small limit here keeps the test quick).
  WriteFile(path, with_row("\t" + std::string(5000, 'a') + "\t1\t\t\t0;\t"));
  EXPECT_NO_THROW(LoadGridFile(path, layout, 5100));
  EXPECT_EQ(FailureOf([&] { LoadGridFile(path, layout, 4999); }), kBadGridFile);

  // Missing files and folders are the runtime's usual failures; a named
  // pipe is not a file: refused at once, not waited on.
  ASSERT_EQ(mkfifo(dir.File("pipe.crq").c_str(), 0600), 0);
  for (const auto& [name, number] :
       std::vector<std::pair<std::string, int32_t>>{
           {dir.File("none.crq"), err::kFileNotFound},
           {dir.Path().string(), err::kPathAccess},
           {"", err::kBadFileName},
           {dir.File("pipe.crq"), err::kPathAccess}})
    EXPECT_EQ(FailureOf([&] { g.LoadContents(name); }), number) << name;
  EXPECT_EQ(Snapshot(g), before);
}

}  // namespace
}  // namespace qdr2_Gomiat
