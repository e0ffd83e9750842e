// The line style picker: five dash patterns to choose from, and a hidden
// group of five thicknesses that normalises the thickness handed in.
#pragma once

#include <cstdint>

#include "frame/ui/control_array.h"
#include "frame/ui/form.h"

namespace qdr2_Gomiat {

class f_tipolin : public ui::Form {
 public:
  static constexpr int kOptions = 5;

  f_tipolin();
  ~f_tipolin() override;

  ui::Frame& Frame1;  // "Estilo"
  ui::Frame& Frame2;  // "Grosor", hidden
  ui::CommandButton& cmdCancelar;
  ui::CommandButton& cmdAceptar;
  // Control arrays, indexes 0 to 4, top to bottom.
  ui::ControlArray<ui::OptionButton> optEstilo;
  ui::ControlArray<ui::LineShape> Line1;  // the style samples
  ui::ControlArray<ui::Label> LabTipoL;   // over the style samples
  ui::ControlArray<ui::OptionButton> optGrosor;
  ui::ControlArray<ui::LineShape> Line2;  // the width samples

  // The selected style (first selected option; 0 when none is). Setting
  // selects it, or style 0 when out of 0 to 4. Both load the window.
  int16_t A_Tipolin();
  void SetA_Tipolin(int16_t v);
  // The selected thickness, likewise; setting rounds halves to even.
  float A_Crosor();
  void SetA_Crosor(float v);

  bool Accepted() const { return accepted_; }

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& cancel) override;

 private:
  void Accept();

  bool accepted_ = false;
};

}  // namespace qdr2_Gomiat
