#include "frame/ui/form.h"

#include <algorithm>
#include <cstdio>

#include "frame/environment.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::ui {

namespace {
// Handlers run on the user-interface thread only; the count is the
// thread's own all the same.
thread_local int handler_depth = 0;
}  // namespace

void Dispatch(const std::function<void()>& body) {
  if (handler_depth >= kMaxHandlerDepth) throw Failure(err::kOutOfStackSpace);
  ++handler_depth;
  struct Leave {
    ~Leave() { --handler_depth; }
  } leave;
  body();
}

void ReportUntrapped(const Failure& failure, bool quiet) noexcept {
  try {
    if (quiet) {
      std::fprintf(stderr, "qdr2_Gomiat: error %d in a window handler: %s\n",
                   static_cast<int>(failure.number()),
                   failure.description().c_str());
      return;
    }
    Environment::Current().Ui().MsgBox(
        "Se ha producido el error '" + std::to_string(failure.number()) +
            "' en tiempo de ejecución:\n\n" + failure.description(),
        mb::kCritical, "");
  } catch (...) {
    // Reporting must not fail the gesture a second time.
  }
}

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() = default;

void Form::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  ControlChanged(nullptr);
}

void Form::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (width < 0 || height < 0) throw Failure(err::kInvalidProperty);
  const bool resized = width != width_ || height != height_;
  if (!resized && left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  ControlChanged(nullptr);
  if (resized && loaded_ && !loading_) Dispatch([&] { Form_Resize(); });
}

void Form::SetInnerSize(int32_t scale_width, int32_t scale_height) {
  Move(left_, top_, scale_width + kBorderWidth, scale_height + kBorderHeight);
}

int32_t Form::ScaleWidth() const { return std::max(0, width_ - kBorderWidth); }
int32_t Form::ScaleHeight() const {
  return std::max(0, height_ - kBorderHeight);
}

void Form::Load() {
  if (loaded_ || loading_) return;
  loading_ = true;
  try {
    Dispatch([&] { Form_Load(); });
  } catch (...) {
    loading_ = false;
    loaded_ = true;  // the platform keeps a form whose load failed loaded
    throw;
  }
  loading_ = false;
  loaded_ = true;
}

void Form::ShowModal() {
  Load();
  if (!loaded_) return;
  visible_ = true;
  // The first show lays the controls out as the platform's resize does.
  Dispatch([&] { Form_Resize(); });
  ControlChanged(nullptr);
  Environment::Current().Ui().ShowModal(*this);
}

void Form::Hide() {
  Load();
  if (!visible_) return;
  visible_ = false;
  NotifyBackend();
}

bool Form::Unload() { return DoUnload(kFromCode); }

bool Form::CloseBox() { return DoUnload(kCloseBox); }

bool Form::DoUnload(int16_t mode) {
  if (!loaded_) return true;
  int16_t cancel = 0;
  Dispatch([&] { Form_QueryUnload(cancel, mode); });
  if (cancel != 0) return false;
  Dispatch([&] { Form_Unload(cancel); });
  if (cancel != 0) return false;
  const bool was_visible = visible_;
  loaded_ = false;
  visible_ = false;
  if (was_visible) NotifyBackend();
  return true;
}

void Form::PressEscape() {
  for (const auto& c : controls_)
    if (c->Kind() == ControlKind::CommandButton) {
      auto* b = static_cast<CommandButton*>(c.get());
      if (b->IsCancel()) {
        b->UserClick();
        return;
      }
    }
}

void Form::PressEnter() {
  for (const auto& c : controls_)
    if (c->Kind() == ControlKind::CommandButton) {
      auto* b = static_cast<CommandButton*>(c.get());
      if (b->IsDefault()) {
        b->UserClick();
        return;
      }
    }
}

bool Form::UserCloseBox() {
  bool closed = false;
  Gesture([&] { closed = CloseBox(); });
  return closed;
}

void Form::UserResize(int32_t width, int32_t height) {
  Gesture([&] { Move(left_, top_, width, height); }, /*quiet=*/true);
}

void Form::UserMove(int32_t left, int32_t top) {
  Gesture([&] { Move(left, top, width_, height_); }, /*quiet=*/true);
}

Control* Form::Find(const std::string& name, int16_t index) const {
  for (const auto& c : controls_)
    if (c->Name() == name && c->Index() == index) return c.get();
  return nullptr;
}

Control* Form::FindByFullName(const std::string& full_name) const {
  for (const auto& c : controls_)
    if (c->FullName() == full_name) return c.get();
  return nullptr;
}

void Form::NotifyBackend() {
  Environment::Current().Ui().Changed(*this, nullptr);
}

void Form::ControlChanged(Control* control) {
  // Only a shown form has a view to update.
  if (!visible_) return;
  Environment::Current().Ui().Changed(*this, control);
}

}  // namespace qdr2_Gomiat::ui
