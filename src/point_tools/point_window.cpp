#include "point_tools/point_window.h"

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/ui/window_kit.h"

namespace qdr2_Gomiat {

namespace {

// Design places (twips), inside the frames where a control sits in one.
constexpr int32_t kInnerWidth = 4110;
constexpr int32_t kFieldsLeft = 60, kFieldsTop = 60;
constexpr int32_t kFieldsWidth = 2760, kFieldsHeight = 2805;
constexpr int32_t kLabelLeft = 120, kLabelWidth = 690;
constexpr int32_t kBoxLeft = 840, kBoxWidth = 1800, kBoxHeight = 315;
constexpr int32_t kFirstRow = 255, kRowStep = 360;
constexpr int32_t kButtonWidth = 1095, kButtonHeight = 375;
constexpr int32_t kSearchTop = 2925, kSearchWidth = 3975,
                  kSearchFrameHeight = 1020;

int32_t RowTop(int row) { return kFirstRow + row * kRowStep; }

}  // namespace

PointWindow::PointWindow(std::string name, const std::string& caption)
    : ui::Form(std::move(name)),
      fraPuntos(Add<ui::Frame>("fraPuntos")),
      Label1(Add<ui::Label>("Label1")),
      txtN(Add<ui::TextBox>("txtN")),
      cmdAv(AddArray<ui::CommandButton>("cmdAv", 2)),
      labNombre(Add<ui::Label>("labNombre")),
      txtNom(Add<ui::TextBox>("txtNom")),
      labX(Add<ui::Label>("labX")),
      txtX(Add<ui::TextBox>("txtX")),
      labY(Add<ui::Label>("labY")),
      txtY(Add<ui::TextBox>("txtY")),
      labZ(Add<ui::Label>("labZ")),
      txtZ(Add<ui::TextBox>("txtZ")),
      labCodigo(Add<ui::Label>("labCodigo")),
      txtcod(Add<ui::TextBox>("txtcod")),
      labCapa(Add<ui::Label>("labCapa")),
      cmbCapa(Add<ui::ComboBox>("cmbCapa")),
      cmdBusca(Add<ui::CommandButton>("cmdBusca")),
      fraBusca(Add<ui::Frame>("fraBusca")),
      cmbBusca(Add<ui::Label>("cmbBusca")),
      txtBucaNom(Add<ui::TextBox>("txtBucaNom")),
      cbxBucar(Add<ui::ComboBox>("cbxBucar")),
      labExix(Add<ui::Label>("labExix")),
      cmdAceptar(Add<ui::CommandButton>("cmdAceptar")),
      cmdCancelar(Add<ui::CommandButton>("cmdCancelar")) {
  SetCaption(caption);
  SetInnerSize(kInnerWidth, kHeight - ui::kBorderHeight);

  fraPuntos.SetCaption("Datos:");
  fraPuntos.Move(kFieldsLeft, kFieldsTop, kFieldsWidth, kFieldsHeight);
  struct Row {
    ui::Label& label;
    const char* caption;
    ui::Control& box;
  };
  const Row rows[] = {
      {Label1, "Nº:", txtN},      {labNombre, "Nombre:", txtNom},
      {labX, "X:", txtX},         {labY, "Y:", txtY},
      {labZ, "Z:", txtZ},         {labCodigo, "Código:", txtcod},
      {labCapa, "Capa:", cmbCapa}};
  int row = 0;
  for (const Row& r : rows) {
    r.label.SetCaption(r.caption);
    r.label.SetContainer(&fraPuntos);
    r.label.Move(kLabelLeft, RowTop(row) + 45, kLabelWidth, 255);
    r.box.SetContainer(&fraPuntos);
    r.box.Move(kBoxLeft, RowTop(row), kBoxWidth, kBoxHeight);
    ++row;
  }
  // The number leaves room for the arrows beside it.
  txtN.SetWidth(750);
  cmdAv.ForEach([&](ui::CommandButton& b, int16_t i) {
    b.SetCaption(i == 0 ? "<" : ">");
    b.SetContainer(&fraPuntos);
    b.Move(1650 + i * 525, RowTop(0), 465, kBoxHeight);
  });

  cmdBusca.SetCaption("Buscar");
  cmdBusca.Move(2940, 1410, kButtonWidth, kButtonHeight);

  fraBusca.SetCaption("Buscar:");
  fraBusca.Move(kFieldsLeft, kSearchTop, kSearchWidth, kSearchFrameHeight);
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &cmbBusca, &txtBucaNom, &cbxBucar, &labExix})
    c->SetContainer(&fraBusca);
  cmbBusca.SetCaption("nombre:");
  cmbBusca.Move(kLabelLeft, 300, kLabelWidth, 255);
  txtBucaNom.Move(kBoxLeft, 255, 1500, kBoxHeight);
  cbxBucar.Move(2430, 255, 1425, kBoxHeight);
  labExix.SetCaption("Nº repetidos");
  labExix.Move(kLabelLeft, 660, 3735, 255);

  cmdAceptar.SetCaption("Aceptar");
  cmdCancelar.SetCaption("Cancelar");
  cmdCancelar.SetCancel(true);
  cmdAceptar.Move(0, 0, kButtonWidth, kButtonHeight);
  cmdCancelar.Move(0, 0, kButtonWidth, kButtonHeight);
  PointWindow::Form_Resize();  // design places: the layout at design size
}

