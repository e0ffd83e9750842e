// The real windows against the window model: widgets, captions and
// geometry from the model, and user input reaching the model with the same
// results as the scripted user of the headless backend.
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

#include "platform/qt/line_shape_widget.h"
#include "qdr2_gomiat/testing.h"
#include "qt/qt_session.h"
#include "qt/test_form.h"

// Fontconfig keeps a little memory for the life of the process, which the
// leak checker of sanitizer builds would otherwise count against every test
// that draws a window.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace qdr2_Gomiat::qt_tests {
namespace {

// Pixels for twips at the screen's logical DPI.
int Px(int32_t twips) {
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  return qRound(twips * dpi / 1440.0);
}

QRect PxRect(const ui::Control& c) {
  return QRect(Px(c.Left()), Px(c.Top()), Px(c.Width()), Px(c.Height()));
}

// What a user's work leaves in the test window.
struct Outcome {
  std::string text;
  bool lineal = false, puntual = false;
  int32_t list_index = -1;
  std::string combo_text;
  bool accepted = false, visible = false, loaded = false;
  bool operator==(const Outcome&) const = default;
};

Outcome OutcomeOf(const f_Prueba& f) {
  return {f.txtNombre.Text(),    f.optLineal.Value(), f.optPuntual.Value(),
          f.cmbCapa.ListIndex(), f.cmbCapa.Text(),    f.accepted,
          f.IsVisible(),         f.IsLoaded()};
}

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  return os << "{" << o.text << "," << o.lineal << o.puntual << ","
            << o.list_index << "," << o.combo_text << "," << o.accepted
            << o.visible << o.loaded << "}";
}

TEST(QtFormView, WidgetsCarryTheModelsCaptionsAndGeometry) {
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Prueba de ventana:"));
    EXPECT_EQ(view.size(),
              QSize(Px(form.ScaleWidth()), Px(form.ScaleHeight())));

    auto* label = Widget<QLabel>(view, "labNombre");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Nombre:"));
    EXPECT_EQ(label->geometry(), PxRect(form.labNombre));

    auto* text = Widget<QLineEdit>(view, "txtNombre");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->geometry(), PxRect(form.txtNombre));

    auto* combo = Widget<QComboBox>(view, "cmbCapa");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Muro"));

    // Options sit inside their frame, placed relative to it.
    auto* frame = Widget<QGroupBox>(view, "fraTipo");
    auto* puntual = Widget<QRadioButton>(view, "optTipo(1)");
    auto* lineal = Widget<QRadioButton>(view, "optTipo(0)");
    ASSERT_TRUE(frame && puntual && lineal);
    EXPECT_EQ(frame->title(), QString::fromUtf8("Tipo de unión"));
    EXPECT_EQ(puntual->parentWidget(), frame);
    EXPECT_EQ(puntual->geometry(), PxRect(form.optPuntual));
    EXPECT_EQ(puntual->text(), QStringLiteral("Puntual"));
    EXPECT_TRUE(lineal->isChecked());
    EXPECT_FALSE(puntual->isChecked());

    // Buttons where the model's resize handler put them.
    auto* accept = Widget<QPushButton>(view, "cmdAceptar");
    ASSERT_NE(accept, nullptr);
    EXPECT_EQ(accept->text(), QStringLiteral("Aceptar"));
    EXPECT_EQ(accept->geometry(), PxRect(form.cmdAceptar));
    EXPECT_TRUE(accept->isDefault());
    EXPECT_LE(accept->geometry().right(), view.width());

    auto* line = Widget<qt::LineShapeWidget>(view, "linMuestra");
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->geometry().contains(QPoint(Px(2760), Px(1140))));
    EXPECT_TRUE(line->geometry().contains(QPoint(Px(4440), Px(1140))));

    auto* grid = Widget<QTableView>(view, "tblDatos");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->geometry(), PxRect(form.tblDatos));
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(),
              QString::fromUtf8("Código"));
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(),
              QStringLiteral("MURO"));
    EXPECT_EQ(grid->model()->index(2, 3).data().toString(),
              QStringLiteral("12"));

    auto* flex = Widget<QTableView>(view, "msfResumen");
    ASSERT_NE(flex, nullptr);
    EXPECT_EQ(flex->model()->index(0, 1).data().toString(),
              QStringLiteral("Cant."));
    EXPECT_TRUE(QFontInfo(flex->font()).fixedPitch());
    EXPECT_FALSE(flex->editTriggers() & QAbstractItemView::DoubleClicked);
    // Alignment code 6 of the flex grid: right and top.
    EXPECT_EQ(flex->model()->index(1, 1).data(Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignRight | Qt::AlignTop));

    form.Hide();
  });
  EXPECT_FALSE(form.IsVisible());
}

