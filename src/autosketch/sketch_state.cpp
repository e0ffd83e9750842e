#include "autosketch/sketch_state.h"

#include <limits>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

void TakePointCodes(SketchState& s, const Array<std::string>& codigos) {
  const int32_t n = codigos.UBound();
  s.point_count = n;
  s.point_codes.Redim(0, n < 0 ? 0 : n);
  for (int32_t i = 1; i <= n; ++i) {
    const std::string& code = codigos(i);
    s.point_codes(i) = code.empty() ? std::string(kNoCodeName) : code;
  }
}

void TakeLayers(SketchState& s, int32_t nCapas,
                const Array<std::string>& Capas) {
  s.layer_count = nCapas;
  s.layers = Capas;
}

void WriteSketchResults(const SketchState& s, int32_t& nPolis,
                        Array<T_ConexAutocro>& Polis, int32_t& nCapas,
                        Array<std::string>& Capas, Array<int32_t>& Colo,
                        Array<int16_t>& TpLin) {
  nPolis = s.poly_count;
  Polis = s.polys;
  nCapas = s.layer_count;
  Capas.RedimPreserve(s.layer_count);
  Colo.RedimPreserve(s.layer_count);
  TpLin.RedimPreserve(s.layer_count);
  for (int32_t i = 1; i <= s.layer_count; ++i) {
    Capas(i) = s.layers(i);
    Colo(i) = s.layer_colours(i);
    TpLin(i) = s.layer_line_types(i);
  }
}

int16_t LayerIndex16(int32_t position) {
  if (position < std::numeric_limits<int16_t>::min() ||
      position > std::numeric_limits<int16_t>::max())
    throw Failure(err::kOverflow);
  return static_cast<int16_t>(position);
}

}  // namespace qdr2_Gomiat
