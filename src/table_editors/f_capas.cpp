#include "table_editors/f_capas.h"

#include <iterator>

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/line_types.h"
#include "frame/ui/ui_backend.h"
#include "frame/ui/window_kit.h"
#include "table_editors/table_window.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kCaption = "Editor de capas:";
constexpr const char* kPlaceKey = "Editor de capas";
constexpr const char* kGridTitle = " Capas";  // after the application title

// Design sizes (twips).
constexpr int32_t kInnerWidth = 11040;
constexpr int32_t kInnerHeight = 4200;
constexpr int32_t kButtonWidth = 1245;
constexpr int32_t kButtonHeight = 405;
constexpr int32_t kGridLeft = 45;
constexpr int32_t kGridTop = 30;

constexpr int32_t kWhite = 16777215;
constexpr int32_t kYellow = 65535;

constexpr int16_t kColName = 1;
constexpr int16_t kColActive = 2;
constexpr int16_t kColColour = 3;
constexpr int16_t kColThickness = 4;
constexpr int16_t kColLineType = 5;
constexpr int16_t kColPoints = 6;  // then polylines, vertices, texts

// Counts are read-only numbers; the rest the user edits.
const GridColumnDef kColumns[] = {
    {.width_chars = 5, .caption = "N"},
    {.width_chars = 20, .caption = "Nombre "},
    {.kind = kGridChoice, .value6 = 1, .width_chars = 6, .caption = " Activa "},
    {.kind = kGridColour, .value6 = 1, .width_chars = 10, .caption = " Color "},
    {.kind = kGridChoice, .value6 = 1, .width_chars = 6, .caption = "Grosor"},
    {.kind = kGridChoice,
     .value6 = 1,
     .width_chars = 10,
     .caption = "Tipo Linea"},
    {.read_only = true,
     .kind = kGridNumber3,
     .value6 = 1,
     .width_chars = 6,
     .caption = " Puntos "},
    {.read_only = true,
     .kind = kGridNumber3,
     .value6 = 1,
     .width_chars = 6,
     .caption = " Polilín."},
    {.read_only = true,
     .kind = kGridNumber3,
     .value6 = 1,
     .width_chars = 7,
     .caption = " Vertic."},
    {.read_only = true,
     .kind = kGridNumber3,
     .value6 = 1,
     .width_chars = 8,
     .caption = " Textos"},
};

std::string CountText(int32_t count) { return count == 0 ? "-" : CStr(count); }

}  // namespace

F_Capas::F_Capas()
    : ui::Form("F_Capas"),
      tblCapas(
          Add<ui::GridControl>("tblCapas", Environment::Current().NewGrid())),
      cmdCrear(Add<ui::CommandButton>("cmdCrear")),
      cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
      cmdAceptar(Add<ui::CommandButton>("cmdAceptar")) {
  SetCaption(kCaption);
  SetInnerSize(kInnerWidth, kInnerHeight);
  cmdCrear.SetCaption("Crear Capa");
  ui::WireAcceptCancel(*this, cmdAceptar, cmdCancelar, accepted_);
  for (ui::CommandButton* b : {&cmdCrear, &cmdCancelar, &cmdAceptar})
    b->Move(0, 0, kButtonWidth, kButtonHeight);
  tblCapas.Move(kGridLeft, kGridTop, 0, 0);
  F_Capas::Form_Resize();  // design places: the layout at design size

  cmdCrear.Click = [this] { CreateLayer(); };
}

F_Capas::~F_Capas() = default;

void F_Capas::Form_Load() {
  activity_list_.Redim(0, 1);
  activity_list_(0) = "Si";
  activity_list_(1) = "No";
  line_type_list_.Redim(0, kLineTypeCount - 1);
  for (int32_t k = 0; k < kLineTypeCount; ++k)
    line_type_list_(k) = kLinePatterns[k];
  thickness_list_.Redim(0, 10);
  for (int32_t k = 0; k <= 10; ++k) thickness_list_(k) = CStr(k + 1);

  Grid& g = tblCapas.grid();
  const std::string title = std::string(ui::kAppTitle) + kGridTitle;
  g.SetCols(static_cast<int16_t>(std::size(kColumns)));
  g.SetRows(2);
  g.FileOptions(title, "capas", "*.cap");
  DefineColumns(g, kColumns);
  g.SetChoiceList(kColActive, activity_list_);
  g.SetChoiceList(kColThickness, thickness_list_);
  g.SetChoiceList(kColLineType, line_type_list_);
  ui::FinishTableGrid(g);
  g.OptionsRestore(title, "*.cap");

  RestoreTableWindow(*this, kPlaceKey, 9700, 7700);
}

