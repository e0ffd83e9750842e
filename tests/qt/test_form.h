// A small window with one control of every kind, laid out by its own resize
// handler as the tools' windows are, for the tests of the real windows.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "frame/environment.h"
#include "frame/ui/form.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat::qt_tests {

class f_Prueba : public ui::Form {
 public:
  f_Prueba()
      : Form("f_Prueba"),
        labNombre(Add<ui::Label>("labNombre")),
        txtNombre(Add<ui::TextBox>("txtNombre")),
        labCapa(Add<ui::Label>("labCapa")),
        cmbCapa(Add<ui::ComboBox>("cmbCapa")),
        fraTipo(Add<ui::Frame>("fraTipo")),
        optLineal(Add<ui::OptionButton>("optTipo", 0)),
        optPuntual(Add<ui::OptionButton>("optTipo", 1)),
        linMuestra(Add<ui::LineShape>("linMuestra")),
        msfResumen(Add<ui::FlexGrid>("msfResumen")),
        tblDatos(
            Add<ui::GridControl>("tblDatos", Environment::Current().NewGrid())),
        cmdRepite(Add<ui::CommandButton>("cmdRepite")),
        cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
        cmdAceptar(Add<ui::CommandButton>("cmdAceptar")) {
    SetCaption("Prueba de ventana:");
    labNombre.SetCaption("Nombre:");
    labNombre.Move(120, 165, 960, 255);
    txtNombre.Move(1140, 120, 2400, 315);
    txtNombre.Change = [this] {
      events.push_back("txtNombre=" + txtNombre.Text());
    };
    labCapa.SetCaption("Capa:");
    labCapa.Click = [this] { events.push_back("labCapa click"); };
    labCapa.DblClick = [this] { events.push_back("labCapa dbl"); };
    labCapa.Move(3720, 165, 600, 255);
    cmbCapa.Move(4380, 120, 2700, 315);
    for (const char* capa : {"0", "Muro", "Casa"}) cmbCapa.AddItem(capa);
    cmbCapa.Click = [this] { events.push_back("cmbCapa:" + cmbCapa.Text()); };
    fraTipo.SetCaption("Tipo de unión");
    fraTipo.Move(120, 600, 2400, 1080);
    optLineal.SetContainer(&fraTipo);
    optLineal.SetCaption("Lineal");
    optLineal.Move(180, 300, 2000, 255);
    optPuntual.SetContainer(&fraTipo);
    optPuntual.SetCaption("Puntual");
    optPuntual.Move(180, 660, 2000, 255);
    optLineal.SetValue(true);
    optPuntual.Click = [this] { events.push_back("optPuntual"); };
    optPuntual.DblClick = [this] { events.push_back("optPuntual dbl"); };
    linMuestra.SetLine(2760, 1140, 4440, 1140);
    linMuestra.SetBorderWidth(2);
    linMuestra.SetBorderStyle(ui::LineShape::kDash);
    msfResumen.Move(4680, 600, 2400, 1080);
    cmdRepite.SetCaption("Siguiente >");
    cmdRepite.Move(120, 0, 1245, 405);
    cmdRepite.MouseDown = [this](int16_t) { HoldToRepeat(); };
    cmdRepite.MouseUp = [this](int16_t) {
      holding = false;
      events.push_back("up");
    };
    cmdRepite.Click = [this] { events.push_back("click cmdRepite"); };
    cmdCancelar.SetCaption("Cancelar");
    cmdCancelar.SetCancel(true);
    cmdCancelar.Move(0, 0, 1245, 405);
    cmdCancelar.Click = [this] {
      accepted = false;
      events.push_back("cancel");
      Hide();
    };
    cmdAceptar.SetCaption("Aceptar");
    cmdAceptar.SetDefault(true);
    cmdAceptar.Move(0, 0, 1245, 405);
    cmdAceptar.Click = [this] {
      accepted = true;
      events.push_back("accept");
      Hide();
    };
  }

  ui::Label& labNombre;
  ui::TextBox& txtNombre;
  ui::Label& labCapa;
  ui::ComboBox& cmbCapa;
  ui::Frame& fraTipo;
  ui::OptionButton& optLineal;
  ui::OptionButton& optPuntual;
  ui::LineShape& linMuestra;
  ui::FlexGrid& msfResumen;
  ui::GridControl& tblDatos;
  ui::CommandButton& cmdRepite;
  ui::CommandButton& cmdCancelar;
  ui::CommandButton& cmdAceptar;

  bool accepted = false;
  bool refuse_close = false;
  bool holding = false;
  int passes = 0;
  std::vector<std::string> events;

 protected:
  void Form_Load() override {
    SetInnerSize(7200, 5400);
    Grid& g = tblDatos.grid();
    g.SetCols(4);
    g.SetRows(4);
    g.DefineColumn(0, false, false, kGridText, 0, 0, 0, 10, "Código");
    g.DefineColumn(1, false, false, kGridChoice, 0, 1, 0, 9, "Tipo unión");
    g.DefineColumn(2, false, false, kGridColour, 0, 1, 0, 6, "Color");
    g.DefineColumn(3, false, true, kGridNumber1, 0, 1, 0, 7, "Puntos");
    Array<std::string> tipos(0, 1);
    tipos(0) = "Lineal";
    tipos(1) = "Puntual";
    g.SetChoiceList(1, tipos);
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
    msfResumen.SetColAlignment(1, 6);
    msfResumen.SetTextMatrix(1, 0, "Puntos");
    msfResumen.SetTextMatrix(1, 1, "12");
    msfResumen.SetTextMatrix(2, 0, "Líneas");
    msfResumen.SetTextMatrix(2, 1, "3");
  }

  void Form_Resize() override {
    const int32_t sw = ScaleWidth(), sh = ScaleHeight();
    const int32_t w = cmdAceptar.Width(), h = cmdAceptar.Height();
    const int32_t top = sh - h * 12 / 10;
    cmdAceptar.Move(sw - w * 13 / 10, top, w, h);
    cmdCancelar.Move(cmdAceptar.Left() - w * 13 / 10, top, w, h);
    cmdRepite.Move(120, top, cmdRepite.Width(), h);
    tblDatos.Move(120, 1800, std::max(0, sw - 240),
                  std::max(0, top - 1800 - 90));
  }

  void Form_QueryUnload(int16_t& cancel, int16_t mode) override {
    events.push_back("QueryUnload " + std::to_string(mode));
    if (refuse_close && mode == ui::kCloseBox) cancel = 1;
  }

  void Form_Unload(int16_t&) override { events.push_back("Unload"); }

 private:
  // The hold-to-repeat loop of the arrow buttons: it turns the message
  // loop until the mouse comes up.
  void HoldToRepeat() {
    events.push_back("down");
    holding = true;
    while (holding && passes < 1000000) {
      ++passes;
      Environment::Current().Ui().DoEvents();
    }
  }
};

}  // namespace qdr2_Gomiat::qt_tests
