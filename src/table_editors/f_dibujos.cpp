#include "table_editors/f_dibujos.h"

#include <algorithm>
#include <iterator>

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"
#include "frame/ui/window_kit.h"
#include "table_editors/table_window.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kCaption = "Editor de dibujos:";
constexpr const char* kPlaceKey = "Editor de Dibujos";

// Design sizes (twips).
constexpr int32_t kInnerWidth = 8130;
constexpr int32_t kInnerHeight = 4350;
constexpr int32_t kGridLeft = 60;
constexpr int32_t kGridTop = 45;
constexpr int32_t kFrameWidth = 5955;
constexpr int32_t kFrameHeight = 555;
constexpr int32_t kButtonWidth = 1365;
constexpr int32_t kButtonHeight = 405;
constexpr int32_t kButtonTop = 105;
constexpr int32_t kButtonStep = 1455;  // left to left inside the frame

constexpr int16_t kColOrder = 1;
constexpr int16_t kColKind = 2;
constexpr int16_t kColName = 3;
constexpr int16_t kColPoints = 4;  // then polylines, texts, triangles

const GridColumnDef kColumns[] = {
    {.read_only = true, .width_chars = 5, .caption = "o"},
    {.read_only = true, .width_chars = 5, .caption = "Orden"},
    {.kind = kGridChoice, .width_chars = 10, .caption = "Carpeta "},
    {.width_chars = 25, .caption = "Nombre "},
    {.read_only = true,
     .kind = kGridNumber0,
     .value6 = 1,
     .width_chars = 8,
     .caption = " Puntos "},
    {.read_only = true,
     .kind = kGridNumber0,
     .value6 = 1,
     .width_chars = 8,
     .caption = " Polilíneas "},
    {.read_only = true,
     .kind = kGridNumber0,
     .value6 = 1,
     .width_chars = 8,
     .caption = " Textos "},
    {.read_only = true,
     .kind = kGridNumber0,
     .value6 = 1,
     .width_chars = 8,
     .caption = " Triángulos"},
};

constexpr const char* kKinds[] = {"Planta", "Longitudinal", "Perfil Trasver.",
                                  "Sección Tipo ", "Bloque"};

std::string PositiveText(int32_t count) {
  return count > 0 ? CStr(count) : std::string();
}

}  // namespace

f_Dibujos::f_Dibujos()
    : ui::Form("f_Dibujos"),
      tblCapas(
          Add<ui::GridControl>("tblCapas", Environment::Current().NewGrid())),
      Frame1(Add<ui::Frame>("Frame1")),
      cmEelimina(Add<ui::CommandButton>("cmEelimina")),
      cmdCrear(Add<ui::CommandButton>("cmdCrear")),
      cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
      cmdAceptar(Add<ui::CommandButton>("cmdAceptar")) {
  SetCaption(kCaption);
  SetInnerSize(kInnerWidth, kInnerHeight);
  tblCapas.Move(kGridLeft, kGridTop, 0, 0);
  Frame1.Move(0, 0, kFrameWidth, kFrameHeight);
  cmEelimina.SetCaption("Eliminar selección");
  cmdCrear.SetCaption("Crear fichero");
  ui::WireAcceptCancel(*this, cmdAceptar, cmdCancelar, accepted_);
  int32_t left = kButtonStep - kButtonWidth;
  for (ui::CommandButton* b :
       {&cmEelimina, &cmdCrear, &cmdCancelar, &cmdAceptar}) {
    b->SetContainer(&Frame1);
    b->Move(left, kButtonTop, kButtonWidth, kButtonHeight);
    left += kButtonStep;
  }
  cmEelimina.SetVisible(false);
  cmdCrear.SetVisible(false);
  f_Dibujos::Form_Resize();  // design places: the layout at design size
}

f_Dibujos::~f_Dibujos() = default;

