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

TEST(QtFormView, TheViewFollowsTheModelAndTheUserMovesTheModel) {
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    // The dialog's size, and every widget where the model puts its control
    // (inside its frame for the options).
    const auto shown_as_the_model = [&] {
      EXPECT_EQ(view.size(),
                QSize(Px(form.ScaleWidth()), Px(form.ScaleHeight())));
      for (const auto& c : form.Controls())
        EXPECT_EQ(view.WidgetOf(*c)->geometry(), PxRect(*c)) << c->FullName();
    };
    shown_as_the_model();
    auto* puntual = Widget<QRadioButton>(view, "optTipo(1)");
    EXPECT_EQ(puntual->parentWidget(), Widget<QGroupBox>(view, "fraTipo"));
    EXPECT_TRUE(Widget<QPushButton>(view, "cmdAceptar")->isDefault());
    EXPECT_EQ(Cell(view, "tblDatos", 2, 3), "12");

    // Model changes show at once, with no turn of the event loop.
    form.txtNombre.SetText("Nuevo");
    form.labCapa.SetCaption("&Otro <I>");
    form.optTipo(1).SetValue(true);
    form.cmbCapa.SetListIndex(2);
    form.cmdAceptar.SetEnabled(false);
    form.msfResumen.SetTextMatrix(2, 2, "7");
    auto* capa = Widget<QComboBox>(view, "cmbCapa");
    EXPECT_EQ(
        (QStringList{Widget<QLineEdit>(view, "txtNombre")->text(),
                     Widget<QLabel>(view, "labCapa")->text(),
                     capa->currentText(), QString::number(capa->currentIndex()),
                     Cell(view, "msfResumen", 2, 2)})
            .join(QLatin1Char('|'))
            .toStdString(),
        "Nuevo|Otro <I>|Casa|2|7");
    EXPECT_TRUE(puntual->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(view, "optTipo(0)")->isChecked());
    EXPECT_FALSE(Widget<QPushButton>(view, "cmdAceptar")->isEnabled());

    // Moving the form by code resizes the dialog and lays it out again; the
    // user's resize moves the model, and Form_Resize's layout is on screen.
    form.Move(form.Left(), form.Top(), form.Width() + 1500,
              form.Height() + 600);
    shown_as_the_model();
    view.resize(view.size() + QSize(120, 60));
    shown_as_the_model();
    // Moving the window moves the form, so that its place can be kept.
    view.move(QPoint(50, 40));
    QCoreApplication::processEvents();
    EXPECT_EQ(QPoint(Px(form.Left()), Px(form.Top())), QPoint(50, 40));

    // Grid cells: at once after the window's refresh, and after one turn
    // of the event loop when the grid changes alone.
    auto* grid = Widget<QTableView>(view, "tblDatos")->model();
    form.tblDatos.grid().SetText(2, 0, "PARED");
    form.tblDatos.Refresh();
    EXPECT_EQ(Cell(view, "tblDatos", 1, 0), "PARED");
    form.tblDatos.grid().SetRows(7);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->rowCount(), 6);
    // Too small for the layout: the model clamps, nothing fails.
    view.resize(QSize(40, 30));
    EXPECT_EQ(Widget<QTableView>(view, "tblDatos")->height(), 0);
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

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
