#include "autosketch/f_autocroq.h"

#include "autosketch/code_table_file.h"
#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"
#include "frame/ui/window_kit.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kCaption = "Autocroquis:";
constexpr const char* kPlaceKey = "Autocroquis";
constexpr const char* kGridTitle = " Autocro";  // after the application title

// Design sizes (twips).
constexpr int32_t kInnerWidth = 7905;
constexpr int32_t kInnerHeight = 4425;
constexpr int32_t kButtonWidth = 1245;
constexpr int32_t kButtonHeight = 405;
constexpr int32_t kHelpWidth = 2700;
constexpr int32_t kGridLeft = 120;
constexpr int32_t kGridTop = 120;

constexpr int16_t kColCode = 1;
constexpr int16_t kColCount = 2;
constexpr int16_t kColType = 3;
constexpr int16_t kColLayer = 4;
constexpr int16_t kColColour = 5;
constexpr int16_t kColLine = 6;

// A colour number handed to the grid, which takes 16 bits.
int16_t ColourNumber(int32_t n) { return CInt(static_cast<double>(n)); }

}  // namespace

f_Autocroq::f_Autocroq()
    : ui::Form("f_Autocroq"),
      tblAutocro(
          Add<ui::GridControl>("tblAutocro", Environment::Current().NewGrid())),
      cmdAceptar(Add<ui::CommandButton>("cmdAceptar")),
      cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
      cmdAyuda(Add<ui::CommandButton>("cmdAyuda")) {
  SetCaption(kCaption);
  SetInnerSize(kInnerWidth, kInnerHeight);

  ui::WireAcceptCancel(*this, cmdAceptar, cmdCancelar, accepted_);
  cmdAyuda.SetCaption("Ayuda para usar el autocroquis");
  cmdAceptar.Move(0, 0, kButtonWidth, kButtonHeight);
  cmdCancelar.Move(0, 0, kButtonWidth, kButtonHeight);
  cmdAyuda.Move(0, 0, kHelpWidth, kButtonHeight);
  tblAutocro.Move(kGridLeft, kGridTop, 0, 0);
  f_Autocroq::Form_Resize();  // design places: the layout at design size

  cmdAyuda.Click = [] {
    Environment::Current().Ui().MsgBox(HelpText(), ui::mb::kOkOnly,
                                       "Auyuda del Autocroquis:");
  };
}

// A window released without the explicit unload does not save its place.
f_Autocroq::~f_Autocroq() = default;

