// What every table window repeats, written once:
//
//   WireAcceptCancel(*this, cmdAceptar, cmdCancelar, accepted_);
//   ...
//   void Form_Load() {
//     grid.SetCols(n); grid.SetRows(2); grid.FileOptions(...);
//     DefineColumns(grid, {{.width_chars = 5, .caption = ""},
//                          {.read_only = true, .caption = "Código"}, ...});
//     grid.SetChoiceList(...);
//     FinishTableGrid(grid);  // A, B, option False, Complete (the drawings
//                             // editor calls C, the option, Complete)
//     grid.OptionsRestore(...);
//     RestoreWindowAtFifth(*this, "Autocroquis", 8700, 5700);
//   }
//   void Form_Resize() {
//     LayoutGridAndButtons(*this, grid, {.first = &cmdAceptar,
//                          .second = &cmdCancelar, .third = &cmdCrear});
//   }
//   void Form_Unload(int16_t&) { SaveWindowPlace(*this, "Autocroquis"); }
//
// Windows whose place is restored otherwise (two calls, a default computed
// from the present top) call RestoreWindow of frame/window_place.h with
// FifthOfScreen() themselves.
#pragma once

#include <cstdint>
#include <string>

#include "frame/grid.h"
#include "frame/ui/controls.h"
#include "frame/ui/form.h"

namespace qdr2_Gomiat::ui {

// "Aceptar" and "Cancelar" with their captions; the second also answers
// Escape. A click sets `accepted` to True or False and hides the window.
void WireAcceptCancel(Form& form, CommandButton& accept, CommandButton& cancel,
                      bool& accepted);

// The finishing calls of the table windows: A, B, the Boolean option False,
// Complete.
void FinishTableGrid(Grid& grid);

// A fifth of the screen's width and height, rounded to whole twips: where a
// window opens the first time.
struct ScreenFifth {
  int32_t left = 0;
  int32_t top = 0;
};
ScreenFifth FifthOfScreen();

// RestoreWindow of the settings store in force under `key`, with the
// window's caption and the defaults: a fifth of the screen, and the given
// outer size.
void RestoreWindowAtFifth(Form& form, const std::string& key, int32_t width,
                          int32_t height);
// SaveWindow under `key` with the window's caption.
void SaveWindowPlace(Form& form, const std::string& key);

// The row of controls at the bottom right of a table window, right to left.
// With SW and SH the window's inner size, W its outer width and w, h the
// size of `first`:
//   first   top SH - 1.2 h, left SW - 1.3 w
//   second  same top, left W - 2.6 w
//   third   same top, left (second's left) - 1.3 x third_step, where
//           third_step is the third's own width unless given (>= 0)
struct BottomRow {
  Control* first = nullptr;
  Control* second = nullptr;
  Control* third = nullptr;
  int32_t third_step = -1;
};

// The grid above the bottom row: width SW - its left, height SH - its top
// - 1.3 h. A window made smaller than that leaves the grid with no width
// or height instead of a negative one; the buttons may go past the left
// edge, as they would. Rounding halves to even, as the platform's whole
// number conversion.
void LayoutGridAndButtons(Form& form, Control& grid, const BottomRow& row);

}  // namespace qdr2_Gomiat::ui
