// The one test window both backends are checked against: a control of
// every kind, two control arrays, the navigation bar's rule for its point
// number, a failing handler, a question, a nested window and a
// hold-to-repeat pair of arrow buttons. Every handler writes a line to
// `events`, so two runs can be compared line by line.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "frame/environment.h"
#include "frame/ui/form.h"
#include "frame/ui/window_kit.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat::test {

class f_Prueba : public ui::Form {
 public:
  explicit f_Prueba(std::string caption = "Prueba de ventana:")
      : Form("f_Prueba"),
        txtNombre(Add<ui::TextBox>("txtNombre")),
        txtN(Add<ui::TextBox>("txtN")),
        labCapa(Add<ui::Label>("labCapa")),
        cmbCapa(Add<ui::ComboBox>("cmbCapa")),
        fraTipo(Add<ui::Frame>("fraTipo")),
        optTipo(AddArray<ui::OptionButton>("optTipo", 2)),
        msfResumen(Add<ui::FlexGrid>("msfResumen")),
        tblDatos(
            Add<ui::GridControl>("tblDatos", Environment::Current().NewGrid())),
        cmdAv(AddArray<ui::CommandButton>("cmdAv", 2)),
        cmdFalla(Add<ui::CommandButton>("cmdFalla")),
        cmdBorrar(Add<ui::CommandButton>("cmdBorrar")),
        cmdOtra(Add<ui::CommandButton>("cmdOtra")),
        cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
        cmdAceptar(Add<ui::CommandButton>("cmdAceptar")),
        caption_(std::move(caption)) {
    tblDatos.Move(120, 2400, 6960, 2400);
    txtNombre.Move(1140, 120, 2400, 315);
    txtNombre.Change = [this] { Log("txtNombre " + txtNombre.Text()); };
    txtN.Move(3720, 600, 800, 315);
    // The navigation bar's rule: below 1 becomes "1", above N becomes N.
    txtN.Change = [this] {
      Log("txtN " + txtN.Text());
      const long k = std::atol(txtN.Text().c_str());
      if (k < 1)
        txtN.SetText("1");
      else if (k > points)
        txtN.SetText(std::to_string(points));
    };
    labCapa.SetCaption("Capa:");
    labCapa.Move(3720, 165, 600, 255);
    labCapa.Click = [this] { Log("labCapa click"); };
    labCapa.DblClick = [this] { Log("labCapa dbl"); };
    cmbCapa.Move(4380, 120, 2700, 315);
    for (const char* capa : {"0", "Muro", "Casa"}) cmbCapa.AddItem(capa);
    cmbCapa.Click = [this] { Log("cmbCapa click " + cmbCapa.Text()); };
    cmbCapa.Change = [this] { Log("cmbCapa change " + cmbCapa.Text()); };
    fraTipo.SetCaption("Tipo de unión");
    fraTipo.Move(120, 600, 2400, 1080);
    optTipo.ForEach([&](ui::OptionButton& o, int16_t i) {
      o.SetContainer(&fraTipo);
      o.SetCaption(i == 0 ? "Lineal" : "Puntual");
      o.Move(180, 300 + 360 * i, 2000, 255);
    });
    optTipo(0).SetValue(true);
    optTipo.Handle(&ui::OptionButton::Click,
                   [this](int16_t i) { Log("optTipo click " + Str(i)); });
    optTipo.Handle(&ui::Control::DblClick,
                   [this](int16_t i) { Log("optTipo dbl " + Str(i)); });
    msfResumen.Move(4680, 600, 2400, 1080);
    cmdAv.ForEach([&](ui::CommandButton& b, int16_t i) {
      b.SetCaption(i == 0 ? "<" : ">");
      b.Move(4680 + 600 * i, 1800, 495, 405);
    });
    cmdAv.Handle(&ui::CommandButton::MouseDown,
                 [this](int16_t i, int16_t) { Log("cmdAv down " + Str(i)); });
    cmdAv.Handle(&ui::CommandButton::Repeat, [this](int16_t i) {
      ++repeats;
      Log("cmdAv repeat " + Str(i));
    });
    cmdAv.Handle(&ui::CommandButton::MouseUp,
                 [this](int16_t i, int16_t) { Log("cmdAv up " + Str(i)); });
    cmdAv.Handle(&ui::CommandButton::Click,
                 [this](int16_t i) { Log("cmdAv click " + Str(i)); });
    cmdFalla.SetCaption("Falla");
    cmdFalla.Move(120, 1800, 1245, 405);
    cmdFalla.Click = [this] {
      Log("cmdFalla click");
      throw Failure(err::kSubscript);
    };
    cmdBorrar.SetCaption("Borrar");
    cmdBorrar.Move(1440, 1800, 1245, 405);
    cmdBorrar.Click = [this] {
      const int32_t answer = Environment::Current().Ui().MsgBox(
          "¿Borrar el nombre?", ui::mb::kYesNo + ui::mb::kExclamation,
          "Borrar");
      Log("answer " + Str(answer));
      if (answer == ui::mb::kYes) txtNombre.SetText("");
    };
    cmdOtra.SetCaption("Otra");
    cmdOtra.Move(2760, 1800, 1245, 405);
    cmdOtra.Click = [this] {
      nested = std::make_unique<f_Prueba>("Otra");
      nested->ShowModal();
      Log("nested closed, accepted " + Str(nested->accepted) + ", text " +
          nested->txtNombre.Text());
      nested->Unload();
    };
    cmdCancelar.SetCaption("Cancelar");
    cmdCancelar.SetCancel(true);
    cmdCancelar.Click = [this] {
      Log("cancel");
      accepted = false;
      Hide();
    };
    cmdAceptar.SetCaption("Aceptar");
    cmdAceptar.SetDefault(true);
    cmdAceptar.Click = [this] {
      Log("accept");
      accepted = true;
      Hide();
    };
  }