// Each step stands alone: a failing one is passed over.
void f_Dibujos::Form_Load() {
  Skip([&] {
    kinds_.Redim(0, 4);
    for (int32_t k = 0; k <= 4; ++k) kinds_(k) = kKinds[k];
  });
  Skip([&] { SetCaption(kCaption); });
  Grid& g = tblCapas.grid();
  const std::string app = ui::kAppTitle;
  Skip([&] { g.SetCols(static_cast<int16_t>(std::size(kColumns))); });
  Skip([&] { g.SetRows(2); });
  Skip([&] { g.FileOptions(app + " Dibujos", "Dibujos", "*.dib"); });
  Skip([&] { DefineColumns(g, kColumns); });
  Skip([&] { g.SetChoiceList(kColKind, kinds_); });
  Skip([&] { g.FinishC(); });
  Skip([&] { g.SetBoolOption(false); });
  Skip([&] { g.Complete(); });
  Skip([&] { g.OptionsRestore(app + "Dibujos", "*.dib"); });
  Skip([&] { RestoreTableWindow(*this, kPlaceKey, 5700, 3700); });
}

void f_Dibujos::A_Dibujos(int32_t& NoCap, Array<std::string>& Nombres,
                          Array<std::string>& Carpeta, Array<int32_t>& Ptos,
                          Array<int32_t>& Poli, Array<int32_t>& Tri,
                          Array<int32_t>& Tex, Array<int32_t>& /*Foto*/,
                          Array<int32_t>& Bloq) {
  Load();
  count_ = NoCap;
  if (count_ < 0) throw Failure(err::kSubscript);
  // Every row reads all seven arrays: a count beyond one of them fails
  // before the grid is sized for it.
  for (const auto* a : {&Ptos, &Poli, &Tri, &Tex, &Bloq})
    RequireItems(*a, count_);
  RequireItems(Nombres, count_);
  RequireItems(Carpeta, count_);

  const Hourglass pointer;
  Grid& g = tblCapas.grid();
  g.SetRows(count_ + 1);
  for (int32_t i = 1; i <= count_; ++i) {
    g.SetText(i, kColOrder, CStr(Bloq(i)));
    g.SetText(i, kColKind, Carpeta(i));
    g.SetText(i, kColName, Nombres(i));
    g.SetText(i, kColPoints, PositiveText(Ptos(i)));
    g.SetText(i, kColPoints + 1, PositiveText(Poli(i)));
    g.SetText(i, kColPoints + 2, PositiveText(Tex(i)));
    g.SetText(i, kColPoints + 3, PositiveText(Tri(i)));
  }
  tblCapas.Refresh();
}

void f_Dibujos::A_Actualiza(int32_t& NoCap, Array<int32_t>& Bloq,
                            Array<std::string>& Nombres,
                            Array<std::string>& Carpeta) {
  const Hourglass pointer;
  const Grid& g = tblCapas.grid();
  const int32_t rows = g.Rows() - 1;
  Nombres.Redim(0, rows);
  Carpeta.Redim(0, rows);
  Bloq.Redim(0, rows);
  int32_t n = 0;
  for (int32_t i = 1; i <= rows; ++i) {
    std::string kind = g.Text(i, kColKind);
    std::string name = g.Text(i, kColName);
    if (Trim(kind).empty() || Trim(name).empty()) continue;
    ++n;
    Bloq(n) = CLng(Val(g.Text(i, kColOrder)));
    Carpeta(n) = std::move(kind);
    Nombres(n) = std::move(name);
  }
  NoCap = n;
}

// The grid leaves room for a button's height, the frame its own; a window
// made too small leaves the grid empty rather than failing.
void f_Dibujos::Form_Resize() {
  const double sw = ScaleWidth();
  const double sh = ScaleHeight();
  tblCapas.SetWidth(std::max(0, CLng(sw - tblCapas.Left())));
  tblCapas.SetHeight(
      std::max(0, CLng(sh - tblCapas.Top() - 1.3 * cmdAceptar.Height())));
  Frame1.SetTop(CLng(sh - 1.2 * Frame1.Height()));
  Frame1.SetLeft(CLng(sw - 1.3 * Frame1.Width()));
}

void f_Dibujos::Form_Unload(int16_t& /*cancel*/) {
  ui::SaveWindowPlace(*this, kPlaceKey);
}

}  // namespace qdr2_Gomiat
