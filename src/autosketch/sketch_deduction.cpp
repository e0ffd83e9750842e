#include "autosketch/sketch_deduction.h"

#include <limits>
#include <unordered_map>

#include "autosketch/code_table.h"
#include "frame/convert.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {
constexpr int32_t kWhite = 16777215;  // red, green and blue 255
}  // namespace

void SketchDeduction::TakePoints(const Array<std::string>& codigos) {
  index_current_ = false;
  index_.Clear();
  TakePointCodes(state_, codigos);
}

void SketchDeduction::TakeHostLayers(int32_t nCapas,
                                     const Array<std::string>& Capas) {
  TakeLayers(state_, nCapas, Capas);
}

void SketchDeduction::CollectCodes(NumberTextService& numbers,
                                   SortService& sort) {
  Recoge_Codigos(numbers, sort);
}

void SketchDeduction::Deduce(Array<int16_t>& CapaP, NumberTextService& numbers,
                             ColourService& colours) {
  if (!index_current_) {
    index_.Build(state_.point_codes, state_.point_count, numbers);
    index_current_ = true;
  }
  MapCodesToWords();
  Asigna_Capas(numbers, colours);
  Capas_Puntos(CapaP);
  Crea_Polilineas();
  // The index is only worth its memory between collecting and deducing.
  index_ = SketchWordIndex();
  index_current_ = false;
}

void SketchDeduction::WriteResults(int32_t& nPolis,
                                   Array<T_ConexAutocro>& Polis,
                                   int32_t& nCapas, Array<std::string>& Capas,
                                   Array<int32_t>& Colo,
                                   Array<int16_t>& TpLin) const {
  WriteSketchResults(state_, nPolis, Polis, nCapas, Capas, Colo, TpLin);
}

