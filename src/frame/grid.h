// Contract of the grid control the table windows place on their forms.
// Rows and columns count from 0; row 0 is the header row.
//
// A window sets its grid up in this order: column count, row count, file
// options, one DefineColumn per column in column order (DefineColumns below
// does it from a table of named fields), choice lists, its finishing calls
// (A, B or C, the Boolean option, Complete), options restore.
#pragma once

#include <cstdint>
#include <initializer_list>
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
  // A number the user types as free text (coordinates): the grid takes any
  // text; the window hands values in with SetNumber and reads the cells
  // with TextoANumero of the number text service.
  kGridNumberText = 2,
  kGridNumber3 = 3,
  kGridText = 4,
  kGridChoice = 5,
  kGridColour = 6,
};

// Kinds 0 to 3 are numbers (right-aligned).
inline bool IsNumberColumnKind(int16_t kind) { return kind >= 0 && kind <= 3; }

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
  // Characters a user may not type into the cells, and what they are told.
  std::string refused_chars;
  std::string refusal;
};

// One column definition as named fields, in the order of DefineColumn's
// values, so a window writes its table with designated initialisers:
//   {.read_only = true, .kind = kGridNumber1, .value6 = 1,
//    .width_chars = 7, .caption = "Puntos"}
// Fields left out take the values most columns pass; give the caption
// always (the compiler warns about a missing last field).
struct GridColumnDef {
  bool flag1 = false;
  bool read_only = false;
  int16_t kind = kGridText;
  int16_t value5 = 0;
  int16_t value6 = 0;
  int16_t value7 = 0;
  int16_t width_chars = 10;
  std::string caption;
};

// What the grid was told about saving and loading its contents.
struct GridFileSpec {
  std::string title;
  std::string default_file;
  std::string filter;  // "*.crq"; empty: no file options were given
};

// What a paste did: cells taken, cells refused (by the column's rules, on
// the header row, or outside the grid) and rows added at the bottom.
struct GridPasteResult {
  int32_t pasted = 0;
  int32_t refused = 0;
  int32_t rows_added = 0;
};

// What a view of the grid hears, always after the change is made. Calls
// come on the thread that changed the grid; per-cell calls come once per
// changed cell, so a view should coalesce them.
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  // The row count went from `old_rows` to `new_rows`; kept rows keep their
  // cells, new rows are empty.
  virtual void GridRowsChanged(int32_t old_rows, int32_t new_rows) = 0;
  // Column count or definitions (kind, flags, width, caption, choices).
  virtual void GridColumnsChanged() = 0;
  // Text or colour of one cell (row 0: the caption).
  virtual void GridCellChanged(int32_t row, int16_t col) = 0;
  // Any cell may have changed (after a fill, a load or a paste).
  virtual void GridContentsReset() = 0;
  virtual void GridCurrentRowChanged(int32_t row) = 0;
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
  // A user edit holding any of `chars` is refused and `message` shown.
  virtual void RefuseCharacters(int16_t col, const std::string& chars,
                                const std::string& message) = 0;

  virtual void SetText(int32_t row, int16_t col, const std::string& text) = 0;
  // A whole number handed as a number (shown without a leading blank).
  virtual void SetText(int32_t row, int16_t col, int32_t value) = 0;
  virtual std::string Text(int32_t row, int16_t col) const = 0;
  // A Double handed as a number: the cell keeps the shortest text that
  // reads back as the same value (no exponent from 1e-4 to 1e15), so an
  // untouched cell loses nothing.
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
  // The same cells read as the number text service reads them, and whether
  // each has a text at all; a cell last set as a number gives that number
  // back without its text being read (or even made).
  virtual void ColumnNumbers(int16_t col, int32_t first_row, int32_t count,
                             std::vector<double>& values,
                             std::vector<char>& filled) const = 0;
  // The same text without a copy; valid until the grid next changes.
  virtual std::string_view TextView(int32_t row, int16_t col) const = 0;

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
  virtual const GridFileSpec& FileSpec() const = 0;
  virtual void OptionsRestore(const std::string& title,
                              const std::string& second) = 0;
  virtual void OptionsSave(const std::string& title,
                           const std::string& second) = 0;

  // Finishing calls made after the columns are defined; the grid lays
  // itself out. The table windows make A and B, the drawings editor C.
  virtual void FinishA() = 0;
  virtual void FinishB() = 0;
  virtual void FinishC() = 0;
  // Whether the user may add rows at the bottom (by a view, or by pasting
  // past the last row). The tools pass False.
  virtual void SetBoolOption(bool value) = 0;
  virtual bool UserMayAddRows() const = 0;
  virtual void Complete() = 0;
  virtual void StandardSetup() = 0;
  virtual void FinishAfterFill() = 0;

  // What a user does in the cell. Returns false (and changes nothing) when
  // the column is read-only, a choice column is given a text not in its
  // list (the empty text included: a list cannot offer nothing), a number
  // column (0, 1, 3) a text that is no number (kind 2 takes any text), or
  // the text holds a refused character. Every view of the grid goes through
  // here.
  virtual bool UserEdit(int32_t row, int16_t col, const std::string& text) = 0;
  virtual bool UserSetColour(int32_t row, int16_t col, int32_t colour) = 0;
  // The user dragged a column border (width in characters, 0 or more).
  virtual void UserSetColumnWidth(int16_t col, int16_t width_chars) = 0;

  // Blocks of cells as spreadsheets put them on the clipboard: cells
  // separated by TAB, rows ended by CR LF (LF alone is read too); a cell
  // holding a TAB or a line end, or starting with a double quote, is put in
  // double quotes with its quotes doubled.
  // The cells of rows row1..row2 and columns col1..col2, corners in any
  // order (row 0 gives the captions).
  virtual std::string CopyCells(int32_t row1, int16_t col1, int32_t row2,
                                int16_t col2) const = 0;
  // Pastes a block with its top left cell at (row, col), every cell through
  // UserEdit. Rows past the last are added when the user may add rows, and
  // refused otherwise, as cells past the last column are. When anything
  // was refused the user is told once, in one message box.
  virtual GridPasteResult UserPaste(int32_t row, int16_t col,
                                    std::string_view text) = 0;

  // Contents to and from a file under the filter of FileOptions. A bad or
  // foreign file throws a Failure and leaves the grid as it was.
  virtual void SaveContents(const std::string& path) const = 0;
  virtual void LoadContents(const std::string& path) = 0;

  // Views that follow the grid. Observers are not owned; remove one before
  // it dies. An observer may remove itself while being told.
  virtual void AddObserver(GridObserver* observer) = 0;
  virtual void RemoveObserver(GridObserver* observer) = 0;
};

// Defines columns 0, 1, ... from `defs`, in column order, one DefineColumn
// call each with exactly the values of the table.
void DefineColumns(Grid& grid, std::span<const GridColumnDef> defs);
inline void DefineColumns(Grid& grid,
                          std::initializer_list<GridColumnDef> defs) {
  DefineColumns(grid,
                std::span<const GridColumnDef>(defs.begin(), defs.size()));
}

}  // namespace qdr2_Gomiat
