// One script of gestures, run by the scripted user of the headless backend
// and as simulated input on the real (offscreen) windows: both backends
// must leave the same events in the same order, show the same message
// boxes and leave the window in the same state.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "qdr2_gomiat/testing.h"
#include "qt/qt_session.h"
#include "support/test_form.h"

namespace qdr2_Gomiat::qt_tests {
namespace {

using test::f_Prueba;
using Lines = std::vector<std::string>;

struct Step {
  enum Kind { Type, TypeKeys, Click, DoubleClick, Choose, Hold, CloseBox, Do };
  Kind kind;
  std::string control;
  std::string text;
  std::function<void(f_Prueba&)> action;
};

const std::vector<Step>& Script() {
  static const std::vector<Step> script = {
      {Step::TypeKeys, "txtN", "12", {}},  // 1, 12, and the rule's 5
      {Step::Type, "txtNombre", "Peña", {}},
      {Step::TypeKeys, "txtNombre", "ñu", {}},
      {Step::Choose, "cmbCapa", "Casa", {}},
      {Step::Click, "optTipo(1)", "", {}},
      {Step::DoubleClick, "labCapa", "", {}},
      {Step::DoubleClick, "optTipo(0)", "", {}},
      {Step::DoubleClick, "cmdAv(0)", "", {}},
      {Step::Hold, "cmdAv(1)", "", {}},  // a short press: one step
      {Step::Click, "cmdFalla", "", {}},
      // With N = 0 the rule sets off itself until failure 28.
      {Step::Do, "", "", [](f_Prueba& f) { f.points = 0; }},
      {Step::TypeKeys, "txtN", "7", {}},
      {Step::Do, "", "", [](f_Prueba& f) { f.refuse_close = true; }},
      {Step::CloseBox, "", "", {}},
      {Step::Do, "", "", [](f_Prueba& f) { f.refuse_close = false; }},
      {Step::CloseBox, "", "", {}},
  };
  return script;
}

struct Outcome {
  Lines events;
  Lines boxes;
  std::string n, nombre, capa;
  bool lineal = false, loaded = true;
};

Outcome Result(const f_Prueba& f, Lines boxes) {
  return {f.events,           std::move(boxes), f.txtN.Text(),
          f.txtNombre.Text(), f.cmbCapa.Text(), f.optTipo(0).Value(),
          f.IsLoaded()};
}

Outcome RunHeadless() {
  testing::HeadlessSession s;
  f_Prueba f;
  testing::ScriptedUser& user = s.User();
  for (const Step& step : Script()) {
    switch (step.kind) {
      case Step::Type:
        user.Type(step.control, step.text);
        break;
      case Step::TypeKeys:
        user.TypeKeys(step.control, step.text);
        break;
      case Step::Click:
        user.Click(step.control);
        break;
      case Step::DoubleClick:
        user.DoubleClick(step.control);
        break;
      case Step::Choose:
        user.Choose(step.control, step.text);
        break;
      case Step::Hold:
        user.HoldMouse(step.control, 1);
        break;
      case Step::CloseBox:
        user.CloseBox();
        break;
      case Step::Do:
        user.Do([&f, &step] { step.action(f); });
        break;
    }
  }
  f.ShowModal();
  EXPECT_TRUE(s.ScriptErrors().empty());
  Lines boxes;
  for (const auto& m : s.Messages()) boxes.push_back(m.prompt);
  return Result(f, boxes);
}

// A double click as the window system sends it: a click, then the second
// press as a double click event, and its release.
void DoubleClickOn(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton);
  const QPointF p = QPointF(w->rect().center());
  QMouseEvent dbl(QEvent::MouseButtonDblClick, p, w->mapToGlobal(p),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &dbl);
  QTest::mouseRelease(w, Qt::LeftButton);
}

void Apply(FormView& view, f_Prueba& f, const Step& step) {
  QWidget* w = nullptr;
  if (!step.control.empty()) {
    w = Widget<QWidget>(view, step.control.c_str());
    ASSERT_NE(w, nullptr) << step.control;
  }
  const QString text = QString::fromStdString(step.text);
  switch (step.kind) {
    case Step::Type:  // a paste over the whole text
      w->setFocus();
      static_cast<QLineEdit*>(w)->selectAll();
      static_cast<QLineEdit*>(w)->insert(text);
      return;
    case Step::TypeKeys:
      w->setFocus();
      static_cast<QLineEdit*>(w)->selectAll();
      // Key by key, letters outside ASCII too.
      for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()),
                            QString(c), Qt::NoModifier);
      return;
    case Step::Click:
      QTest::mouseClick(w, Qt::LeftButton);
      return;
    case Step::DoubleClick:
      DoubleClickOn(w);
      return;
    case Step::Choose: {  // a click on the item in the open list
      auto* combo = static_cast<QComboBox*>(w);
      combo->showPopup();
      QAbstractItemView* list = combo->view();
      const QModelIndex item = list->model()->index(combo->findText(text), 0);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualRect(item).center());
      return;
    }
    case Step::Hold:
      QTest::mousePress(w, Qt::LeftButton);
      QTest::mouseRelease(w, Qt::LeftButton);
      return;
    case Step::CloseBox:
      view.close();
      return;
    case Step::Do:
      step.action(f);
      return;
  }
}

