#include <gtest/gtest.h>

#include "points_editor/f_puntos.h"
#include "points_editor/points_test_support.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using points_test::Edit;
using points_test::MessagesOf;
using points_test::Points;
using points_test::RecordingProgressBar;

template <class T>
std::vector<T> Items(const Array<T>& a) {
  return std::vector<T>(a.storage().begin() + 1, a.storage().end());
}

using Strings = std::vector<std::string>;

// Agrees, with nothing to lose, to the Excel layout for the next editor.
template <class Editor>
void ExcelLayout(Editor& c) {
  int32_t none = 0;
  bool borrar = false;
  c.Valores_actuales(none, none, none, borrar);
}

// A session and the host's bar for each test.
class PointsWriteBack : public ::testing::Test {
 protected:
  // Accepts the editor as it opens on `p`; `more` as for Edit.
  template <class... More>
  void Accept(Points& p, bool excel, More... more) {
    c_Puntos c;
    if (excel) ExcelLayout(c);
    s.User().Click("cmdAceptar");
    Edit(c, p, bar, more...);
  }
  testing::HeadlessSession s;
  RecordingProgressBar bar;
};
using PointsEditor = PointsWriteBack;

TEST_F(PointsWriteBack, KeepsOldRowsDropsEmptyNewOnesCreatesLayersOrFails) {
  Points p;
  s.User()
      .EditCell("tblAutocro", 2, 7, "MURO-2")  // cleaned, with the message
      .EditCell("tblAutocro", 1, 4, "7,75")    // a number typed over
      .Click("cmdCrear")                       // "13", no coordinates
      .EditCell("tblAutocro", 4, 7, "NUEVA")   // dropped, its layer stays
      .Click("cmdCrear")                       // all zero after a zero slot
      .EditCell("tblAutocro", 5, 3, "0")
      .Click("cmdCrear")
      .EditCell("tblAutocro", 6, 3, "5,5")
      .Click("cmdAceptar");
  c_Puntos c;
  Edit(c, p, bar);
  EXPECT_EQ(std::tuple(c.Abortar, p.Nopun, p.noCapas), std::tuple(true, 4, 5));
  EXPECT_EQ(Items(p.Nombre), (Strings{"7", "pozo", "12", "15"}));
  EXPECT_EQ(p.X.storage(), (std::vector<double>{0, 10.5, 20.25, 0, 5.5}));
  EXPECT_EQ(Items(p.Z), (std::vector<double>{100.125, 0.1, 0, 0}));
  EXPECT_EQ(p.Y(1), 7.75);
  EXPECT_EQ(Items(p.Nivel), (std::vector<int32_t>{1, 2, 3, 0}));  // "N"
  EXPECT_EQ(Items(p.Capas),
            (Strings{"TERRENO", "BORDE", "MURO_2", "sin_capa", "NUEVA"}));
  EXPECT_EQ(Items(p.CapaPuntos), (std::vector<int16_t>{1, 3, 4, 5}));
  EXPECT_EQ(
      MessagesOf(s),
      (std::vector<points_test::Said>{{"Se han cambiado nombres de capas por "
                                       "contener caractener invalidos",
                                       "Editor de Puntos:", 64}}));

  // A failure part-way leaves the host's arrays as they were.
  Points q;
  Accept(q, true, true);  // ValorO: "pozo" is not a whole number
  EXPECT_TRUE(q == Points());
  EXPECT_TRUE(points_test::CallsOf(bar).ends_with("visible 0, "));
  EXPECT_TRUE(
      s.GetSetting("Errores", "1")
          .starts_with("*# * Actualiza Valores Puntos Exel- Error nº 13:"));
}

