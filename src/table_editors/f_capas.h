// The layer editor's window: the host's layer table in a grid, where the
// user renames layers, switches them on or off, gives them a colour, a
// thickness and a line type, and creates new ones.
#pragma once

#include <cstdint>
#include <string>

#include "frame/ui/form.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

class F_Capas : public ui::Form {
 public:
  F_Capas();
  ~F_Capas() override;

  ui::GridControl& tblCapas;
  ui::CommandButton& cmdCrear;
  ui::CommandButton& cmdCancelar;
  ui::CommandButton& cmdAceptar;

  // Loads the window and fills the grid from the host's layer table; the
  // host's arrays are only read.
  void A_Editor_Capas2(int32_t& NoCap, Array<std::string>& Nombres,
                       Array<std::string>& Estado, Array<int32_t>& colorr,
                       Array<int32_t>& grosor, Array<int32_t>& Tipolin,
                       int32_t& Principal, Array<int32_t>& PunCp,
                       Array<int32_t>& PolCp, Array<int32_t>& PlVCp,
                       Array<int32_t>& texCp);
  // Rewrites the five layer arrays from the grid, re-dimensioned to the
  // grid's rows. A thickness that is not a number fails (failure 13).
  void A_Actualiza_Valores1(int32_t& NoCap, Array<std::string>& Nombres,
                            Array<std::string>& Estado, Array<int32_t>& colorr,
                            Array<int32_t>& grosor, Array<int32_t>& Tipolin,
                            int32_t& Principal);
  // Earlier versions, kept on the window; they do nothing.
  void A_Editor_Capas() {}
  void A_Editor_Capas1() {}
  void A_Actualiza_Valores() {}

  bool Accepted() const { return accepted_; }
  // The layer count the window was filled with (1 for an empty table).
  int32_t LayerCount() const { return count_; }

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int16_t& cancel) override;

 private:
  void CreateLayer();

  bool accepted_ = false;
  int32_t count_ = 0;
  Array<std::string> names_, states_;
  Array<int32_t> colours_, thicknesses_, line_types_;
  Array<std::string> activity_list_, line_type_list_, thickness_list_;
};

}  // namespace qdr2_Gomiat
