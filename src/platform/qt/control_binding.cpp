#include "platform/qt/control_binding.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

#include "platform/qt/line_shape_widget.h"
#include "platform/qt/table_bindings.h"
#include "platform/qt/text.h"

namespace qdr2_Gomiat::qt {

ControlBinding::ControlBinding(ui::Control& control, QWidget* widget)
    : control_(control), widget_(widget) {
  widget_->setObjectName(ToQ(control.FullName()));
}

ControlBinding::~ControlBinding() = default;

void ControlBinding::Sync(const Units& units) { SyncCommon(units); }

void ControlBinding::SyncCommon(const Units& units) {
  const ui::Control& c = control_;
  widget_->setGeometry(units.ToPx(c.Left(), c.Top(), c.Width(), c.Height()));
  widget_->setEnabled(c.Enabled());
  widget_->setVisible(c.Visible());
}

void InputFilter::Watch(QObject* widget, ui::Control* control) {
  controls_[widget] = control;
  widget->installEventFilter(this);
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
  const auto it = controls_.find(watched);
  if (it == controls_.end()) return false;
  ui::Control* control = it->second;
  const bool clickable = control->Kind() == ui::ControlKind::Label ||
                         control->Kind() == ui::ControlKind::Frame;
  switch (event->type()) {
    case QEvent::MouseButtonDblClick:
      // Qt's own click signal serves the second press of a button.
      if (control->Kind() == ui::ControlKind::CommandButton) break;
      if (clickable) swallow_release_ = watched;
      control->UserDblClick();
      break;
    case QEvent::MouseButtonRelease: {
      if (!clickable) break;
      if (swallow_release_ == watched) {
        swallow_release_ = nullptr;
        break;
      }
      auto* mouse = static_cast<QMouseEvent*>(event);
      auto* widget = static_cast<QWidget*>(watched);
      if (mouse->button() == Qt::LeftButton &&
          widget->rect().contains(mouse->position().toPoint()))
        control->UserClick();
      break;
    }
    case QEvent::FocusIn:
      control->UserFocus();
      break;
    default:
      break;
  }
  return false;
}

namespace {

class LabelBinding : public ControlBinding {
 public:
  LabelBinding(ui::Label& label, QWidget* parent)
      : ControlBinding(label, new QLabel(parent)), label_(label) {
    auto* w = static_cast<QLabel*>(widget());
    // Texts such as "<I>" are shown as typed, never as markup.
    w->setTextFormat(Qt::PlainText);
    w->setWordWrap(true);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  void Sync(const Units& units) override {
    SyncCommon(units);
    auto* w = static_cast<QLabel*>(widget());
    const QString text = CaptionText(label_.Caption());
    if (w->text() != text) w->setText(text);
  }

 private:
  ui::Label& label_;
};

class FrameBinding : public ControlBinding {
 public:
  FrameBinding(ui::Frame& frame, QWidget* parent)
      : ControlBinding(frame, new QGroupBox(parent)), frame_(frame) {}
  void Sync(const Units& units) override {
    SyncCommon(units);
    auto* w = static_cast<QGroupBox*>(widget());
    const QString title = ToQ(frame_.Caption());
    if (w->title() != title) w->setTitle(title);
  }

 private:
  ui::Frame& frame_;
};

class TextBoxBinding : public ControlBinding {
 public:
  TextBoxBinding(ui::TextBox& box, QWidget* parent)
      : ControlBinding(box, new QLineEdit(parent)), box_(box) {
    auto* w = static_cast<QLineEdit*>(widget());
    QObject::connect(w, &QLineEdit::textEdited, w,
                     [this](const QString& t) { box_.UserEdit(FromQ(t)); });
  }
  void Sync(const Units& units) override {
    SyncCommon(units);
    auto* w = static_cast<QLineEdit*>(widget());
    const QString text = ToQ(box_.Text());
    if (w->text() != text) w->setText(text);
    w->setReadOnly(box_.Locked());
  }

 private:
  ui::TextBox& box_;
};

class ComboBoxBinding : public ControlBinding {
 public:
  ComboBoxBinding(ui::ComboBox& combo, QWidget* parent)
      : ControlBinding(combo, new QComboBox(parent)), combo_(combo) {
    auto* w = static_cast<QComboBox*>(widget());
    w->setEditable(true);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(12);
    QObject::connect(w, &QComboBox::activated, w,
                     [this](int i) { combo_.UserChoose(i); });
    QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w,
                     [this](const QString& t) { combo_.UserEdit(FromQ(t)); });
  }
  void Sync(const Units& units) override {
    SyncCommon(units);
    auto* w = static_cast<QComboBox*>(widget());
    const QSignalBlocker block(w);
    const auto& items = combo_.Items();
    bool same = w->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < w->count(); ++i)
      same = w->itemText(i) == ToQ(items[static_cast<size_t>(i)]);
    if (!same) {
      w->clear();
      for (const auto& item : items) w->addItem(ToQ(item));
    }
    if (w->currentIndex() != combo_.ListIndex())
      w->setCurrentIndex(combo_.ListIndex());
    const QString text = ToQ(combo_.Text());
    if (w->currentText() != text) w->setEditText(text);
  }

