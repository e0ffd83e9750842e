#include "platform/qt/grid_table_model.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <algorithm>

#include "platform/qt/handler_guard.h"
#include "platform/qt/line_sample.h"
#include "platform/qt/text.h"

namespace qdr2_Gomiat::qt {

QColor ToQColor(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  return QColor(static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                static_cast<int>((u >> 16) & 0xFF));
}

int32_t FromQColor(const QColor& c) {
  const QColor rgb = c.toRgb();
  return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                              static_cast<uint32_t>(rgb.green()) << 8 |
                              static_cast<uint32_t>(rgb.blue()) << 16);
}

namespace {
// Captions and widths change what is drawn, not what the view holds.
bool SameColumn(const GridColumn& a, const GridColumn& b) {
  return a.flag1 == b.flag1 && a.read_only == b.read_only && a.kind == b.kind &&
         a.value5 == b.value5 && a.value6 == b.value6 && a.value7 == b.value7 &&
         a.choices == b.choices;
}
}  // namespace

GridTableModel::GridTableModel(Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
  TakeShape();
}

void GridTableModel::TakeShape() {
  rows_ = 0;
  cols_ = 0;
  columns_.clear();
  try {
    rows_ = std::max(0, grid_.Rows() - 1);
    cols_ = std::max<int>(0, grid_.Cols());
    columns_.reserve(static_cast<size_t>(cols_));
    for (int c = 0; c < cols_; ++c)
      columns_.push_back(grid_.Column(static_cast<int16_t>(c)));
  } catch (...) {
    // A grid that cannot describe itself shows as empty.
    rows_ = 0;
    cols_ = 0;
    columns_.clear();
  }
  NoteLineColumns();
}

void GridTableModel::NoteLineColumns() {
  line_columns_.assign(columns_.size(), false);
  for (size_t c = 0; c < columns_.size(); ++c)
    line_columns_[c] =
        columns_[c].kind == kGridChoice && AreLinePatterns(columns_[c].choices);
}

bool GridTableModel::ColumnsChanged() const {
  try {
    if (grid_.Cols() != cols_) return true;
    for (int c = 0; c < cols_; ++c)
      if (!SameColumn(grid_.Column(static_cast<int16_t>(c)),
                      columns_[static_cast<size_t>(c)]))
        return true;
    return false;
  } catch (...) {
    return true;
  }
}

bool GridTableModel::Refresh() {
  if (ColumnsChanged()) {
    beginResetModel();
    TakeShape();
    endResetModel();
    return true;
  }
  int rows = rows_;
  try {
    rows = std::max(0, grid_.Rows() - 1);
    for (int c = 0; c < cols_; ++c)
      columns_[static_cast<size_t>(c)] = grid_.Column(static_cast<int16_t>(c));
  } catch (...) {
  }
  NoteLineColumns();
  if (rows > rows_) {
    beginInsertRows({}, rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (rows < rows_) {
    beginRemoveRows({}, rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  }
  // Cells are not announced: a view reads them afresh when it repaints, and
  // a change announced over a range would overwrite what the user is
  // typing in an open editor.
  if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  return false;
}

const GridColumn* GridTableModel::Column(int col) const {
  if (col < 0 || col >= cols_) return nullptr;
  return &columns_[static_cast<size_t>(col)];
}

bool GridTableModel::Inside(int row, int col) const {
  // The grid may have shrunk since the view last heard of it.
  return row >= 0 && row < rows_ && col >= 0 && col < cols_ &&
         row + 1 < grid_.Rows() && col < grid_.Cols();
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row(), col = index.column();
  const GridColumn* column = Column(col);
  if (column == nullptr) return {};
  try {
    if (!Inside(row, col)) return {};
    const auto c16 = static_cast<int16_t>(col);
    const bool colour = column->kind == kGridColour;
    switch (role) {
      case Qt::DisplayRole:
      case Qt::EditRole:
        if (colour) return {};
        {
          const std::string_view text = grid_.TextView(row + 1, c16);
          return QString::fromUtf8(text.data(),
                                   static_cast<qsizetype>(text.size()));
        }
      case kColourRole:
        return ToQColor(grid_.Colour(row + 1, c16));
      case kKindRole:
        return static_cast<int>(column->kind);
      case kLinePatternRole: {
        if (!line_columns_[static_cast<size_t>(col)]) return {};
        const int pattern =
            LinePatternIndex(data(index, Qt::DisplayRole).toString());
        return pattern >= 0 ? QVariant(pattern) : QVariant();
      }
      case kChoicesRole: {
        QStringList list;
        for (const auto& s : column->choices) list << ToQ(s);
        return list;
      }
      case Qt::TextAlignmentRole:
        return static_cast<int>((IsNumberColumnKind(column->kind)
                                     ? Qt::AlignRight
                                     : Qt::AlignLeft) |
                                Qt::AlignVCenter);
      case Qt::BackgroundRole:
        // Cells the user cannot change look like the window, not paper.
        if (column->read_only)
          return QApplication::palette().color(QPalette::Window);
        return {};
      case Qt::ToolTipRole:
        if (colour) {
          const QColor q = ToQColor(grid_.Colour(row + 1, c16));
          return QStringLiteral("RGB %1, %2, %3")
              .arg(q.red())
              .arg(q.green())
              .arg(q.blue());
        }
        return {};
      default:
        return {};
    }
  } catch (...) {
    return {};
  }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation,
                                    int role) const {
  if (role == Qt::DisplayRole && orientation == Qt::Vertical && section >= 0 &&
      section < rows_)
    return section + 1;
  if (orientation != Qt::Horizontal) return {};
  const GridColumn* column = Column(section);
  if (column == nullptr) return {};
  if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  try {
    // Row 0 is the header row; a grid that keeps it empty shows captions.
    if (section < grid_.Cols() && grid_.Rows() > 0) {
      const std::string text = grid_.Text(0, static_cast<int16_t>(section));
      if (!text.empty()) return ToQ(text);
    }
  } catch (...) {
  }
  return ToQ(column->caption);
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  const GridColumn* column = index.isValid() ? Column(index.column()) : nullptr;
  if (column == nullptr || index.row() >= rows_) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!column->read_only) f |= Qt::ItemIsEditable;
  return f;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value,
                             int role) {
  if (!index.isValid() || (role != Qt::EditRole && role != kColourRole))
    return false;
  const int row = index.row(), col = index.column();
  const GridColumn* column = Column(col);
  if (column == nullptr) return false;
  bool done = false;
  Guarded([&] {
    if (!Inside(row, col)) return;
    const auto c16 = static_cast<int16_t>(col);
    if (column->kind == kGridColour) {
      const QColor colour = value.value<QColor>();
      if (colour.isValid())
        done = grid_.UserSetColour(row + 1, c16, FromQColor(colour));
    } else {
      done = grid_.UserEdit(row + 1, c16, FromQ(value.toString()));
    }
  });
  if (done) emit dataChanged(index, index);
  return done;
}

}  // namespace qdr2_Gomiat::qt
