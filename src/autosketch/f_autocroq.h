// The code table window: one row per code found on the points, with the
// meaning the code table gives it; the user may change joining type, layer,
// colour and line type before the polylines are deduced.
#pragma once

#include <cstdint>
#include <string>

#include "autosketch/code_table.h"
#include "frame/ui/form.h"
#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

class f_Autocroq : public ui::Form {
 public:
  f_Autocroq();
  ~f_Autocroq() override;

  ui::GridControl& tblAutocro;
  ui::CommandButton& cmdAceptar;
  ui::CommandButton& cmdCancelar;
  ui::CommandButton& cmdAyuda;

  // Fills one row per code (codes and counts at 1..UBound(codes)); failing
  // statements are passed over one by one.
  void a_MuestraCodigos1(Array<std::string>& codes, Array<int32_t>& counts);
  // Reads the rows back when the window was accepted; the six arrays are
  // re-dimensioned 0..n and filled at 1..n (counts left empty).
  void A_Autocro(bool& accepted, int32_t& n, Array<std::string>& codes,
                 Array<std::string>& counts, Array<std::string>& types,
                 Array<std::string>& layers, Array<int32_t>& colours,
                 Array<std::string>& lines);
  // Merges n rows into the table file (never creates it). Reports its own
  // failures. It does not load the window: the file is all it touches.
  void Graba_configuración(int32_t& n, Array<std::string>& codes,
                           Array<std::string>& counts,
                           Array<std::string>& types,
                           Array<std::string>& layers, Array<int32_t>& colours,
                           Array<std::string>& lines);

  bool Accepted() const { return accepted_; }
  // The table loaded from the file (or the defaults) when the window loaded.
  const CodeTable& Table() const { return table_; }

  // The help text shown by cmdAyuda, lines joined by CR LF.
  static std::string HelpText();

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int16_t& cancel) override;

 private:
  void BaseDatos();
  void FillKnownRow(int32_t i, int32_t j, Array<int32_t>& counts);
  void FillNewRow(int32_t i, Array<std::string>& codes, Array<int32_t>& counts);

  CodeTable table_;
  int32_t row_count_ = 0;
  bool accepted_ = false;
  Array<std::string> joining_types_;
  Array<std::string> line_patterns_;
};

}  // namespace qdr2_Gomiat
