// The scripted user's Copy and Paste, as Ctrl+C and Ctrl+V in a grid.
#include "platform/headless/headless_backend.h"

namespace qdr2_Gomiat {

namespace testing {

ScriptedUser& ScriptedUser::Copy(const std::string& grid, int32_t row1,
                                 int32_t col1, int32_t row2, int32_t col2) {
  auto s = std::make_unique<Step>();
  s->kind = Step::Kind::Copy;
  s->control = grid;
  s->first = row1;
  s->second = col1;
  s->last_row = row2;
  s->last_col = col2;
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedUser& ScriptedUser::Paste(const std::string& grid, int32_t row,
                                  int32_t col, const std::string& text) {
  auto s = std::make_unique<Step>();
  s->kind = Step::Kind::Paste;
  s->control = grid;
  s->text = text;
  s->first = row;
  s->second = col;
  steps_.push_back(std::move(s));
  return *this;
}

}  // namespace testing

namespace headless {

namespace {
bool IsCell(const Grid& g, int32_t row, int32_t col) {
  return row >= 0 && row < g.Rows() && col >= 0 && col < g.Cols();
}
}  // namespace

std::string ApplyClipboardStep(HeadlessState& state, Grid& grid,
                               const testing::ScriptedUser::Step& step) {
  using Kind = testing::ScriptedUser::Step::Kind;
  const std::string no_cell = "no such cell (" + std::to_string(grid.Rows()) +
                              " rows, " + std::to_string(grid.Cols()) +
                              " columns)";
  if (step.kind == Kind::Copy) {
    if (!IsCell(grid, step.first, step.second) ||
        !IsCell(grid, step.last_row, step.last_col))
      return no_cell;
    state.clipboard =
        grid.CopyCells(step.first, static_cast<int16_t>(step.second),
                       step.last_row, static_cast<int16_t>(step.last_col));
    return {};
  }
  // The user pastes into data rows only; row 0 is the header.
  if (step.first < 1 || !IsCell(grid, step.first, step.second)) return no_cell;
  const GridPasteResult r =
      grid.UserPaste(step.first, static_cast<int16_t>(step.second), step.text);
  if (r.refused > 0)
    state.refused_edits.push_back(step.Describe() + ": " +
                                  std::to_string(r.refused) + " refused");
  return {};
}

}  // namespace headless
}  // namespace qdr2_Gomiat
