// The grid's contents file on arbitrary bytes: loading never crashes, fails
// only with failure 321 and then leaves the grid as it was; what loads
// saves and loads again into the same cells, and saves to the same bytes.
//
// Input: the file's bytes, then one last byte choosing the grid's columns,
// whether it holds cells before the load, and whether the cells come from
// the grid's own calls (the bytes drive them) instead of a file.
#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "platform/grid/grid_file.h"
#include "platform/grid/grid_model.h"
#include "platform/grid/grid_test_support.h"

namespace qdr2_Gomiat {
namespace {

using fuzz::Run;
using fuzz::Succeeds;
using grid_test::GridSnapshot;
using grid_test::Snapshot;
using test_support::FilesIn;
using test_support::ReadFile;
using test_support::WriteFile;

// The layouts of the table windows, and the corners: one column (where a
// data row may read "fin") and none.
void Define(GridModel& g, int layout) {
  switch (layout) {
    case 0:
      grid_test::DefineCodeColumns(g);
      return;
    case 1:
      g.SetCols(1);
      g.FileOptions("t", "f", "*.pts");
      g.DefineColumn(0, false, false, kGridText, 0, 0, 0, 10, "Nombre");
      return;
    case 2:
      g.SetCols(0);
      g.FileOptions("t", "f", "*.cap");
      return;
    default:
      g.SetCols(2);
      g.FileOptions("t", "f", "*.dib");
      g.DefineColumn(0, false, false, kGridColour, 0, 0, 0, 10, "Color");
      g.DefineColumn(1, false, false, kGridNumber0, 0, 0, 0, 10, "N");
      return;
  }
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

// Cells as callers and users set them: any bytes, colours on any column,
// rows added and taken away. The header row belongs to the window, not to
// the file, so it is left alone.
void Operate(GridModel& g, FuzzedDataProvider& in) {
  const int steps = in.ConsumeIntegralInRange(0, 24);
  for (int i = 0; i < steps && in.remaining_bytes() > 0; ++i) {
    const auto row = in.ConsumeIntegralInRange<int32_t>(1, g.Rows());
    const auto col = in.ConsumeIntegralInRange<int16_t>(0, g.Cols());
    switch (in.ConsumeIntegralInRange(0, 4)) {
      case 0:
        g.SetRows(in.ConsumeIntegralInRange(1, 6));
        break;
      case 1:
        g.SetText(row, col, in.ConsumeRandomLengthString(12));
        break;
      case 2:
        g.SetColour(row, col, in.ConsumeIntegral<int32_t>());
        break;
      case 3:
        g.UserEdit(row, col, in.ConsumeRandomLengthString(12));
        break;
      default:
        g.UserSetColour(row, col, in.ConsumeIntegral<int32_t>());
        break;
    }
  }
}

}  // namespace
}  // namespace qdr2_Gomiat

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qdr2_Gomiat;
  fuzz::Run();
  FuzzedDataProvider in(data, size);
  const uint8_t switches = in.ConsumeIntegral<uint8_t>();
  const int layout = switches % 4;
  const std::string path = Run().Folder().File("tabla");
  const std::string again = Run().Folder().File("otra");

  GridModel grid;
  Define(grid, layout);
  if (switches & 4) Fill(grid);
  if (switches & 8) {
    // Cells set through the grid's own calls (a refused call, such as an
    // index out of range, just ends the steps).
    std::filesystem::remove(path);
    Succeeds([&] { Operate(grid, in); });
  } else {
    WriteFile(path, in.ConsumeRemainingBytesAsString());
    const GridSnapshot before = Snapshot(grid);
    int32_t number = 0;
    if (!Succeeds([&] { grid.LoadContents(path); }, &number)) {
      FUZZ_CHECK(number == kBadGridFile, std::to_string(number));
      FUZZ_CHECK(Snapshot(grid) == before, "refused load changed the grid");
      return 0;
    }
  }

  GridSnapshot loaded = Snapshot(grid);
  FUZZ_CHECK(Succeeds([&] { grid.SaveContents(again); }), "save failed");
  const std::string saved = ReadFile(again);
  GridModel fresh;
  Define(fresh, layout);
  FUZZ_CHECK(Succeeds([&] { fresh.LoadContents(again); }),
             "saved file refused: " + fuzz::Escaped(saved));
  GridSnapshot back = Snapshot(fresh);
  // The current row is the grid's own, not the file's.
  loaded.current_row = back.current_row = 0;
  FUZZ_CHECK(back == loaded, "cells changed by saving and loading");
  FUZZ_CHECK(Succeeds([&] { fresh.SaveContents(again); }), "resave failed");
  FUZZ_CHECK(ReadFile(again) == saved, "saved again to other bytes");
  FUZZ_CHECK(FilesIn(Run().Folder().Path()) == (switches & 8 ? 1u : 2u),
             "stray file left");
  return 0;
}