Outcome RunQt() {
  QtSession session;
  BoxCloser boxes;
  f_Prueba f;
  RunModal(f, [&](FormView& view) {
    for (const Step& step : Script()) {
      if (!f.IsVisible()) break;
      Apply(view, f, step);
    }
  });
  return Result(f, boxes.texts);
}

TEST(BackendConformance, OneScriptGivesTheSameEventsInBothBackends) {
  const Outcome headless = RunHeadless();
  const Outcome real = RunQt();
  // What the script must give, read once from the headless run.
  const Lines start = {"txtN 1",
                       "txtN 12",
                       "txtN 5",
                       "txtNombre Peña",
                       "txtNombre ñ",
                       "txtNombre ñu",
                       "cmbCapa click Casa",
                       "optTipo click 1",
                       "labCapa click",
                       "labCapa dbl",
                       "optTipo click 0",
                       "optTipo dbl 0"};
  ASSERT_GE(headless.events.size(), start.size());
  EXPECT_EQ(Lines(headless.events.begin(), headless.events.begin() + 12),
            start);
  const Lines buttons = {"cmdAv down 0",   "cmdAv repeat 0", "cmdAv up 0",
                         "cmdAv click 0",  "cmdAv down 0",   "cmdAv repeat 0",
                         "cmdAv up 0",     "cmdAv click 0",  "cmdAv down 1",
                         "cmdAv repeat 1", "cmdAv up 1",     "cmdAv click 1",
                         "cmdFalla click"};
  EXPECT_EQ(Lines(headless.events.begin() + 12, headless.events.begin() + 25),
            buttons);
  // The runaway cascade: as deep as the dispatcher allows, then closing.
  EXPECT_EQ(headless.events.size(), 25u + ui::kMaxHandlerDepth + 3);
  EXPECT_EQ(Lines(headless.events.end() - 3, headless.events.end()),
            (Lines{"QueryUnload 0", "QueryUnload 0", "Unload"}));
  EXPECT_EQ(headless.boxes,
            (Lines{"Se ha producido el error '9' en tiempo de ejecución:\n\n"
                   "El subíndice está fuera del intervalo",
                   "Se ha producido el error '28' en tiempo de ejecución:\n\n"
                   "Espacio de pila insuficiente"}));
  EXPECT_FALSE(headless.loaded);

  EXPECT_EQ(real.events, headless.events);
  EXPECT_EQ(real.boxes, headless.boxes);
  EXPECT_EQ(std::tie(real.n, real.nombre, real.capa, real.lineal, real.loaded),
            std::tie(headless.n, headless.nombre, headless.capa,
                     headless.lineal, headless.loaded));
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
