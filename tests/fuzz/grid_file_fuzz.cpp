// The grid's contents file on arbitrary bytes: loading never crashes, fails
// only with failure 321 and then leaves the grid as it was; what loads
// saves and loads again into the same cells, and saves to the same bytes.
//
// Input: one byte choosing the grid's columns and whether it holds cells
// before the load, then the file's bytes.
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

}  // namespace
}  // namespace qdr2_Gomiat

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qdr2_Gomiat;
  FuzzedDataProvider in(data, size);
  const uint8_t switches = in.ConsumeIntegral<uint8_t>();
  const int layout = switches % 4;
  const std::string path = Run().ComponentFolder() + "/tabla";
  const std::string again = Run().ComponentFolder() + "/otra";

  GridModel grid;
  Define(grid, layout);
  if (switches & 4) Fill(grid);
  WriteFile(path, in.ConsumeRemainingBytesAsString());
  const GridSnapshot before = Snapshot(grid);
  int32_t number = 0;
  if (!Succeeds([&] { grid.LoadContents(path); }, &number)) {
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
  GridSnapshot back = Snapshot(fresh);
  // The current row is the grid's own, not the file's.
  loaded.current_row = back.current_row = 0;
  FUZZ_CHECK(back == loaded, "cells changed by saving and loading");
  FUZZ_CHECK(Succeeds([&] { fresh.SaveContents(again); }), "resave failed");
  FUZZ_CHECK(ReadFile(again) == saved, "saved again to other bytes");
  FUZZ_CHECK(FilesIn(Run().ComponentFolder()) == 2u, "stray file left");
  return 0;
}
