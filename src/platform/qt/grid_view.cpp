#include "platform/qt/grid_view.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "frame/environment.h"
#include "platform/qt/colour_picker.h"
#include "platform/qt/grid_delegate.h"
#include "platform/qt/grid_file_options.h"
#include "platform/qt/handler_guard.h"
#include "platform/qt/table_bindings.h"
#include "platform/qt/text.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat::qt {

GridView::GridView(ui::GridControl& control, QWidget* parent)
    : QTableView(parent),
      control_(control),
      model_(new GridTableModel(control.grid(), this)) {
  setModel(model_);
  setItemDelegate(new GridDelegate(this));
  // Blocks of cells are selected for copying; the grid's current row is
  // shown selected as a whole.
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(
      QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
      QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setWordWrap(false);
  // Cells clip their text as the platform's grids do: line patterns such
  // as "_____________" stay patterns.
  setTextElideMode(Qt::ElideNone);
  verticalHeader()->hide();
  // Fixed row heights keep a million rows as cheap as ten.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsMovable(false);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { OnCurrentChanged(current); });
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int col, int, int size) { OnSectionResized(col, size); });
  ApplyColumnWidths();
  ShowCurrentRow();
  control_.grid().AddObserver(this);
}

GridView::~GridView() { control_.grid().RemoveObserver(this); }

void GridView::Schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    if (scheduled_) SyncFromGrid();
  });
}

void GridView::SyncFromGrid() {
  scheduled_ = false;
  {
    const QScopedValueRollback<bool> guard(syncing_, true);
    model_->Refresh();
    ApplyColumnWidths();
    viewport()->update();
  }
  ShowCurrentRow();
}

// Grids mostly show numbers, and a digit is wider than the font's average
// character: measure by the digit so a column of N characters shows N
// digits whole.
int GridView::CharWidth() const {
  const QFontMetrics fm = fontMetrics();
  return std::max(
      {1, fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('0'))});
}

int GridView::CharsFor(int px) const {
  return std::min(500, std::max(0, px - 8 + CharWidth() / 2) / CharWidth());
}

void GridView::ApplyColumnWidths() {
  const QScopedValueRollback<bool> guard(syncing_, true);
  for (int c = 0; c < model_->columnCount(); ++c) {
    const GridColumn* column = model_->Column(c);
    const int chars =
        column != nullptr ? std::max<int>(0, column->width_chars) : 10;
    // A width the user dragged stays as dragged while it means as many
    // characters.
    if (CharsFor(columnWidth(c)) == std::min(chars, 500)) continue;
    setColumnWidth(c, std::min(chars, 500) * CharWidth() + 8);
  }
}

void GridView::OnSectionResized(int col, int new_size) {
  if (syncing_) return;
  // The user dragged a column border: the grid keeps widths in characters.
  const int chars = CharsFor(new_size);
  Guarded([&] {
    control_.grid().UserSetColumnWidth(
        static_cast<int16_t>(col), static_cast<int16_t>(std::min(chars, 500)));
  });
}

void GridView::ShowCurrentRow() {
  const QScopedValueRollback<bool> guard(syncing_, true);
  int32_t row = 0;
  try {
    row = control_.grid().CurrentRow();
  } catch (...) {
    return;
  }
  if (row < 1 || row > model_->rowCount()) return;
  const QModelIndex current = currentIndex();
  if (current.isValid() && current.row() == row - 1) return;
  const int col = current.isValid() ? current.column() : 0;
  const QModelIndex target = model_->index(row - 1, col);
  selectionModel()->setCurrentIndex(
      target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(target);
}

void GridView::OnCurrentChanged(const QModelIndex& current) {
  if (syncing_ || !current.isValid()) return;
  Guarded([&] { control_.grid().SetCurrentRow(current.row() + 1); });
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger,
                    QEvent* event) {
  const GridColumn* column =
      index.isValid() ? model_->Column(index.column()) : nullptr;
  if (column == nullptr || column->kind != kGridColour)
    return QTableView::edit(index, trigger, event);
  if (column->read_only) return false;
  bool open = trigger == DoubleClicked || trigger == EditKeyPressed;
  if (trigger == AnyKeyPressed && event != nullptr &&
      event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    open =
        key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
  }
  if (!open) return false;
  const QColor now = index.data(GridTableModel::kColourRole).value<QColor>();
  if (const auto picked = PickColour(FromQColor(now), this))
    model_->setData(index, ToQColor(*picked), Qt::EditRole);
  return false;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (state() != EditingState && event->matches(QKeySequence::Copy)) {
    CopySelection();
    event->accept();
    return;
  }
  if (state() != EditingState && event->matches(QKeySequence::Paste)) {
    PasteClipboard();
    event->accept();
    return;
  }
  const int key = event->key();
  if ((key != Qt::Key_Return && key != Qt::Key_Enter) ||
      state() == EditingState) {
    QTableView::keyPressEvent(event);
    return;
  }
  const QModelIndex current = currentIndex();
  if (current.isValid() && current.row() + 1 < model_->rowCount())
    setCurrentIndex(model_->index(current.row() + 1, current.column()));
  event->accept();
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("Copiar"), QKeySequence::Copy, this,
                 &GridView::CopySelection);
  menu.addAction(QStringLiteral("Pegar"), QKeySequence::Paste, this,
                 &GridView::PasteClipboard);
  if (FileOptionsOf(control_.grid()).available) {
    menu.addSeparator();
    menu.addAction(QStringLiteral("Guardar tabla..."), this,
                   &GridView::SaveContents);
    menu.addAction(QStringLiteral("Abrir tabla..."), this,
                   &GridView::LoadContents);
  }
  menu.exec(event->globalPos());
}

