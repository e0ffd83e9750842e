// Shared pieces of the grid tests: a small environment (a temporary folder,
// number texts, a fake palette, a settings store of the test's choice) put
// in force for the scope of a test, and a snapshot of everything a grid
// holds, to prove that a refused call changed nothing.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "frame/environment.h"
#include "platform/grid/grid_model.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat::grid_test {

// Palette number n is a grey-blue that no two numbers share.
class FakeColours final : public ColourService {
 public:
  int32_t ColorValue(int16_t number) override {
    return (number & 0xFF) * 0x010101 ^ 0x400000;
  }
  int16_t ColorNumber(int32_t value) override {
    return static_cast<int16_t>((value ^ 0x400000) & 0xFF);
  }
};

// Values kept in a map shared with the test; `fail` makes every call fail
// as a broken store would.
class MemorySettings final : public SettingsStore {
 public:
  using Map =
      std::map<std::tuple<std::string, std::string, std::string>, std::string>;
  MemorySettings(std::shared_ptr<Map> values, std::shared_ptr<bool> fail)
      : values_(std::move(values)), fail_(std::move(fail)) {}
  // What makes a store over `values` for an environment.
  static std::function<std::unique_ptr<SettingsStore>()> Maker(
      std::shared_ptr<Map> values, std::shared_ptr<bool> fail) {
    return [values, fail] {
      return std::make_unique<MemorySettings>(values, fail);
    };
  }
  void SaveSetting(const std::string& app, const std::string& section,
                   const std::string& key, const std::string& value) override {
    if (*fail_) throw Failure(err::kIoError);
    (*values_)[{app, section, key}] = value;
  }
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key,
                         const std::string& def) override {
    if (*fail_) throw Failure(err::kIoError);
    auto it = values_->find({app, section, key});
    return it == values_->end() ? def : it->second;
  }

 private:
  std::shared_ptr<Map> values_;
  std::shared_ptr<bool> fail_;
};

// Puts a small environment in force and restores the previous one.
class GridEnvironment {
 public:
  explicit GridEnvironment(
      std::function<std::unique_ptr<SettingsStore>()> settings = nullptr)
      : scope_(Factories(std::move(settings)), dir_.Path().string()) {}

  const test_support::TempFolder& Dir() const { return dir_; }

 private:
  static Environment::Factories Factories(
      std::function<std::unique_ptr<SettingsStore>()> settings) {
    Environment::Factories f;
    f.numbers = MakeNumberTextService;
    f.colours = [] { return std::make_unique<FakeColours>(); };
    f.settings = std::move(settings);
    f.grid = MakeGridModel;
    return f;
  }

  test_support::TempFolder dir_;
  test_support::ScopedEnvironment scope_;
};

// Everything a user or a caller can read back from a grid.
struct GridSnapshot {
  int32_t rows = 0;
  int16_t cols = 0;
  int32_t current_row = 0;
  std::vector<std::string> texts;
  std::vector<int32_t> colours;
  std::vector<int16_t> widths;
  bool operator==(const GridSnapshot&) const = default;
};

inline GridSnapshot Snapshot(const Grid& g) {
  GridSnapshot s;
  s.rows = g.Rows();
  s.cols = g.Cols();
  s.current_row = g.CurrentRow();
  for (int16_t c = 0; c < g.Cols(); ++c) {
    s.widths.push_back(g.Column(c).width_chars);
    for (int32_t r = 0; r < g.Rows(); ++r) {
      s.texts.push_back(g.Text(r, c));
      s.colours.push_back(g.Colour(r, c));
    }
  }
  return s;
}

// The layout of the code table window: texts, a read-only count, choices,
// a colour column.
inline void DefineCodeColumns(Grid& g) {
  g.SetCols(7);
  g.SetRows(2);
  g.FileOptions("c_Gomiat Autocro", "Autocroquis", "*.crq");
  g.DefineColumn(0, false, false, kGridText, 0, 0, 0, 5, "");
  g.DefineColumn(1, false, true, kGridText, 0, 0, 0, 10, "Código");
  g.DefineColumn(2, false, true, kGridNumber1, 0, 1, 0, 7, "Puntos");
  g.DefineColumn(3, false, false, kGridChoice, 0, 1, 0, 10, "Tipo unión");
  g.DefineColumn(4, false, false, kGridText, 0, 0, 0, 15, "Capa");
  g.DefineColumn(5, false, false, kGridColour, 0, 1, 0, 10, "Color");
  g.DefineColumn(6, false, false, kGridChoice, 0, 1, 0, 10, "Linea");
  Array<std::string> types(0, 1);
  types(0) = "Lineal";
  types(1) = "Puntual";
  g.SetChoiceList(3, types);
}

}  // namespace qdr2_Gomiat::grid_test
