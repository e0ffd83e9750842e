// The flex grid: a read-only table in a monospace font whose fixed rows and
// columns look like headers; the model is read directly, cell by cell.
#include <QAbstractTableModel>
#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

#include "platform/qt/table_bindings.h"
#include "platform/qt/text.h"

namespace qdr2_Gomiat::qt {

namespace {

// Alignment codes of the flex grid: 0-2 left, 3-5 centre, 6-8 right (top,
// centre, bottom in each), 9 general (texts left, numbers right).
Qt::Alignment FlexAlignment(int16_t code, const QString& text) {
  if (code == 9) {
    bool number = false;
    text.trimmed().toDouble(&number);
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  }
  if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
  const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                  Qt::AlignRight};
  const Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter,
                                Qt::AlignBottom};
  return across[code / 3] | down[code % 3];
}

class FlexTableModel : public QAbstractTableModel {
 public:
  explicit FlexTableModel(ui::FlexGrid& flex, QObject* parent)
      : QAbstractTableModel(parent),
        flex_(flex),
        rows_(flex.Rows()),
        cols_(flex.Cols()) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : rows_;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : cols_;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const int r = index.row(), c = index.column();
    if (!index.isValid() || r >= flex_.Rows() || c >= flex_.Cols()) return {};
    const bool fixed = r < flex_.FixedRows() || c < flex_.FixedCols();
    switch (role) {
      case Qt::DisplayRole:
        return ToQ(flex_.TextMatrix(r, c));
      case Qt::TextAlignmentRole:
        if (fixed) return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
        return static_cast<int>(
            FlexAlignment(flex_.ColAlignment(c), ToQ(flex_.TextMatrix(r, c))));
      case Qt::BackgroundRole:
        return fixed ? QApplication::palette().color(QPalette::Button)
                     : QApplication::palette().color(QPalette::Base);
      default:
        return {};
    }
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
  }
  // Returns true when the shape changed (a reset).
  bool Refresh() {
    if (flex_.Rows() != rows_ || flex_.Cols() != cols_) {
      beginResetModel();
      rows_ = flex_.Rows();
      cols_ = flex_.Cols();
      endResetModel();
      return true;
    }
    if (rows_ > 0 && cols_ > 0)
      emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    return false;
  }

 private:
  ui::FlexGrid& flex_;
  int rows_, cols_;
};

QFont FlexFont(const ui::FlexGrid& flex) {
  QFont font;
  // The closest monospace face present when the named one is not.
  font.setFamilies(
      {ToQ(flex.font_name), QStringLiteral("Liberation Mono"),
       QStringLiteral("DejaVu Sans Mono"),
       QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(
      flex.font_size > 1.0 && flex.font_size < 200.0 ? flex.font_size : 8.25);
  return font;
}

class FlexGridBinding : public ControlBinding {
 public:
  FlexGridBinding(ui::FlexGrid& flex, QWidget* parent)
      : ControlBinding(flex, new QTableView(parent)),
        flex_(flex),
        model_(new FlexTableModel(flex, widget())) {
    auto* view = static_cast<QTableView*>(widget());
    view->setModel(model_);
    view->setFont(FlexFont(flex));
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setFocusPolicy(Qt::NoFocus);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
  }
  void Sync(const Units& units) override {
    SyncCommon(units);
    model_->Refresh();
    auto* view = static_cast<QTableView*>(widget());
    view->setFont(FlexFont(flex_));
    const QFontMetrics fm(view->font());
    view->verticalHeader()->setDefaultSectionSize(fm.height() + 4);
    const int char_width = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
    for (int c = 0; c < flex_.Cols(); ++c)
      view->setColumnWidth(
          c, std::clamp(flex_.ColWidthChars(c), 1, 500) * char_width + 8);
  }

 private:
  ui::FlexGrid& flex_;
  FlexTableModel* model_;
};

}  // namespace

std::unique_ptr<ControlBinding> MakeFlexGridBinding(ui::FlexGrid& flex,
                                                    QWidget* parent) {
  return std::make_unique<FlexGridBinding>(flex, parent);
}

}  // namespace qdr2_Gomiat::qt
