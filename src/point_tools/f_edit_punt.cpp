#include "point_tools/f_edit_punt.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/window_kit.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kApp = "Landrix";
constexpr const char* kPlaceSection = "Editor de puntos ";

}  // namespace

f_Edit_Punt::f_Edit_Punt() : PointWindow("f_Edit_Punt", "Valores del punto:") {
  // No zoom and no redraw here: the search button takes the top.
  cmdBusca.SetTop(150);

  txtN.Change = [this] { txtN_Change(); };
  txtBucaNom.Change = [this] { txtBucaNom_Change(); };
  // The arrows step on the press, not on the click, and again while held.
  cmdAv.ForEach(
      [](ui::CommandButton& b, int16_t) { b.SetRepeatPasses(kRepeatPasses); });
  cmdAv.Handle(&ui::CommandButton::MouseDown,
               [this](int16_t, int16_t) { held_point_ = ReadPointNumber(); });
  cmdAv.Handle(&ui::CommandButton::Repeat,
               [this](int16_t i) { cmdAv_Repeat(i); });
  cbxBucar.Click = [this] { txtN.SetText(cbxBucar.Text()); };
  cmdBusca.Click = [this] { ToggleSearch(); };
  cmdAceptar.Click = [this] { cmdAceptar_Click(); };
  cmdCancelar.Click = [this] {
    accepted_ = false;
    Hide();
  };
}

f_Edit_Punt::~f_Edit_Punt() = default;

void f_Edit_Punt::A_Editor_Punto(int32_t& punto, int32_t& Nopun,
                                 Array<double>& X, Array<double>& Y,
                                 Array<double>& Z, Array<std::string>& Nombre,
                                 Array<std::string>& Codigo,
                                 Array<int16_t>& CapaPuntos, int32_t& noCapas,
                                 Array<std::string>& Capas) {
  // A failure leaves the loading flag set: for the rest of the call neither
  // txtN nor the search reacts.
  Trapped("*Editor Punto A - Error nº ", [&] {
    n_ = Nopun;
    l_ = noCapas;
    shown_ = punto;
    fraPuntos.SetCaption(CStr(n_) + " puntos");
    TakeCopies(X, Y, Z, Nombre, Codigo, CapaPuntos, Capas);
    loading_ = true;
    txtN.SetText(CStr(punto));
    ShowFields(punto);
    AppendLayers();
    // No event for the first point.
    loading_ = false;
  });
}

void f_Edit_Punt::A_PuntosCambiados(int32_t& punto, int32_t& Nopun,
                                    Array<double>& X, Array<double>& Y,
                                    Array<double>& Z,
                                    Array<std::string>& Nombre,
                                    Array<std::string>& Codigo,
                                    Array<int16_t>& CapaPuntos) {
  punto = shown_;
  Nopun = n_;
  X = X_;
  Y = Y_;
  Z = Z_;
  Nombre = Nombre_;
  Codigo = Codigo_;
  CapaPuntos = CapaPuntos_;
}

void f_Edit_Punt::RaisePoint(int32_t k) {
  int32_t punto = k;
  if (PuntoMostrado) PuntoMostrado(punto);
}

// Unlike the navigation bar, nothing is stored when the point changes.
void f_Edit_Punt::txtN_Change() {
  if (loading_) return;
  const int32_t k = ReadPointNumber();
  if (CorrectPointNumber(k)) return;
  shown_ = k;
  ShowFields(k);
  RaisePoint(k);
}

void f_Edit_Punt::cmdAv_Repeat(int16_t i) {
  held_point_ = StepFrom(held_point_, i);
  // The change handler shows the point and raises the event.
  txtN.SetText(CStr(held_point_));
}

void f_Edit_Punt::txtBucaNom_Change() {
  if (loading_) return;
  cbxBucar.Clear();
  cbxBucar.SetEnabled(false);
  const std::string& name = txtBucaNom.Text();
  int32_t m = 0;
  for (int32_t i = 1; i <= n_; ++i) {
    if (Nombre_(i) != name) continue;
    if (m == 0) {
      // The first namesake is shown at once.
      txtN.SetText(CStr(i));
      cbxBucar.SetText(CStr(i));
    }
    ++m;
    cbxBucar.AddItem(CStr(i));
  }
  labExix.SetEnabled(false);
  if (m == 0)
    labExix.SetCaption("El nombre no existe");
  else if (m > 1)
    labExix.SetCaption("Hay " + CStr(m) + " repetidos.");
  else
    labExix.SetCaption("No hay repetidos.");
  labExix.SetEnabled(true);
  cbxBucar.SetEnabled(true);
}

void f_Edit_Punt::cmdAceptar_Click() {
  Trapped("*Aceptar Pun - Error nº ", [&] {
    accepted_ = true;
    Hide();
    Environment::Current().Ui().DoEvents();
    AcceptFields(shown_);
    RaisePoint(shown_);
    Hide();
  });
}

void f_Edit_Punt::Form_Load() {
  cbxBucar.SetEnabled(false);
  SettingsStore& settings = Environment::Current().Settings();
  const ui::ScreenFifth fifth = ui::FifthOfScreen();
  const std::string left =
      settings.GetSetting(kApp, kPlaceSection, "Left", CStr(fifth.left));
  const std::string top =
      settings.GetSetting(kApp, kPlaceSection, "Top", CStr(fifth.top));
  Move(CLngText(left), CLngText(top), Width(), Height());
  HideSearch();
}

void f_Edit_Punt::Form_Unload(int16_t& /*cancel*/) {
  SettingsStore& settings = Environment::Current().Settings();
  settings.SaveSetting(kApp, kPlaceSection, "Left", CStr(Left()));
  settings.SaveSetting(kApp, kPlaceSection, "Top", CStr(Top()));
}

}  // namespace qdr2_Gomiat