  // A code, a choice of joining, a colour and a read-only count.
  static void DefineColumns(Grid& g) {
    g.SetCols(4);
    g.DefineColumn(0, false, false, kGridText, 0, 0, 0, 10, "Código");
    g.DefineColumn(1, false, false, kGridChoice, 0, 1, 0, 9, "Tipo unión");
    g.DefineColumn(2, false, false, kGridColour, 0, 1, 0, 6, "Color");
    g.DefineColumn(3, false, true, kGridNumber1, 0, 1, 0, 7, "Puntos");
    Array<std::string> kinds(0, 1);  // from 0: no empty choice
    kinds(0) = "Lineal";
    kinds(1) = "Puntual";
    g.SetChoiceList(1, kinds);
  }

  void Log(const std::string& line) { events.push_back(line); }
  static std::string Str(long v) { return std::to_string(v); }

  ui::TextBox& txtNombre;
  ui::TextBox& txtN;
  ui::Label& labCapa;
  ui::ComboBox& cmbCapa;
  ui::Frame& fraTipo;
  ui::ControlArray<ui::OptionButton> optTipo;
  ui::FlexGrid& msfResumen;
  ui::GridControl& tblDatos;
  ui::ControlArray<ui::CommandButton> cmdAv;
  ui::CommandButton& cmdFalla;
  ui::CommandButton& cmdBorrar;
  ui::CommandButton& cmdOtra;
  ui::CommandButton& cmdCancelar;
  ui::CommandButton& cmdAceptar;

  long points = 5;  // N of the rule of txtN
  bool accepted = false;
  bool refuse_close = false;
  int repeats = 0;
  int loads = 0;
  int resizes = 0;
  std::vector<std::string> events;
  std::unique_ptr<f_Prueba> nested;

  using ui::Form::SetSizable;

 protected:
  void Form_Load() override {
    ++loads;
    SetCaption(caption_);
    SetInnerSize(7200, 5400);  // no resize event while loading
    Grid& g = tblDatos.grid();
    DefineColumns(g);
    g.SetRows(4);
    g.FileOptions("c_Gomiat Prueba", "Prueba", "*.crq");
    g.Complete();
    const char* codes[] = {"CASA", "MURO", "ARBOL"};
    const int32_t colours[] = {255, 65535, 32768};
    for (int32_t r = 1; r <= 3; ++r) {
      g.SetText(r, 0, codes[r - 1]);
      g.SetText(r, 1, r == 3 ? "Puntual" : "Lineal");
      g.SetColour(r, 2, colours[r - 1]);
      g.SetText(r, 3, r * 4);
    }
    g.SetCurrentRow(1);
    msfResumen.SetFormatString("Entidad |Cant.|Vért.");
    msfResumen.SetRows(3);
  }

  void Form_Resize() override {
    ++resizes;
    ui::LayoutGridAndButtons(*this, tblDatos,
                             {.first = &cmdAceptar, .second = &cmdCancelar});
  }

  void Form_QueryUnload(int16_t& cancel, int16_t mode) override {
    Log("QueryUnload " + Str(mode));
    if (refuse_close) cancel = 1;
  }

  void Form_Unload(int16_t&) override { Log("Unload"); }

 private:
  std::string caption_;
};

}  // namespace qdr2_Gomiat::test
