// The question both points editor classes ask before the Excel-compatible
// layout, which keeps only points (and, for c_Puntos, layers).
#pragma once

#include <cstdint>
#include <string>

namespace qdr2_Gomiat {

// "polilineas", then ",MDT", then ",curvado ", for the parts that exist, in
// that order.
std::string LostItems(int32_t Nopoli, int32_t Nocurvi, int32_t NoTri);

// Nothing is asked when nothing is lost. Otherwise the Yes/No/Cancel box;
// true when nothing is lost or the answer is Yes.
bool AskExcelQuestion(const std::string& first_paragraph,
                      const std::string& lost_items);

}  // namespace qdr2_Gomiat
