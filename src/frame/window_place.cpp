#include "platform/settings/window_place.h"

#include <algorithm>
#include <charconv>

#include "frame/convert.h"

namespace qdr2_Gomiat::settings {

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

}  // namespace qdr2_Gomiat::settings
