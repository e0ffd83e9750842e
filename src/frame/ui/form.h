// A window as a plain object: its controls, its event handlers and its
// life cycle (load, show, hide, unload). The UI backend does the showing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/ui/control_array.h"
#include "frame/ui/controls.h"

namespace qdr2_Gomiat::ui {

// How an unload was asked for, as QueryUnload reports it.
enum UnloadMode : int16_t { kCloseBox = 0, kFromCode = 1 };

// Outer minus inner size of a sizable window, in twips.
inline constexpr int32_t kBorderWidth = 120;
inline constexpr int32_t kBorderHeight = 510;

// Handlers running inside one another; one more is failure 28, so that a
// handler that sets off itself ends in a trapped failure, not a crash.
inline constexpr int kMaxHandlerDepth = 100;

// Shows a failure no handler trapped as the runtime shows it: its number
// and description in a message box (or, when `quiet`, on stderr only).
void ReportUntrapped(const Failure& failure, bool quiet = false) noexcept;

// Runs a user's gesture: a failure its handlers leave untrapped is shown
// with ReportUntrapped and goes no further, so the window stays open and
// the host goes on. Returns false when the gesture failed.
template <class F>
bool Gesture(F&& body, bool quiet = false) noexcept {
  try {
    std::forward<F>(body)();
    return true;
  } catch (...) {
    ReportUntrapped(CurrentFailure(), quiet);
    return false;
  }
}

// Runs an event handler, counting how deep handlers nest; past
// kMaxHandlerDepth it raises failure 28 instead.
void Dispatch(const std::function<void()>& body);

// Fires `handler` (when set) with `args` through Dispatch.
template <class... A, class... B>
void Fire(const std::function<void(A...)>& handler, B&&... args) {
  if (!handler) return;
  Dispatch([&] { handler(std::forward<B>(args)...); });
}

class Form {
 public:
  explicit Form(std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);

  // Outer geometry (twips). Changing the size fires Form_Resize when loaded.
  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void Move(int32_t left, int32_t top, int32_t width, int32_t height);
  void SetInnerSize(int32_t scale_width, int32_t scale_height);
  // Inner area.
  int32_t ScaleWidth() const;
  int32_t ScaleHeight() const;
  bool Sizable() const { return sizable_; }

  bool IsLoaded() const { return loaded_; }
  bool IsVisible() const { return visible_; }

  // Runs Form_Load the first time (and again after an unload).
  void Load();
  // Modal show: loads, makes visible, and returns when hidden or unloaded.
  void ShowModal();
  void Hide();
  // Unload from code: QueryUnload(kFromCode), Form_Unload; either may
  // cancel. Returns true when the form was unloaded.
  bool Unload();

  // Gestures the model defines for both backends. The keys click the
  // visible, enabled cancel or default button (a user's click).
  void PressEscape();
  void PressEnter();
  // QueryUnload(kCloseBox), then unload; true when unloaded. CloseBox lets
  // a failure through to its caller, UserCloseBox reports it (Gesture).
  bool CloseBox();
  bool UserCloseBox();
  // Dragging the border or the title bar; a failing layout is only
  // written to stderr, as it would otherwise pop up on every step.
  void UserResize(int32_t width, int32_t height);
  void UserMove(int32_t left, int32_t top);

  // Controls, in creation order.
  const std::vector<std::unique_ptr<Control>>& Controls() const {
    return controls_;
  }
  Control* Find(const std::string& name, int16_t index = -1) const;
  // "cmdAv(1)" or "txtN".
  Control* FindByFullName(const std::string& full_name) const;

  // Called by controls when they change.
  void ControlChanged(Control* control);

 protected:
  template <class C, class... Args>
  C& Add(Args&&... args) {
    auto c = std::make_unique<C>(*this, std::forward<Args>(args)...);
    C& ref = *c;
    controls_.push_back(std::move(c));
    return ref;
  }
  // Elements first to first + count - 1 of a control array ("cmdAv(0)").
  template <class C>
  ControlArray<C> AddArray(const std::string& name, int16_t count,
                           int16_t first = 0) {
    std::vector<C*> elements;
    for (int16_t k = 0; k < count; ++k)
      elements.push_back(&Add<C>(name, static_cast<int16_t>(first + k)));
    return ControlArray<C>(name, first, std::move(elements));
  }
  void SetSizable(bool v) { sizable_ = v; }

  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_QueryUnload(int16_t& cancel, int16_t mode) {
    (void)cancel, (void)mode;
  }
  virtual void Form_Unload(int16_t& cancel) { (void)cancel; }

 private:
  bool DoUnload(int16_t mode);
  // Hidden or unloaded while shown: the modal loop must learn of it.
  void NotifyBackend();

  std::string name_;
  std::string caption_;
  int32_t left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  bool sizable_ = true;
  bool loaded_ = false;
  bool loading_ = false;
  bool visible_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace qdr2_Gomiat::ui
