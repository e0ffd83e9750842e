// The dialog that shows one form: a widget per control, placed from the
// model's twips, kept in line with the model, and a nested loop that runs
// until the form is hidden or unloaded.
#pragma once

#include <QDialog>
#include <memory>
#include <unordered_map>
#include <vector>

#include "frame/ui/form.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/units.h"

class QEventLoop;

namespace qdr2_Gomiat::qt {

class FormView : public QDialog {
  Q_OBJECT
 public:
  FormView(ui::Form& form, const Units& units, QWidget* parent);
  ~FormView() override;

  ui::Form& form() const { return form_; }
  const Units& units() const { return units_; }

  // The form itself changed: caption, place, size.
  void SyncForm();
  // One control changed (its widget is made if the form gained it).
  void SyncControl(ui::Control& control);

  // Runs until EndLoop; returns at once when it already ended.
  void RunLoop();
  // The form was hidden or unloaded.
  void EndLoop();
  bool Ended() const { return ended_; }

  QWidget* WidgetOf(const ui::Control& control) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  // Hiding is the model's decision alone.
  void accept() override {}
  void reject() override {}
  void done(int) override {}

 private:
  ControlBinding* Bind(ui::Control& control, int depth = 0);
  void Restack();

  ui::Form& form_;
  Units units_;
  InputFilter filter_;
  // Parent of every control widget; deleted first so that no widget
  // outlives the bindings and the filter that serve it.
  QWidget* surface_;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  std::unordered_map<const ui::Control*, ControlBinding*> by_control_;
  QEventLoop* loop_ = nullptr;
  bool ended_ = false;
  bool applying_ = false;
  QSize applied_size_;
  QPoint applied_pos_;
};

}  // namespace qdr2_Gomiat::qt
