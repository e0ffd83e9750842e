#include "points_editor/f_puntos.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"
#include "frame/ui/window_kit.h"
#include "frame/window_place.h"
#include "points_editor/row_steps.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kStandardCaption = "Editor de Puntos:";
constexpr const char* kExcelCaption = "Editor Puntos tipo Excel:";
constexpr const char* kSelectedCaption = "Editor de Puntos Seleccionados:";
constexpr const char* kOptionsSuffix = "Puntos 1";

// Design sizes (twips).
constexpr int32_t kInnerWidth = 8580;
constexpr int32_t kInnerHeight = 5190;
constexpr int32_t kButtonWidth = 1245;
constexpr int32_t kButtonHeight = 405;
constexpr int32_t kGridLeft = 120;
constexpr int32_t kGridTop = 120;

// The two layouts, column by column (all flag 1 False).
const GridColumnDef kStandardColumns[] = {
    {.read_only = true, .kind = kGridNumber0, .value6 = 1, .caption = "orden"},
    {.width_chars = 5, .caption = "N"},
    {.value6 = 2, .value7 = 2, .width_chars = 7, .caption = " Nombre "},
    {.kind = kGridNumberText, .value5 = 3, .value6 = 2, .caption = "    X   "},
    {.kind = kGridNumberText, .value5 = 3, .value6 = 2, .caption = "    Y   "},
    {.kind = kGridNumberText, .value5 = 3, .value6 = 2, .caption = "    Z   "},
    {.value7 = 1, .caption = "Código"},
    {.value7 = 1, .caption = "Capa"},
};

const GridColumnDef kExcelColumns[] = {
    {.width_chars = 5, .caption = "N"},
    {.value6 = 2, .value7 = 2, .width_chars = 7, .caption = " Nombre "},
    {.kind = kGridNumberText, .value5 = 3, .value6 = 2, .caption = "    X   "},
    {.kind = kGridNumberText, .value5 = 3, .value6 = 2, .caption = "    Y   "},
    {.kind = kGridNumberText, .value5 = 3, .value6 = 2, .caption = "    Z   "},
    {.value7 = 1, .caption = "Código"},
    {.caption = "Capa"},
};

}  // namespace
int32_t ProgressStep(int32_t rows) { return std::max(1, CLng(rows / 10.0)); }

f_Puntos::f_Puntos()
    : ui::Form("f_Puntos"),
      tblAutocro(
          Add<ui::GridControl>("tblAutocro", Environment::Current().NewGrid())),
      cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
      cmdCrear(Add<ui::CommandButton>("cmdCrear")),
      cmdAceptar(Add<ui::CommandButton>("cmdAceptar")) {
  SetInnerSize(kInnerWidth, kInnerHeight);
  cmdCrear.SetCaption("Crear Punto");
  cmdCancelar.SetCaption("Cancelar");
  cmdCancelar.SetCancel(true);
  cmdAceptar.SetCaption("Aceptar");
  for (ui::CommandButton* b : {&cmdCrear, &cmdCancelar, &cmdAceptar})
    b->Move(0, 0, kButtonWidth, kButtonHeight);
  tblAutocro.Move(kGridLeft, kGridTop, 0, 0);
  f_Puntos::Form_Resize();  // design places: the layout at design size

  cmdAceptar.Click = [this] {
    accepted = true;
    Hide();
  };
  cmdCancelar.Click = [this] {
    accepted = false;
    row_count_ = 0;
    Hide();
  };
  cmdCrear.Click = [this] { CrearPunto(); };
}

// A window dropped after a failure, without its unload, saves nothing.
f_Puntos::~f_Puntos() = default;

std::string f_Puntos::OptionsName() const { return Caption() + kOptionsSuffix; }

void f_Puntos::Form_Load() {
  SettingsStore& settings = Environment::Current().Settings();
  Grid& g = tblAutocro.grid();
  const ui::ScreenFifth fifth = ui::FifthOfScreen();
  if (!excel_mode) {
    g.SetCols(8);
    g.SetRows(2);
    g.StandardSetup();
    SetCaption(kStandardCaption);
    g.FileOptions(OptionsName(), "Puntos", "*.pts");
    DefineColumns(g, kStandardColumns);
    g.SetBoolOption(false);
    g.OptionsRestore(OptionsName(), "Puntos");
    RestoreWindow(settings, *this, "Editor de puntos", kStandardCaption,
                  fifth.left, fifth.top, 8700, 5700);
    g.Complete();
    // The present top feeds the default left, and the left the top.
    RestoreWindow(settings, *this, "Editor de Puntos", kOptionsSuffix,
                  Top() + 500, Left() + 500, 8700, 5700);
  } else {
    g.SetCols(7);
    g.SetRows(2);
    SetCaption(kExcelCaption);
    g.FileOptions(OptionsName(), "Excel", "*.pts");
    DefineColumns(g, kExcelColumns);
    g.SetBoolOption(false);
    g.Complete();
    g.OptionsRestore(OptionsName(), "Excel");
    RestoreWindow(settings, *this, "Editor Excel", Caption(), fifth.left,
                  fifth.top, 8700, 5700);
  }
}

void f_Puntos::Form_Unload(int16_t& /*cancel*/) {
  tblAutocro.grid().OptionsSave(OptionsName(), excel_mode ? "Excel" : "Puntos");
  SaveWindow(Environment::Current().Settings(), *this, "Editor de Puntos",
             kOptionsSuffix);
}

