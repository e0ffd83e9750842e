// The points window's write-back: the grid rows become the host's point
// arrays again, empty new rows are dropped, layer names are cleaned and the
// layers that do not exist yet are created.
//
// Everything is built into arrays of our own and handed to the host only
// once the whole grid has been read, so a failure part-way (a name that is
// not a number in the Excel layout, no memory) leaves the host's arrays and
// counts exactly as they were.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"
#include "frame/utf8.h"
#include "points_editor/f_puntos.h"
#include "points_editor/row_steps.h"

namespace qdr2_Gomiat {

namespace {

struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const noexcept {
    return std::hash<std::string_view>{}(s);
  }
};
template <class V>
using TextMap = std::unordered_map<std::string, V, TextHash, std::equal_to<>>;

// The layer list being extended: the first layer of each name, found
// without a pass over the list.
class LayerList {
 public:
  LayerList(StrArray& names, int32_t& count) : names_(names), count_(count) {
    indexed_ = std::min(count_, names_.UBound());
    for (int32_t j = 1; j <= indexed_; ++j) first_.try_emplace(names_(j), j);
  }

  // The first j in 1 to the count whose name is `name`; a new layer at the
  // end when there is none.
  int32_t FindOrAdd(const std::string& name) {
    if (auto it = first_.find(name); it != first_.end()) return it->second;
    // The count points beyond the names the host gave: looking there fails.
    if (indexed_ < count_) names_(indexed_ + 1);
    names_.RedimPreserve(count_ + 1);
    names_(count_ + 1) = name;
    ++count_;
    indexed_ = count_;
    first_.emplace(name, count_);
    return count_;
  }

 private:
  StrArray& names_;
  int32_t& count_;
  int32_t indexed_ = 0;
  TextMap<int32_t> first_;
};

bool IsKeptAscii(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' ||
         (c >= 'a' && c <= 'z');
}

// A failing write-back hides the bar before it is reported.
template <class Body>
void HidingBarOnFailure(ProgressBar* bar, Body&& body) {
  try {
    body();
  } catch (...) {
    Skip([&] { Bar(bar).SetVisible(false); });
    throw;
  }
}

}  // namespace

std::string f_Puntos::CleanLayerName(std::string_view name) {
  if (name.empty()) return "Puntos_";
  std::string out;
  out.reserve(name.size());
  size_t i = 0;
  while (i < name.size()) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsKeptAscii(c)) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const size_t len = Utf8SequenceLength(name.substr(i));
    // U+00A4 and U+00A5 are the code page's characters 164 and 165.
    if (len == 2 && c == 0xC2 &&
        (static_cast<unsigned char>(name[i + 1]) == 0xA4 ||
         static_cast<unsigned char>(name[i + 1]) == 0xA5)) {
      out.append(name.substr(i, 2));
      i += 2;
      continue;
    }
    out += '_';
    names_changed_ = true;
    i += len == 0 ? 1 : len;
  }
  return out;
}

void f_Puntos::A_Actualiza_Editor(int32_t& Nopun, DblArray& X, DblArray& Y,
                                  DblArray& Z, StrArray& Nombre,
                                  StrArray& Código, LngArray& Nivel,
                                  IntArray& CapaPuntos, int32_t& noCapas,
                                  StrArray& Capas) {
  Trapped("*Actualiza Editor Puntos - Error nº ", [&] {
    HidingBarOnFailure(bar_, [&] {
      WriteBack(false, Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos,
                noCapas, Capas, false);
    });
  });
}

void f_Puntos::A_Actualiza_Valores(int32_t& Nopun, DblArray& X, DblArray& Y,
                                   DblArray& Z, StrArray& Nombre,
                                   StrArray& Código, LngArray& Nivel,
                                   IntArray& CapaPuntos, int32_t& noCapas,
                                   StrArray& Capas, bool& ValorO) {
  Trapped("* Actualiza Valores Puntos Exel- Error nº ", [&] {
    HidingBarOnFailure(bar_, [&] {
      WriteBack(true, Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos,
                noCapas, Capas, ValorO);
    });
  });
}