PointWindow::~PointWindow() = default;

void PointWindow::TakeCopies(Array<double>& X, Array<double>& Y,
                             Array<double>& Z, Array<std::string>& Nombre,
                             Array<std::string>& Codigo,
                             Array<int16_t>& CapaPuntos,
                             Array<std::string>& Capas) {
  X_ = X;
  Y_ = Y;
  Z_ = Z;
  Nombre_ = Nombre;
  Codigo_ = Codigo;
  CapaPuntos_ = CapaPuntos;
  Capas_ = Capas;
}

void PointWindow::ShowFields(int32_t k) {
  NumberTextService& numbers = Environment::Current().Numbers();
  txtNom.SetText(Nombre_(k));
  txtX.SetText(numbers.NumeroATexto(X_(k), 3, 0));
  txtY.SetText(numbers.NumeroATexto(Y_(k), 3, 0));
  txtZ.SetText(numbers.NumeroATexto(Z_(k), 3, 0));
  txtcod.SetText(Codigo_(k));
  cmbCapa.SetText(Capas_(CapaPuntos_(k)));
}

void PointWindow::StoreFields(int32_t p) {
  if (p < 1) return;
  WriteFields(p);
}

void PointWindow::WriteFields(int32_t p) {
  NumberTextService& numbers = Environment::Current().Numbers();
  Nombre_(p) = txtNom.Text();
  X_(p) = numbers.TextoANumero(txtX.Text());
  Y_(p) = numbers.TextoANumero(txtY.Text());
  Z_(p) = numbers.TextoANumero(txtZ.Text());
  Codigo_(p) = txtcod.Text();
}

void PointWindow::AcceptFields(int32_t p) {
  WriteFields(p);
  const std::string layer = cmbCapa.Text();
  for (int32_t i = 1; i <= l_; ++i)
    if (Capas_(i) == layer) {
      CapaPuntos_(p) = CInt(i);
      return;
    }
  if (CapaPuntos_(p) == 0) CapaPuntos_(p) = 1;
}

void PointWindow::AppendLayers() {
  for (int32_t i = 1; i <= l_; ++i) cmbCapa.AddItem(Capas_(i));
}

int32_t PointWindow::ReadPointNumber() const {
  return CLng(Environment::Current().Numbers().TextoANumero(txtN.Text()));
}

bool PointWindow::CorrectPointNumber(int32_t k) {
  if (k < 1) {
    txtN.SetText("1");
    return true;
  }
  if (k > n_) {
    txtN.SetText(CStr(n_));
    return true;
  }
  return false;
}

int32_t PointWindow::StepFrom(int32_t k, int16_t i) const {
  // 64 bits: a step from either end of the range must not overflow.
  int64_t next = static_cast<int64_t>(k) + (i == 0 ? -1 : 1);
  if (i == 0 && next < 1) next = n_;
  if (i != 0 && next > n_) next = 1;
  return static_cast<int32_t>(next);
}

void PointWindow::ToggleSearch() {
  if (!fraBusca.Visible()) {
    fraBusca.SetVisible(true);
    Move(Left(), Top(), Width(), kSearchHeight);
    txtBucaNom.SetText(txtNom.Text());
  } else {
    HideSearch();
  }
}

void PointWindow::HideSearch() {
  fraBusca.SetVisible(false);
  Move(Left(), Top(), Width(), kHeight);
}

void PointWindow::Form_Resize() {
  ui::LayoutBottomRow(*this, {.first = &cmdAceptar, .second = &cmdCancelar});
}

}  // namespace qdr2_Gomiat
