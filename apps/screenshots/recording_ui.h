// The Qt backend in picture mode, keeping a record of what it pictured:
// which window or message box went to which file, and the title its frame
// showed. Each picture is moved to a name of its own at once, so a window
// shown twice keeps both pictures.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame/ui/ui_backend.h"
#include "platform/qt/qt_backend.h"

namespace screenshots {

struct Picture {
  enum class Kind { kForm, kMessage };
  Kind kind = Kind::kForm;
  std::string file;   // empty when the backend could not save it
  std::string name;   // the form's name, or the message's text
  std::string title;  // what the window's title bar shows
  bool sizable = false;
};

class RecordingUi final : public qdr2_Gomiat::ui::UiBackend {
 public:
  // `folder` must be the screenshot folder `backend` was made with.
  RecordingUi(std::unique_ptr<qdr2_Gomiat::qt::QtBackend> backend,
              std::string folder,
              std::shared_ptr<std::vector<Picture>> pictures);

  void ShowModal(qdr2_Gomiat::ui::Form& form) override;
  void Changed(qdr2_Gomiat::ui::Form& form,
               qdr2_Gomiat::ui::Control* control) override;
  int32_t MsgBox(const std::string& prompt, int32_t flags,
                 const std::string& title) override;
  void DoEvents() override;
  void SetMousePointer(qdr2_Gomiat::ui::MousePointer pointer) override;
  qdr2_Gomiat::ui::MousePointer GetMousePointer() const override;
  int32_t ScreenWidth() const override;
  int32_t ScreenHeight() const override;

 private:
  // Moves what the backend saved at `saved` to the next picture's name.
  std::string Keep(const std::string& saved);

  std::unique_ptr<qdr2_Gomiat::qt::QtBackend> backend_;
  std::string folder_;
  std::shared_ptr<std::vector<Picture>> pictures_;
  int messages_ = 0;  // the backend numbers its message pictures alike
  int kept_ = 0;
};

}  // namespace screenshots
