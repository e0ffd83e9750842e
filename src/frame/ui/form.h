// A window as a plain object: its controls, its event handlers and its
// life cycle (load, show, hide, unload). The UI backend does the showing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "frame/ui/controls.h"

namespace qdr2_Gomiat::ui {

// How an unload was asked for, as QueryUnload reports it.
enum UnloadMode : int16_t { kCloseBox = 0, kFromCode = 1 };

// Outer minus inner size of a sizable window, in twips.
inline constexpr int32_t kBorderWidth = 120;
inline constexpr int32_t kBorderHeight = 510;

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

  // Gestures the model defines for both backends.
  void PressEscape();  // clicks the visible, enabled cancel button
  void PressEnter();   // clicks the visible, enabled default button
  bool CloseBox();     // QueryUnload(kCloseBox), then unload

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
