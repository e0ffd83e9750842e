// The single point editor: the user edits one point, may move to others with
// the arrows (holding one repeats) or find points by name; only the point
// shown when "Aceptar" is pressed keeps its edits.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "point_tools/point_window.h"

namespace qdr2_Gomiat {

class f_Edit_Punt : public PointWindow {
 public:
  f_Edit_Punt();
  ~f_Edit_Punt() override;

  // Load method: takes the point and the arrays and fills the fields.
  void A_Editor_Punto(int32_t& punto, int32_t& Nopun, Array<double>& X,
                      Array<double>& Y, Array<double>& Z,
                      Array<std::string>& Nombre, Array<std::string>& Codigo,
                      Array<int16_t>& CapaPuntos, int32_t& noCapas,
                      Array<std::string>& Capas);
  // Write-back: the shown point, the count and whole copies of the six
  // working arrays (the layer names are not written back).
  void A_PuntosCambiados(int32_t& punto, int32_t& Nopun, Array<double>& X,
                         Array<double>& Y, Array<double>& Z,
                         Array<std::string>& Nombre, Array<std::string>& Codigo,
                         Array<int16_t>& CapaPuntos);

  bool Accepted() const { return accepted_; }
  bool Loading() const { return loading_; }

  // Raised with the point shown, and with the point accepted.
  std::function<void(int32_t& punto)> PuntoMostrado;

  // A held arrow steps on the press, then once every so many passes of
  // the message loop (a real window steps on its repeat timer instead).
  static constexpr int32_t kRepeatPasses = 50001;

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& cancel) override;

 private:
  void txtN_Change();
  void txtBucaNom_Change();
  void cmdAv_Repeat(int16_t i);
  void cmdAceptar_Click();
  void RaisePoint(int32_t k);

  bool loading_ = false;
  bool accepted_ = false;
  int32_t held_point_ = 0;  // where the held arrow has got to
};

}  // namespace qdr2_Gomiat
