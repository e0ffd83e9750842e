// The polyline deduction of the automatic sketch, made for large surveys:
// every code field is split once, its words are interned, and for each code
// the points carrying it are listed with the position of its first word, so
// the work grows with the number of words rather than points times codes.
// The results are those of the step-by-step rules, to the last vertex.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "autosketch/sketch_state.h"
#include "autosketch/sketch_word_index.h"
#include "frame/services.h"

namespace qdr2_Gomiat {

class SketchDeduction {
 public:
  SketchState& State() { return state_; }
  const SketchState& State() const { return state_; }

  // Copies the point codes; an index built for earlier points is dropped.
  void TakePoints(const Array<std::string>& codigos);
  void TakeHostLayers(int32_t nCapas, const Array<std::string>& Capas);
  // The distinct codes, sorted, with the number of points carrying each.
  void CollectCodes(NumberTextService& numbers, SortService& sort);
  // With the table rows in the state: layers, colours and line types of the
  // codes, the layer of each point into CapaP(1..point count), and the
  // polylines appended to the state's list.
  void Deduce(Array<int16_t>& CapaP, NumberTextService& numbers,
              ColourService& colours);
  void WriteResults(int32_t& nPolis, Array<T_ConexAutocro>& Polis,
                    int32_t& nCapas, Array<std::string>& Capas,
                    Array<int32_t>& Colo, Array<int16_t>& TpLin) const;

 private:
  void Recoge_Codigos(NumberTextService& numbers, SortService& sort);
  // Role of code k in the field of the occurrence's point.
  void Analiza_Codigo(const CodeOccurrence& occ, bool& found,
                      T_Tipo_Codigo& role, bool& single) const;
  void Asigna_Capas(NumberTextService& numbers, ColourService& colours);
  int16_t Linea_Entero(const std::string& text, NumberTextService& numbers);
  int32_t Capa_Codigo(int32_t k) const;
  void Capas_Puntos(Array<int16_t>& CapaP);
  void Crea_Polilineas();

  // Word ids of the code list, 1..code count (0 unused), from the index.
  void MapCodesToWords();
  void AppendLayer(const std::string& name, int32_t colour, int16_t line);

  SketchState state_;
  SketchWordIndex index_;
  bool index_current_ = false;
  std::vector<int32_t> code_word_;  // per code k: its word id, or -1
};

}  // namespace qdr2_Gomiat
