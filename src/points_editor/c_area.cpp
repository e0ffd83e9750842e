// The second entry of the points editor: the same window, no public result
// flag, and a write-back that depends on how the question was answered.
#include <memory>

#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"
#include "points_editor/f_puntos.h"
#include "points_editor/lost_items.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_Area::ProgId() const { return "qdr2_Gomiat.c_Area"; }

void c_Area::A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y,
                             DblArray& Z, StrArray& Nombre, StrArray& Código,
                             LngArray& Nivel, IntArray& CapaPuntos,
                             int32_t& noCapas, StrArray& Capas,
                             ProgressBar* prograsbar) {
  Trapped("*Editor Puntos - Error nº ", [&] {
    if (Nopun < 1 && !excel_mode_) {
      Environment::Current().Ui().MsgBox("No hay puntos", ui::mb::kCritical,
                                         "Editor de puntos:");
      return;
    }
    auto window = std::make_unique<f_Puntos>();
    window->excel_mode = excel_mode_;
    bool valor_o = false;
    if (excel_mode_)
      window->A_Editor_Puntos_Exel(Nopun, X, Y, Z, Nombre, Código, Nivel,
                                   CapaPuntos, noCapas, Capas, prograsbar);
    else
      window->A_Editor_Puntos(Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos,
                              noCapas, Capas, prograsbar, valor_o);
    window->ShowModal();
    // Written back when the mode and the answer agree: Excel after a Yes,
    // or the standard layout with no question asked.
    if (excel_mode_ == continue_) {
      if (excel_mode_)
        window->A_Actualiza_Valores(Nopun, X, Y, Z, Nombre, Código, Nivel,
                                    CapaPuntos, noCapas, Capas, valor_o);
      else
        window->A_Actualiza_Editor(Nopun, X, Y, Z, Nombre, Código, Nivel,
                                   CapaPuntos, noCapas, Capas);
    }
    window->Unload();
  });
}

void c_Area::Actualiza_Valores(int32_t&, DblArray&, DblArray&, DblArray&,
                               StrArray&, StrArray&, LngArray&, IntArray&,
                               int32_t&, StrArray&) {}

void c_Area::Valores_actuales(int32_t& Nopoli, int32_t& Nocurvi, int32_t& NoTri,
                              bool& BorrarTodo) {
  lost_items_ = LostItems(Nopoli, Nocurvi, NoTri);
  if (!lost_items_.empty()) lost_items_ += " y capas existentes ";
  continue_ = true;
  BorrarTodo = true;
  if (!AskExcelQuestion("Con el editor tipo Excel solo se pueden tener puntos.",
                        lost_items_)) {
    continue_ = false;
    BorrarTodo = false;
  }
  excel_mode_ = true;  // whatever the answer
}

}  // namespace qdr2_Gomiat
