#include "points_editor/lost_items.h"

#include "frame/environment.h"
#include "frame/ui/ui_backend.h"

namespace qdr2_Gomiat {

std::string LostItems(int32_t Nopoli, int32_t Nocurvi, int32_t NoTri) {
  std::string text;
  if (Nopoli > 0) text = "polilineas";
  if (NoTri > 0) text += ",MDT";
  if (Nocurvi > 0) text += ",curvado ";
  return text;
}

bool AskExcelQuestion(const std::string& first_paragraph,
                      const std::string& lost_items) {
  if (lost_items.empty()) return true;
  const std::string prompt = first_paragraph + "\r\n\r\n" +
                             "¡¡ ATENCIÓN !! Se perderan " + lost_items +
                             "\r\n\r\n" + "          ¿Quieres continuar?";
  return Environment::Current().Ui().MsgBox(
             prompt, ui::mb::kYesNoCancel,
             "Editor de puntos compatible con Excel:") == ui::mb::kYes;
}

}  // namespace qdr2_Gomiat
