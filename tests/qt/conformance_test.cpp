// One script of gestures, run by the scripted user of the headless backend
// and as simulated input on the real (offscreen) windows: both backends
// must leave the same events in the same order, show the same message
// boxes and leave the window in the same state.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "qdr2_gomiat/testing.h"
#include "qt/qt_session.h"
#include "support/test_form.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using test::f_Prueba;
using Lines = std::vector<std::string>;

// The scripted user's gestures made as input on the real window, at once.
class QtUser {
 public:
  explicit QtUser(FormView& view) : view_(view) {}
  QtUser& Type(const char* name, const char* text) {  // a paste over all
    Edit(name)->insert(QString::fromUtf8(text));
    return *this;
  }
  QtUser& TypeKeys(const char* name, const char* text) {
    QLineEdit* edit = Edit(name);
    for (const QChar c : QString::fromUtf8(text))  // letters past ASCII too
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(c.toUpper().unicode()),
                          QString(c), Qt::NoModifier);
    return *this;
  }
  QtUser& Click(const char* name) {
    QTest::mouseClick(Reach(name), Qt::LeftButton);
    return *this;
  }
  // As the window system sends it: a click, then the second press as a
  // double click event, and its release.
  QtUser& DoubleClick(const char* name) {
    QWidget* w = Reach(name);
    QTest::mouseClick(w, Qt::LeftButton);
    const QPointF p = QPointF(w->rect().center());
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, w->mapToGlobal(p),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &dbl);
    QTest::mouseRelease(w, Qt::LeftButton);
    return *this;
  }
  QtUser& Choose(const char* name, const char* item) {  // in the open list
    auto* combo = static_cast<QComboBox*>(Reach(name));
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex i = list->model()->index(combo->findText(item), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(i).center());
    return *this;
  }
  QtUser& HoldMouse(const char* name, int) {  // a short press: one step
    return Click(name);
  }
  QtUser& CloseBox() {
    view_.close();
    return *this;
  }
  QtUser& Do(const std::function<void()>& action) {
    action();
    return *this;
  }

 private:
  QLineEdit* Edit(const char* name) {  // focused, its text all selected
    auto* edit = static_cast<QLineEdit*>(Reach(name));
    edit->setFocus();
    edit->selectAll();
    return edit;
  }
  QWidget* Reach(const char* name) {
    QWidget* w = Widget<QWidget>(view_, name);
    // No exception may cross Qt's event loop: a script naming a control
    // the window lacks is a broken test, stopped here.
    if (w == nullptr) {
      std::fprintf(stderr, "%s is not on the window\n", name);
      std::abort();
    }
    return w;
  }
  FormView& view_;
};

// The one script both backends run.
template <class User>
void Script(User&& u, f_Prueba& f) {
  u.TypeKeys("txtN", "12")  // 1, 12, and the rule's 5
      .Type("txtNombre", "Peña")
      .TypeKeys("txtNombre", "ñu")
      .Choose("cmbCapa", "Casa")
      .Click("optTipo(1)")
      .DoubleClick("labCapa")
      .DoubleClick("optTipo(0)")
      .DoubleClick("cmdAv(0)")
      .HoldMouse("cmdAv(1)", 1)
      .Click("cmdFalla")
      // With N = 0 the rule sets off itself until failure 28.
      .Do([&f] { f.points = 0; })
      .TypeKeys("txtN", "7")
      .Do([&f] { f.refuse_close = true; })
      .CloseBox()
      .Do([&f] { f.refuse_close = false; })
      .CloseBox();
}

// What a run leaves: its events, its boxes' texts and what the window
// holds at the end.
struct Outcome {
  Lines events, boxes, state;
};

Outcome Result(const f_Prueba& f, Lines boxes) {
  return {f.events,
          std::move(boxes),
          {f.txtN.Text(), f.txtNombre.Text(), f.cmbCapa.Text(),
           f.optTipo(0).Value() ? "Lineal" : "Puntual",
           f.IsLoaded() ? "loaded" : "unloaded"}};
}

Outcome RunHeadless() {
  testing::HeadlessSession s;
  f_Prueba f;
  Script(s.User(), f);
  f.ShowModal();
  EXPECT_TRUE(s.ScriptErrors().empty());
  Lines boxes;
  for (const auto& m : s.Messages()) boxes.push_back(m.prompt);
  return Result(f, boxes);
}

Outcome RunQt() {
  QtSession session;
  BoxCloser boxes;
  f_Prueba f;
  RunModal(f, [&](FormView& view) { Script(QtUser(view), f); });
  return Result(f, boxes.texts);
}

TEST(BackendConformance, OneScriptGivesTheSameEventsInBothBackends) {
  const Outcome headless = RunHeadless();
  const Outcome real = RunQt();
  // The headless run did what the script says (the events themselves are
  // form_test.cpp's): the typing corrected by the rule, the double clicks,
  // the held arrow, the failing handler, the runaway cascade as deep as the
  // dispatcher allows, and the closing.
  const Lines& e = headless.events;
  ASSERT_EQ(e.size(), 25u + ui::kMaxHandlerDepth + 3);
  EXPECT_EQ(Lines(e.begin(), e.begin() + 3),
            (Lines{"txtN 1", "txtN 12", "txtN 5"}));
  EXPECT_EQ(e[9], "labCapa dbl");
  EXPECT_EQ(e[13], "cmdAv repeat 0");
  EXPECT_EQ(Lines(e.end() - 3, e.end()),
            (Lines{"QueryUnload 0", "QueryUnload 0", "Unload"}));
  EXPECT_EQ(headless.boxes,
            (Lines{"Se ha producido el error '9' en tiempo de ejecución:\n\n"
                   "El subíndice está fuera del intervalo",
                   "Se ha producido el error '28' en tiempo de ejecución:\n\n"
                   "Espacio de pila insuficiente"}));
  EXPECT_EQ(headless.state.back(), "unloaded");

  EXPECT_EQ(real.events, headless.events);
  EXPECT_EQ(real.boxes, headless.boxes);
  EXPECT_EQ(real.state, headless.state);
}

// Holding an arrow button repeats on a timer: the press returns at once
// (no loop inside it), the steps come at the timer's pace, and the
// release ends them.
TEST(BackendConformance, HoldToRepeatRunsOnATimer) {
  QtSession session;
  f_Prueba f;
  RunModal(f, [&](FormView& view) {
    auto* button = Widget<QPushButton>(view, "cmdAv(1)");
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_TRUE(f.cmdAv(1).Held());
    EXPECT_EQ(f.repeats, 1);
    QTest::qWait(ui::kRepeatDelayMs + 3 * ui::kRepeatIntervalMs + 50);
    EXPECT_GE(f.repeats, 2);  // a loaded machine may delay the timer
    EXPECT_LE(f.repeats, 6);
    QTest::mouseRelease(button, Qt::LeftButton);
    const int at_release = f.repeats;
    QTest::qWait(2 * ui::kRepeatIntervalMs);
    EXPECT_EQ(f.repeats, at_release);
    EXPECT_FALSE(f.cmdAv(1).Held());
    f.Hide();
  });
  EXPECT_EQ(f.events.back(), "cmdAv click 1");
}

}  // namespace
}  // namespace qdr2_Gomiat::qt_tests