void f_Puntos::WriteBack(bool excel, int32_t& Nopun, DblArray& X, DblArray& Y,
                         DblArray& Z, StrArray& Nombre, StrArray& Código,
                         LngArray& Nivel, IntArray& CapaPuntos,
                         int32_t& noCapas, StrArray& Capas, bool valor_o) {
  if (!accepted) return;
  Environment& env = Environment::Current();
  ui::UiBackend& ui = env.Ui();
  ui.SetMousePointer(ui::MousePointer::Hourglass);
  const Grid& g = tblAutocro.grid();
  const int32_t n = g.Rows() - 1;
  row_count_ = n;

  if (n < 1) {
    // Only the header row: no points, the layers as they were.
    DblArray x(0, 0), y(0, 0), z(0, 0);
    StrArray nombre(0, 0), codigo(0, 0);
    LngArray nivel(0, 0);
    IntArray capa(0, 0);
    Nopun = 0;
    X = std::move(x), Y = std::move(y), Z = std::move(z);
    Nombre = std::move(nombre), Código = std::move(codigo);
    Nivel = std::move(nivel), CapaPuntos = std::move(capa);
    return;
  }
  const int32_t old = Nopun;  // rows up to here existed before editing

  DblArray x(0, n), y(0, n), z(0, n);
  StrArray nombre(0, n), codigo(0, n);
  // The Excel layout carries the host's Nivel over by position.
  LngArray nivel = excel ? Nivel : LngArray(0, n);
  if (excel) nivel.RedimPreserve(n);
  auto host_layer = [&](int32_t k) -> int32_t {
    const IntArray& c = layer_copy_;
    return c.IsAllocated() && k >= c.LBound() && k <= c.UBound() ? c(k) : 0;
  };

  PrepareBar(bar_, n);
  Bar(bar_).SetVisible(true);

  StrArray capas = Capas;
  int32_t nocapas = noCapas;
  if (nocapas == 0) {
    capas.Redim(0, 1);
    capas(1) = "Puntos";
    nocapas = 1;
  }
  LayerList layers(capas, nocapas);
  // A cell text met before gives the same layer again.
  TextMap<int32_t> layer_of_text;
  auto layer_of_cell = [&](std::string_view text) {
    if (auto it = layer_of_text.find(text); it != layer_of_text.end())
      return it->second;
    const int32_t j = layers.FindOrAdd(CleanLayerName(text));
    layer_of_text.emplace(std::string(text), j);
    return j;
  };
  // Each slot's layer; 0 while the slot has no name yet (the empty name).
  std::vector<int32_t> slot_layer(static_cast<size_t>(n) + 1, 0);

  const auto b = static_cast<int16_t>(excel ? -1 : 0);  // "N" minus one
  std::vector<std::string_view> cname, ccode, clayer;
  std::vector<double> vn, vx, vy, vz;
  std::vector<char> fn, fx, fy, fz;  // whether each cell has a text
  int32_t k = 0;
  bool zero_seen = false;
  InSteps(n, ProgressStep(n), bar_, [&](int32_t first, int32_t last) {
    const int32_t count = last - first + 1;
    if (!excel) g.ColumnNumbers(1, first, count, vn, fn);
    g.ColumnTexts(static_cast<int16_t>(b + 2), first, count, cname);
    g.ColumnNumbers(static_cast<int16_t>(b + 3), first, count, vx, fx);
    g.ColumnNumbers(static_cast<int16_t>(b + 4), first, count, vy, fy);
    g.ColumnNumbers(static_cast<int16_t>(b + 5), first, count, vz, fz);
    g.ColumnTexts(static_cast<int16_t>(b + 6), first, count, ccode);
    g.ColumnTexts(static_cast<int16_t>(b + 7), first, count, clayer);
    for (int32_t r = 0; r < count; ++r) {
      const int32_t i = first + r;
      const auto ur = static_cast<size_t>(r);
      ++k;
      if (!excel) nivel(k) = CLng(vn[ur]);
      nombre(k).assign(cname[ur]);
      x(k) = vx[ur];
      y(k) = vy[ur];
      z(k) = vz[ur];
      codigo(k).assign(ccode[ur]);
      int32_t& slot = slot_layer[static_cast<size_t>(k)];
      if (host_layer(k) <= nocapas) slot = layer_of_cell(clayer[ur]);
      if (excel && valor_o) nivel(k) = CLngText(cname[ur]);
      if (slot == 0) slot = layers.FindOrAdd(std::string());

      const bool zero =
          x(k) == 0 && y(k) == 0 && z(k) == 0 && codigo(k).empty();
      bool keep = true;
      if (!excel && i <= old) {
        keep = true;
      } else if (!fx[ur] && !fy[ur] && !fz[ur]) {
        keep = false;
      } else if (zero_seen) {
        keep = !zero;
      }
      if (keep && zero) zero_seen = true;
      if (!keep) --k;
    }
  });

  if (k < 1) k = 0;
  x.RedimPreserve(k), y.RedimPreserve(k), z.RedimPreserve(k);
  nombre.RedimPreserve(k), codigo.RedimPreserve(k), nivel.RedimPreserve(k);
  nivel(0) = 0;  // element 0 is not a point
  IntArray capa(0, k);
  for (int32_t j = 1; j <= k; ++j)
    capa(j) = CInt(slot_layer[static_cast<size_t>(j)]);

  // All built: the host's arrays are replaced at once.
  Nopun = k;
  X = std::move(x), Y = std::move(y), Z = std::move(z);
  Nombre = std::move(nombre), Código = std::move(codigo);
  Nivel = std::move(nivel), CapaPuntos = std::move(capa);
  Capas = std::move(capas);
  noCapas = nocapas;

  ui.SetMousePointer(ui::MousePointer::Default);
  Bar(bar_).SetVisible(false);
  if (names_changed_)
    ui.MsgBox(
        "Se han cambiado nombres de capas por contener caractener invalidos",
        ui::mb::kInformation, Caption());
}

}  // namespace qdr2_Gomiat
