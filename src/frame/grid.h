// Contract of the grid control the table windows place on their forms.
// Rows and columns count from 0; row 0 is the header row.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

// Column kinds the tools use.
enum GridKind : int16_t {
  kGridNumber0 = 0,
  kGridNumber1 = 1,
  kGridNumber3 = 3,
  kGridText = 4,
  kGridChoice = 5,
  kGridColour = 6,
};

struct GridColumn {
  bool flag1 = false;
  bool read_only = false;  // the second flag
  int16_t kind = kGridText;
  int16_t value5 = 0;
  int16_t value6 = 0;
  int16_t value7 = 0;
  int16_t width_chars = 10;
  std::string caption;
  std::vector<std::string> choices;  // kind 5
};

class Grid {
 public:
  virtual ~Grid() = default;

  virtual void SetCols(int16_t cols) = 0;
  virtual int16_t Cols() const = 0;
  // Includes the header row.
  virtual void SetRows(int32_t rows) = 0;
  virtual int32_t Rows() const = 0;

  virtual void DefineColumn(int16_t col, bool flag1, bool read_only,
                            int16_t kind, int16_t value5, int16_t value6,
                            int16_t value7, int16_t width_chars,
                            const std::string& caption) = 0;
  virtual const GridColumn& Column(int16_t col) const = 0;
  // The cell offers exactly these texts (array with lower bound 0).
  virtual void SetChoiceList(int16_t col, const Array<std::string>& items) = 0;

  virtual void SetText(int32_t row, int16_t col, const std::string& text) = 0;
  // A whole number handed as a number (shown without a leading blank).
  virtual void SetText(int32_t row, int16_t col, int32_t value) = 0;
  virtual std::string Text(int32_t row, int16_t col) const = 0;
  // A Double handed as a number: the cell keeps the shortest text that
  // reads back as the same value, so an untouched cell loses nothing.
  virtual void SetNumber(int32_t row, int16_t col, double value) = 0;

  // Bulk forms for the large tables: the same cells as one call per cell for
  // rows first_row to first_row + size - 1, without a call per cell.
  virtual void SetColumnTexts(int16_t col, int32_t first_row,
                              std::span<const std::string_view> texts) = 0;
  virtual void SetColumnNumbers(int16_t col, int32_t first_row,
                                std::span<const double> values) = 0;
  // Views of `count` texts from first_row on, valid until the grid next
  // changes.
  virtual void ColumnTexts(int16_t col, int32_t first_row, int32_t count,
                           std::vector<std::string_view>& out) const = 0;

  // Colour value 0x00BBGGRR.
  virtual void SetColour(int32_t row, int16_t col, int32_t colour) = 0;
  virtual int32_t Colour(int32_t row, int16_t col) const = 0;
  // The cell shows that number of the host's palette. The second form is
  // used for rows the table does not know yet.
  virtual void SetColourNumber(int32_t row, int16_t col, int16_t number) = 0;
  virtual void SetColourNumber2(int32_t row, int16_t col, int16_t number) = 0;

  virtual void SetCurrentRow(int32_t row) = 0;
  virtual int32_t CurrentRow() const = 0;

  // Title, default file name and filter ("*.crq") for saving and loading
  // the contents.
  virtual void FileOptions(const std::string& title,
                           const std::string& default_file,
                           const std::string& filter) = 0;
  virtual void OptionsRestore(const std::string& title,
                              const std::string& second) = 0;
  virtual void OptionsSave(const std::string& title,
                           const std::string& second) = 0;

  // Finishing calls made after the columns are defined; the grid lays
  // itself out.
  virtual void FinishA() = 0;
  virtual void FinishB() = 0;
  virtual void SetBoolOption(bool value) = 0;
  virtual void Complete() = 0;
  virtual void StandardSetup() = 0;
  virtual void FinishAfterFill() = 0;

  // What a user does in the cell. Returns false (and changes nothing) when
  // the column is read-only or a choice column is given a text not in its
  // list; both views of the grid go through here.
  virtual bool UserEdit(int32_t row, int16_t col, const std::string& text) = 0;
  virtual bool UserSetColour(int32_t row, int16_t col, int32_t colour) = 0;

  // Contents to and from a file under the filter of FileOptions. A bad or
  // foreign file throws a Failure and leaves the grid as it was.
  virtual void SaveContents(const std::string& path) const = 0;
  virtual void LoadContents(const std::string& path) = 0;
};

}  // namespace qdr2_Gomiat
