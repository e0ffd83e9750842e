#include "frame/window_place.h"

#include <algorithm>
#include <charconv>

#include "frame/convert.h"
#include "frame/environment.h"
#include "frame/ui/form.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace settings {

namespace {

// Fits a span [start, start + size) into [0, limit).
void FitSpan(int32_t& start, int32_t& size, int32_t limit) {
  if (limit <= 0) return;
  size = std::clamp(size, 0, limit);
  start = std::clamp(start, 0, limit - size);
}

}  // namespace

std::optional<int32_t> ParseTwips(const std::string& text) {
  const std::string_view t = Trim(text);
  int32_t v = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size())
    return std::nullopt;
  return v;
}

WindowPlace KeepOnScreen(WindowPlace place, int32_t screen_width,
                         int32_t screen_height) {
  FitSpan(place.left, place.width, screen_width);
  FitSpan(place.top, place.height, screen_height);
  return place;
}

}  // namespace settings

namespace {

using settings::WindowPlace;

constexpr const char* kApp = "Landrix";

// The visible screen; a backend that cannot tell leaves places unchecked.
WindowPlace OnVisibleScreen(const WindowPlace& place) {
  int32_t width = 0, height = 0;
  try {
    ui::UiBackend& ui = Environment::Current().Ui();
    width = ui.ScreenWidth();
    height = ui.ScreenHeight();
  } catch (const Failure&) {
    return place;
  }
  return settings::KeepOnScreen(place, width, height);
}

std::optional<int32_t> Number(SettingsStore& store, const std::string& section,
                              const std::string& key) {
  // Missing reads as "", which is no number either.
  return settings::ParseTwips(store.GetSetting(kApp, section, key, ""));
}

}  // namespace

void RestoreWindow(SettingsStore& store, ui::Form& form, const std::string& key,
                   const std::string& /*caption*/, int32_t left, int32_t top,
                   int32_t width, int32_t height) {
  WindowPlace place{left, top, width, height};
  const auto l = Number(store, key, "Left"), t = Number(store, key, "Top"),
             w = Number(store, key, "Width"), h = Number(store, key, "Height");
  if (l && t && w && h && *w > 0 && *h > 0) place = {*l, *t, *w, *h};
  place = OnVisibleScreen(place);
  form.Move(place.left, place.top, place.width, place.height);
}

void SaveWindow(SettingsStore& store, const ui::Form& form,
                const std::string& key, const std::string& caption) {
  store.SaveSettings(kApp, key,
                     {{"Left", std::to_string(form.Left())},
                      {"Top", std::to_string(form.Top())},
                      {"Width", std::to_string(form.Width())},
                      {"Height", std::to_string(form.Height())},
                      {"Caption", caption}});
}

void RestorePosition(SettingsStore& store, ui::Form& form,
                     const std::string& section, const std::string& key) {
  const auto l = Number(store, section, key + ".Left");
  const auto t = Number(store, section, key + ".Top");
  if (!l || !t) return;
  const WindowPlace place =
      OnVisibleScreen({*l, *t, form.Width(), form.Height()});
  // Only the place is restored; a window larger than the screen keeps its
  // size and shows its top left corner.
  form.Move(place.left, place.top, form.Width(), form.Height());
}

void SavePosition(SettingsStore& store, const ui::Form& form,
                  const std::string& section, const std::string& key) {
  store.SaveSettings(kApp, section,
                     {{key + ".Left", std::to_string(form.Left())},
                      {key + ".Top", std::to_string(form.Top())}});
}

}  // namespace qdr2_Gomiat
