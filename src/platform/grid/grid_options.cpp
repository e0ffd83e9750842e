// The grid's user options in the settings store: application "Landrix",
// section "<title>\<second>" (the two texts of the options calls), keys
// "Anchos" (each column's width in characters, blank-separated) and "Fila"
// (the current row). Restoring applies the widths only when their count
// matches the columns, and the row only when it exists; a value that was
// never saved, or that does not read back, changes nothing.
#include <charconv>

#include "frame/environment.h"
#include "platform/grid/grid_model.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

constexpr const char* kApp = "Landrix";
constexpr const char* kWidthsKey = "Anchos";
constexpr const char* kRowKey = "Fila";

template <class I>
bool ReadWhole(std::string_view t, I& v) {
  if (t.empty()) return false;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool ReadWidths(std::string_view text, std::vector<int16_t>& widths) {
  widths.clear();
  while (!text.empty()) {
    const size_t blank = text.find(' ');
    int16_t w = 0;
    if (!ReadWhole(text.substr(0, blank), w) || w < 0) return false;
    widths.push_back(w);
    if (blank == std::string_view::npos) break;
    text.remove_prefix(blank + 1);
  }
  return true;
}

}  // namespace

std::string GridModel::OptionsSection(const std::string& title,
                                      const std::string& second) {
  return title + "\\" + second;
}

void GridModel::OptionsSave(const std::string& title,
                            const std::string& second) {
  std::string widths;
  for (const GridColumn& c : columns_) {
    if (!widths.empty()) widths += ' ';
    widths += std::to_string(c.width_chars);
  }
  const std::string section = OptionsSection(title, second);
  try {
    SettingsStore& store = Environment::Current().Settings();
    store.SaveSetting(kApp, section, kWidthsKey, widths);
    store.SaveSetting(kApp, section, kRowKey, std::to_string(current_row_));
  } catch (...) {
    throw CurrentFailure();
  }
}

void GridModel::OptionsRestore(const std::string& title,
                               const std::string& second) {
  const std::string section = OptionsSection(title, second);
  std::string widths_text, row_text;
  try {
    SettingsStore& store = Environment::Current().Settings();
    widths_text = store.GetSetting(kApp, section, kWidthsKey, "");
    row_text = store.GetSetting(kApp, section, kRowKey, "");
  } catch (...) {
    throw CurrentFailure();
  }
  std::vector<int16_t> widths;
  if (!widths_text.empty() && ReadWidths(widths_text, widths) &&
      widths.size() == columns_.size()) {
    for (size_t c = 0; c < widths.size(); ++c)
      columns_[c].width_chars = widths[c];
    Notify([](GridObserver& o) { o.GridColumnsChanged(); });
  }
  int32_t row = 0;
  if (ReadWhole(std::string_view(row_text), row) && row >= 0 &&
      row < contents_.rows)
    SetCurrentRow(row);
}

}  // namespace qdr2_Gomiat
