// The tools' own windows on screen: the line style picker's options, and
// the host's window repainting while the navigation bar is open. (A grid's
// current row and typing on screen are grid_view_test.cpp's.)
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "point_tools/survey.h"
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
    view.WidgetOf(f.optEstilo(3))->setFocus();
    // Round to the first and back: the hidden thickness options are
    // another group.
    for (const auto& [key, option] :
         {std::pair{Qt::Key_Down, 4}, {Qt::Key_Right, 0}, {Qt::Key_Up, 4}}) {
      QTest::keyClick(view.focusWidget(), key);
      EXPECT_TRUE(f.optEstilo(option).Value()) << key;
      EXPECT_EQ(view.focusWidget(), view.WidgetOf(f.optEstilo(option)));
    }
    EXPECT_TRUE(f.optGrosor(0).Value());

    f.cmdAceptar.UserClick();
  });
  EXPECT_TRUE(f.Accepted());
  EXPECT_EQ(f.A_Tipolin(), 4);
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
  WhileModal(
      [&] {
        nav.CargaBarraDibujo(&drawing, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                             s.CapaPuntos, s.L, s.Capas);
      },
      [&](FormView& bar) {
        const int paints_before = drawing.paints;
        QTest::mouseClick(Widget<QPushButton>(bar, "cmdAv(1)"), Qt::LeftButton);
        QTest::qWait(200);
        EXPECT_GT(drawing.paints, paints_before);
        QTest::mouseClick(Widget<QPushButton>(bar, "cmdCancelar"),
                          Qt::LeftButton);
      });
  EXPECT_EQ(drawing.shown, (std::vector<int32_t>{1, 2}));
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
