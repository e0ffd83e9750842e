// The fields, arrows, search panel and buttons that the navigation bar and
// the single point editor share, with the number handling and the layout
// both follow. Each window adds its own rules for the point changes.
#pragma once

#include <cstdint>
#include <string>

#include "frame/ui/form.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

class PointWindow : public ui::Form {
 public:
  ~PointWindow() override;

  ui::Frame& fraPuntos;
  ui::Label& Label1;  // "Nº:"
  ui::TextBox& txtN;
  ui::ControlArray<ui::CommandButton> cmdAv;  // "<" (0) and ">" (1)
  ui::Label& labNombre;
  ui::TextBox& txtNom;
  ui::Label& labX;
  ui::TextBox& txtX;
  ui::Label& labY;
  ui::TextBox& txtY;
  ui::Label& labZ;
  ui::TextBox& txtZ;
  ui::Label& labCodigo;
  ui::TextBox& txtcod;
  ui::Label& labCapa;
  ui::ComboBox& cmbCapa;
  ui::CommandButton& cmdBusca;
  ui::Frame& fraBusca;
  ui::Label& cmbBusca;  // the label "nombre:"
  ui::TextBox& txtBucaNom;
  ui::ComboBox& cbxBucar;
  ui::Label& labExix;
  ui::CommandButton& cmdAceptar;
  ui::CommandButton& cmdCancelar;

  int32_t PointCount() const { return n_; }
  int32_t ShownPoint() const { return shown_; }
  // The working copies, as the window holds them.
  const Array<std::string>& WorkingNames() const { return Nombre_; }
  const Array<int16_t>& WorkingLayers() const { return CapaPuntos_; }

  // Window heights with the search panel hidden and shown (twips).
  static constexpr int32_t kHeight = 3900;
  static constexpr int32_t kSearchHeight = 5000;

 protected:
  PointWindow(std::string name, const std::string& caption);

  // Copies of the caller's arrays, taken whole with their bounds.
  void TakeCopies(Array<double>& X, Array<double>& Y, Array<double>& Z,
                  Array<std::string>& Nombre, Array<std::string>& Codigo,
                  Array<int16_t>& CapaPuntos, Array<std::string>& Capas);
  // Fields from the working arrays at k.
  void ShowFields(int32_t k);
  // Name, coordinates and code into the working arrays at p; nothing when
  // p < 1. The layer is not stored here.
  void StoreFields(int32_t p);
  // What "Aceptar" keeps at p: the fields, then the layer by exact name
  // (no match keeps the layer, a layer 0 becoming 1).
  void AcceptFields(int32_t p);
  void AppendLayers();
  // txtN as a whole number, rounded half to even.
  int32_t ReadPointNumber() const;
  // Below 1 txtN becomes "1", above the count the count; the corrected text
  // runs txtN's change handler again. True when it was corrected.
  bool CorrectPointNumber(int32_t k);
  // The point one step before (0) or after (1) k, wrapping at the ends.
  int32_t StepFrom(int32_t k, int16_t i) const;
  // Shows or hides the search panel and sets the window's height for it.
  void ToggleSearch();
  void HideSearch();

  void Form_Resize() override;

  int32_t n_ = 0;      // point count N
  int32_t l_ = 0;      // layer count L
  int32_t shown_ = 0;  // the point the fields show
  Array<double> X_, Y_, Z_;
  Array<std::string> Nombre_, Codigo_, Capas_;
  Array<int16_t> CapaPuntos_;

 private:
  void WriteFields(int32_t p);
};

}  // namespace qdr2_Gomiat
