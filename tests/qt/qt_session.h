// A fresh environment with real (offscreen) windows for one test, in a
// temporary folder, plus helpers that act inside a modal window as a user.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/environment.h"
#include "frame/ui/form.h"
#include "platform/platform.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_backend.h"

namespace qdr2_Gomiat::qt_tests {

using qt::FormView;
using qt::MakeQtBackend;
using qt::QtBackend;

class QtSession {
 public:
  QtSession();
  ~QtSession();
  QtSession(const QtSession&) = delete;
  QtSession& operator=(const QtSession&) = delete;

  QtBackend& Backend() const { return *backend_; }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  QtBackend* backend_ = nullptr;  // owned by the environment
  std::shared_ptr<Environment> previous_;
};

// Shows `form` modally; `steps` runs inside its loop with the form's dialog.
// A form still shown after `steps` and a grace time is closed with a test
// failure, so a broken test never hangs.
void RunModal(ui::Form& form, const std::function<void(FormView&)>& steps);

// The next message box to appear is answered by clicking its button with
// `answer`; the box's title and text are kept in the two strings.
void AnswerNextMessageBox(int answer, QString* title = nullptr,
                          QString* text = nullptr);

// The widget of the control named as in the window ("optTipo(1)").
template <class W>
W* Widget(FormView& view, const char* full_name) {
  ui::Control* control = view.form().FindByFullName(full_name);
  return control == nullptr ? nullptr
                            : qobject_cast<W*>(view.WidgetOf(*control));
}

// Where the tests keep their pictures: <build>/screenshots.
std::string ScreenshotFolder();

namespace detail {

// The tests draw offscreen unless told otherwise.
inline const bool kOffscreen = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return true;
}();

inline std::string MakeTempFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "qdr2_gomiat_qt-XXXXXX")
          .string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) throw std::runtime_error("mkdtemp");
  return std::string(buf.data());
}

}  // namespace detail

inline QtSession::QtSession() : folder_(detail::MakeTempFolder()) {
  (void)detail::kOffscreen;
  auto backend = MakeQtBackend();
  if (!backend) throw std::runtime_error("no Qt backend offscreen");
  backend_ = backend.get();
  auto shared =
      std::make_shared<std::unique_ptr<ui::UiBackend>>(std::move(backend));
  Environment::Factories f;
  f.settings = [path = folder_ + "/settings.sqlite"] {
    return MakeSqliteSettings(path);
  };
  f.numbers = MakeNumberTextService;
  f.colours = MakeColourService;
  f.sort = MakeSortService;
  f.files = MakeFileService;
  f.ui = [shared] { return std::move(*shared); };
  f.grid = MakeGridModel;
  f.clock = MakeSystemClock;
  previous_ = Environment::Install(
      std::make_shared<Environment>(std::move(f), folder_));
  // The environment makes its backend on first use: make it now.
  Environment::Current().Ui();
}

inline QtSession::~QtSession() {
  Environment::Install(previous_);
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

inline void RunModal(ui::Form& form,
                     const std::function<void(FormView&)>& steps) {
  auto& backend = dynamic_cast<QtBackend&>(Environment::Current().Ui());
  QObject context;  // nothing queued here outlives the call
  QTimer::singleShot(0, &context, [&] {
    FormView* view = backend.ViewOf(form);
    ASSERT_NE(view, nullptr) << "the form is not shown";
    steps(*view);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    ADD_FAILURE() << form.Name() << " was left open";
    if (!form.CloseBox()) form.Hide();
  });
  watchdog.start(5000);
  form.ShowModal();
}

inline void AnswerNextMessageBox(int answer, QString* title, QString* text) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    if (title != nullptr) *title = box->windowTitle();
    if (text != nullptr) *text = box->text();
    auto* button =
        box->findChild<QPushButton*>(QStringLiteral("answer%1").arg(answer));
    EXPECT_NE(button, nullptr) << "no button answers " << answer;
    poll->deleteLater();
    poll->stop();
    if (button != nullptr)
      button->click();
    else
      box->reject();
  });
  poll->start(5);
}

inline std::string ScreenshotFolder() {
  return std::string(QDR2_GOMIAT_BINARY_DIR) + "/screenshots";
}

}  // namespace qdr2_Gomiat::qt_tests
