// The navigation bar in a real window: the host's own window, redrawn on
// every EnfocaPunto, keeps painting while the bar's modal loop runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "point_tools/survey.h"
#include "qt/qt_session.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

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
  FormView* bar = nullptr;
  QObject context;
  QTimer::singleShot(0, &context, [&] {
    bar = qobject_cast<FormView*>(QApplication::activeModalWidget());
    ASSERT_NE(bar, nullptr);
    paints_before = drawing.paints;
    QTest::mouseClick(Widget<QPushButton>(*bar, "cmdAv(1)"), Qt::LeftButton);
  });
  QTimer::singleShot(200, &context, [&] {
    paints_after = drawing.paints;
    if (bar != nullptr)
      QTest::mouseClick(Widget<QPushButton>(*bar, "cmdCancelar"),
                        Qt::LeftButton);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    ADD_FAILURE() << "the navigation bar was left open";
    if (auto* open = qobject_cast<FormView*>(QApplication::activeModalWidget()))
      open->form().Hide();
  });
  watchdog.start(5000);
  nav.CargaBarraDibujo(&drawing, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                       s.CapaPuntos, s.L, s.Capas);
  EXPECT_EQ(drawing.shown, (std::vector<int32_t>{1, 2}));
  EXPECT_GT(paints_after, paints_before);
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
