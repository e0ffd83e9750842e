#include "tool_actions.h"

#include <algorithm>
#include <cmath>

#include "frame/environment.h"

namespace host {

namespace {

template <class T>
bool Has(const q::Array<T>& a, int32_t i) {
  return a.IsAllocated() && i >= a.LBound() && i <= a.UBound();
}

std::string Count(int32_t n, const char* what) {
  return std::to_string(n) + " " + what;
}

}  // namespace

std::vector<ErrorEntry> ReadErrorHistory() {
  q::SettingsStore& s = q::Environment::Current().Settings();
  const std::string app = "Landrix";
  int32_t count = 0;
  try {
    count = std::stoi(s.GetSetting(app, "Errores", "Cantidad", "0"));
  } catch (const std::exception&) {
    count = 0;  // not a number: nothing we can list
  }
  std::vector<ErrorEntry> out;
  // The log keeps at most 11 entries.
  for (int32_t n = 1; n <= std::min(count, 11); ++n) {
    const std::string key = std::to_string(n);
    out.push_back({n, s.GetSetting(app, "ErroresF", key, ""),
                   s.GetSetting(app, "Errores", key, ""),
                   s.GetSetting(app, "ErroresD", key, "")});
  }
  return out;
}

ToolActions::ToolActions(HostModel& model, ViewHooks& view, q::ProgressBar* bar,
                         q::HostWindow* window)
    : model_(model), view_(view), bar_(bar), window_(window) {}

ToolActions::~ToolActions() {
  if (navigation_) navigation_->SetEventSink(nullptr);
}

std::string ToolActions::RunSketch(bool show_code_table) {
  auto sketch =
      q::CreateObjectAs<q::c_Autocroquis>("qdr2_Gomiat.c_Autocroquis");
  sketch->A_Ver_Codigos = show_code_table;
  const std::vector<std::string> old_layers = model_.LayerNames();
  int32_t nPolis = 0, NoCodig = 0, nCapas = model_.noCapas;
  q::StrArray Capas = model_.Capas;
  q::IntArray CapaP(0, model_.Nopun);
  q::Array<q::T_ConexAutocro> Polis;
  q::LngArray Colo;
  q::IntArray TpLin;
  bool Cancela = false;
  sketch->A_Autocroquis5(nPolis, CapaP, Polis, NoCodig, model_.Codigo, nCapas,
                         Capas, Colo, TpLin, Cancela);
  if (Cancela) return "Automatic sketch cancelled";
  if (nCapas < 1 || !Has(Capas, nCapas))
    return "The automatic sketch returned no layers";
  // The layers it added take its colours and line types; the host's own
  // keep theirs where it gave none.
  model_.noCapas = nCapas;
  model_.Capas = std::move(Capas);
  model_.AlignLayerAttributes(old_layers);
  for (int32_t k = 1; k <= nCapas; ++k) {
    const bool added = k > static_cast<int32_t>(old_layers.size());
    if (Has(Colo, k) && (Colo(k) != 0 || added)) model_.colorr(k) = Colo(k);
    if (Has(TpLin, k) && (TpLin(k) != 0 || added)) model_.Tipolin(k) = TpLin(k);
  }
  for (int32_t i = 1; i <= model_.Nopun; ++i)
    if (Has(CapaP, i) && CapaP(i) >= 1 && CapaP(i) <= nCapas)
      model_.CapaPuntos(i) = CapaP(i);
  model_.nPolis = std::max(nPolis, 0);
  model_.Polis = std::move(Polis);
  model_.NormalisePoints();
  model_.UpdateDrawingCounts();
  view_.ModelChanged();
  return "Automatic sketch: " + Count(NoCodig, "codes") + ", " +
         Count(model_.nPolis, "polylines") + ", " +
         Count(model_.noCapas, "layers");
}

void ToolActions::AfterPointsRewritten(
    const std::vector<std::string>& old_layers) {
  PointsReplaced();
  model_.AlignLayerAttributes(old_layers);
  model_.NormalisePoints();
  model_.UpdateDrawingCounts();
  view_.MarkPoint(0);
  view_.ModelChanged();
}

std::string ToolActions::EditPoints(bool excel) {
  auto puntos = q::CreateObjectAs<q::c_Puntos>("qdr2_Gomiat.c_Puntos");
  if (excel) {
    // The Excel layout keeps points and layers only: ask first.
    bool BorrarTodo = false;
    int32_t nPolis = model_.nPolis, nCurvas = model_.nCurvas,
            nTri = model_.nTriangulos;
    puntos->Valores_actuales(nPolis, nCurvas, nTri, BorrarTodo);
    if (!puntos->Abortar) return "Points editor not opened";
    if (BorrarTodo) {
      model_.nPolis = 0;
      model_.Polis.Redim(0, 0);
      model_.nCurvas = model_.nCurvasVx = model_.nTriangulos = 0;
      model_.UpdateDrawingCounts();
      view_.ModelChanged();
    }
  }
  const std::vector<std::string> old_layers = model_.LayerNames();
  bool ValorO = false;
  puntos->A_Editor_Puntos(model_.Nopun, model_.X, model_.Y, model_.Z,
                          model_.Nombre, model_.Codigo, model_.Nivel,
                          model_.CapaPuntos, model_.noCapas, model_.Capas, bar_,
                          ValorO);
  if (!puntos->Abortar) return "Points editor cancelled";
  AfterPointsRewritten(old_layers);
  return "Points editor: " + Count(model_.Nopun, "points") + ", " +
         Count(model_.noCapas, "layers");
}

std::string ToolActions::EditPointsCompact() {
  auto area = q::CreateObjectAs<q::c_Area>("qdr2_Gomiat.c_Area");
  const std::vector<std::string> old_layers = model_.LayerNames();
  area->A_Editor_Puntos(model_.Nopun, model_.X, model_.Y, model_.Z,
                        model_.Nombre, model_.Codigo, model_.Nivel,
                        model_.CapaPuntos, model_.noCapas, model_.Capas, bar_);
  // No flag tells whether it wrote back: take the arrays as they are.
  AfterPointsRewritten(old_layers);
  return "Points: " + Count(model_.Nopun, "points");
}

std::string ToolActions::EditLayers() {
  auto capas = q::CreateObjectAs<q::c_Capas>("qdr2_Gomiat.c_Capas");
  LayerCounts c = model_.CountsPerLayer();
  capas->A_Editor_Capas3(model_.noCapas, model_.Capas, model_.Estado,
                         model_.colorr, model_.grosor, model_.Tipolin,
                         model_.Principal, c.PunCp, c.PolCp, c.PlVCp, c.texCp);
  if (!capas->A_vale) return "Layer editor cancelled";
  // The editor rewrote the five arrays to the new count, by index: the
  // points keep their layers.
  model_.FitLayerArrays();
  view_.StyleChanged();
  return "Layers: " + Count(model_.noCapas, "layers");
}

std::string ToolActions::EditDrawings() {
  auto dibujos = q::CreateObjectAs<q::c_dibujos>("qdr2_Gomiat.c_dibujos");
  model_.UpdateDrawingCounts();
  dibujos->A_Dibujos(model_.NoDib, model_.DibNombres, model_.DibCarpeta,
                     model_.DibPtos, model_.DibPoli, model_.DibTri,
                     model_.DibTex, model_.DibFoto, model_.DibBloq);
  if (!dibujos->A_vale) return "Drawings editor cancelled";
  model_.NoDib = std::max(model_.NoDib, 0);
  model_.UpdateDrawingCounts();
  return "Drawings: " + Count(model_.NoDib, "drawings");
}

std::string ToolActions::PickLineStyle(int32_t polyline) {
  const int32_t layer = model_.PolylineLayer(polyline);
  if (layer < 1 || layer > model_.noCapas)
    return "Pick a polyline first (click on it)";
  auto tipolin = q::CreateObjectAs<q::c_Tipolin>("qdr2_Gomiat.c_Tipolin");
  auto estilo = static_cast<int16_t>(model_.LayerLineType(layer));
  // The picker's thicknesses 0..4 are 1..5 pixels; the layer's are pixels.
  auto grosor =
      static_cast<float>(std::clamp(model_.LayerThickness(layer) - 1, 0, 4));
  bool CAMBIA = false;
  tipolin->Tipolin(estilo, grosor, CAMBIA);
  if (!CAMBIA) return "Line style unchanged";
  model_.Tipolin(layer) = std::clamp<int32_t>(estilo, 0, 4);
  model_.grosor(layer) =
      static_cast<int32_t>(std::lround(std::clamp(grosor, 0.0f, 4.0f))) + 1;
  view_.StyleChanged();
  return "Layer " + model_.LayerName(layer) + ": line style changed";
}

std::string ToolActions::Navigate() {
  if (model_.Nopun < 1) return "No points to walk through";
  if (!navigation_ || navigation_version_ != points_version_) {
    navigation_.reset();
    navigation_ = q::CreateObjectAs<q::c_editP>("qdr2_Gomiat.c_editP");
    navigation_->SetEventSink(this);
    navigation_version_ = points_version_;
  }
  navigation_point_ = 0;
  navigation_->CargaBarraDibujo(
      window_, model_.Nopun, model_.X, model_.Y, model_.Z, model_.Nombre,
      model_.Codigo, model_.CapaPuntos, model_.noCapas, model_.Capas);
  return "Navigation bar closed";
}

void ToolActions::EnfocaPunto(int32_t& Name, int32_t& nPtos, q::DblArray& X,
                              q::DblArray& Y, q::DblArray& Z,
                              q::StrArray& Nombre, q::StrArray& Codigo,
                              q::IntArray& CapaPuntos) {
  (void)nPtos;
  // The window stores the fields of the point it leaves before it tells:
  // the point left and the point shown carry the edits.
  bool moved = false;
  for (int32_t p : {navigation_point_, Name}) {
    if (p < 1 || p > model_.Nopun) continue;
    if (Has(X, p) && Has(Y, p)) {
      moved |= X(p) != model_.X(p) || Y(p) != model_.Y(p);
      model_.X(p) = X(p);
      model_.Y(p) = Y(p);
    }
    if (Has(Z, p)) model_.Z(p) = Z(p);
    if (Has(Nombre, p)) model_.Nombre(p) = Nombre(p);
    if (Has(Codigo, p)) model_.Codigo(p) = Codigo(p);
    if (Has(CapaPuntos, p)) {
      moved |= CapaPuntos(p) != model_.CapaPuntos(p);  // the index keeps it
      model_.CapaPuntos(p) = CapaPuntos(p);
    }
  }
  navigation_point_ = Name;
  if (moved) view_.ModelChanged();
  view_.CentreOn(Name);
  view_.MarkPoint(Name);
}

void ToolActions::Zoom(bool& amplia, int32_t& punto) {
  view_.ZoomOnPoint(amplia, punto);
}

std::string ToolActions::EditPoint(int32_t point) {
  if (point < 1 || point > model_.Nopun) return "No point picked";
  auto editor = q::CreateObjectAs<q::c_EditorPun>("qdr2_Gomiat.c_EditorPun");
  editor->SetEventSink(this);
  bool redibuja = false;
  int32_t punto = point;
  editor->A_Editor_Punto(punto, model_.Nopun, model_.X, model_.Y, model_.Z,
                         model_.Nombre, model_.Codigo, model_.CapaPuntos,
                         model_.noCapas, model_.Capas, redibuja);
  editor->SetEventSink(nullptr);
  if (!redibuja) return "Point editor cancelled";
  PointsReplaced();
  model_.NormalisePoints();
  view_.ModelChanged();
  view_.MarkPoint(punto);
  return "Point " + model_.PointName(punto) + " saved";
}

void ToolActions::DibujaPunto(int32_t& punto) { view_.MarkPoint(punto); }

std::string ToolActions::ShowEntities() {
  auto counts =
      q::CreateObjectAs<q::c_NuEntidades>("qdr2_Gomiat.c_NuEntidades");
  q::udt_Entidades e = model_.Entities();
  counts->A_Show_Entidades(e);  // its failures reach us: the caller shows them
  return "Entities: " + Count(e.Ptos, "points") + ", " +
         Count(e.Poli, "polylines");
}

}  // namespace host
