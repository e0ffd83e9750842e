#include "point_tools/f_editp.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/window_place.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kPlaceSection = "Barra ptos aleatorios";
constexpr const char* kPlaceKey = "Pos PtosAlea";

}  // namespace

f_editP::f_editP()
    : PointWindow("f_editP", "Modificar puntos:"),
      Frame1(Add<ui::Frame>("Frame1")),
      cmdZm(AddArray<ui::CommandButton>("cmdZm", 2)),
      cmdRedibuja(Add<ui::CommandButton>("cmdRedibuja")) {
  Frame1.SetCaption("Zoom");
  Frame1.Move(2940, 60, 1095, 735);
  cmdZm.ForEach([&](ui::CommandButton& b, int16_t i) {
    b.SetCaption(i == 0 ? "+" : "-");
    b.SetContainer(&Frame1);
    b.Move(105 + i * 465, 270, 420, 345);
  });
  cmdZm.Handle(&ui::CommandButton::Click, [this](int16_t i) {
    if (requested_ == 0) return;
    bool amplia = i == 0;
    int32_t punto = requested_;
    if (ZoomR) ZoomR(amplia, punto);
  });
  cmdRedibuja.SetCaption("Redibuja");
  cmdRedibuja.Move(2940, 915, 1095, 375);

  txtN.Change = [this] { txtN_Change(); };
  for (int16_t i = 0; i < 2; ++i)
    cmdAv(i).Click = [this, i] { cmdAv_Click(i); };
  // The shown point again, with the edits the user made to it.
  cmdRedibuja.Click = [this] { txtN_Change(); };
  cmdBusca.Click = [this] { ToggleSearch(); };
  cmdAceptar.Click = [this] { cmdAceptar_Click(); };
  cmdCancelar.Click = [this] { Hide(); };
}

f_editP::~f_editP() = default;

void f_editP::CargaBarra(HostWindow* /*frm*/, int32_t& Nuput, Array<double>& X,
                         Array<double>& Y, Array<double>& Z,
                         Array<std::string>& Nombre, Array<std::string>& Codigo,
                         Array<int16_t>& CapaPuntos, int32_t& noCapas,
                         Array<std::string>& Capas) {
  Load();
  n_ = Nuput;
  l_ = noCapas;
  shown_ = 1;
  fraPuntos.SetCaption(CStr(n_) + " puntos");
  TakeCopies(X, Y, Z, Nombre, Codigo, CapaPuntos, Capas);
  // A change runs the handler: the fields still showing the last call's
  // point go into the new copies at the previous point first.
  txtN.SetText(CStr(shown_));
  ShowFields(1);
  // Not cleared: every call appends the names again.
  AppendLayers();
  ShowModal();
}

void f_editP::txtN_Change() {
  StoreFields(previous_);
  const int32_t k = ReadPointNumber();
  requested_ = k;
  if (CorrectPointNumber(k)) return;
  shown_ = k;
  ShowFields(k);
  int32_t name = k;
  int32_t count = n_;
  if (RetornaOpcion)
    RetornaOpcion(name, count, X_, Y_, Z_, Nombre_, Codigo_, CapaPuntos_);
  previous_ = k;
}

void f_editP::cmdAv_Click(int16_t i) {
  const int32_t k = ReadPointNumber();
  StoreFields(k);
  // An unchanged text raises no change, so no event.
  txtN.SetText(CStr(StepFrom(k, i)));
  Environment::Current().Ui().DoEvents();
}

void f_editP::cmdAceptar_Click() {
  Trapped("*Aceptar - Error nº ", [&] {
    Hide();
    Environment::Current().Ui().DoEvents();
    // No event: what is kept here travels with the next EnfocaPunto.
    AcceptFields(shown_);
    Hide();
  });
}

void f_editP::Form_Load() {
  RestorePosition(Environment::Current().Settings(), *this, kPlaceSection,
                  kPlaceKey);
  HideSearch();
}

void f_editP::Form_Unload(int16_t& /*cancel*/) {
  SavePosition(Environment::Current().Settings(), *this, kPlaceSection,
               kPlaceKey);
}

}  // namespace qdr2_Gomiat
