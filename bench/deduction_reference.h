// The polyline deduction of the automatic sketch written step by step as its
// rules read: every field split again for every code with DivideEnPalabras,
// every search a linear one. Slow on purpose; the fast deduction must give
// exactly its results. Below it, a driver that runs either deduction the
// way the automatic sketch does, with the code table window's part played by
// a plain table, so both can be compared without any window.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "autosketch/sketch_state.h"
#include "frame/services.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::testing {

class LiteralDeduction {
 public:
  SketchState& State() { return state_; }
  const SketchState& State() const { return state_; }

  void TakePoints(const Array<std::string>& codigos);
  void TakeHostLayers(int32_t nCapas, const Array<std::string>& Capas);
  void CollectCodes(NumberTextService& numbers, SortService& sort);
  void Deduce(Array<int16_t>& CapaP, NumberTextService& numbers,
              ColourService& colours);
  void WriteResults(int32_t& nPolis, Array<T_ConexAutocro>& Polis,
                    int32_t& nCapas, Array<std::string>& Capas,
                    Array<int32_t>& Colo, Array<int16_t>& TpLin) const;

 private:
  void Recoge_Codigos(NumberTextService& numbers, SortService& sort);
  void Analiza_Codigo(std::string code, std::string field, bool& found,
                      T_Tipo_Codigo& role, bool& single,
                      NumberTextService& numbers) const;
  void Asigna_Capas(NumberTextService& numbers, ColourService& colours);
  int16_t Linea_Entero(const std::string& text,
                       NumberTextService& numbers) const;
  int32_t Capa_Codigo(int32_t k) const;
  void Capas_Puntos(Array<int16_t>& CapaP, NumberTextService& numbers);
  void Crea_Polilineas(NumberTextService& numbers);

  SketchState state_;
};

struct TableEntry {
  std::string type;
  std::string layer;
  int32_t colour = 7;
  std::string line = "_____________";
};
using CodeMeanings = std::map<std::string, TableEntry>;

// Rows as the window hands them back when accepted untouched: a code of the
// table keeps its meaning, a new one is "Lineal" on a layer named after it,
// colour 7, solid line; a code on one point only is "Puntual".
SketchRows RowsAsAccepted(const SketchState& s, const CodeMeanings& table);
using RowsMaker = std::function<SketchRows(const SketchState&)>;

// A palette whose values are easy to tell apart and to trace back.
class TracePalette final : public ColourService {
 public:
  int32_t ColorValue(int16_t number) override { return 0x100000 + number; }
  int16_t ColorNumber(int32_t value) override {
    return static_cast<int16_t>(value - 0x100000);
  }
};

struct SketchServices {
  NumberTextService& numbers;
  SortService& sort;
  ColourService& colours;
};

// Everything a call hands back, plus the failure number that ended it (0
// when none).
struct SketchOutcome {
  int32_t failure = 0;
  int32_t nPolis = -1;
  Array<T_ConexAutocro> Polis;
  int32_t nCapas = -1;
  Array<std::string> Capas;
  Array<int32_t> Colo;
  Array<int16_t> TpLin;
  Array<int16_t> CapaP;
};

// One accepted call: points and host layers in, results out. `capa_size`
// sizes CapaP (-1: the point count).
template <class Deduction>
SketchOutcome RunAccepted(Deduction& d, const Array<std::string>& codigos,
                          const Array<std::string>& host_layers,
                          const RowsMaker& rows, SketchServices services,
                          int32_t capa_size = -1) {
  SketchOutcome out;
  out.CapaP.Redim(0, capa_size >= 0 ? capa_size : codigos.UBound());
  out.Capas = host_layers;
  try {
    int32_t nCapas = host_layers.IsAllocated() ? host_layers.UBound() : 0;
    d.TakePoints(codigos);
    d.TakeHostLayers(nCapas, host_layers);
    d.CollectCodes(services.numbers, services.sort);
    d.State().rows = rows(d.State());
    d.State().accepted = true;
    d.Deduce(out.CapaP, services.numbers, services.colours);
    d.WriteResults(out.nPolis, out.Polis, nCapas, out.Capas, out.Colo,
                   out.TpLin);
    out.nCapas = nCapas;
  } catch (const Failure& f) {
    out.failure = f.number();
  }
  return out;
}

bool operator==(const SketchOutcome& a, const SketchOutcome& b);

}  // namespace qdr2_Gomiat::testing
