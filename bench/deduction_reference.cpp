#include "deduction_reference.h"

#include <vector>

#include "autosketch/code_table.h"
#include "frame/convert.h"

namespace qdr2_Gomiat::testing {

namespace {

bool IsCommandWord(const std::string& w) {
  return w == "I" || w == "F" || w == "A" || w == "C";
}

}  // namespace

void LiteralDeduction::TakePoints(const Array<std::string>& codigos) {
  TakePointCodes(state_, codigos);
}

void LiteralDeduction::TakeHostLayers(int32_t nCapas,
                                      const Array<std::string>& Capas) {
  TakeLayers(state_, nCapas, Capas);
}

void LiteralDeduction::CollectCodes(NumberTextService& numbers,
                                    SortService& sort) {
  Recoge_Codigos(numbers, sort);
}

void LiteralDeduction::Deduce(Array<int16_t>& CapaP, NumberTextService& numbers,
                              ColourService& colours) {
  Asigna_Capas(numbers, colours);
  Capas_Puntos(CapaP, numbers);
  Crea_Polilineas(numbers);
}

void LiteralDeduction::WriteResults(int32_t& nPolis,
                                    Array<T_ConexAutocro>& Polis,
                                    int32_t& nCapas, Array<std::string>& Capas,
                                    Array<int32_t>& Colo,
                                    Array<int16_t>& TpLin) const {
  WriteSketchResults(state_, nPolis, Polis, nCapas, Capas, Colo, TpLin);
}

void LiteralDeduction::Recoge_Codigos(NumberTextService& numbers,
                                      SortService& sort) {
  SketchState& s = state_;
  int32_t nw = 0;
  Array<std::string> words;

  s.code_count = 0;
  s.code_list.Redim(0, 0);
  for (int32_t i = 1; i <= s.point_count; ++i) {
    if (s.point_codes(i).empty()) continue;
    numbers.DivideEnPalabras(s.point_codes(i), nw, words);
    for (int32_t w = 1; w <= nw; ++w) {
      if (words(w).empty() || IsCommandWord(words(w))) continue;
      bool known = false;
      for (int32_t k = 1; k <= s.code_count; ++k)
        if (s.code_list(k) == words(w)) {
          known = true;
          break;
        }
      if (known) continue;
      s.code_count += 1;
      s.code_list.RedimPreserve(s.code_count);
      s.code_list(s.code_count) = words(w);
    }
  }

  sort.Sort(s.code_list, 1, s.code_count);

  s.code_counts.Redim(0, s.code_count);
  for (int32_t k = 1; k <= s.code_count; ++k)
    for (int32_t i = 1; i <= s.point_count; ++i) {
      numbers.DivideEnPalabras(s.point_codes(i), nw, words);
      for (int32_t w = 1; w <= nw; ++w)
        if (words(w) == s.code_list(k)) {
          s.code_counts(k) += 1;
          break;
        }
    }

  int32_t kept = 0;
  for (int32_t k = 1; k <= s.code_count; ++k) {
    if (s.code_counts(k) == 0) continue;
    kept += 1;
    s.code_list(kept) = s.code_list(k);
    s.code_counts(kept) = s.code_counts(k);
  }
  s.code_count = kept;
  s.code_list.RedimPreserve(kept);
  s.code_counts.RedimPreserve(kept);
}

void LiteralDeduction::Analiza_Codigo(std::string code, std::string field,
                                      bool& found, T_Tipo_Codigo& role,
                                      bool& single,
                                      NumberTextService& numbers) const {
  int32_t nw = 0;
  Array<std::string> words;
  if (!Trim(field).empty()) numbers.DivideEnPalabras(field, nw, words);
  if (nw == 0) {
    single = true;
    found = false;
    return;
  }
  int32_t at = 0;
  for (int32_t w = 1; w <= nw; ++w)
    if (words(w) == code) {
      at = w;
      break;
    }
  if (at == 0) {
    found = false;
    return;
  }
  found = true;
  if (at == nw) {
    role = cd_1_Sigue;
    if (nw == 1) single = true;
    return;
  }
  const std::string& next = words(at + 1);
  if (next == "I" || next == "F") {
    role = cd_2_Inicia;
    if (nw == 2) single = true;
  } else if (next == "A" || next == "C") {
    role = cd_3_Cierra;
    if (nw == 2) single = true;
  } else {
    role = cd_1_Sigue;
  }
}

void LiteralDeduction::Asigna_Capas(NumberTextService& numbers,
                                    ColourService& colours) {
  SketchState& s = state_;
  const auto add_layer = [&s](const std::string& name) {
    s.layer_count += 1;
    s.layers.RedimPreserve(s.layer_count);
    s.layer_colours.RedimPreserve(s.layer_count);
    s.layer_line_types.RedimPreserve(s.layer_count);
    s.layers(s.layer_count) = name;
    return s.layer_count;
  };
  const int32_t points = add_layer("Puntos");
  s.layer_colours(points) = 16777215;
  s.layer_line_types(points) = 0;

  s.layer_of_code.Redim(0, s.code_count);
  for (int32_t k = 1; k <= s.code_count; ++k) {
    const int32_t colour =
        colours.ColorValue(CInt(static_cast<double>(s.rows.colours(k))));
    const int16_t line = Linea_Entero(s.rows.lines(k), numbers);
    int32_t at = 0;
    for (int32_t j = 1; j <= s.layer_count && at == 0; ++j)
      if (s.layers(j) == s.rows.layers(k)) at = j;
    if (at == 0) at = add_layer(s.rows.layers(k));
    s.layer_of_code(k) = at;
    s.layer_colours(at) = colour;
    s.layer_line_types(at) = line;
  }
}

int16_t LiteralDeduction::Linea_Entero(const std::string& text,
                                       NumberTextService& numbers) const {
  const double v = numbers.TextoANumero(text);
  if (v > 0) return CInt(v);
  for (int16_t p = 0; p < 5; ++p)
    if (text == kLinePatterns[p]) return p;
  return 0;
}

int32_t LiteralDeduction::Capa_Codigo(int32_t k) const {
  for (int32_t j = 1; j <= state_.layer_count; ++j)
    if (state_.layers(j) == state_.rows.layers(k)) return j;
  return 0;
}

void LiteralDeduction::Capas_Puntos(Array<int16_t>& CapaP,
                                    NumberTextService& numbers) {
  const SketchState& s = state_;
  int32_t nw = 0;
  Array<std::string> words;
  for (int32_t i = 1; i <= s.point_count; ++i) {
    CapaP(i) = 1;
    if (s.point_codes(i).empty()) continue;
    numbers.DivideEnPalabras(s.point_codes(i), nw, words);
    const std::string& first = words(1);
    for (int32_t k = 1; k <= s.code_count; ++k)
      if (s.code_list(k) == first) {
        CapaP(i) = LayerIndex16(s.layer_of_code(k));
        break;
      }
  }
}

void LiteralDeduction::Crea_Polilineas(NumberTextService& numbers) {
  SketchState& s = state_;
  std::vector<bool> single(static_cast<size_t>(s.point_count) + 1, false);
  for (int32_t k = 1; k <= s.code_count; ++k) {
    int32_t c = 0;
    int32_t f = 0;
    for (int32_t i = 1; i <= s.point_count; ++i) {
      if (single[static_cast<size_t>(i)]) continue;
      if (s.rows.types(k) != "Lineal" && s.rows.types(k) != "Area") continue;
      bool found = false;
      bool now_single = false;
      T_Tipo_Codigo role = cd_1_Sigue;
      Analiza_Codigo(s.code_list(k), s.point_codes(i), found, role, now_single,
                     numbers);
      if (now_single) single[static_cast<size_t>(i)] = true;
      if (!found) continue;
      if (role == cd_1_Sigue) {
        c += 1;
        if (c == 1) f = i;
        if (c == 2) {
          s.poly_count += 1;
          s.polys.RedimPreserve(s.poly_count);
          T_ConexAutocro& p = s.polys(s.poly_count);
          p.nVer = 2;
          p.ver.Redim(0, 2);
          p.ver(1) = f;
          p.ver(2) = i;
          p.Col = 0;
          p.Capa = Capa_Codigo(k);
        }
        if (c >= 3) {
          T_ConexAutocro& p = s.polys(s.poly_count);
          p.nVer = c;
          p.ver.RedimPreserve(c);
          p.ver(c) = i;
        }
      } else if (role == cd_2_Inicia) {
        c = 1;
        f = i;
      } else if (role == cd_3_Cierra && c > 2) {
        T_ConexAutocro& p = s.polys(s.poly_count);
        p.ver.RedimPreserve(c + 2);
        p.ver(c + 1) = i;
        p.ver(c + 2) = p.ver(1);
        p.nVer = c + 2;
        c = 0;
      }
    }
  }
}

SketchRows RowsAsAccepted(const SketchState& s, const CodeMeanings& table) {
  SketchRows r;
  const int32_t n = s.code_count;
  r.codes.Redim(0, n);
  r.counts.Redim(0, n);
  r.types.Redim(0, n);
  r.layers.Redim(0, n);
  r.colours.Redim(0, n);
  r.lines.Redim(0, n);
  for (int32_t k = 1; k <= n; ++k) {
    const std::string& code = s.code_list(k);
    const auto it = table.find(code);
    const TableEntry e =
        it != table.end() ? it->second : TableEntry{"Lineal", code};
    r.codes(k) = code;
    r.types(k) = s.code_counts(k) == 1 ? "Puntual" : e.type;
    r.layers(k) = e.layer;
    r.colours(k) = e.colour;
    r.lines(k) = e.line;
  }
  return r;
}

bool operator==(const SketchOutcome& a, const SketchOutcome& b) {
  return a.failure == b.failure && a.nPolis == b.nPolis && a.Polis == b.Polis &&
         a.nCapas == b.nCapas && a.Capas == b.Capas && a.Colo == b.Colo &&
         a.TpLin == b.TpLin && a.CapaP == b.CapaP;
}

}  // namespace qdr2_Gomiat::testing