void SketchDeduction::Recoge_Codigos(NumberTextService& numbers,
                                     SortService& sort) {
  SketchState& s = state_;
  index_.Build(s.point_codes, s.point_count, numbers);
  index_current_ = true;

  const std::vector<int32_t>& found = index_.CodesInOrder();
  if (found.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw Failure(err::kOverflow);
  const auto n = static_cast<int32_t>(found.size());
  s.code_list.Redim(0, n);
  for (int32_t k = 1; k <= n; ++k)
    s.code_list(k) = index_.Text(found[static_cast<size_t>(k) - 1]);
  sort.Sort(s.code_list, 1, n);

  // Points carrying each code (each point once), then only the codes some
  // point carries, in sorted order.
  Array<std::string> kept(0, n);
  Array<int32_t> counts(0, n);
  int32_t m = 0;
  for (int32_t k = 1; k <= n; ++k) {
    const int32_t id = index_.Find(s.code_list(k));
    const size_t points = id >= 0 && index_.Kind(id) == WordKind::kCode
                              ? index_.Occurrences(id).size()
                              : 0;
    if (points == 0) continue;
    ++m;
    kept(m) = s.code_list(k);
    counts(m) = static_cast<int32_t>(points);
  }
  kept.RedimPreserve(m);
  counts.RedimPreserve(m);
  s.code_list = std::move(kept);
  s.code_counts = std::move(counts);
  s.code_count = m;
}

void SketchDeduction::MapCodesToWords() {
  const SketchState& s = state_;
  code_word_.assign(
      static_cast<size_t>(s.code_count > 0 ? s.code_count : 0) + 1, -1);
  for (int32_t k = 1; k <= s.code_count; ++k) {
    const int32_t id = index_.Find(s.code_list(k));
    if (id >= 0 && index_.Kind(id) == WordKind::kCode)
      code_word_[static_cast<size_t>(k)] = id;
  }
}

void SketchDeduction::Analiza_Codigo(const CodeOccurrence& occ, bool& found,
                                     T_Tipo_Codigo& role, bool& single) const {
  if (index_.Blank(occ.point)) {
    single = true;
    found = false;
    return;
  }
  found = true;
  role = occ.role;
  if (occ.single) single = true;
}

void SketchDeduction::AppendLayer(const std::string& name, int32_t colour,
                                  int16_t line) {
  SketchState& s = state_;
  const int32_t n = s.layer_count + 1;
  s.layers.RedimPreserve(n);
  s.layer_colours.RedimPreserve(n);
  s.layer_line_types.RedimPreserve(n);
  s.layer_count = n;
  s.layers(n) = name;
  s.layer_colours(n) = colour;
  s.layer_line_types(n) = line;
}

void SketchDeduction::Asigna_Capas(NumberTextService& numbers,
                                   ColourService& colours) {
  SketchState& s = state_;
  AppendLayer(kNoCodeName, kWhite, 0);
  s.layer_of_code.Redim(0, s.code_count);

  // First position of each layer name; later duplicates never match.
  std::unordered_map<std::string, int32_t> first;
  first.reserve(static_cast<size_t>(s.layer_count) +
                static_cast<size_t>(s.code_count));
  for (int32_t j = 1; j <= s.layer_count; ++j) first.emplace(s.layers(j), j);

  for (int32_t k = 1; k <= s.code_count; ++k) {
    const std::string& name = s.rows.layers(k);
    const int32_t colour =
        colours.ColorValue(CInt(static_cast<double>(s.rows.colours(k))));
    const int16_t line = Linea_Entero(s.rows.lines(k), numbers);
    const auto it = first.find(name);
    if (it != first.end()) {
      s.layer_of_code(k) = it->second;
      s.layer_colours(it->second) = colour;
      s.layer_line_types(it->second) = line;
    } else {
      AppendLayer(name, colour, line);
      first.emplace(name, s.layer_count);
      s.layer_of_code(k) = s.layer_count;
    }
  }
}

int16_t SketchDeduction::Linea_Entero(const std::string& text,
                                      NumberTextService& numbers) {
  const double v = numbers.TextoANumero(text);
  if (v > 0) return CInt(v);
  for (int16_t p = 0; p < 5; ++p)
    if (text == kLinePatterns[p]) return p;
  return 0;
}

int32_t SketchDeduction::Capa_Codigo(int32_t k) const {
  return state_.layer_of_code(k);
}

void SketchDeduction::Capas_Puntos(Array<int16_t>& CapaP) {
  const SketchState& s = state_;
  // The first code in code list order for each word.
  std::vector<int32_t> code_of_word;
  for (int32_t k = s.code_count; k >= 1; --k) {
    const int32_t id = code_word_[static_cast<size_t>(k)];
    if (id < 0) continue;
    if (static_cast<size_t>(id) >= code_of_word.size())
      code_of_word.resize(static_cast<size_t>(id) + 1, 0);
    code_of_word[static_cast<size_t>(id)] = k;
  }
  for (int32_t i = 1; i <= s.point_count; ++i) {
    CapaP(i) = 1;
    if (s.point_codes(i).empty()) continue;
    // A field that gives no word has no first word to read.
    if (index_.NoWords(i)) throw Failure(err::kSubscript);
    const int32_t id = index_.FirstWord(i);
    if (static_cast<size_t>(id) >= code_of_word.size()) continue;
    const int32_t k = code_of_word[static_cast<size_t>(id)];
    if (k > 0) CapaP(i) = LayerIndex16(s.layer_of_code(k));
  }
}

void SketchDeduction::Crea_Polilineas() {
  SketchState& s = state_;
  const auto n = static_cast<size_t>(s.point_count > 0 ? s.point_count : 0);
  std::vector<uint8_t> single(n + 1, 0);
  size_t singles = 0;
  bool blanks_marked = false;

  for (int32_t k = 1; k <= s.code_count; ++k) {
    // The joining type is read once a point not yet single is met, so a
    // code with every point done does not look at its row.
    if (singles == n) continue;
    if (!JoinsPoints(s.rows.types(k))) continue;
    // Blank fields are single at the first joining code; nothing else
    // depends on when.
    if (!blanks_marked) {
      blanks_marked = true;
      for (size_t i = 1; i <= n; ++i)
        if (!single[i] && index_.Blank(static_cast<int32_t>(i))) {
          single[i] = 1;
          ++singles;
        }
    }
    const int32_t id = code_word_[static_cast<size_t>(k)];
    if (id < 0) continue;
    int32_t c = 0;
    int32_t f = 0;
    for (const CodeOccurrence& occ : index_.Occurrences(id)) {
      const int32_t i = occ.point;
      uint8_t& done = single[static_cast<size_t>(i)];
      if (done) continue;
      bool found = false;
      bool now_single = false;
      T_Tipo_Codigo role = cd_1_Sigue;
      Analiza_Codigo(occ, found, role, now_single);
      if (now_single) {
        done = 1;
        ++singles;
      }
      if (!found) continue;
      switch (role) {
        case cd_1_Sigue:
          ++c;
          if (c == 1) {
            f = i;
          } else if (c == 2) {
            T_ConexAutocro poly;
            poly.nVer = 2;
            poly.ver.Redim(0, 2);
            poly.ver(1) = f;
            poly.ver(2) = i;
            poly.Col = 0;
            poly.Capa = Capa_Codigo(k);
            s.poly_count += 1;
            s.polys.RedimPreserve(s.poly_count);
            s.polys(s.poly_count) = std::move(poly);
          } else {
            T_ConexAutocro& last = s.polys(s.poly_count);
            last.nVer = c;
            last.ver.RedimPreserve(c);
            last.ver(c) = i;
          }
          break;
        case cd_2_Inicia:
          c = 1;
          f = i;
          break;
        case cd_3_Cierra:
          if (c <= 2) break;
          {
            T_ConexAutocro& last = s.polys(s.poly_count);
            last.ver.RedimPreserve(c + 2);
            last.ver(c + 1) = i;
            last.ver(c + 2) = last.ver(1);
            last.nVer = c + 2;
          }
          c = 0;
          break;
        case cd_4_Termina:
          break;
      }
    }
  }
}

}  // namespace qdr2_Gomiat
