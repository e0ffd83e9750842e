// The drawings editor's window: the host's drawings in a grid, where the
// user changes kinds and names and drops a drawing by blanking either.
#pragma once

#include <cstdint>
#include <string>

#include "frame/ui/form.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

class f_Dibujos : public ui::Form {
 public:
  f_Dibujos();
  ~f_Dibujos() override;

  ui::GridControl& tblCapas;
  ui::Frame& Frame1;
  ui::CommandButton& cmEelimina;  // hidden, no action
  ui::CommandButton& cmdCrear;    // hidden, no action
  ui::CommandButton& cmdCancelar;
  ui::CommandButton& cmdAceptar;

  // Loads the window and fills the grid; the host's arrays are only read.
  void A_Dibujos(int32_t& NoCap, Array<std::string>& Nombres,
                 Array<std::string>& Carpeta, Array<int32_t>& Ptos,
                 Array<int32_t>& Poli, Array<int32_t>& Tri, Array<int32_t>& Tex,
                 Array<int32_t>& Foto, Array<int32_t>& Bloq);
  // Rewrites the order, name and kind arrays from the rows whose kind and
  // name are not blank; later rows move up.
  void A_Actualiza(int32_t& NoCap, Array<int32_t>& Bloq,
                   Array<std::string>& Nombres, Array<std::string>& Carpeta);

  bool Accepted() const { return accepted_; }

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int16_t& cancel) override;

 private:
  bool accepted_ = false;
  int32_t count_ = 0;
  Array<std::string> kinds_;
};

}  // namespace qdr2_Gomiat
