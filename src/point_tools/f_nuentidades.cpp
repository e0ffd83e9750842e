#include "point_tools/f_nuentidades.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/window_place.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kPlaceSection = "Entidades";
constexpr const char* kPlaceKey = "Posicion ";
constexpr int16_t kRightTop = 6;

// A count of none (or less) shows as "-".
std::string Count(int64_t c) { return c > 0 ? CStr(c) : "-"; }

}  // namespace

f_NuEntidades::f_NuEntidades()
    : ui::Form("f_NuEntidades"),
      msf_MaxMin(Add<ui::FlexGrid>("msf_MaxMin")),
      cmdDatosaceptar(Add<ui::CommandButton>("cmdDatosaceptar")),
      bt_salir(Add<ui::CommandButton>("bt_salir")) {
  SetCaption("Entidades:");
  SetSizable(false);
  SetInnerSize(4080, 2370);
  msf_MaxMin.SetRows(6);
  msf_MaxMin.SetCols(3);
  msf_MaxMin.SetFixed(1, 1);
  msf_MaxMin.font_name = "Courier New";
  msf_MaxMin.font_size = 8.25;
  msf_MaxMin.Move(120, 120, 3840, 1620);
  cmdDatosaceptar.SetCaption("Aceptar");
  cmdDatosaceptar.SetDefault(true);
  cmdDatosaceptar.Move(2865, 1875, 1095, 375);
  bt_salir.SetCaption("Cancelar");
  bt_salir.SetCancel(true);
  bt_salir.Move(1650, 1875, 1095, 375);
  // Both close the window; neither means more than the other.
  cmdDatosaceptar.Click = [this] { Unload(); };
  bt_salir.Click = [this] { Unload(); };
}

f_NuEntidades::~f_NuEntidades() = default;

void f_NuEntidades::A_Show_NuEntidades(int32_t& nPtos, int32_t& nPol,
                                       int32_t& nPpolVer, int32_t& nTri,
                                       int32_t& nCuv, int32_t& nCuvver,
                                       int32_t& nRotu) {
  Load();
  ui::FlexGrid& g = msf_MaxMin;
  g.SetFormatString("Entidades  | Cantidad | Vértices ");
  g.SetColAlignment(1, kRightTop);
  g.SetColAlignment(2, kRightTop);
  const char* const kinds[] = {"Puntos", "Polilíneas", "Triángulos", "Curvas",
                               "Texto"};
  for (int32_t r = 1; r <= 5; ++r) g.SetTextMatrix(r, 0, kinds[r - 1]);
  const int32_t counts[] = {nPtos, nPol, nTri, nCuv, nRotu};
  for (int32_t r = 1; r <= 5; ++r) g.SetTextMatrix(r, 1, Count(counts[r - 1]));
  g.SetTextMatrix(1, 2, "-");
  g.SetTextMatrix(2, 2, Count(nPpolVer));
  // Three vertices per triangle; a Long product that does not fit overflows.
  const int64_t tri_vertices = 3 * static_cast<int64_t>(nTri);
  if (tri_vertices > INT32_MAX) throw Failure(err::kOverflow);
  g.SetTextMatrix(3, 2, Count(tri_vertices));
  g.SetTextMatrix(4, 2, Count(nCuvver));
  g.SetTextMatrix(5, 2, "");
  ShowModal();
}

void f_NuEntidades::Form_Load() {
  RestorePosition(Environment::Current().Settings(), *this, kPlaceSection,
                  kPlaceKey);
}

void f_NuEntidades::Form_Unload(int16_t& /*cancel*/) {
  SavePosition(Environment::Current().Settings(), *this, kPlaceSection,
               kPlaceKey);
}

}  // namespace qdr2_Gomiat
