#include "platform/qt/qt_backend.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "platform/qt/application.h"
#include "platform/qt/form_view.h"
#include "platform/qt/message_box.h"
#include "platform/qt/text.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::qt {

namespace {

// The runtime's number for showing modally a form that is already shown.
constexpr int32_t kFormAlreadyShown = 400;
// Modal windows inside one another; beyond this a show is refused.
constexpr size_t kMaxModalDepth = 64;

QApplication& App() {
  QApplication* app = EnsureApplication();
  if (app == nullptr)
    throw Failure(err::kCannotCreateObject,
                  "No se pueden mostrar ventanas en este proceso");
  return *app;
}

// Lets a freshly shown window lay itself out before it is pictured.
void Settle() {
  for (int i = 0; i < 3; ++i)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool SavePicture(QWidget& widget, const std::string& path) {
  const QString file = ToQ(path);
  QDir().mkpath(QFileInfo(file).absolutePath());
  return widget.grab().save(file, "PNG");
}

}  // namespace

QtBackend::QtBackend(QtBackendOptions options) : options_(std::move(options)) {
  App();
}

QtBackend::~QtBackend() {
  if (pointer_ == ui::MousePointer::Hourglass && qApp != nullptr)
    QApplication::restoreOverrideCursor();
}

QWidget* QtBackend::InnermostWindow() const {
  if (!views_.empty()) return views_.back();
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

FormView* QtBackend::ViewOf(const ui::Form& form) const {
  // A form hidden from its own handler may be shown again before the
  // handler returns; the dialog that ended does not count.
  for (FormView* v : views_)
    if (&v->form() == &form && !v->Ended()) return v;
  return nullptr;
}

bool QtBackend::SaveView(FormView& view, const std::string& path) const {
  Settle();
  return SavePicture(view, path);
}

void QtBackend::ShowModal(ui::Form& form) {
  App();
  if (!form.IsVisible() || !form.IsLoaded()) return;
  if (ViewOf(form) != nullptr) throw Failure(kFormAlreadyShown);
  if (views_.size() >= kMaxModalDepth) throw Failure(err::kOutOfMemory);
  FormView view(form, Units(QGuiApplication::primaryScreen()),
                InnermostWindow());
  views_.push_back(&view);
  struct Pop {
    std::vector<FormView*>& v;
    ~Pop() { v.pop_back(); }
  } pop{views_};

  view.setWindowModality(Qt::ApplicationModal);
  view.show();
  if (capture_form_ == &form) {
    capture_form_ = nullptr;
    capture_saved_ = SaveView(view, capture_path_);
    form.Hide();
  } else if (!options_.screenshot_folder.empty()) {
    const std::string path =
        options_.screenshot_folder + "/" + form.Name() + ".png";
    if (!SaveView(view, path))
      std::fprintf(stderr, "qdr2_Gomiat: could not save %s\n", path.c_str());
    if (!form.UserCloseBox() && form.IsVisible()) form.Hide();
  }
  view.RunLoop();
  // The loop also ends when the application quits under the form: the form
  // is closed as a user would, and hidden if it refuses.
  if (form.IsVisible() && form.IsLoaded() && !form.UserCloseBox() &&
      form.IsVisible())
    form.Hide();
}

void QtBackend::Changed(ui::Form& form, ui::Control* control) {
  FormView* view = ViewOf(form);
  if (view == nullptr) return;
  if (control != nullptr) {
    view->SyncControl(*control);
    return;
  }
  if (!form.IsVisible() || !form.IsLoaded())
    view->EndLoop();
  else
    view->SyncForm();
}

int32_t QtBackend::MsgBox(const std::string& prompt, int32_t flags,
                          const std::string& title) {
  App();
  auto box = MakeMessageBox(prompt, flags, title, InnermostWindow());
  if (!options_.screenshot_folder.empty()) {
    box->show();
    Settle();
    const std::string path = options_.screenshot_folder + "/msgbox-" +
                             std::to_string(++message_count_) + ".png";
    if (!SavePicture(*box, path))
      std::fprintf(stderr, "qdr2_Gomiat: could not save %s\n", path.c_str());
    box->hide();
    return DefaultAnswerFor(flags);
  }
  box->exec();
  return AnswerOf(*box, flags);
}

void QtBackend::DoEvents() {
  App();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtBackend::SetMousePointer(ui::MousePointer pointer) {
  App();
  if (pointer == pointer_) return;
  if (pointer == ui::MousePointer::Hourglass)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
  pointer_ = pointer;
}

ui::MousePointer QtBackend::GetMousePointer() const { return pointer_; }

int32_t QtBackend::ScreenWidth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int px = screen != nullptr ? screen->geometry().width() : 1920;
  return Units(screen).ToTwipsX(px);
}

int32_t QtBackend::ScreenHeight() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int px = screen != nullptr ? screen->geometry().height() : 1080;
  return Units(screen).ToTwipsY(px);
}

bool QtBackend::ShowAndCapture(ui::Form& form, const std::string& path) {
  capture_form_ = &form;
  capture_path_ = path;
  capture_saved_ = false;
  form.ShowModal();
  const bool saved = capture_saved_;
  capture_form_ = nullptr;
  return saved;
}

std::unique_ptr<QtBackend> MakeQtBackend(QtBackendOptions options) {
  if (EnsureApplication() == nullptr) return nullptr;
  return std::make_unique<QtBackend>(std::move(options));
}

}  // namespace qdr2_Gomiat::qt

extern "C" qdr2_Gomiat::ui::UiBackend* qdr2_gomiat_qt_make_backend() {
  try {
    return qdr2_Gomiat::qt::MakeQtBackend().release();
  } catch (...) {
    return nullptr;
  }
}
