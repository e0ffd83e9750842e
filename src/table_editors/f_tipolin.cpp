#include "table_editors/f_tipolin.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/ui/window_kit.h"
#include "frame/window_place.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kCaption = "Tipo de Linea:";
constexpr const char* kPlaceKey = "Tipo de líneas: ";

// Design sizes (twips); controls inside a frame are placed within it.
constexpr int32_t kInnerWidth = 3990;
constexpr int32_t kInnerHeight = 2850;
constexpr int32_t kFrameTop = 60;
constexpr int32_t kFrameWidth = 2115;
constexpr int32_t kFrameHeight = 2055;
constexpr int32_t kFrame2Left = 2280;
constexpr int32_t kFrame2Width = 1575;
constexpr int32_t kRowTop = 300;
constexpr int32_t kRowStep = 360;
constexpr int32_t kRowHeight = 255;
constexpr int32_t kOptionLeft = 120;
constexpr int32_t kOptionWidth = 255;
constexpr int32_t kSampleLeft = 420;
constexpr int32_t kStyleSampleRight = 1935;
constexpr int32_t kWidthSampleRight = 1395;
constexpr int32_t kButtonTop = 2190;
constexpr int32_t kButtonWidth = 975;
constexpr int32_t kButtonHeight = 405;

}  // namespace

f_tipolin::f_tipolin()
    : ui::Form("f_tipolin"),
      Frame1(Add<ui::Frame>("Frame1")),
      Frame2(Add<ui::Frame>("Frame2")),
      cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
      cmdAceptar(Add<ui::CommandButton>("cmdAceptar")),
      optEstilo(AddArray<ui::OptionButton>("optEstilo", kOptions)),
      Line1(AddArray<ui::LineShape>("Line1", kOptions)),
      LabTipoL(AddArray<ui::Label>("LabTipoL", kOptions)),
      optGrosor(AddArray<ui::OptionButton>("optGrosor", kOptions)),
      Line2(AddArray<ui::LineShape>("Line2", kOptions)) {
  SetCaption(kCaption);
  SetSizable(false);
  SetInnerSize(kInnerWidth, kInnerHeight);
  Frame1.SetCaption("Estilo");
  Frame1.Move(kOptionLeft, kFrameTop, kFrameWidth, kFrameHeight);
  Frame2.SetCaption("Grosor");
  Frame2.Move(kFrame2Left, kFrameTop, kFrame2Width, kFrameHeight);
  Frame2.SetVisible(false);

  for (int16_t k = 0; k < kOptions; ++k) {
    const int32_t top = kRowTop + k * kRowStep;
    const int32_t mid = top + kRowHeight / 2;
    for (ui::Control* c : {static_cast<ui::Control*>(&optEstilo(k)),
                           static_cast<ui::Control*>(&Line1(k)),
                           static_cast<ui::Control*>(&LabTipoL(k))})
      c->SetContainer(&Frame1);
    for (ui::Control* c : {static_cast<ui::Control*>(&optGrosor(k)),
                           static_cast<ui::Control*>(&Line2(k))})
      c->SetContainer(&Frame2);
    optEstilo(k).Move(kOptionLeft, top, kOptionWidth, kRowHeight);
    optGrosor(k).Move(kOptionLeft, top, kOptionWidth, kRowHeight);
    LabTipoL(k).Move(kSampleLeft, top, kStyleSampleRight - kSampleLeft,
                     kRowHeight);
    Line1(k).SetLine(kSampleLeft, mid, kStyleSampleRight, mid);
    Line1(k).SetBorderStyle(static_cast<int16_t>(ui::LineShape::kSolid + k));
    Line2(k).SetLine(kSampleLeft, mid, kWidthSampleRight, mid);
    Line2(k).SetBorderWidth(static_cast<int16_t>(k + 1));
  }
  optEstilo(0).SetValue(true);
  optGrosor(0).SetValue(true);

  ui::WireAcceptCancel(*this, cmdAceptar, cmdCancelar, accepted_);
  cmdCancelar.Move(kOptionLeft, kButtonTop, kButtonWidth, kButtonHeight);
  cmdAceptar.Move(kOptionLeft + kButtonWidth + 105, kButtonTop, kButtonWidth,
                  kButtonHeight);

  // Handlers after the design selection, which fires nothing. A double
  // click on a sample or an option accepts as cmdAceptar does.
  optGrosor.Handle(&ui::OptionButton::Click, [this](int16_t k) {
    // A thickness above the thinnest goes with the continuous style.
    if (k > 0) optEstilo(0).SetValue(true);
  });
  LabTipoL.Handle(&ui::Label::Click,
                  [this](int16_t k) { optEstilo(k).SetValue(true); });
  const auto pick_and_accept = [this](int16_t k) {
    optEstilo(k).SetValue(true);
    Accept();
  };
  LabTipoL.Handle(&ui::Control::DblClick, pick_and_accept);
  optEstilo.Handle(&ui::Control::DblClick, pick_and_accept);
}

f_tipolin::~f_tipolin() = default;

void f_tipolin::Accept() {
  accepted_ = true;
  Hide();
}

int16_t f_tipolin::A_Tipolin() {
  Load();
  for (int16_t k = 0; k < kOptions; ++k)
    if (optEstilo(k).Value()) return k;
  return 0;
}

void f_tipolin::SetA_Tipolin(int16_t v) {
  Load();
  optEstilo(v >= 0 && v < kOptions ? v : 0).SetValue(true);
}

float f_tipolin::A_Crosor() {
  Load();
  for (int16_t k = 0; k < kOptions; ++k)
    if (optGrosor(k).Value()) return static_cast<float>(k);
  return 0.0f;
}

void f_tipolin::SetA_Crosor(float v) {
  Load();
  // NaN fails both comparisons and selects the thinnest too.
  const bool in_range = v >= 0.0f && v <= static_cast<float>(kOptions - 1);
  optGrosor(in_range ? CInt(v) : 0).SetValue(true);
}

void f_tipolin::Form_Load() {
  RestoreWindow(Environment::Current().Settings(), *this, kPlaceKey, Caption(),
                200, 500, 2350, 3180);
}

void f_tipolin::Form_Unload(int16_t& /*cancel*/) {
  ui::SaveWindowPlace(*this, kPlaceKey);
}

}  // namespace qdr2_Gomiat