void GridView::CopySelection() {
  QModelIndex first = currentIndex(), last = currentIndex();
  const QItemSelection selection = selectionModel()->selection();
  if (!selection.isEmpty()) {
    // One contiguous block; its bounding rectangle.
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange& range : selection) {
      top = std::min(top, range.top());
      left = std::min(left, range.left());
      bottom = std::max(bottom, range.bottom());
      right = std::max(right, range.right());
    }
    first = model_->index(top, left);
    last = model_->index(bottom, right);
  }
  if (!first.isValid() || !last.isValid()) return;
  std::string text;
  Guarded([&] {
    text = control_.grid().CopyCells(
        first.row() + 1, static_cast<int16_t>(first.column()), last.row() + 1,
        static_cast<int16_t>(last.column()));
  });
  QGuiApplication::clipboard()->setText(ToQ(text));
}

void GridView::PasteClipboard() {
  const QModelIndex at = currentIndex();
  if (!at.isValid()) return;
  const std::string text = FromQ(QGuiApplication::clipboard()->text());
  if (text.empty()) return;
  Guarded([&] {
    control_.grid().UserPaste(at.row() + 1, static_cast<int16_t>(at.column()),
                              text);
  });
  SyncFromGrid();
}

QString GridView::AskFile(bool saving) {
  const GridFileOptions options = FileOptionsOf(control_.grid());
  QFileDialog dialog(this, ToQ(options.title));
  dialog.setObjectName(QStringLiteral("gridFileDialog"));
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave
                              : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(ToQ(options.filter));
  // "*.crq" -> "crq": a name typed without it gets it, as on the platform.
  QString suffix = ToQ(options.filter);
  suffix.remove(0, suffix.lastIndexOf(QLatin1Char('.')) + 1);
  if (!suffix.contains(QLatin1Char('*'))) dialog.setDefaultSuffix(suffix);
  if (!options.default_file.empty())
    dialog.selectFile(ToQ(options.default_file));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().constFirst();
}

namespace {
// The grid's own refusals (a foreign file, a full disk) are its message to
// the user, not an untrapped error of the window.
template <class F>
void WithGridMessage(const std::string& title, F&& f) {
  try {
    f();
  } catch (...) {
    const Failure failure = CurrentFailure();
    try {
      Environment::Current().Ui().MsgBox(failure.description(),
                                         ui::mb::kCritical, title);
    } catch (...) {
    }
  }
}
}  // namespace

void GridView::SaveContents() {
  const QString path = AskFile(true);
  if (path.isEmpty()) return;
  WithGridMessage(FileOptionsOf(control_.grid()).title,
                  [&] { control_.grid().SaveContents(FromQ(path)); });
}

void GridView::LoadContents() {
  const QString path = AskFile(false);
  if (path.isEmpty()) return;
  WithGridMessage(FileOptionsOf(control_.grid()).title,
                  [&] { control_.grid().LoadContents(FromQ(path)); });
  SyncFromGrid();
}

namespace {

class GridBinding : public ControlBinding {
 public:
  GridBinding(ui::GridControl& grid, QWidget* parent)
      : ControlBinding(grid, new GridView(grid, parent)) {}
  void Sync(const Units& units) override {
    SyncCommon(units);
    static_cast<GridView*>(widget())->SyncFromGrid();
  }
};

}  // namespace

std::unique_ptr<ControlBinding> MakeGridBinding(ui::GridControl& grid,
                                                QWidget* parent) {
  return std::make_unique<GridBinding>(grid, parent);
}

}  // namespace qdr2_Gomiat::qt
