// The grid control's model: column definitions, rows with the header at
// row 0, cell texts and colours, the current row, file options, and the
// user's editing rules. Cells live column by column (TextColumn), so a
// million rows stay cheap to fill and to read.
//
// What the set-up calls do here:
//   StandardSetup  every column back to a plain free-text column of width
//                  10 (captions and cells kept);
//   FinishA, FinishB, FinishC, Complete
//                  the column set-up is done: views lay the columns out
//                  (observers hear GridColumnsChanged); Complete also marks
//                  the set-up complete;
//   SetBoolOption  whether the user may add rows at the bottom, by a view
//                  or by pasting past the last row (the tools pass False);
//   FinishAfterFill
//                  the cells were filled: views re-read them
//                  (GridContentsReset).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frame/grid.h"
#include "platform/grid/grid_contents.h"

namespace qdr2_Gomiat {

class GridModel final : public Grid {
 public:
  GridModel() = default;

  void SetCols(int16_t cols) override;
  int16_t Cols() const override;
  void SetRows(int32_t rows) override;
  int32_t Rows() const override { return contents_.rows; }

  void DefineColumn(int16_t col, bool flag1, bool read_only, int16_t kind,
                    int16_t value5, int16_t value6, int16_t value7,
                    int16_t width_chars, const std::string& caption) override;
  const GridColumn& Column(int16_t col) const override;
  void SetChoiceList(int16_t col, const Array<std::string>& items) override;
  void RefuseCharacters(int16_t col, const std::string& chars,
                        const std::string& message) override;

  void SetText(int32_t row, int16_t col, const std::string& text) override;
  void SetText(int32_t row, int16_t col, int32_t value) override;
  std::string Text(int32_t row, int16_t col) const override;
  void SetNumber(int32_t row, int16_t col, double value) override;
  void SetColumnTexts(int16_t col, int32_t first_row,
                      std::span<const std::string_view> texts) override;
  void SetColumnNumbers(int16_t col, int32_t first_row,
                        std::span<const double> values) override;
  void ColumnTexts(int16_t col, int32_t first_row, int32_t count,
                   std::vector<std::string_view>& out) const override;
  void ColumnNumbers(int16_t col, int32_t first_row, int32_t count,
                     std::vector<double>& values,
                     std::vector<char>& filled) const override;
  std::string_view TextView(int32_t row, int16_t col) const override;

  void SetColour(int32_t row, int16_t col, int32_t colour) override;
  int32_t Colour(int32_t row, int16_t col) const override;
  void SetColourNumber(int32_t row, int16_t col, int16_t number) override;
  void SetColourNumber2(int32_t row, int16_t col, int16_t number) override;

  void SetCurrentRow(int32_t row) override;
  int32_t CurrentRow() const override { return current_row_; }

  void FileOptions(const std::string& title, const std::string& default_file,
                   const std::string& filter) override;
  const GridFileSpec& FileSpec() const override { return file_spec_; }
  void OptionsRestore(const std::string& title,
                      const std::string& second) override;
  void OptionsSave(const std::string& title,
                   const std::string& second) override;

  void FinishA() override;
  void FinishB() override;
  void FinishC() override;
  void SetBoolOption(bool value) override { user_may_add_rows_ = value; }
  bool UserMayAddRows() const override { return user_may_add_rows_; }
  void Complete() override;
  void StandardSetup() override;
  void FinishAfterFill() override;

  bool UserEdit(int32_t row, int16_t col, const std::string& text) override;
  bool UserSetColour(int32_t row, int16_t col, int32_t colour) override;
  void UserSetColumnWidth(int16_t col, int16_t width_chars) override;
  std::string CopyCells(int32_t row1, int16_t col1, int32_t row2,
                        int16_t col2) const override;
  GridPasteResult UserPaste(int32_t row, int16_t col,
                            std::string_view text) override;

  void SaveContents(const std::string& path) const override;
  void LoadContents(const std::string& path) override;

  void AddObserver(GridObserver* observer) override;
  void RemoveObserver(GridObserver* observer) override;

  // Whether the cells of the column carry colours.
  bool HasColours(int16_t col) const;
  bool SetupComplete() const { return setup_complete_; }

  // Section of the settings store that keeps the options saved under the
  // two texts: "<title>\<second>".
  static std::string OptionsSection(const std::string& title,
                                    const std::string& second);

 private:
  size_t CheckCol(int16_t col) const;
  size_t CheckRow(int32_t row) const;
  // Data rows first_row .. first_row + count - 1 must exist.
  void CheckDataRows(int32_t first_row, size_t count) const;
  void GiveColours(size_t col);
  void StoreText(int32_t row, size_t col, std::string_view text);
  void StoreColour(int32_t row, size_t col, int32_t colour);
  template <class F>
  void Notify(F&& call) {
    // An observer may remove itself while being told.
    for (size_t i = 0; i < observers_.size(); ++i) call(*observers_[i]);
  }

  std::vector<GridColumn> columns_;
  GridContents contents_;
  int32_t current_row_ = 0;
  bool user_may_add_rows_ = false;
  bool setup_complete_ = false;
  GridFileSpec file_spec_;
  std::vector<GridObserver*> observers_;
};

}  // namespace qdr2_Gomiat
