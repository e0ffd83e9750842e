#include "platform/qt/form_view.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <algorithm>

#include "platform/qt/text.h"

namespace qdr2_Gomiat::qt {

namespace {

// Frames inside frames deeper than this are taken as a broken chain.
constexpr int kMaxNesting = 16;

// The dialog font the window layouts are measured for, or the nearest.
QFont DialogFont() {
  QFont font;
  font.setFamilies(
      {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
       QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), font.family()});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

// Graphical controls lie below windowed ones, lines lowest.
int StackLayer(ui::ControlKind kind) {
  if (kind == ui::ControlKind::LineShape) return 0;
  if (kind == ui::ControlKind::Label) return 1;
  return 2;
}

}  // namespace

FormView::FormView(ui::Form& form, const Units& units, QWidget* parent)
    : QDialog(parent), form_(form), units_(units), surface_(new QWidget(this)) {
  setObjectName(ToQ(form.Name()));
  setFont(DialogFont());
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint;
  if (form.Sizable()) flags |= Qt::WindowMaximizeButtonHint;
  setWindowFlags(flags);
  setModal(true);
  for (const auto& control : form.Controls()) Bind(*control);
  for (const auto& binding : bindings_) binding->Sync(units_);
  Restack();
  SyncForm();
}

FormView::~FormView() { delete surface_; }

ControlBinding* FormView::Bind(ui::Control& control, int depth) {
  if (const auto it = by_control_.find(&control); it != by_control_.end())
    return it->second;
  QWidget* parent = surface_;
  ui::Control* container = control.Container();
  if (container != nullptr && container != &control &&
      container->Kind() == ui::ControlKind::Frame && depth < kMaxNesting &&
      &container->Owner() == &form_) {
    if (ControlBinding* outer = Bind(*container, depth + 1))
      parent = outer->ContainerWidget();
  }
  auto binding = MakeBinding(control, parent);
  ControlBinding* raw = binding.get();
  filter_.Watch(raw->widget(), &control);
  by_control_[&control] = raw;
  bindings_.push_back(std::move(binding));
  return raw;
}

void FormView::Restack() {
  std::vector<ControlBinding*> order;
  for (const auto& control : form_.Controls())
    if (auto it = by_control_.find(control.get()); it != by_control_.end())
      order.push_back(it->second);
  std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) {
    return StackLayer(a->control().Kind()) < StackLayer(b->control().Kind());
  });
  for (ControlBinding* b : order) b->widget()->raise();
}

QWidget* FormView::WidgetOf(const ui::Control& control) const {
  const auto it = by_control_.find(&control);
  return it == by_control_.end() ? nullptr : it->second->widget();
}

void FormView::SyncForm() {
  const QScopedValueRollback<bool> guard(applying_, true);
  const QString title = ToQ(form_.Caption());
  if (windowTitle() != title) setWindowTitle(title);
  const QSize inner(std::max(1, units_.ToPxX(form_.ScaleWidth())),
                    std::max(1, units_.ToPxY(form_.ScaleHeight())));
  if (form_.Sizable()) {
    setMinimumSize(1, 1);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (size() != inner) resize(inner);
  } else {
    setFixedSize(inner);
  }
  const QPoint place(units_.ToPxX(form_.Left()), units_.ToPxY(form_.Top()));
  if (pos() != place) move(place);
  applied_size_ = inner;
  applied_pos_ = place;
  surface_->setGeometry(rect());
}

void FormView::SyncControl(ui::Control& control) {
  const bool known = by_control_.count(&control) != 0;
  ControlBinding* binding = Bind(control);
  binding->Sync(units_);
  if (!known) Restack();
}

void FormView::RunLoop() {
  if (ended_) return;
  QEventLoop loop;
  loop_ = &loop;
  loop.exec(QEventLoop::DialogExec);
  loop_ = nullptr;
}

void FormView::EndLoop() {
  ended_ = true;
  if (loop_ != nullptr) loop_->quit();
  hide();
}

void FormView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (key == Qt::Key_Escape) {
    form_.PressEscape();
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // A focused button takes Enter itself, as on the platform.
    for (const auto& b : bindings_)
      if (b->control().Kind() == ui::ControlKind::CommandButton &&
          b->widget()->hasFocus()) {
        auto& button = static_cast<ui::CommandButton&>(b->control());
        button.UserClick();
        return;
      }
    form_.PressEnter();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FormView::closeEvent(QCloseEvent* event) {
  // The dialog closes when the model says so (EndLoop), never by itself.
  event->ignore();
  if (ended_) return;
  (void)form_.UserCloseBox();
}

void FormView::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  surface_->setGeometry(rect());
  if (applying_ || ended_ || size() == applied_size_) return;
  applied_size_ = size();
  // The user dragged the border: the model resizes and lays itself out.
  form_.UserResize(units_.ToTwipsX(width()) + ui::kBorderWidth,
                   units_.ToTwipsY(height()) + ui::kBorderHeight);
}

void FormView::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  if (applying_ || ended_ || !isVisible() || pos() == applied_pos_) return;
  applied_pos_ = pos();
  form_.UserMove(units_.ToTwipsX(pos().x()), units_.ToTwipsY(pos().y()));
}

}  // namespace qdr2_Gomiat::qt
