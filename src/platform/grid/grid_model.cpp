#include "platform/grid/grid_model.h"

#include <unistd.h>

#include <algorithm>

#include "frame/convert.h"
#include "frame/decimal_text.h"
#include "frame/environment.h"
#include "platform/grid/cell_rules.h"
#include "platform/grid/grid_file.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

// Refuses a size that cannot fit in memory before asking for it: on an
// overcommitting system a huge reservation succeeds and the process is
// killed later, when the pages are touched.
void CheckAffordable(double bytes) {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long page = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || page <= 0) return;
  if (bytes > 0.5 * static_cast<double>(pages) * static_cast<double>(page))
    throw Failure(err::kOutOfMemory);
}

}  // namespace

void GridModel::AddObserver(GridObserver* observer) {
  if (observer == nullptr) throw Failure(err::kObjectNotSet);
  if (std::find(observers_.begin(), observers_.end(), observer) ==
      observers_.end())
    observers_.push_back(observer);
}

void GridModel::RemoveObserver(GridObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer),
                   observers_.end());
}

size_t GridModel::CheckCol(int16_t col) const {
  if (col < 0 || static_cast<size_t>(col) >= columns_.size())
    throw Failure(err::kSubscript);
  return static_cast<size_t>(col);
}

size_t GridModel::CheckRow(int32_t row) const {
  if (row < 0 || row >= contents_.rows) throw Failure(err::kSubscript);
  return static_cast<size_t>(row);
}

int16_t GridModel::Cols() const {
  return static_cast<int16_t>(columns_.size());
}

