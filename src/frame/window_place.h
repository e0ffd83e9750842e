// Window places as the settings store keeps them, and the rule that brings a
// restored window back onto the visible screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qdr2_Gomiat::settings {

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

}  // namespace qdr2_Gomiat::settings