TEST(QtFormView, ClicksTypingAndChoicesReachTheModelAsHeadless) {
  Outcome headless, real;
  {
    testing::HeadlessSession session;
    f_Prueba form;
    session.User()
        .Type("txtNombre", "Hola")
        .Click("optTipo(1)")
        .Choose("cmbCapa", "Muro")
        .Click("cmdAceptar");
    form.ShowModal();
    EXPECT_TRUE(session.ScriptErrors().empty());
    headless = OutcomeOf(form);
  }
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    QTest::keyClicks(Widget<QLineEdit>(view, "txtNombre"), "Hola");
    QTest::mouseClick(Widget<QRadioButton>(view, "optTipo(1)"), Qt::LeftButton);
    // Clicking the selected option again must not clear it.
    QTest::mouseClick(Widget<QRadioButton>(view, "optTipo(1)"), Qt::LeftButton);
    auto* combo = Widget<QComboBox>(view, "cmbCapa");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::mouseClick(Widget<QPushButton>(view, "cmdAceptar"), Qt::LeftButton);
  });
  real = OutcomeOf(form);
  EXPECT_EQ(real, headless);
  EXPECT_TRUE(real.accepted);
  EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "optPuntual"),
            1);
  EXPECT_EQ(form.events.back(), "accept");
}

TEST(QtFormView, EscapeEnterAndCloseBoxActAsInTheModel) {
  // Escape from inside a text box presses the cancel button.
  {
    QtSession session;
    f_Prueba form;
    form.accepted = true;
    RunModal(form, [&](FormView& view) {
      QTest::keyClick(Widget<QLineEdit>(view, "txtNombre"), Qt::Key_Escape);
    });
    EXPECT_FALSE(form.accepted);
    EXPECT_FALSE(form.IsVisible());
    EXPECT_EQ(form.events, std::vector<std::string>{"cancel"});
  }
  // Enter in a text box presses the default button.
  {
    QtSession session;
    f_Prueba form;
    RunModal(form, [&](FormView& view) {
      QTest::keyClick(Widget<QLineEdit>(view, "txtNombre"), Qt::Key_Return);
    });
    EXPECT_TRUE(form.accepted);
  }
  // The close box asks the form, which may refuse; then it unloads.
  std::vector<std::string> headless_events;
  {
    testing::HeadlessSession session;
    f_Prueba form;
    session.User()
        .Do([&] { form.refuse_close = true; })
        .CloseBox()
        .Do([&] { form.refuse_close = false; })
        .CloseBox();
    form.ShowModal();
    headless_events = form.events;
  }
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    form.refuse_close = true;
    view.close();
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(form.IsLoaded());
    form.refuse_close = false;
    view.close();
  });
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(form.accepted);
  EXPECT_EQ(form.events, headless_events);
}

TEST(QtFormView, LabelsAndOptionsTakeClicksAndDoubleClicks) {
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    // A double click as the window system sends it: press, release, then
    // the second press as a double click, and its release.
    auto* label = Widget<QLabel>(view, "labCapa");
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::mouseDClick(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton);
    auto* option = Widget<QRadioButton>(view, "optTipo(1)");
    QTest::mouseClick(option, Qt::LeftButton);
    QTest::mouseDClick(option, Qt::LeftButton);
    QTest::mouseRelease(option, Qt::LeftButton);
    form.Hide();
  });
  const std::vector<std::string> expected{"labCapa click", "labCapa dbl",
                                          "optPuntual", "optPuntual dbl"};
  EXPECT_EQ(form.events, expected);
  EXPECT_TRUE(form.optPuntual.Value());
}

