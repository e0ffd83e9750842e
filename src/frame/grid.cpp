#include "frame/grid.h"

namespace qdr2_Gomiat {

void DefineColumns(Grid& grid, std::span<const GridColumnDef> defs) {
  int16_t col = 0;
  for (const GridColumnDef& d : defs)
    grid.DefineColumn(col++, d.flag1, d.read_only, d.kind, d.value5, d.value6,
                      d.value7, d.width_chars, d.caption);
}

}  // namespace qdr2_Gomiat
