// Window places in the settings store, in twips, under the application
// "Landrix":
//   RestoreWindow / SaveWindow:     section = the key, keys "Left", "Top",
//                                   "Width", "Height" (and "Caption", kept
//                                   only so a person reading the store
//                                   knows which window it is);
//   RestorePosition / SavePosition: the given section, keys "<key>.Left"
//                                   and "<key>.Top".
// A place whose values are missing or not whole numbers counts as never
// saved. Restored places are brought onto the visible screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "frame/services.h"

namespace qdr2_Gomiat {

namespace ui {
class Form;
}

// Places and sizes the window as last saved under `key`, or at the
// defaults the first time. The caption only labels the saved place.
void RestoreWindow(SettingsStore& store, ui::Form& form, const std::string& key,
                   const std::string& caption, int32_t left, int32_t top,
                   int32_t width, int32_t height);
void SaveWindow(SettingsStore& store, const ui::Form& form,
                const std::string& key, const std::string& caption);
// The place only; the size stays the window's.
void RestorePosition(SettingsStore& store, ui::Form& form,
                     const std::string& section, const std::string& key);
void SavePosition(SettingsStore& store, const ui::Form& form,
                  const std::string& section, const std::string& key);

namespace settings {

struct WindowPlace {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// A whole number as stored; nullopt for anything else, so a value edited by
// hand into nonsense falls back to the caller's default.
std::optional<int32_t> ParseTwips(const std::string& text);

// Shrinks the window to the screen when it is larger, then moves it so that
// it lies wholly on the screen (twips, origin at the top left). A screen of
// unknown size (0 or less) leaves the place as it is.
WindowPlace KeepOnScreen(WindowPlace place, int32_t screen_width,
                         int32_t screen_height);

}  // namespace settings
}  // namespace qdr2_Gomiat