std::string f_Autocroq::HelpText() {
  static const char* const kLines[] = {
      "Es la deducción automatica de polilineas en función de los códigos de "
      "los puntos.",
      "Se puede asignar a cada código una capa y color. Conceptos básicos:",
      " 1º Se unen secuencialmente todos los puntos que tengan el mismo código "
      "estén o no juntos.",
      " 2º Un punto puede tener todos los códigos que quieras separados por "
      "comas o espacios.",
      " 3º Puedes cambiar el tipo de unión ,los nombres de las capas y color "
      "que hay por defecto:",
      " Tipo De uniones:   - Puntual: no genera polilinea.",
      "                    - Lineal:  genera polilinea/s.",
      "Hay DOS comandos que puedes usar al codificar los puntos en campo:",
      "   <I> después de un código y un espacio, indica comienzo una nueva "
      "polilínea: <CT I>",
      "   <A> después de un código y un espacio, cierra la polilínea actual en "
      "creación: <PT A>",
      " Ejemplo: 3 codigos iguales <CASA> y otro con <CASA A> produce una "
      "polilinea cerrada.",
      " No usar los nombres de codigos con las letras <I> o <A>",
  };
  std::string text;
  for (const char* line : kLines) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

void f_Autocroq::Form_Load() {
  joining_types_.Redim(0, 1);
  joining_types_(0) = "Lineal";
  joining_types_(1) = "Puntual";
  line_patterns_.Redim(0, 4);
  for (int32_t k = 0; k <= 4; ++k) line_patterns_(k) = kLinePatterns[k];

  Grid& g = tblAutocro.grid();
  g.SetCols(7);
  g.SetRows(2);
  g.FileOptions(std::string(ui::kAppTitle) + kGridTitle, "Autocroquis",
                "*.crq");
  DefineColumns(g,
                {
                    {.width_chars = 5, .caption = ""},
                    {.read_only = true, .caption = "Código"},
                    {.read_only = true,
                     .kind = kGridNumber1,
                     .value6 = 1,
                     .width_chars = 7,
                     .caption = "Puntos"},
                    {.kind = kGridChoice, .value6 = 1, .caption = "Tipo unión"},
                    {.width_chars = 15, .caption = "Capa"},
                    {.kind = kGridColour, .value6 = 1, .caption = "Color"},
                    {.kind = kGridChoice, .value6 = 1, .caption = "Linea"},
                });
  g.SetChoiceList(kColLine, line_patterns_);
  g.SetChoiceList(kColType, joining_types_);
  // In autocroquis.txt a comma ends the field: it cannot be kept.
  for (const int16_t col : {kColCode, kColLayer})
    g.RefuseCharacters(col, ",",
                       "Un código o una capa no puede llevar comas: en "
                       "autocroquis.txt la coma separa los campos.");
  ui::FinishTableGrid(g);
  g.OptionsRestore(std::string(ui::kAppTitle) + kGridTitle, "Autocroquis");

  BaseDatos();

  ui::RestoreWindowAtFifth(*this, kPlaceKey, 8700, 5700);
}

void f_Autocroq::BaseDatos() {
  Trapped("*BaseDatos - Error nº ", [&] { LoadCodeTable(table_); });
}

void f_Autocroq::Graba_configuración(int32_t& n, Array<std::string>& codes,
                                     Array<std::string>& counts,
                                     Array<std::string>& types,
                                     Array<std::string>& layers,
                                     Array<int32_t>& colours,
                                     Array<std::string>& lines) {
  Trapped("*Graba config  autocroquis - Error nº ", [&] {
    MergeCodeTable(n, codes, counts, types, layers, colours, lines);
  });
}

void f_Autocroq::a_MuestraCodigos1(Array<std::string>& codes,
                                   Array<int32_t>& counts) {
  // A failing load leaves the rest of it undone; the rows still get filled
  // as far as they can.
  Skip([&] { Load(); });
  Grid& g = tblAutocro.grid();
  int32_t n = 0;
  Skip([&] { n = codes.UBound(); });
  Skip([&] { g.SetRows(n + 1); });
  row_count_ = n;
  for (int32_t i = 1; i <= n; ++i) {
    int32_t j = 0;
    Skip([&] {
      const std::string& code = codes(i);
      for (int32_t k = 1; k <= table_.count; ++k)
        if (table_.codes(k) == code) {
          j = k;
          break;
        }
    });
    if (j > 0)
      FillKnownRow(i, j, counts);
    else
      FillNewRow(i, codes, counts);
  }
  Skip([&] { tblAutocro.Refresh(); });
}

void f_Autocroq::FillKnownRow(int32_t i, int32_t j, Array<int32_t>& counts) {
  Grid& g = tblAutocro.grid();
  Skip([&] { g.SetText(i, kColCode, table_.codes(j)); });
  Skip([&] { g.SetText(i, kColCount, counts(i)); });
  Skip([&] {
    g.SetText(i, kColType, counts(i) == 1 ? "Puntual" : table_.types(j));
  });
  Skip([&] { g.SetText(i, kColLayer, table_.layers(j)); });
  Skip([&] {
    if (table_.colours(j) == 0) table_.colours(j) = 7;
  });
  Skip([&] {
    g.SetColourNumber(i, kColColour, ColourNumber(table_.colours(j)));
  });
  Skip([&] { g.SetText(i, kColLine, Linea_Patron(table_.lines(j))); });
}

void f_Autocroq::FillNewRow(int32_t i, Array<std::string>& codes,
                            Array<int32_t>& counts) {
  Grid& g = tblAutocro.grid();
  Skip([&] { g.SetText(i, kColCode, codes(i)); });
  Skip([&] { g.SetText(i, kColCount, counts(i)); });
  Skip([&] { g.SetText(i, kColType, counts(i) == 1 ? "Puntual" : "Lineal"); });
  // A new code gets a layer of its own name.
  Skip([&] { g.SetText(i, kColLayer, codes(i)); });
  Skip([&] { g.SetColourNumber2(i, kColColour, 7); });
  Skip([&] { g.SetText(i, kColLine, Linea_Patron("0")); });
}

void f_Autocroq::A_Autocro(bool& accepted, int32_t& n,
                           Array<std::string>& codes,
                           Array<std::string>& counts,
                           Array<std::string>& types,
                           Array<std::string>& layers, Array<int32_t>& colours,
                           Array<std::string>& lines) {
  accepted = accepted_;
  if (!accepted) return;
  // Only the grid needs the loaded window; a window closed with its close
  // box is not loaded again just to say it was not accepted.
  Load();
  codes.Redim(0, n);
  counts.Redim(0, n);
  types.Redim(0, n);
  layers.Redim(0, n);
  colours.Redim(0, n);
  lines.Redim(0, n);
  const Grid& g = tblAutocro.grid();
  ColourService& palette = Environment::Current().Colours();
  for (int32_t i = 1; i <= n; ++i) {
    codes(i) = g.Text(i, kColCode);
    types(i) = g.Text(i, kColType);
    layers(i) = g.Text(i, kColLayer);
    const int32_t number = palette.ColorNumber(g.Colour(i, kColColour));
    colours(i) = number == 0 ? 7 : number;
    lines(i) = g.Text(i, kColLine);
  }
}

void f_Autocroq::Form_Resize() {
  ui::LayoutGridAndButtons(
      *this, tblAutocro,
      {.first = &cmdAceptar, .second = &cmdCancelar, .third = &cmdAyuda});
}

void f_Autocroq::Form_Unload(int16_t& /*cancel*/) {
  ui::SaveWindowPlace(*this, kPlaceKey);
}

}  // namespace qdr2_Gomiat
