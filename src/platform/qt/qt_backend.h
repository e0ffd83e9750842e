// Real windows on Qt 6 Widgets: one generic renderer for every form of the
// window model. Tests, screenshot tools and the process's backend choice
// reach it through this header.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame/ui/form.h"
#include "frame/ui/ui_backend.h"

class QWidget;

namespace qdr2_Gomiat::qt {

class FormView;

struct QtBackendOptions {
  // When set, every form shown modally is saved as "<folder>/<form
  // name>.png" as soon as it is laid out, then closed with its close box
  // (hidden if the form refuses); message boxes are saved as
  // "<folder>/msgbox-<n>.png" and get the answer a user who just closes
  // them gives. No window waits for a user.
  std::string screenshot_folder;
};

class QtBackend final : public ui::UiBackend {
 public:
  explicit QtBackend(QtBackendOptions options = {});
  ~QtBackend() override;

  void ShowModal(ui::Form& form) override;
  void Changed(ui::Form& form, ui::Control* control) override;
  int32_t MsgBox(const std::string& prompt, int32_t flags,
                 const std::string& title) override;
  void DoEvents() override;
  void SetMousePointer(ui::MousePointer pointer) override;
  ui::MousePointer GetMousePointer() const override;
  int32_t ScreenWidth() const override;
  int32_t ScreenHeight() const override;

  // The dialog showing `form` now (not one whose loop has ended), or
  // nullptr.
  FormView* ViewOf(const ui::Form& form) const;
  // Shows `form` modally, saves a PNG of it at `path` once laid out and
  // hides it. Returns false when the picture could not be saved.
  bool ShowAndCapture(ui::Form& form, const std::string& path);

 private:
  QWidget* InnermostWindow() const;
  // The pictures of screenshot mode; false when saving failed.
  bool SaveView(FormView& view, const std::string& path) const;

  QtBackendOptions options_;
  std::vector<FormView*> views_;  // innermost last
  ui::MousePointer pointer_ = ui::MousePointer::Default;
  int message_count_ = 0;
  ui::Form* capture_form_ = nullptr;
  std::string capture_path_;
  bool capture_saved_ = false;
};

// The Qt backend, or nullptr when no widgets can be shown in this process
// (no display reachable, or the host runs Qt without widgets).
std::unique_ptr<QtBackend> MakeQtBackend(QtBackendOptions options = {});

// Shows `form` modally just long enough to lay it out, saves a PNG of it at
// `path` and leaves the form hidden (still loaded). The form must belong to
// an environment whose UI backend is the Qt backend. Fails (Failure) when
// that is not so or the file cannot be written.
void SaveFormScreenshot(ui::Form& form, const std::string& path);

}  // namespace qdr2_Gomiat::qt

// What the component loads by name when it chooses real windows: a new Qt
// backend the caller owns, or nullptr when none can be made. Never throws.
extern "C" qdr2_Gomiat::ui::UiBackend* qdr2_gomiat_qt_make_backend();