TEST_F(PointsWriteBack, HeaderRowOnlyZeroSlotsAndNoLayersOnEntry) {
  for (bool excel : {false, true}) {
    Points none;
    none.Nopun = 0;
    Accept(none, excel);
    EXPECT_EQ(std::tuple(none.Nopun, none.X.UBound(), none.Nombre.UBound(),
                         none.CapaPuntos.UBound(), none.noCapas),
              std::tuple(0, 0, 0, 0, 2));

    Points p;
    p.X(2) = p.Y(2) = p.Z(2) = 0;
    p.Codigo(2) = "";
    p.Capas(1) = "BORDE";  // two layers of one name
    Accept(p, excel);
    // Existing zero points stay in the standard layout; in Excel only the
    // first one, and Nivel follows the slots by position.
    EXPECT_EQ(Items(p.Nombre),
              (excel ? Strings{"7", "pozo"} : Strings{"7", "pozo", "12"}));
    EXPECT_EQ(Items(p.Nivel), (excel ? std::vector<int32_t>{70, 80}
                                     : std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(p.CapaPuntos(2), 1);  // the first of the two names
  }
  Points p;
  p.noCapas = 0;
  p.Capas = StrArray(0, 0);
  p.CapaPuntos = IntArray::FromItems({0, 0, 0});  // shown as "" (element 0)
  s.User().EditCell("tblAutocro", 1, 7, "Puntos").Click("cmdAceptar");
  c_Puntos c;
  Edit(c, p, bar);
  EXPECT_EQ(p.Capas.storage(), (Strings{"", "Puntos", "Puntos_"}));
  EXPECT_EQ(Items(p.CapaPuntos), (std::vector<int16_t>{1, 2, 2}));
}

TEST_F(PointsEditor, TheExcelQuestionItsTextsAndTheModeItLeaves) {
  c_Puntos c;
  int32_t poli = 0, curv = 2, tri = 3;
  bool borrar = false;
  s.User().Answer(7);
  c.Valores_actuales(poli, curv, tri, borrar);
  EXPECT_FALSE(c.Abortar || borrar);
  // Refused, yet the next editor opens in the Excel layout.
  Points p;
  s.User().PressEscape();
  Edit(c, p, bar);
  EXPECT_EQ(s.ShownWindows().back(), "Editor Puntos tipo Excel:");
  EXPECT_FALSE(c.Abortar);
  EXPECT_TRUE(p == Points());

  c_Area a;
  poli = 1, curv = 0, tri = 0;
  s.User().Answer(6);
  a.Valores_actuales(poli, curv, tri, borrar);
  EXPECT_TRUE(borrar);
  poli = 0;  // nothing to lose: no question
  borrar = false;
  c_Puntos quiet;
  quiet.Valores_actuales(poli, curv, tri, borrar);
  EXPECT_TRUE(quiet.Abortar && borrar);
  const std::string title = "Editor de puntos compatible con Excel:";
  EXPECT_EQ(
      MessagesOf(s),
      (std::vector<points_test::Said>{
          {"Con el editor tipo Excel solo se pueden tener puntos y capas.\r\n"
           "\r\n¡¡ ATENCIÓN !! Se perderan ,MDT,curvado \r\n\r\n"
           "          ¿Quieres continuar?",
           title, 3},
          {"Con el editor tipo Excel solo se pueden tener puntos.\r\n\r\n¡¡ "
           "ATENCIÓN !! Se perderan polilineas y capas existentes \r\n\r\n"
           "          ¿Quieres continuar?",
           title, 3}}));
}

TEST_F(PointsEditor, AreaEntryOpensAndWritesBackOnlyInItsCases) {
  Points empty;
  empty.Nopun = 0;
  c_Area standard;
  Edit(standard, empty, bar);
  EXPECT_EQ(MessagesOf(s), (std::vector<points_test::Said>{
                               {"No hay puntos", "Editor de puntos:", 16}}));
  EXPECT_TRUE(s.ShownWindows().empty());

  Points p;  // standard, no question: written back
  s.User().EditCell("tblAutocro", 1, 2, "uno").Click("cmdAceptar");
  Edit(standard, p, bar);
  EXPECT_EQ(p.Nombre(1), "uno");

  c_Area refused;  // Excel after a No: never written back
  int32_t poli = 1, none = 0;
  bool borrar = true;
  s.User().Answer(7);
  refused.Valores_actuales(poli, none, none, borrar);
  s.User().EditCell("tblAutocro", 1, 1, "dos").Click("cmdAceptar");
  Edit(refused, p, bar);
  EXPECT_EQ(p.Nombre(1), "uno");

  c_Area agreed;  // Excel with nothing to lose: opens even with no points
  ExcelLayout(agreed);
  s.User().Click("cmdAceptar");
  Edit(agreed, empty, bar);
  EXPECT_EQ(s.ShownWindows().back(), "Editor Puntos tipo Excel:");
}

TEST_F(PointsEditor, ProgressBarMovesTenTimesAndTheWindowRemembersItsPlace) {
  EXPECT_EQ(std::pair(ProgressStep(0), ProgressStep(5)), std::pair(1, 1));
  Points p;
  p.Nopun = 25;
  auto grow = [](auto&... a) { (a.Redim(0, 25), ...); };
  grow(p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel, p.CapaPuntos);
  s.User().Resize(9000, 6000).Click("cmdAceptar");
  c_Puntos c;
  Edit(c, p, bar);
  // Filling the grid, then reading it back.
  std::string ticks;
  for (int v = 2; v <= 24; v += 2) ticks += "value " + std::to_string(v) + ", ";
  EXPECT_EQ(points_test::CallsOf(bar),
            "min 0, max 25, value 0, " + ticks +
                "visible 0, min 0, max 25, value 0, visible 1, " + ticks +
                "visible 0, ");

  // Escape, then the close box: nothing changes; the size the user gave
  // comes back next time.
  Points q;
  c_Puntos again, boxed;
  testing::Bounds place;
  s.User()
      .Look([&](const testing::WindowView& w) { place = w.Place(); })
      .PressEscape();
  Edit(again, q, bar);
  EXPECT_EQ(std::pair(place.width, place.height), std::pair(9000, 6000));
  boxed.Abortar = true;
  Edit(boxed, q, bar);  // no step: closed with its close box
  EXPECT_FALSE(again.Abortar || boxed.Abortar);
  EXPECT_TRUE(q == Points());
}

}  // namespace
}  // namespace qdr2_Gomiat