void GridModel::SetCols(int16_t cols) {
  if (cols < 0) throw Failure(err::kInvalidProperty);
  const auto n = static_cast<size_t>(cols);
  const size_t old = columns_.size();
  if (n > old) {
    const auto data_rows = static_cast<size_t>(contents_.rows - 1);
    CheckAffordable(8.0 * static_cast<double>(data_rows) *
                    static_cast<double>(n - old));
    std::vector<TextColumn> extra(n - old);
    for (TextColumn& t : extra) t.Resize(data_rows);
    columns_.reserve(n);
    contents_.texts.reserve(n);
    contents_.colours.reserve(n);
    // Within the reserved room nothing below can fail.
    columns_.resize(n);
    for (TextColumn& t : extra) contents_.texts.push_back(std::move(t));
    contents_.colours.resize(n);
  } else {
    columns_.resize(n);
    contents_.texts.resize(n);
    contents_.colours.resize(n);
  }
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

void GridModel::SetRows(int32_t rows) {
  if (rows < 1) throw Failure(err::kInvalidProperty);
  const int32_t old = contents_.rows;
  const auto data_rows = static_cast<size_t>(rows - 1);
  if (rows > old) {
    double bytes = 0;
    for (size_t c = 0; c < columns_.size(); ++c)
      bytes += contents_.colours[c].empty() ? 8.0 : 12.0;
    CheckAffordable(bytes * rows);
    for (TextColumn& t : contents_.texts) t.Reserve(data_rows);
    for (auto& c : contents_.colours)
      if (!c.empty()) c.reserve(static_cast<size_t>(rows));
  }
  // Within the reserved room nothing below can fail.
  for (TextColumn& t : contents_.texts) t.Resize(data_rows);
  for (auto& c : contents_.colours)
    if (!c.empty()) c.resize(static_cast<size_t>(rows));
  contents_.rows = rows;
  if (current_row_ >= rows) current_row_ = rows - 1;
  if (old != rows)
    Notify([&](GridObserver& o) { o.GridRowsChanged(old, rows); });
}

void GridModel::DefineColumn(int16_t col, bool flag1, bool read_only,
                             int16_t kind, int16_t value5, int16_t value6,
                             int16_t value7, int16_t width_chars,
                             const std::string& caption) {
  const size_t c = CheckCol(col);
  if (width_chars < 0) throw Failure(err::kInvalidProperty);
  GridColumn def;
  def.flag1 = flag1;
  def.read_only = read_only;
  def.kind = kind;
  def.value5 = value5;
  def.value6 = value6;
  def.value7 = value7;
  def.width_chars = width_chars;
  def.caption = caption;
  if (kind == kGridColour) GiveColours(c);
  columns_[c] = std::move(def);
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

const GridColumn& GridModel::Column(int16_t col) const {
  return columns_[CheckCol(col)];
}

void GridModel::SetChoiceList(int16_t col, const Array<std::string>& items) {
  const size_t c = CheckCol(col);
  // Every element, from the lower bound up; an unallocated array offers none.
  columns_[c].choices = items.storage();
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

void GridModel::RefuseCharacters(int16_t col, const std::string& chars,
                                 const std::string& message) {
  const size_t c = CheckCol(col);
  columns_[c].refused_chars = chars;
  columns_[c].refusal = message;
}

void GridModel::UserSetColumnWidth(int16_t col, int16_t width_chars) {
  const size_t c = CheckCol(col);
  if (width_chars < 0) throw Failure(err::kInvalidProperty);
  columns_[c].width_chars = width_chars;
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

std::string_view GridModel::TextView(int32_t row, int16_t col) const {
  const size_t r = CheckRow(row);
  const size_t c = CheckCol(col);
  if (r == 0) return columns_[c].caption;
  return contents_.texts[c].Get(r - 1);
}

std::string GridModel::Text(int32_t row, int16_t col) const {
  return std::string(TextView(row, col));
}

void GridModel::StoreText(int32_t row, size_t c, std::string_view text) {
  if (row == 0)
    columns_[c].caption.assign(text);
  else
    contents_.texts[c].Set(static_cast<size_t>(row - 1), text);
  const auto col = static_cast<int16_t>(c);
  Notify([&](GridObserver& o) { o.GridCellChanged(row, col); });
}

void GridModel::SetText(int32_t row, int16_t col, const std::string& text) {
  CheckRow(row);
  StoreText(row, CheckCol(col), text);
}

void GridModel::SetText(int32_t row, int16_t col, int32_t value) {
  CheckRow(row);
  StoreText(row, CheckCol(col), CStr(value));
}

void GridModel::SetNumber(int32_t row, int16_t col, double value) {
  const size_t r = CheckRow(row);
  const size_t c = CheckCol(col);
  char buf[kDecimalRoom];
  if (r == 0) {
    StoreText(row, c, CellNumberText(value, buf));
    return;
  }
  contents_.texts[c].SetNumber(r - 1, CellNumberText(value, buf), value);
  Notify([&](GridObserver& o) { o.GridCellChanged(row, col); });
}

void GridModel::CheckDataRows(int32_t first_row, size_t count) const {
  if (first_row < 1 ||
      static_cast<int64_t>(first_row) + static_cast<int64_t>(count) >
          contents_.rows)
    throw Failure(err::kSubscript);
}

void GridModel::SetColumnTexts(int16_t col, int32_t first_row,
                               std::span<const std::string_view> texts) {
  const size_t c = CheckCol(col);
  CheckDataRows(first_row, texts.size());
  TextColumn& column = contents_.texts[c];
  auto at = static_cast<size_t>(first_row - 1);
  // Room for this block and, at its average length, for the cells below
  // it: a column filled block by block grows its buffer once.
  size_t bytes = 0;
  for (std::string_view t : texts) bytes += t.size();
  if (!texts.empty()) {
    const size_t below = column.size() - (at + texts.size());
    column.ReserveText(bytes + bytes / texts.size() * below);
  }
  for (std::string_view t : texts) column.Set(at++, t);
  Notify([](GridObserver& o) { o.GridContentsReset(); });
}

void GridModel::SetColumnNumbers(int16_t col, int32_t first_row,
                                 std::span<const double> values) {
  const size_t c = CheckCol(col);
  CheckDataRows(first_row, values.size());
  contents_.texts[c].SetNumbers(static_cast<size_t>(first_row - 1),
                                values.data(), values.size());
  Notify([](GridObserver& o) { o.GridContentsReset(); });
}

void GridModel::ColumnTexts(int16_t col, int32_t first_row, int32_t count,
                            std::vector<std::string_view>& out) const {
  const size_t c = CheckCol(col);
  if (count < 0) throw Failure(err::kSubscript);
  CheckDataRows(first_row, static_cast<size_t>(count));
  const TextColumn& column = contents_.texts[c];
  out.resize(static_cast<size_t>(count));
  auto at = static_cast<size_t>(first_row - 1);
  for (std::string_view& t : out) t = column.Get(at++);
}

void GridModel::ColumnNumbers(int16_t col, int32_t first_row, int32_t count,
                              std::vector<double>& values,
                              std::vector<char>& filled) const {
  const size_t c = CheckCol(col);
  if (count < 0) throw Failure(err::kSubscript);
  CheckDataRows(first_row, static_cast<size_t>(count));
  const TextColumn& column = contents_.texts[c];
  NumberTextService& numbers = Environment::Current().Numbers();
  values.resize(static_cast<size_t>(count));
  filled.resize(static_cast<size_t>(count));
  auto at = static_cast<size_t>(first_row - 1);
  for (size_t k = 0; k < values.size(); ++k, ++at) {
    filled[k] = column.Filled(at);
    if (!column.Number(at, values[k]))
      values[k] = filled[k] ? numbers.ReadNumber(column.Get(at)) : 0.0;
  }
}

bool GridModel::HasColours(int16_t col) const {
  return !contents_.colours[CheckCol(col)].empty();
}

void GridModel::GiveColours(size_t c) {
  auto& colours = contents_.colours[c];
  if (colours.empty()) colours.assign(static_cast<size_t>(contents_.rows), 0);
}

void GridModel::StoreColour(int32_t row, size_t c, int32_t colour) {
  GiveColours(c);
  contents_.colours[c][static_cast<size_t>(row)] = colour;
  const auto col = static_cast<int16_t>(c);
  Notify([&](GridObserver& o) { o.GridCellChanged(row, col); });
}

void GridModel::SetColour(int32_t row, int16_t col, int32_t colour) {
  CheckRow(row);
  StoreColour(row, CheckCol(col), colour);
}

int32_t GridModel::Colour(int32_t row, int16_t col) const {
  const size_t r = CheckRow(row);
  const auto& colours = contents_.colours[CheckCol(col)];
  return colours.empty() ? 0 : colours[r];
}

void GridModel::SetColourNumber(int32_t row, int16_t col, int16_t number) {
  CheckRow(row);
  const size_t c = CheckCol(col);
  StoreColour(row, c, Environment::Current().Colours().ColorValue(number));
}

// Rows the caller's table does not know yet get the same palette colour;
// the cell does not remember which form set it.
void GridModel::SetColourNumber2(int32_t row, int16_t col, int16_t number) {
  SetColourNumber(row, col, number);
}

void GridModel::SetCurrentRow(int32_t row) {
  CheckRow(row);
  current_row_ = row;
  Notify([&](GridObserver& o) { o.GridCurrentRowChanged(row); });
}

void GridModel::FileOptions(const std::string& title,
                            const std::string& default_file,
                            const std::string& filter) {
  file_spec_ = {title, default_file, filter};
}

void GridModel::FinishA() {
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

void GridModel::FinishB() {
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

void GridModel::FinishC() {
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

void GridModel::Complete() {
  setup_complete_ = true;
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

void GridModel::StandardSetup() {
  for (GridColumn& c : columns_) {
    GridColumn plain;
    plain.caption = std::move(c.caption);
    c = std::move(plain);
  }
  Notify([](GridObserver& o) { o.GridColumnsChanged(); });
}

void GridModel::FinishAfterFill() {
  Notify([](GridObserver& o) { o.GridContentsReset(); });
}

bool GridModel::UserEdit(int32_t row, int16_t col, const std::string& text) {
  CheckRow(row);
  const size_t c = CheckCol(col);
  const GridColumn& def = columns_[c];
  if (row == 0 || def.read_only) return false;
  if (def.kind == kGridColour) return false;  // a colour is picked, not typed
  if (def.kind == kGridChoice &&
      std::find(def.choices.begin(), def.choices.end(), text) ==
          def.choices.end())
    return false;
  if (IsNumberKind(def.kind) && !IsNumberText(text)) return false;
  if (!def.refused_chars.empty() &&
      text.find_first_of(def.refused_chars) != std::string::npos) {
    Environment::Current().Ui().MsgBox(def.refusal, 48, "");
    return false;
  }
  StoreText(row, c, text);
  return true;
}

bool GridModel::UserSetColour(int32_t row, int16_t col, int32_t colour) {
  CheckRow(row);
  const size_t c = CheckCol(col);
  const GridColumn& def = columns_[c];
  if (row == 0 || def.read_only || def.kind != kGridColour) return false;
  if (colour < 0 || colour > 0xFFFFFF) return false;  // not an RGB value
  StoreColour(row, c, colour);
  return true;
}

void GridModel::SaveContents(const std::string& path) const {
  GridFileLayout layout;
  layout.filter = file_spec_.filter;
  for (const GridColumn& c : columns_) layout.kinds.push_back(c.kind);
  SaveGridFile(path, layout, contents_);
}

void GridModel::LoadContents(const std::string& path) {
  GridFileLayout layout;
  layout.filter = file_spec_.filter;
  for (const GridColumn& c : columns_) layout.kinds.push_back(c.kind);
  GridContents fresh = LoadGridFile(path, layout);
  // The header row's colours are not in the file: keep ours.
  for (size_t c = 0; c < fresh.colours.size(); ++c)
    if (!fresh.colours[c].empty())
      fresh.colours[c][0] =
          contents_.colours[c].empty() ? 0 : contents_.colours[c][0];
  const int32_t old = contents_.rows;
  contents_.swap(fresh);
  if (current_row_ >= contents_.rows) current_row_ = contents_.rows - 1;
  const int32_t rows = contents_.rows;
  if (old != rows)
    Notify([&](GridObserver& o) { o.GridRowsChanged(old, rows); });
  Notify([](GridObserver& o) { o.GridContentsReset(); });
}

std::unique_ptr<Grid> MakeGridModel() { return std::make_unique<GridModel>(); }

}  // namespace qdr2_Gomiat
