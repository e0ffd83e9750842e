// One widget per control of the window model, kept in line with it: Sync
// brings the widget to the model's state, and the widget's user input goes
// to the model the way the model defines it.
#pragma once

#include <QObject>
#include <memory>
#include <unordered_map>

#include "frame/ui/controls.h"
#include "platform/qt/units.h"

class QWidget;

namespace qdr2_Gomiat::qt {

class ControlBinding {
 public:
  ControlBinding(ui::Control& control, QWidget* widget);
  virtual ~ControlBinding();
  ControlBinding(const ControlBinding&) = delete;
  ControlBinding& operator=(const ControlBinding&) = delete;

  ui::Control& control() const { return control_; }
  QWidget* widget() const { return widget_; }
  // Child widgets go here (a frame's inside).
  virtual QWidget* ContainerWidget() const { return widget_; }

  // Brings the widget to the model's state.
  virtual void Sync(const Units& units);

 protected:
  // Geometry, visibility and enabled state as the model has them.
  void SyncCommon(const Units& units);

 private:
  ui::Control& control_;
  QWidget* widget_;
};

// Mouse gestures every control kind shares: double clicks, and the clicks
// of labels and frames, which are not buttons to Qt.
class InputFilter : public QObject {
  Q_OBJECT
 public:
  void Watch(QObject* widget, ui::Control* control);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unordered_map<QObject*, ui::Control*> controls_;
  // A double click on a label fires no second click.
  QObject* swallow_release_ = nullptr;
};

// The binding for `control`, with its widget created under `parent`; the
// font of the window applies unless the control has one of its own.
std::unique_ptr<ControlBinding> MakeBinding(ui::Control& control,
                                            QWidget* parent);

}  // namespace qdr2_Gomiat::qt