void F_Capas::A_Editor_Capas2(int32_t& NoCap, Array<std::string>& Nombres,
                              Array<std::string>& Estado,
                              Array<int32_t>& colorr, Array<int32_t>& grosor,
                              Array<int32_t>& Tipolin, int32_t& /*Principal*/,
                              Array<int32_t>& PunCp, Array<int32_t>& PolCp,
                              Array<int32_t>& PlVCp, Array<int32_t>& texCp) {
  Load();
  count_ = NoCap;
  names_ = Nombres;
  states_ = Estado;
  colours_ = colorr;
  thicknesses_ = grosor;
  line_types_ = Tipolin;
  // An empty table shows one blank layer, with the counts of element 1
  // (or none, when the host gave no element 1).
  const bool empty = count_ == 0;
  if (empty) {
    count_ = 1;
    names_.Redim(0, 1);
    states_.Redim(0, 1);
    colours_.Redim(0, 1);
    thicknesses_.Redim(0, 1);
    line_types_.Redim(0, 1);
  }
  if (count_ < 0) throw Failure(err::kSubscript);
  RequireItems(names_, count_);
  RequireItems(states_, count_);
  RequireItems(colours_, count_);
  RequireItems(thicknesses_, count_);
  RequireItems(line_types_, count_);
  const Array<int32_t>* counts[] = {&PunCp, &PolCp, &PlVCp, &texCp};
  if (!empty)
    for (const Array<int32_t>* a : counts) RequireItems(*a, count_);

  const Hourglass pointer;
  Grid& g = tblCapas.grid();
  g.SetRows(count_ + 1);
  for (int32_t i = 1; i <= count_; ++i) {
    g.SetText(i, kColName, names_(i));
    g.SetText(i, kColActive, states_(i));
    if (colours_(i) == 0) colours_(i) = kWhite;
    g.SetColour(i, kColColour, colours_(i));
    if (thicknesses_(i) == 0) thicknesses_(i) = 1;
    g.SetText(i, kColThickness, CStr(thicknesses_(i)));
    g.SetText(i, kColLineType, LinePatternOf(line_types_(i)));
    for (int16_t k = 0; k < 4; ++k) {
      const Array<int32_t>& a = *counts[k];
      const bool has = a.IsAllocated() && a.LBound() <= i && a.UBound() >= i;
      g.SetText(i, static_cast<int16_t>(kColPoints + k),
                CountText(has ? a(i) : 0));
    }
  }
  tblCapas.Refresh();
}

void F_Capas::CreateLayer() {
  Grid& g = tblCapas.grid();
  const int32_t r = g.Rows();
  g.SetRows(r + 1);
  g.SetText(r, kColName, "Capa" + CStr(r));
  g.SetText(r, kColActive, "Si");
  g.SetColour(r, kColColour, kYellow);
  g.SetText(r, kColThickness, thickness_list_(0));
  g.SetText(r, kColLineType, line_type_list_(0));
  g.SetCurrentRow(r);
}

void F_Capas::A_Actualiza_Valores1(int32_t& NoCap, Array<std::string>& Nombres,
                                   Array<std::string>& Estado,
                                   Array<int32_t>& colorr,
                                   Array<int32_t>& grosor,
                                   Array<int32_t>& Tipolin,
                                   int32_t& /*Principal*/) {
  const Hourglass pointer;
  const Grid& g = tblCapas.grid();
  NoCap = g.Rows() - 1;
  Nombres.Redim(0, NoCap);
  Estado.Redim(0, NoCap);
  colorr.Redim(0, NoCap);
  grosor.Redim(0, NoCap);
  Tipolin.Redim(0, NoCap);
  ui::UiBackend& ui = Environment::Current().Ui();
  for (int32_t i = 1; i <= NoCap; ++i) {
    if (i % 10 == 0) ui.DoEvents();
    Nombres(i) = g.Text(i, kColName);
    Estado(i) = g.Text(i, kColActive);
    colorr(i) = g.Colour(i, kColColour);
    grosor(i) = CLngText(g.Text(i, kColThickness));
    Tipolin(i) = LineTypeOf(g.Text(i, kColLineType));
  }
}

void F_Capas::Form_Resize() {
  ui::LayoutGridAndButtons(
      *this, tblCapas,
      {.first = &cmdAceptar, .second = &cmdCancelar, .third = &cmdCrear});
}

void F_Capas::Form_Unload(int16_t& /*cancel*/) {
  ui::SaveWindowPlace(*this, kPlaceKey);
}

}  // namespace qdr2_Gomiat
