// A small window for driving the window model and the scripted user: a text
// box, accept/cancel buttons, two option groups, a question in a message
// box, a nested dialog and a hold-to-repeat button.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame/environment.h"
#include "frame/ui/controls.h"
#include "frame/ui/form.h"

namespace qdr2_Gomiat::test {

class TestDialog : public ui::Form {
 public:
  explicit TestDialog(std::string caption = "Prueba")
      : ui::Form("frmPrueba"),
        txtNombre(Add<ui::TextBox>("txtNombre")),
        cmbLista(Add<ui::ComboBox>("cmbLista")),
        fraGrupo(Add<ui::Frame>("fraGrupo")),
        optDentro0(Add<ui::OptionButton>("optDentro", 0)),
        optDentro1(Add<ui::OptionButton>("optDentro", 1)),
        optFuera0(Add<ui::OptionButton>("optFuera", 0)),
        optFuera1(Add<ui::OptionButton>("optFuera", 1)),
        labAyuda(Add<ui::Label>("labAyuda")),
        cmdBorrar(Add<ui::CommandButton>("cmdBorrar")),
        cmdOtra(Add<ui::CommandButton>("cmdOtra")),
        cmdAv(Add<ui::CommandButton>("cmdAv", 1)),
        cmdAceptar(Add<ui::CommandButton>("cmdAceptar")),
        cmdCancelar(Add<ui::CommandButton>("cmdCancelar")),
        caption_(std::move(caption)) {
    optDentro0.SetContainer(&fraGrupo);
    optDentro1.SetContainer(&fraGrupo);
    cmdAceptar.SetDefault(true);
    cmdCancelar.SetCancel(true);
    for (const char* item : {"uno", "dos", "tres"}) cmbLista.AddItem(item);

    txtNombre.Change = [this] { Log("txtNombre_Change " + txtNombre.Text()); };
    txtNombre.GotFocus = [this] { ++got_focus; };
    cmbLista.Click = [this] { Log("cmbLista_Click " + cmbLista.Text()); };
    optDentro0.Click = [this] { Log("optDentro_Click 0"); };
    optDentro1.Click = [this] { Log("optDentro_Click 1"); };
    optFuera0.Click = [this] { Log("optFuera_Click 0"); };
    optFuera1.Click = [this] { Log("optFuera_Click 1"); };
    labAyuda.Click = [this] { Log("labAyuda_Click"); };
    labAyuda.DblClick = [this] { Log("labAyuda_DblClick"); };
    cmdAceptar.Click = [this] {
      Log("cmdAceptar_Click");
      accepted = true;
      Hide();
    };
    cmdCancelar.Click = [this] {
      Log("cmdCancelar_Click");
      accepted = false;
      Hide();
    };
    cmdBorrar.Click = [this] {
      const int32_t answer = Environment::Current().Ui().MsgBox(
          "¿Borrar el nombre?", ui::mb::kYesNo + ui::mb::kExclamation,
          "Borrar");
      Log("answer " + std::to_string(answer));
      if (answer == ui::mb::kYes) txtNombre.SetText("");
    };
    cmdOtra.Click = [this] {
      nested = std::make_unique<TestDialog>("Otra");
      nested->ShowModal();
      Log(std::string("nested closed, accepted ") +
          (nested->accepted ? "1" : "0") + ", text " +
          nested->txtNombre.Text());
      nested->Unload();
    };
    // Hold to repeat: steps while the mouse is down, letting messages run.
    cmdAv.MouseDown = [this](int16_t) {
      repeating = true;
      while (repeating && passes < 1000000) {
        Environment::Current().Ui().DoEvents();
        ++passes;
      }
    };
    cmdAv.MouseUp = [this](int16_t) {
      repeating = false;
      Log("cmdAv_MouseUp after " + std::to_string(passes));
    };
  }

  void Log(const std::string& line) { events.push_back(line); }

  ui::TextBox& txtNombre;
  ui::ComboBox& cmbLista;
  ui::Frame& fraGrupo;
  ui::OptionButton& optDentro0;
  ui::OptionButton& optDentro1;
  ui::OptionButton& optFuera0;
  ui::OptionButton& optFuera1;
  ui::Label& labAyuda;
  ui::CommandButton& cmdBorrar;
  ui::CommandButton& cmdOtra;
  ui::CommandButton& cmdAv;
  ui::CommandButton& cmdAceptar;
  ui::CommandButton& cmdCancelar;

  bool accepted = false;
  bool refuse_close = false;
  bool repeating = false;
  int32_t passes = 0;
  int32_t got_focus = 0;
  int32_t loads = 0;
  int32_t resizes = 0;
  std::vector<int16_t> query_unload_modes;
  std::vector<std::string> events;
  std::unique_ptr<TestDialog> nested;

  using ui::Form::SetSizable;

 protected:
  void Form_Load() override {
    ++loads;
    SetCaption(caption_);
    SetInnerSize(4000, 3000);  // no resize event while loading
  }
  void Form_Resize() override {
    ++resizes;
    // Keeps the accept button in the lower right corner.
    cmdAceptar.Move(ScaleWidth() - cmdAceptar.Width() - 120,
                    ScaleHeight() - cmdAceptar.Height() - 120,
                    cmdAceptar.Width(), cmdAceptar.Height());
  }
  void Form_QueryUnload(int16_t& cancel, int16_t mode) override {
    query_unload_modes.push_back(mode);
    if (refuse_close) cancel = 1;
  }

 private:
  std::string caption_;
};

}  // namespace qdr2_Gomiat::test
