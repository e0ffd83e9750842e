// What a grid holds besides its column definitions: the row count and the
// cells, column by column.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/grid/text_column.h"

namespace qdr2_Gomiat {

struct GridContents {
  int32_t rows = 1;  // the header row included
  // Per column: the texts of data rows 1..rows-1 (cell k is row k+1).
  std::vector<TextColumn> texts;
  // Per column: one colour per row, header included, or empty when the
  // column carries no colours (only colour columns and columns a colour
  // was set on do).
  std::vector<std::vector<int32_t>> colours;

  void swap(GridContents& o) noexcept {
    std::swap(rows, o.rows);
    texts.swap(o.texts);
    colours.swap(o.colours);
  }
};

}  // namespace qdr2_Gomiat