 private:
  ui::ComboBox& combo_;
};

// A push button that also reports the mouse going down and up, and runs
// hold-to-repeat on a timer: the first repeat after kRepeatDelayMs, then
// every kRepeatIntervalMs, with the event loop idle in between. The release
// still reaches the button, so that its click follows, as on the platform.
class ModelButton : public QPushButton {
 public:
  ModelButton(ui::CommandButton& model, QWidget* parent)
      : QPushButton(parent), model_(model), repeat_(this) {
    setAutoDefault(false);
    QObject::connect(&repeat_, &QTimer::timeout, this, [this] {
      repeat_.setInterval(ui::kRepeatIntervalMs);
      if (model_.Held())
        model_.UserHoldTick();
      else
        repeat_.stop();
    });
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    QPushButton::mousePressEvent(e);
    const int16_t b = ButtonCode(e->button());
    if (b == 0) return;
    model_.UserMouseDown(b);
    if (model_.Held()) repeat_.start(ui::kRepeatDelayMs);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (const int16_t b = ButtonCode(e->button())) {
      if (b == ui::kLeftButton) repeat_.stop();
      model_.UserMouseUp(b);
    }
    QPushButton::mouseReleaseEvent(e);
  }

 private:
  static int16_t ButtonCode(Qt::MouseButton b) {
    if (b == Qt::LeftButton) return ui::kLeftButton;
    if (b == Qt::RightButton) return ui::kRightButton;
    return 0;
  }
  ui::CommandButton& model_;
  QTimer repeat_;
};

class CommandButtonBinding : public ControlBinding {
 public:
  CommandButtonBinding(ui::CommandButton& button, QWidget* parent)
      : ControlBinding(button, new ModelButton(button, parent)),
        button_(button) {
    auto* w = static_cast<QPushButton*>(widget());
    QObject::connect(w, &QPushButton::clicked, w,
                     [this] { button_.UserClick(); });
  }
  void Sync(const Units& units) override {
    SyncCommon(units);
    auto* w = static_cast<QPushButton*>(widget());
    const QString text = ToQ(button_.Caption());
    if (w->text() != text) w->setText(text);
    w->setDefault(button_.IsDefault());
  }

 private:
  ui::CommandButton& button_;
};

// On the platform the whole area of an option button takes the click, not
// only its circle and text.
class ModelRadio : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override {
    return rect().contains(pos);
  }
};

class OptionButtonBinding : public ControlBinding {
 public:
  OptionButtonBinding(ui::OptionButton& option, QWidget* parent)
      : ControlBinding(option, new ModelRadio(parent)), option_(option) {
    auto* w = static_cast<QRadioButton*>(widget());
    // The model clears the siblings of its container; Qt must not guess.
    w->setAutoExclusive(false);
    QObject::connect(w, &QRadioButton::clicked, w, [this, w] {
      option_.UserClick();
      // Clicking the selected option must not clear it.
      const QSignalBlocker block(w);
      w->setChecked(option_.Value());
    });
  }
  void Sync(const Units& units) override {
    SyncCommon(units);
    auto* w = static_cast<QRadioButton*>(widget());
    const QString text = ToQ(option_.Caption());
    if (w->text() != text) w->setText(text);
    const QSignalBlocker block(w);
    w->setChecked(option_.Value());
  }

 private:
  ui::OptionButton& option_;
};

}  // namespace

std::unique_ptr<ControlBinding> MakeBinding(ui::Control& control,
                                            QWidget* parent) {
  switch (control.Kind()) {
    case ui::ControlKind::Label:
      return std::make_unique<LabelBinding>(static_cast<ui::Label&>(control),
                                            parent);
    case ui::ControlKind::Frame:
      return std::make_unique<FrameBinding>(static_cast<ui::Frame&>(control),
                                            parent);
    case ui::ControlKind::TextBox:
      return std::make_unique<TextBoxBinding>(
          static_cast<ui::TextBox&>(control), parent);
    case ui::ControlKind::ComboBox:
      return std::make_unique<ComboBoxBinding>(
          static_cast<ui::ComboBox&>(control), parent);
    case ui::ControlKind::CommandButton:
      return std::make_unique<CommandButtonBinding>(
          static_cast<ui::CommandButton&>(control), parent);
    case ui::ControlKind::OptionButton:
      return std::make_unique<OptionButtonBinding>(
          static_cast<ui::OptionButton&>(control), parent);
    case ui::ControlKind::LineShape:
      return MakeLineShapeBinding(static_cast<ui::LineShape&>(control), parent);
    case ui::ControlKind::Grid:
      return MakeGridBinding(static_cast<ui::GridControl&>(control), parent);
    case ui::ControlKind::FlexGrid:
      return MakeFlexGridBinding(static_cast<ui::FlexGrid&>(control), parent);
  }
  return std::make_unique<ControlBinding>(control, new QWidget(parent));
}

}  // namespace qdr2_Gomiat::qt
