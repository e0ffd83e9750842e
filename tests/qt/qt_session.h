// A fresh environment with real (offscreen) windows for one test, in a
// temporary folder, plus helpers that act inside a modal window as a user.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "frame/environment.h"
#include "platform/platform.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_backend.h"
#include "support/test_support.h"

// Sizes and places as numbers in failure messages (GoogleTest would print
// their bytes).
inline void PrintTo(const QSize& s, std::ostream* os) {
  *os << s.width() << "x" << s.height();
}
inline void PrintTo(const QPoint& p, std::ostream* os) {
  *os << "(" << p.x() << ", " << p.y() << ")";
}
inline void PrintTo(const QRect& r, std::ostream* os) {
  PrintTo(r.topLeft(), os);
  PrintTo(r.size(), os);
}

namespace qdr2_Gomiat::qt_tests {

using qt::FormView;
using qt::QtBackend;

class QtSession {
 public:
  QtSession()
      : scope_(Services(folder_.File("settings.sqlite")),
               folder_.Path().string()),
        // Made on first use: made now, a Failure when Qt shows no widgets.
        backend_(static_cast<QtBackend&>(Environment::Current().Ui())) {}

  QtBackend& Backend() const { return backend_; }

 private:
  static Environment::Factories Services(const std::string& settings) {
    Environment::Factories f;
    f.settings = [settings] { return MakeSqliteSettings(settings); };
    f.numbers = MakeNumberTextService;
    f.colours = MakeColourService;
    f.sort = MakeSortService;
    f.files = MakeFileService;
    f.ui = [] {
      setenv("QT_QPA_PLATFORM", "offscreen", 0);  // unless told otherwise
      return qt::MakeQtBackend();
    };
    f.grid = MakeGridModel;
    f.clock = MakeSystemClock;
    return f;
  }

  test_support::TempFolder folder_;
  test_support::ScopedEnvironment scope_;
  QtBackend& backend_;  // owned by the environment
};

// Runs `show`, a call that shows a window modally; `steps` runs inside its
// loop with that window's view. A window still open after `steps` and a
// grace time is closed with a test failure, so a broken test never hangs.
inline void WhileModal(const std::function<void()>& show,
                       const std::function<void(FormView&)>& steps) {
  QObject context;  // nothing queued here outlives the call
  QTimer::singleShot(0, &context, [&] {
    auto* view = qobject_cast<FormView*>(QApplication::activeModalWidget());
    ASSERT_NE(view, nullptr) << "no window is shown";
    steps(*view);
  });
  QTimer::singleShot(5000, &context, [&] {
    auto* view = qobject_cast<FormView*>(QApplication::activeModalWidget());
    if (view == nullptr) return;
    ADD_FAILURE() << view->form().Name() << " was left open";
    if (!view->form().CloseBox()) view->form().Hide();
  });
  show();
}

inline void RunModal(ui::Form& form,
                     const std::function<void(FormView&)>& steps) {
  WhileModal([&form] { form.ShowModal(); }, steps);
}

// Answers every message box while it lives, with the first of `answers`
// the box has a button for (by default as a user who just closes it), and
// keeps the boxes' titles and texts.
class BoxCloser : public QObject {
 public:
  explicit BoxCloser(std::vector<int> answers = {2, 7, 1}) {
    QObject::connect(&poll_, &QTimer::timeout, this, [this, answers] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      titles.push_back(box->windowTitle().toStdString());
      texts.push_back(box->text().toStdString());
      for (int answer : answers)
        if (auto* b = box->findChild<QPushButton*>(
                QStringLiteral("answer%1").arg(answer)))
          return b->click();
      ADD_FAILURE() << "no button for the answers asked";
      box->reject();
    });
    poll_.start(5);
  }
  std::vector<std::string> titles, texts;

 private:
  QTimer poll_;
};

// The widget of the control named as in the window ("optTipo(1)").
template <class W>
W* Widget(FormView& view, const char* full_name) {
  ui::Control* control = view.form().FindByFullName(full_name);
  return control == nullptr ? nullptr
                            : qobject_cast<W*>(view.WidgetOf(*control));
}

}  // namespace qdr2_Gomiat::qt_tests
