#include "recording_ui.h"

#include <filesystem>
#include <system_error>

#include "frame/ui/form.h"

namespace screenshots {

namespace q = qdr2_Gomiat;
namespace fs = std::filesystem;

RecordingUi::RecordingUi(std::unique_ptr<q::qt::QtBackend> backend,
                         std::string folder,
                         std::shared_ptr<std::vector<Picture>> pictures)
    : backend_(std::move(backend)),
      folder_(std::move(folder)),
      pictures_(std::move(pictures)) {}

std::string RecordingUi::Keep(const std::string& saved) {
  std::error_code ec;
  if (!fs::is_regular_file(saved, ec)) return {};
  const std::string kept =
      folder_ + "/picture-" + std::to_string(++kept_) + ".png";
  fs::rename(saved, kept, ec);
  return ec ? std::string() : kept;
}

void RecordingUi::ShowModal(q::ui::Form& form) {
  Picture p;
  p.kind = Picture::Kind::kForm;
  p.name = form.Name();
  p.title = form.Caption();
  p.sizable = form.Sizable();
  const std::string saved = folder_ + "/" + form.Name() + ".png";
  std::error_code ec;
  fs::remove(saved, ec);
  backend_->ShowModal(form);
  p.file = Keep(saved);
  pictures_->push_back(std::move(p));
}

void RecordingUi::Changed(q::ui::Form& form, q::ui::Control* control) {
  backend_->Changed(form, control);
}

int32_t RecordingUi::MsgBox(const std::string& prompt, int32_t flags,
                            const std::string& title) {
  Picture p;
  p.kind = Picture::Kind::kMessage;
  p.name = prompt;
  p.title = title.empty() ? q::ui::kAppTitle : title;
  const int32_t answer = backend_->MsgBox(prompt, flags, title);
  p.file = Keep(folder_ + "/msgbox-" + std::to_string(++messages_) + ".png");
  pictures_->push_back(std::move(p));
  return answer;
}

void RecordingUi::DoEvents() { backend_->DoEvents(); }

void RecordingUi::SetMousePointer(q::ui::MousePointer pointer) {
  backend_->SetMousePointer(pointer);
}

q::ui::MousePointer RecordingUi::GetMousePointer() const {
  return backend_->GetMousePointer();
}

int32_t RecordingUi::ScreenWidth() const { return backend_->ScreenWidth(); }

int32_t RecordingUi::ScreenHeight() const { return backend_->ScreenHeight(); }

}  // namespace screenshots
