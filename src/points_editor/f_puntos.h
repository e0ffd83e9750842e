// The points spreadsheet window: the whole point list of the host as grid
// rows, in the standard layout or in the Excel-compatible one, with
// "Crear Punto" to add points; on acceptance the grid rebuilds the host's
// point and layer arrays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame/ui/form.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

class f_Puntos : public ui::Form {
 public:
  f_Puntos();
  ~f_Puntos() override;

  ui::GridControl& tblAutocro;
  // Created in tab order.
  ui::CommandButton& cmdCancelar;
  ui::CommandButton& cmdCrear;
  ui::CommandButton& cmdAceptar;

  // True only after Aceptar.
  bool accepted = false;
  // Set by the class before the window loads; chooses the layout.
  bool excel_mode = false;

  // Fill the grid from the host's arrays: the standard layout, and the
  // Excel one (which has no use for ValorO).
  void A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
                       StrArray& Nombre, StrArray& Código, LngArray& Nivel,
                       IntArray& CapaPuntos, int32_t& noCapas, StrArray& Capas,
                       ProgressBar* prograsbar, bool& ValorO);
  void A_Editor_Puntos_Exel(int32_t& Nopun, DblArray& X, DblArray& Y,
                            DblArray& Z, StrArray& Nombre, StrArray& Código,
                            LngArray& Nivel, IntArray& CapaPuntos,
                            int32_t& noCapas, StrArray& Capas,
                            ProgressBar* prograsbar);

  // Rebuild the host's arrays from the grid when the window was accepted.
  // They report their own failures. The result is built apart and handed
  // to the host only when all of it was built, so a failure part-way
  // leaves the host's arrays as they were.
  void A_Actualiza_Editor(int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
                          StrArray& Nombre, StrArray& Código, LngArray& Nivel,
                          IntArray& CapaPuntos, int32_t& noCapas,
                          StrArray& Capas);
  void A_Actualiza_Valores(int32_t& Nopun, DblArray& X, DblArray& Y,
                           DblArray& Z, StrArray& Nombre, StrArray& Código,
                           LngArray& Nivel, IntArray& CapaPuntos,
                           int32_t& noCapas, StrArray& Capas, bool& ValorO);

  // Kept in the interface; they do nothing.
  void A_Anular_Boton_Aceptar() {}
  int32_t comprueba_capas(const std::string& Nombre) {
    (void)Nombre;
    return 0;
  }

  // Points given at fill time; rows − 1 after a write-back; 0 on Cancelar.
  int32_t RowCount() const { return row_count_; }
  bool NamesChanged() const { return names_changed_; }

  // The layer name cleaner: letters A-Z and a-z, digits, "_" and the
  // Windows-1252 characters 164 and 165 stay, anything else becomes "_"
  // (and the window notes that names changed); an empty name is "Puntos_".
  std::string CleanLayerName(std::string_view name);

  // Grid columns of the current layout.
  int16_t NameColumn() const { return excel_mode ? 1 : 2; }
  int16_t LayerColumn() const { return excel_mode ? 6 : 7; }

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int16_t& cancel) override;

 private:
  struct FillSource {
    const DblArray &X, &Y, &Z;
    const StrArray &Nombre, &Código;
    const LngArray& Nivel;
    const IntArray& CapaPuntos;
    const StrArray& Capas;
  };

  void Fill(bool excel, int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
            StrArray& Nombre, StrArray& Código, LngArray& Nivel,
            IntArray& CapaPuntos, StrArray& Capas, ProgressBar* prograsbar,
            bool valor_o);
  // Kept from one block of rows to the next.
  struct FillBuffers {
    std::vector<std::string_view> texts;
    std::vector<double> numbers;
  };
  void FillRows(const FillSource& from, FillBuffers& buffers, bool excel,
                bool valor_o, int32_t first, int32_t last);
  void WriteBack(bool excel, int32_t& Nopun, DblArray& X, DblArray& Y,
                 DblArray& Z, StrArray& Nombre, StrArray& Código,
                 LngArray& Nivel, IntArray& CapaPuntos, int32_t& noCapas,
                 StrArray& Capas, bool valor_o);
  void CrearPunto();
  // The grid options' name: the caption followed by "Puntos 1".
  std::string OptionsName() const;

  int32_t row_count_ = 0;
  bool names_changed_ = false;
  ProgressBar* bar_ = nullptr;
  IntArray layer_copy_;  // the host's layer indexes at fill time
};

// The row step between two progress bar moves: the row count divided by 10,
// halves to even, at least 1.
int32_t ProgressStep(int32_t rows);

}  // namespace qdr2_Gomiat
