// The main entry of the points editor, and the question the host asks
// before it opens the Excel-compatible layout.
#include <memory>

#include "frame/entry.h"
#include "frame/environment.h"
#include "frame/trap.h"
#include "frame/ui/ui_backend.h"
#include "points_editor/f_puntos.h"
#include "points_editor/lost_items.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_Puntos::ProgId() const { return "qdr2_Gomiat.c_Puntos"; }

void c_Puntos::A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y,
                               DblArray& Z, StrArray& Nombre, StrArray& Código,
                               LngArray& Nivel, IntArray& CapaPuntos,
                               int32_t& noCapas, StrArray& Capas,
                               ProgressBar* prograsbar, bool& ValorO) {
  Trapped("*Editor Puntos B - Error nº ", [&] {
    ui::UiBackend& ui = Environment::Current().Ui();
    ui.SetMousePointer(ui::MousePointer::Hourglass);
    ui.DoEvents();
    auto window = std::make_unique<f_Puntos>();
    window->excel_mode = excel_mode_;
    window->Load();
    ui.DoEvents();
    if (!excel_mode_) {
      window->A_Editor_Puntos(Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos,
                              noCapas, Capas, prograsbar, ValorO);
      window->tblAutocro.grid().FinishAfterFill();
    } else {
      window->A_Editor_Puntos_Exel(Nopun, X, Y, Z, Nombre, Código, Nivel,
                                   CapaPuntos, noCapas, Capas, prograsbar);
    }
    ui.SetMousePointer(ui::MousePointer::Default);
    window->ShowModal();
    Abortar = window->accepted;
    if (Abortar) {
      if (excel_mode_)
        window->A_Actualiza_Valores(Nopun, X, Y, Z, Nombre, Código, Nivel,
                                    CapaPuntos, noCapas, Capas, ValorO);
      else
        window->A_Actualiza_Editor(Nopun, X, Y, Z, Nombre, Código, Nivel,
                                   CapaPuntos, noCapas, Capas);
    }
    window->Unload();
    window.reset();
    ui.SetMousePointer(ui::MousePointer::Default);
  });
}

void c_Puntos::A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y,
                               DblArray& Z, StrArray& Nombre, StrArray& Código,
                               LngArray& Nivel, IntArray& CapaPuntos,
                               int32_t& noCapas, StrArray& Capas,
                               ProgressBar* prograsbar) {
  bool valor_o = false;  // the optional argument left out
  A_Editor_Puntos(Nopun, X, Y, Z, Nombre, Código, Nivel, CapaPuntos, noCapas,
                  Capas, prograsbar, valor_o);
}

void c_Puntos::Actualiza_Valores(int32_t&, DblArray&, DblArray&, DblArray&,
                                 StrArray&, StrArray&, LngArray&, IntArray&,
                                 int32_t&, StrArray&) {
  ShowObsolete();
}

void c_Puntos::Valores_actuales(int32_t& Nopoli, int32_t& Nocurvi,
                                int32_t& NoTri, bool& BorrarTodo) {
  lost_items_ = LostItems(Nopoli, Nocurvi, NoTri);
  Abortar = true;
  BorrarTodo = true;
  if (!AskExcelQuestion(
          "Con el editor tipo Excel solo se pueden tener puntos y capas.",
          lost_items_)) {
    Abortar = false;
    BorrarTodo = false;
  }
  excel_mode_ = true;  // whatever the answer
}

}  // namespace qdr2_Gomiat
