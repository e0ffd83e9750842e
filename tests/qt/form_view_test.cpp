// The real windows against the window model: widgets and geometry from
// the model, and model changes shown at once. User input is
// checked against the headless backend in conformance_test.cpp.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include "qt/qt_session.h"
#include "support/test_form.h"

// Fontconfig keeps a little memory for the life of the process, which the
// leak checker of sanitizer builds would otherwise count against every test
// that draws a window.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace qdr2_Gomiat::qt_tests {
namespace {

using test::f_Prueba;

// Pixels for twips at the screen's logical DPI.
int Px(int32_t twips) {
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  return qRound(twips * dpi / 1440.0);
}

QRect PxRect(const ui::Control& c) {
  return QRect(Px(c.Left()), Px(c.Top()), Px(c.Width()), Px(c.Height()));
}

QString Cell(FormView& view, const char* table, int row, int col) {
  const QAbstractItemModel* model = Widget<QTableView>(view, table)->model();
  return model->index(row, col).data().toString();
}

TEST(QtFormView, TheViewShowsTheModelAndItsChangesAtOnce) {
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    EXPECT_EQ(view.size(),
              QSize(Px(form.ScaleWidth()), Px(form.ScaleHeight())));
    // Every widget where the model puts its control (inside its frame for
    // the options).
    for (const auto& c : form.Controls())
      EXPECT_EQ(view.WidgetOf(*c)->geometry(), PxRect(*c)) << c->FullName();
    auto* puntual = Widget<QRadioButton>(view, "optTipo(1)");
    EXPECT_EQ(puntual->parentWidget(), Widget<QGroupBox>(view, "fraTipo"));
    EXPECT_TRUE(Widget<QPushButton>(view, "cmdAceptar")->isDefault());
    EXPECT_EQ(Cell(view, "tblDatos", 2, 3), "12");

    form.txtNombre.SetText("Nuevo");
    EXPECT_EQ(Widget<QLineEdit>(view, "txtNombre")->text(),
              QStringLiteral("Nuevo"));
    form.labCapa.SetCaption("&Otro <I>");
    EXPECT_EQ(Widget<QLabel>(view, "labCapa")->text(),
              QStringLiteral("Otro <I>"));
    form.optTipo(1).SetValue(true);
    EXPECT_TRUE(Widget<QRadioButton>(view, "optTipo(1)")->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(view, "optTipo(0)")->isChecked());
    form.cmbCapa.SetListIndex(2);
    EXPECT_EQ(Widget<QComboBox>(view, "cmbCapa")->currentText(),
              QStringLiteral("Casa"));
    form.cmdAceptar.SetEnabled(false);
    EXPECT_FALSE(Widget<QPushButton>(view, "cmdAceptar")->isEnabled());
    form.msfResumen.SetTextMatrix(2, 2, "7");
    EXPECT_EQ(Cell(view, "msfResumen", 2, 2), "7");

    // Moving the form by code resizes the dialog and lays it out again.
    form.Move(form.Left(), form.Top(), form.Width() + 1500,
              form.Height() + 600);
    EXPECT_EQ(view.size(),
              QSize(Px(form.ScaleWidth()), Px(form.ScaleHeight())));
    EXPECT_EQ(Widget<QPushButton>(view, "cmdAceptar")->geometry(),
              PxRect(form.cmdAceptar));

    // Grid cells: at once after the window's refresh, and after one turn
    // of the event loop when the grid changes alone.
    auto* grid = Widget<QTableView>(view, "tblDatos")->model();
    form.tblDatos.grid().SetText(2, 0, "PARED");
    form.tblDatos.Refresh();
    EXPECT_EQ(Cell(view, "tblDatos", 1, 0), "PARED");
    form.tblDatos.grid().SetRows(7);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->rowCount(), 6);
    form.PressEscape();  // closes the view, or the guard fails the test
  });
}

TEST(QtFormView, AFormHiddenByItsOwnHandlerCanBeShownAgain) {
  QtSession session;
  f_Prueba form;
  int inner_shows = 0;
  form.cmdOtra.Click = [&] {
    form.Hide();
    QTimer::singleShot(0, [&] {
      ++inner_shows;
      form.Hide();
    });
    form.ShowModal();
  };
  RunModal(form, [&](FormView& view) {
    Widget<QPushButton>(view, "cmdOtra")->click();
  });
  EXPECT_EQ(inner_shows, 1);
  EXPECT_FALSE(form.IsVisible());
  EXPECT_EQ(session.Backend().ViewOf(form), nullptr);
}

TEST(QtFormView, UserResizeMovesTheModelAndItsLayoutFollows) {
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    const QSize bigger = view.size() + QSize(120, 60);
    view.resize(bigger);
    EXPECT_EQ(Px(form.ScaleWidth()), bigger.width());
    // Form_Resize ran in the model; its layout is on screen.
    auto* accept = Widget<QPushButton>(view, "cmdAceptar");
    EXPECT_EQ(accept->geometry(), PxRect(form.cmdAceptar));
    // Moving the window moves the form, so that its place can be kept.
    view.move(QPoint(50, 40));
    QCoreApplication::processEvents();
    EXPECT_EQ(Px(form.Left()), view.pos().x());
    EXPECT_EQ(Px(form.Top()), view.pos().y());
    // Too small for the layout: the model clamps, nothing fails.
    view.resize(QSize(40, 30));
    EXPECT_EQ(Widget<QTableView>(view, "tblDatos")->height(), 0);
    form.Hide();
  });
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
