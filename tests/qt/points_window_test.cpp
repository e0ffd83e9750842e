#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "points_editor/f_puntos.h"
#include "qdr2_gomiat/testing.h"
#include "qt/qt_session.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

// The points window on screen with 100,000 points: "Crear Punto" scrolls
// to the new last row and selects it, and a coordinate typed there reaches
// the grid.
TEST(QtPointsWindow, CrearPuntoShowsTheNewRowAndItTakesTyping) {
  QtSession session;
  const int32_t n = 100000;
  int32_t nopun = n, nocapas = 1;
  DblArray X(0, n), Y(0, n), Z(0, n);
  StrArray Nombre(0, n), Codigo(0, n), Capas = StrArray::FromItems({"EJE"});
  LngArray Nivel(0, n);
  IntArray CapaPuntos(0, n);
  for (int32_t i = 1; i <= n; ++i) CapaPuntos(i) = 1;
  Nombre(n) = "41";
  f_Puntos form;
  bool valor_o = false;
  testing::RecordingProgressBar bar;
  form.A_Editor_Puntos(nopun, X, Y, Z, Nombre, Codigo, Nivel, CapaPuntos,
                       nocapas, Capas, &bar, valor_o);
  RunModal(form, [&](FormView& view) {
    auto* table = Widget<QTableView>(view, "tblAutocro");
    auto* crear = Widget<QPushButton>(view, "cmdCrear");
    ASSERT_TRUE(table != nullptr && crear != nullptr);
    QTest::mouseClick(crear, Qt::LeftButton);
    QCoreApplication::processEvents();
    const Grid& grid = form.tblAutocro.grid();
    ASSERT_EQ(grid.Rows(), n + 2);
    EXPECT_EQ(grid.Text(n + 1, 2), "42");
    EXPECT_EQ(table->currentIndex().row(), n);  // grid row n + 1
    EXPECT_TRUE(table->selectionModel()->isRowSelected(n, {}));
    EXPECT_TRUE(table->viewport()->rect().intersects(
        table->visualRect(table->model()->index(n, 3))));

    table->setCurrentIndex(table->model()->index(n, 3));
    QTest::keyClick(table, Qt::Key_F2);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "431000,5");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Text(n + 1, 3), "431000,5");
    form.Hide();
  });
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
