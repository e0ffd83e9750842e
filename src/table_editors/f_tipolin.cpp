#include "table_editors/f_tipolin.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/ui/window_kit.h"
#include "frame/window_place.h"
#include "qdr2_gomiat/failure.h"

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

template <class T>
T& Item(const std::array<T*, f_tipolin::kOptions>& a, int32_t k) {
  if (k < 0 || k >= f_tipolin::kOptions) throw Failure(err::kSubscript);
  return *a[static_cast<size_t>(k)];
}

}  // namespace

f_tipolin::f_tipolin()
    : ui::Form("f_tipolin"),
      Frame1(Add<ui::Frame>("Frame1")),
      Frame2(Add<ui::Frame>("Frame2")),
      cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
      cmdAceptar(Add<ui::CommandButton>("cmdAceptar")) {
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
    auto& option = Add<ui::OptionButton>("optEstilo", k);
    option.SetContainer(&Frame1);
    option.Move(kOptionLeft, top, kOptionWidth, kRowHeight);
    auto& line = Add<ui::LineShape>("Line1", k);
    line.SetContainer(&Frame1);
    line.SetLine(kSampleLeft, mid, kStyleSampleRight, mid);
    line.SetBorderStyle(static_cast<int16_t>(ui::LineShape::kSolid + k));
    auto& label = Add<ui::Label>("LabTipoL", k);
    label.SetContainer(&Frame1);
    label.Move(kSampleLeft, top, kStyleSampleRight - kSampleLeft, kRowHeight);
    estilo_[static_cast<size_t>(k)] = &option;
    style_lines_[static_cast<size_t>(k)] = &line;
    labels_[static_cast<size_t>(k)] = &label;

    auto& thickness = Add<ui::OptionButton>("optGrosor", k);
    thickness.SetContainer(&Frame2);
    thickness.Move(kOptionLeft, top, kOptionWidth, kRowHeight);
    auto& width_line = Add<ui::LineShape>("Line2", k);
    width_line.SetContainer(&Frame2);
    width_line.SetLine(kSampleLeft, mid, kWidthSampleRight, mid);
    width_line.SetBorderWidth(static_cast<int16_t>(k + 1));
    grosor_[static_cast<size_t>(k)] = &thickness;
    width_lines_[static_cast<size_t>(k)] = &width_line;
  }
  optEstilo(0).SetValue(true);
  optGrosor(0).SetValue(true);

  cmdCancelar.SetCaption("Cancelar");
  cmdCancelar.SetCancel(true);
  cmdCancelar.Move(kOptionLeft, kButtonTop, kButtonWidth, kButtonHeight);
  cmdAceptar.SetCaption("Aceptar");
  cmdAceptar.Move(kOptionLeft + kButtonWidth + 105, kButtonTop, kButtonWidth,
                  kButtonHeight);

  // Handlers after the design selection, which fires nothing.
  for (int32_t k = 0; k < kOptions; ++k) {
    // A thickness above the thinnest goes with the continuous style.
    if (k > 0) optGrosor(k).Click = [this] { optEstilo(0).SetValue(true); };
    LabTipoL(k).Click = [this, k] { optEstilo(k).SetValue(true); };
    LabTipoL(k).DblClick = [this, k] {
      optEstilo(k).SetValue(true);
      Accept();
    };
    optEstilo(k).DblClick = LabTipoL(k).DblClick;
  }
  cmdAceptar.Click = [this] { Accept(); };
  cmdCancelar.Click = [this] {
    accepted_ = false;
    Hide();
  };
}

f_tipolin::~f_tipolin() = default;

ui::OptionButton& f_tipolin::optEstilo(int32_t k) const {
  return Item(estilo_, k);
}
ui::Label& f_tipolin::LabTipoL(int32_t k) const { return Item(labels_, k); }
ui::OptionButton& f_tipolin::optGrosor(int32_t k) const {
  return Item(grosor_, k);
}
ui::LineShape& f_tipolin::StyleSample(int32_t k) const {
  return Item(style_lines_, k);
}
ui::LineShape& f_tipolin::WidthSample(int32_t k) const {
  return Item(width_lines_, k);
}

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
