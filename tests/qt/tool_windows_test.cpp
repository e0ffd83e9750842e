// The tools' own windows on screen: the line style picker's options, the
// points window with 100,000 points, and the host's window repainting while
// the navigation bar is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QWidget>

#include "point_tools/survey.h"
#include "points_editor/f_puntos.h"
#include "qdr2_gomiat/testing.h"
#include "qt/qt_session.h"
#include "table_editors/f_tipolin.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

TEST(QtTableEditors, PickerOptionsFollowTheArrowKeys) {
  QtSession session;
  f_tipolin f;
  f.SetA_Tipolin(3);
  RunModal(f, [&](FormView& view) {
    auto* option = Widget<QRadioButton>(view, "optEstilo(3)");
    ASSERT_NE(option, nullptr);
    option->setFocus();
    QTest::keyClick(option, Qt::Key_Down);
    EXPECT_TRUE(f.optEstilo(4).Value());
    EXPECT_EQ(view.focusWidget(), Widget<QRadioButton>(view, "optEstilo(4)"));
    // Round to the first: the hidden thickness options are another group.
    QTest::keyClick(view.focusWidget(), Qt::Key_Right);
    EXPECT_TRUE(f.optEstilo(0).Value());
    EXPECT_FALSE(f.optEstilo(4).Value());
    QTest::keyClick(view.focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(f.optEstilo(4).Value());
    EXPECT_TRUE(f.optGrosor(0).Value());

    f.cmdAceptar.UserClick();
  });
  EXPECT_TRUE(f.Accepted());
  EXPECT_EQ(f.A_Tipolin(), 4);
}

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

class Drawing : public QWidget, public c_editP_Events, public HostWindow {
 public:
  int paints = 0;
  std::vector<int32_t> shown;
  void EnfocaPunto(int32_t& Name, int32_t&, DblArray&, DblArray&, DblArray&,
                   StrArray&, StrArray&, IntArray&) override {
    shown.push_back(Name);
    update();  // the host centres its drawing on the point and redraws
  }

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(QtPointTools, TheHostsWindowRepaintsWhileTheBarIsOpen) {
  QtSession session;
  Drawing drawing;
  drawing.resize(200, 150);
  drawing.show();
  QTest::qWait(50);
  c_editP nav;
  nav.SetEventSink(&drawing);

  test_support::Survey s(3);
  int paints_before = 0, paints_after = 0;
  WhileModal(
      [&] {
        nav.CargaBarraDibujo(&drawing, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                             s.CapaPuntos, s.L, s.Capas);
      },
      [&](FormView& bar) {
        paints_before = drawing.paints;
        QTest::mouseClick(Widget<QPushButton>(bar, "cmdAv(1)"), Qt::LeftButton);
        QTest::qWait(200);
        paints_after = drawing.paints;
        QTest::mouseClick(Widget<QPushButton>(bar, "cmdCancelar"),
                          Qt::LeftButton);
      });
  EXPECT_EQ(drawing.shown, (std::vector<int32_t>{1, 2}));
  EXPECT_GT(paints_after, paints_before);
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
