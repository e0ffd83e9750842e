// The grid's contents file on arbitrary bytes: loading never crashes, fails
// only with failure 321 and then leaves the grid as it was; what loads
// saves and loads again into the same cells, and saves to the same bytes.
//
// Input: one byte choosing the grid's columns, whether it holds cells
// before the load, and whether the file is one the grid saved from cells
// made of the rest of the input; otherwise the rest is the file's bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/grid/grid_file.h"
#include "platform/grid/grid_model.h"
#include "platform/grid/grid_test_support.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using namespace fuzz;
using namespace grid_test;
using namespace test_support;

// The layouts of the table windows, and the corners: one column (where a
// data row may read "fin") and none.
void Define(GridModel& g, int layout) {
  if (layout == 0) return DefineCodeColumns(g);
  std::vector<GridColumnDef> columns;
  if (layout == 1) columns = {{.caption = "Nombre"}};
  if (layout == 3)
    columns = {{.kind = kGridColour, .caption = "Color"},
               {.kind = kGridNumber0, .caption = "N"}};
  g.SetCols(static_cast<int16_t>(columns.size()));
  g.FileOptions("t", "f",
                layout == 1 ? "*.pts" : (layout == 2 ? "*.cap" : "*.dib"));
  DefineColumns(g, columns);
}

void Fill(GridModel& g) {
  g.SetRows(3);
  for (int16_t c = 0; c < g.Cols(); ++c) {
    g.SetText(1, c, "uno");
    g.SetText(2, c, std::string("dos\t\n\0", 6));
  }
  if (g.Cols() > 0) g.SetColour(2, 0, 0x123456);
  g.SetCurrentRow(2);
}

// Cells made by code, from the input, where a file could mistake them for
// its own marks: a data row reading "fin", escapes, colours or none.
void FillFrom(GridModel& g, FuzzedDataProvider& in) {
  static const char* const kTexts[] = {"fin", "",   "0;",
                                       "\\t", "\n", "QDR2-TABLA\t1\tcrq"};
  g.SetRows(in.ConsumeIntegralInRange(1, 5));
  for (int32_t r = 1; r < g.Rows(); ++r)
    for (int16_t c = 0; c < g.Cols(); ++c) {
      g.SetText(r, c,
                in.ConsumeBool() ? in.PickValueInArray(kTexts)
                                 : in.ConsumeRandomLengthString(12));
      if (in.ConsumeBool()) g.SetColour(r, c, in.ConsumeIntegral<int32_t>());
    }
}

}  // namespace
}  // namespace qdr2_Gomiat

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qdr2_Gomiat;
  FuzzedDataProvider in(data, size);
  const uint8_t switches = in.ConsumeIntegral<uint8_t>();
  const int layout = switches % 4;
  // One input in four: each save waits for the disk.
  const bool made = (switches & 0x18) == 0x18;
  const std::string path = Run().ComponentFolder() + "/tabla";
  const std::string again = Run().ComponentFolder() + "/otra";

  GridModel grid;
  Define(grid, layout);
  if (switches & 4) Fill(grid);
  if (made) {
    FillFrom(grid, in);
    FUZZ_CHECK(Succeeds([&] { grid.SaveContents(path); }), "save failed");
  } else {
    WriteFile(path, in.ConsumeRemainingBytesAsString());
  }
  const GridSnapshot before = Snapshot(grid);
  int32_t number = 0;
  if (!Succeeds([&] { grid.LoadContents(path); }, &number)) {
    FUZZ_CHECK(!made, "a saved grid refused: " + Escaped(ReadFile(path)));
    FUZZ_CHECK(number == kBadGridFile, std::to_string(number));
    FUZZ_CHECK(Snapshot(grid) == before, "refused load changed the grid");
    return 0;
  }

  GridSnapshot loaded = Snapshot(grid);
  FUZZ_CHECK(Succeeds([&] { grid.SaveContents(again); }), "save failed");
  const std::string saved = ReadFile(again);
  GridModel fresh;
  Define(fresh, layout);
  FUZZ_CHECK(Succeeds([&] { fresh.LoadContents(again); }),
             "saved file refused: " + Escaped(saved));
  GridSnapshot back = Snapshot(fresh), cells = before;
  // The current row is the grid's own, not the file's.
  loaded.current_row = back.current_row = cells.current_row = 0;
  FUZZ_CHECK(back == loaded, "cells changed by saving and loading");
  FUZZ_CHECK(!made || loaded == cells, "made cells changed");
  FUZZ_CHECK(Succeeds([&] { fresh.SaveContents(again); }), "resave failed");
  FUZZ_CHECK(ReadFile(again) == saved, "saved again to other bytes");
  FUZZ_CHECK(FilesIn(Run().ComponentFolder()) == 2u, "stray file left");
  return 0;
}