TEST(QtFormView, MouseHeldOnAButtonTurnsTheLoopUntilReleased) {
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    auto* button = Widget<QPushButton>(view, "cmdRepite");
    QTimer::singleShot(
        40, button, [button] { QTest::mouseRelease(button, Qt::LeftButton); });
    QTest::mousePress(button, Qt::LeftButton);
    // The press returned: the release ended the loop inside it.
    EXPECT_FALSE(form.holding);
    form.Hide();
  });
  EXPECT_GT(form.passes, 0);
  EXPECT_LT(form.passes, 1000000);
  const std::vector<std::string> expected{"down", "up", "click cmdRepite"};
  EXPECT_EQ(form.events, expected);
}

TEST(QtFormView, AFormHiddenByItsOwnHandlerCanBeShownAgain) {
  QtSession session;
  f_Prueba form;
  int inner_shows = 0;
  form.cmdRepite.Click = [&] {
    form.Hide();
    QTimer::singleShot(0, [&] {
      ++inner_shows;
      form.Hide();
    });
    form.ShowModal();
  };
  RunModal(form, [&](FormView& view) {
    Widget<QPushButton>(view, "cmdRepite")->click();
  });
  EXPECT_EQ(inner_shows, 1);
  EXPECT_FALSE(form.IsVisible());
  EXPECT_EQ(session.Backend().ViewOf(form), nullptr);
}

TEST(QtFormView, ModelChangesShowAtOnce) {
  QtSession session;
  f_Prueba form;
  RunModal(form, [&](FormView& view) {
    form.txtNombre.SetText("Nuevo");
    EXPECT_EQ(Widget<QLineEdit>(view, "txtNombre")->text(),
              QStringLiteral("Nuevo"));
    form.labNombre.SetCaption("&Otro <I>");
    EXPECT_EQ(Widget<QLabel>(view, "labNombre")->text(),
              QStringLiteral("Otro <I>"));
    form.optPuntual.SetValue(true);
    EXPECT_TRUE(Widget<QRadioButton>(view, "optTipo(1)")->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(view, "optTipo(0)")->isChecked());
    form.cmbCapa.SetListIndex(2);
    EXPECT_EQ(Widget<QComboBox>(view, "cmbCapa")->currentText(),
              QStringLiteral("Casa"));
    form.cmdCancelar.SetVisible(false);
    EXPECT_TRUE(Widget<QPushButton>(view, "cmdCancelar")->isHidden());
    form.cmdAceptar.SetEnabled(false);
    EXPECT_FALSE(Widget<QPushButton>(view, "cmdAceptar")->isEnabled());
    form.SetCaption("Otra:");
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Otra:"));
    form.msfResumen.SetTextMatrix(2, 2, "7");
    EXPECT_EQ(Widget<QTableView>(view, "msfResumen")
                  ->model()
                  ->index(2, 2)
                  .data()
                  .toString(),
              QStringLiteral("7"));

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
    EXPECT_EQ(grid->index(1, 0).data().toString(), QStringLiteral("PARED"));
    form.tblDatos.grid().SetRows(7);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->rowCount(), 6);
    form.cmdCancelar.SetVisible(true);
    form.PressEscape();
  });
  EXPECT_FALSE(form.IsVisible());
}

TEST(QtFormView, UserResizeMovesTheModelAndItsLayoutFollows) {
  QtSession session;
  f_Prueba form;
  const int32_t width_before = form.Width();
  RunModal(form, [&](FormView& view) {
    const QSize bigger = view.size() + QSize(120, 60);
    view.resize(bigger);
    EXPECT_EQ(form.ScaleWidth(), qRound(bigger.width() * 1440.0 /
                                        view.screen()->logicalDotsPerInchX()));
    // Form_Resize ran in the model; its layout is on screen.
    auto* accept = Widget<QPushButton>(view, "cmdAceptar");
    EXPECT_EQ(accept->geometry(), PxRect(form.cmdAceptar));
    EXPECT_NEAR(accept->geometry().right(), bigger.width() - Px(373), 2);
    EXPECT_EQ(Widget<QTableView>(view, "tblDatos")->width(),
              bigger.width() - Px(240));
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
  EXPECT_GT(form.Width(), 0);
  EXPECT_NE(form.Width(), width_before);
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