void f_Puntos::Form_Resize() {
  ui::LayoutGridAndButtons(
      *this, tblAutocro,
      {.first = &cmdAceptar, .second = &cmdCancelar, .third = &cmdCrear});
}

void f_Puntos::A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y,
                               DblArray& Z, StrArray& Nombre, StrArray& Código,
                               LngArray& Nivel, IntArray& CapaPuntos,
                               int32_t& /*noCapas*/, StrArray& Capas,
                               ProgressBar* prograsbar, bool& ValorO) {
  Fill(false, Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos, Capas,
       prograsbar, ValorO);
}

void f_Puntos::A_Editor_Puntos_Exel(int32_t& Nopun, DblArray& X, DblArray& Y,
                                    DblArray& Z, StrArray& Nombre,
                                    StrArray& Código, LngArray& Nivel,
                                    IntArray& CapaPuntos, int32_t& /*noCapas*/,
                                    StrArray& Capas, ProgressBar* prograsbar) {
  Fill(true, Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos, Capas,
       prograsbar, false);
}

void f_Puntos::Fill(bool excel, int32_t& Nopun, DblArray& X, DblArray& Y,
                    DblArray& Z, StrArray& Nombre, StrArray& Código,
                    LngArray& Nivel, IntArray& CapaPuntos, StrArray& Capas,
                    ProgressBar* prograsbar, bool valor_o) {
  Load();
  ui::UiBackend& ui = Environment::Current().Ui();
  bar_ = prograsbar;
  row_count_ = Nopun;
  if (!excel && valor_o) SetCaption(kSelectedCaption);
  // Of the window's copies only the layer indexes are ever read again: the
  // write-back overwrites every other slot before it reads it.
  layer_copy_ = CapaPuntos;
  ui.SetMousePointer(ui::MousePointer::Hourglass);
  const int32_t n = Nopun;
  if (n >= 1) PrepareBar(bar_, n);
  Grid& g = tblAutocro.grid();
  g.SetRows(n + 1);
  const FillSource from{X, Y, Z, Nombre, Código, Nivel, CapaPuntos, Capas};
  FillBuffers buffers;
  InSteps(n, ProgressStep(n), bar_, [&](int32_t first, int32_t last) {
    FillRows(from, buffers, excel, valor_o, first, last);
  });
  if (!excel) g.FinishAfterFill();
  tblAutocro.Refresh();
  ui.SetMousePointer(ui::MousePointer::Default);
  Bar(bar_).SetVisible(false);
}

// Rows first to last, column by column.
void f_Puntos::FillRows(const FillSource& from, FillBuffers& buffers,
                        bool excel, bool valor_o, int32_t first, int32_t last) {
  Grid& g = tblAutocro.grid();
  const auto count = static_cast<size_t>(last - first + 1);
  const int16_t base = excel ? -1 : 0;  // column of "N" minus one
  std::vector<std::string_view>& texts = buffers.texts;
  std::vector<double>& numbers = buffers.numbers;
  texts.resize(count);
  numbers.resize(count);
  auto row = [first](size_t k) { return first + static_cast<int32_t>(k); };

  if (!excel) {
    // Row numbers (or the host's levels): whole numbers, kept as numbers.
    for (size_t k = 0; k < count; ++k)
      numbers[k] = valor_o ? from.Nivel(row(k)) : row(k);
    g.SetColumnNumbers(1, first, numbers);
  }
  auto strings = [&](int16_t col, const StrArray& a) {
    for (size_t k = 0; k < count; ++k) texts[k] = a(row(k));
    g.SetColumnTexts(col, first, texts);
  };
  auto doubles = [&](int16_t col, const DblArray& a) {
    for (size_t k = 0; k < count; ++k) numbers[k] = a(row(k));
    g.SetColumnNumbers(col, first, numbers);
  };
  strings(static_cast<int16_t>(base + 2), from.Nombre);
  doubles(static_cast<int16_t>(base + 3), from.X);
  doubles(static_cast<int16_t>(base + 4), from.Y);
  doubles(static_cast<int16_t>(base + 5), from.Z);
  strings(static_cast<int16_t>(base + 6), from.Código);
  for (size_t k = 0; k < count; ++k)
    texts[k] = from.Capas(from.CapaPuntos(row(k)));
  g.SetColumnTexts(static_cast<int16_t>(base + 7), first, texts);
}

void f_Puntos::CrearPunto() {
  Grid& g = tblAutocro.grid();
  NumberTextService& numbers = Environment::Current().Numbers();
  const int16_t name_col = NameColumn();
  const int16_t layer_col = LayerColumn();
  const int32_t m = g.Rows() - 1;
  int64_t best = 0;
  std::vector<std::string_view> names;
  if (m > 0) g.ColumnTexts(name_col, 1, m, names);
  for (std::string_view name : names) {
    const double v = numbers.ReadNumber(name);
    if (v > static_cast<double>(best)) {
      try {
        best = CLngText(name);
      } catch (const Failure&) {
        best = CLng(v);  // a form the whole-number reading does not take
      }
    }
  }
  g.SetRows(g.Rows() + 1);
  const int32_t n = g.Rows() - 1;
  g.SetText(n, name_col, CStr(best + 1));
  g.SetText(n, layer_col, g.Text(n - 1, layer_col));
  g.SetCurrentRow(n);
}

}  // namespace qdr2_Gomiat
