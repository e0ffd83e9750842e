// Copy and paste of blocks of cells (tab_block.h), with the user's editing
// rules applied to every pasted cell. Refusals are told in one message box
// (flags 48, title "Pegar"), naming the first refused cell as the user sees
// it: the row number and the column counted from 1.
#include <algorithm>
#include <cstdint>

#include "frame/environment.h"
#include "platform/grid/grid_model.h"
#include "platform/grid/tab_block.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

std::string RefusalMessage(const GridPasteResult& r, int32_t first_row,
                           int32_t first_col) {
  return "No se han pegado " + std::to_string(r.refused) + " de " +
         std::to_string(r.pasted + r.refused) +
         " celdas: son de solo lectura, el texto no es de la lista de la "
         "columna o no es un número, o quedan fuera de la tabla.\r\n"
         "Primera celda no pegada: fila " +
         std::to_string(first_row) + ", columna " +
         std::to_string(first_col + 1) + ".";
}

}  // namespace

std::string GridModel::CopyCells(int32_t row1, int16_t col1, int32_t row2,
                                 int16_t col2) const {
  CheckRow(row1);
  CheckRow(row2);
  CheckCol(col1);
  CheckCol(col2);
  std::string out;
  for (int32_t r = std::min(row1, row2); r <= std::max(row1, row2); ++r) {
    for (int16_t c = std::min(col1, col2); c <= std::max(col1, col2); ++c) {
      if (c != std::min(col1, col2)) out += '\t';
      AppendTabCell(out, TextView(r, c));
    }
    out += "\r\n";
  }
  return out;
}

GridPasteResult GridModel::UserPaste(int32_t row, int16_t col,
                                     std::string_view text) {
  CheckRow(row);
  CheckCol(col);
  const auto block = ReadTabBlock(text);
  GridPasteResult result;
  const auto wanted =
      static_cast<int64_t>(row) + static_cast<int64_t>(block.size());
  if (user_may_add_rows_ && wanted > contents_.rows && wanted <= INT32_MAX) {
    const int32_t old = contents_.rows;
    SetRows(static_cast<int32_t>(wanted));
    result.rows_added = contents_.rows - old;
  }
  int32_t first_row = -1, first_col = -1;
  for (size_t i = 0; i < block.size(); ++i) {
    for (size_t j = 0; j < block[i].size(); ++j) {
      const int64_t r = row + static_cast<int64_t>(i);
      const int64_t c = col + static_cast<int64_t>(j);
      const bool inside = r < contents_.rows && c < Cols();
      if (inside && UserEdit(static_cast<int32_t>(r), static_cast<int16_t>(c),
                             block[i][j])) {
        ++result.pasted;
        continue;
      }
      if (result.refused++ == 0) {
        first_row = static_cast<int32_t>(r);
        first_col = static_cast<int32_t>(c);
      }
    }
  }
  if (result.refused > 0)
    Environment::Current().Ui().MsgBox(
        RefusalMessage(result, first_row, first_col), ui::mb::kExclamation,
        "Pegar");
  return result;
}

}  // namespace qdr2_Gomiat
