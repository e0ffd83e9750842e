#include "points_editor_reference.h"

#include "frame/convert.h"
#include "frame/cp1252.h"
#include "frame/environment.h"
#include "frame/utf8.h"

namespace qdr2_Gomiat::reference {

namespace {

int32_t Step(int32_t n) {
  int32_t step = CLng(n / 10.0);
  return step == 0 ? 1 : step;
}

// Character by character, each looked up in the code page.
std::string Clean(const std::string& text, bool& changed) {
  if (text.empty()) return "Puntos_";
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t len = Utf8SequenceLength(std::string_view(text).substr(i));
    if (len == 0) len = 1;
    const auto byte = Utf8ToCp1252(text.substr(i, len));
    const int code =
        byte && byte->size() == 1 ? static_cast<unsigned char>((*byte)[0]) : -1;
    if ((code >= 48 && code <= 57) || (code >= 65 && code <= 90) ||
        code == 95 || (code >= 97 && code <= 122) || code == 164 ||
        code == 165) {
      out += text.substr(i, len);
    } else {
      out += "_";
      changed = true;
    }
    i += len;
  }
  return out;
}

}  // namespace

void LiteralFill(Grid& g, bool excel, const HostPoints& p, ProgressBar& bar,
                 bool valor_o) {
  ui::UiBackend& ui = Environment::Current().Ui();
  g.SetCols(excel ? 7 : 8);
  g.SetRows(2);
  const int16_t b = excel ? -1 : 0;
  const int32_t n = p.Nopun;
  const int32_t step = Step(n);
  if (n >= 1) {
    bar.SetMin(0);
    bar.SetMax(static_cast<float>(n));
    bar.SetValue(0);
  }
  g.SetRows(n + 1);
  for (int32_t i = 1; i <= n; ++i) {
    if (i % step == 0) {
      ui.DoEvents();
      bar.SetValue(static_cast<float>(i));
    }
    if (!excel) g.SetText(i, 1, valor_o ? p.Nivel(i) : i);
    g.SetText(i, static_cast<int16_t>(b + 2), p.Nombre(i));
    g.SetNumber(i, static_cast<int16_t>(b + 3), p.X(i));
    g.SetNumber(i, static_cast<int16_t>(b + 4), p.Y(i));
    g.SetNumber(i, static_cast<int16_t>(b + 5), p.Z(i));
    g.SetText(i, static_cast<int16_t>(b + 6), p.Codigo(i));
    g.SetText(i, static_cast<int16_t>(b + 7), p.Capas(p.CapaPuntos(i)));
  }
  if (!excel) g.FinishAfterFill();
  bar.SetVisible(false);
}

void LiteralWriteBack(const Grid& g, bool excel, HostPoints& p,
                      ProgressBar& bar, bool valor_o) {
  Environment& env = Environment::Current();
  NumberTextService& numbers = env.Numbers();
  const int16_t b = excel ? -1 : 0;
  const int32_t n = g.Rows() - 1;
  // The window's copies, taken at fill time, resized keeping contents.
  DblArray x = p.X, y = p.Y, z = p.Z;
  StrArray nombre = p.Nombre, codigo = p.Codigo;
  LngArray nivel = p.Nivel;
  IntArray capa = p.CapaPuntos;
  for (auto* a : {&x, &y, &z}) a->RedimPreserve(n);
  nombre.RedimPreserve(n), codigo.RedimPreserve(n);
  nivel.RedimPreserve(n), capa.RedimPreserve(n);
  for (auto* a : {&p.X, &p.Y, &p.Z}) a->Redim(0, n);
  p.Nombre.Redim(0, n), p.Codigo.Redim(0, n), p.Nivel.Redim(0, n);
  p.CapaPuntos.Redim(0, n);
  StrArray slot_name(0, n);
  int32_t old = 0;
  if (!excel) {
    if (n == 0) {
      p.Nopun = 0;
      return;
    }
    old = p.Nopun;
    p.Nopun = n;
  } else {
    p.Nopun = n;
    if (n < 1) return;
  }
  bar.SetMin(0);
  bar.SetMax(static_cast<float>(n));
  bar.SetValue(0);
  bar.SetVisible(true);
  if (p.noCapas == 0) {
    p.Capas.Redim(0, 1);
    p.Capas(1) = "Puntos";
    p.noCapas = 1;
  }
  bool changed = false;
  const int32_t step = Step(n);
  int32_t k = 0;
  bool zero_seen = false;
  for (int32_t i = 1; i <= n; ++i) {
    if (i % step == 0) {
      env.Ui().DoEvents();
      bar.SetValue(static_cast<float>(i));
    }
    ++k;
    if (!excel) nivel(k) = CLng(numbers.TextoANumero(g.Text(i, 1)));
    nombre(k) = g.Text(i, static_cast<int16_t>(b + 2));
    x(k) = numbers.TextoANumero(g.Text(i, static_cast<int16_t>(b + 3)));
    y(k) = numbers.TextoANumero(g.Text(i, static_cast<int16_t>(b + 4)));
    z(k) = numbers.TextoANumero(g.Text(i, static_cast<int16_t>(b + 5)));
    codigo(k) = g.Text(i, static_cast<int16_t>(b + 6));
    if (capa(k) <= p.noCapas)
      slot_name(k) = Clean(g.Text(i, static_cast<int16_t>(b + 7)), changed);
    if (excel && valor_o) nivel(k) = CLngText(g.Text(i, b + 2));
    bool found = false;
    const int32_t count = p.noCapas;
    for (int32_t j = 1; j <= count && !found; ++j)
      found = p.Capas(j) == slot_name(k);
    if (!found) {
      ++p.noCapas;
      p.Capas.RedimPreserve(p.noCapas);
      p.Capas(p.noCapas) = slot_name(k);
    }
    const bool zero = x(k) == 0 && y(k) == 0 && z(k) == 0 && codigo(k).empty();
    if (!excel && i <= old) {
      if (!zero_seen && zero) zero_seen = true;
    } else if (g.Text(i, static_cast<int16_t>(b + 3)).empty() &&
               g.Text(i, static_cast<int16_t>(b + 4)).empty() &&
               g.Text(i, static_cast<int16_t>(b + 5)).empty()) {
      --k;
    } else if (zero_seen) {
      if (zero) --k;
    } else if (zero) {
      zero_seen = true;
    }
  }
  if (k < 1) k = 0;
  if (p.Nopun != k) {
    p.Nopun = k;
    for (auto* a : {&p.X, &p.Y, &p.Z}) a->Redim(0, k);
    p.Nombre.Redim(0, k), p.Codigo.Redim(0, k), p.Nivel.Redim(0, k);
    p.CapaPuntos.Redim(0, k);
  }
  for (int32_t j = 1; j <= p.Nopun; ++j) {
    p.X(j) = x(j), p.Y(j) = y(j), p.Z(j) = z(j);
    p.Nombre(j) = nombre(j), p.Codigo(j) = codigo(j), p.Nivel(j) = nivel(j);
    int32_t layer = 1;
    for (int32_t c = 1; c <= p.noCapas; ++c)
      if (p.Capas(c) == slot_name(j)) {
        layer = c;
        break;
      }
    p.CapaPuntos(j) = CInt(layer);
  }
  bar.SetVisible(false);
  if (changed)
    env.Ui().MsgBox(
        "Se han cambiado nombres de capas por contener caractener invalidos",
        64, "Editor de Puntos:");
}

}  // namespace qdr2_Gomiat::reference
