#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid_test_support.h"
#include "platform/grid/grid_model.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using grid_test::DefineCodeColumns;
using grid_test::Snapshot;
using test_support::FailureOf;

TEST(GridOptions, WidthsAndRowComeBackUnderTheSameTextsOnly) {
  testing::HeadlessSession session;
  GridModel saved;
  DefineCodeColumns(saved);
  saved.SetRows(30);
  saved.UserSetColumnWidth(4, 42);
  saved.UserSetColumnWidth(0, 0);
  saved.SetCurrentRow(17);
  saved.OptionsSave("c_Gomiat Autocro", "Autocroquis");
  EXPECT_EQ(session.GetSetting("c_Gomiat Autocro\\Autocroquis", "Fila"), "17");
  GridModel g;
  DefineCodeColumns(g);
  g.SetRows(30);
  g.OptionsRestore("c_Gomiat Autocro", "Autocroquis");
  EXPECT_EQ(g.Column(4).width_chars, 42);
  EXPECT_EQ(Snapshot(g), Snapshot(saved));

  // Other texts, fewer columns and a row that does not exist, values
  // edited by hand into nonsense: nothing changes.
  GridModel small;
  small.SetCols(3);
  small.SetRows(5);
  const auto small_before = Snapshot(small);
  small.OptionsRestore("c_Gomiat Autocro", "Autocroquis");
  small.OptionsRestore("c_Gomiat Capas", "Autocroquis");
  EXPECT_EQ(Snapshot(small), small_before);
  GridModel other;
  DefineCodeColumns(other);
  other.SetRows(30);
  const auto bigger = Snapshot(other);
  for (const char* widths : {"5 x 7 1 1 1 1", "99999 1 1 1 1 1 1"}) {
    session.SaveSetting("T\\S", "Anchos", widths);
    session.SaveSetting("T\\S", "Fila", "2x");
    other.OptionsRestore("T", "S");
    EXPECT_EQ(Snapshot(other), bigger) << widths;
  }
}

// A store that fails every call, as a broken one would.
class BrokenStore final : public SettingsStore {
 public:
  void SaveSetting(const std::string&, const std::string&, const std::string&,
                   const std::string&) override {
    throw Failure(err::kIoError);
  }
  std::string GetSetting(const std::string&, const std::string&,
                         const std::string&, const std::string&) override {
    throw Failure(err::kIoError);
  }
};

TEST(GridOptions, AFailingStoreFailsTheCallAndChangesNothing) {
  Environment::Factories f;
  f.settings = [] { return std::make_unique<BrokenStore>(); };
  test_support::ScopedEnvironment env(f, "/nowhere");
  GridModel g;
  DefineCodeColumns(g);
  const auto before = Snapshot(g);
  EXPECT_EQ(FailureOf([&] { g.OptionsSave("T", "S"); }), err::kIoError);
  EXPECT_EQ(FailureOf([&] { g.OptionsRestore("T", "S"); }), err::kIoError);
  EXPECT_EQ(Snapshot(g), before);
  // No store at all is a failure too, not a silent loss.
  test_support::ScopedEnvironment bare({}, "/nowhere");
  EXPECT_EQ(FailureOf([&] { g.OptionsSave("T", "S"); }), err::kObjectNotSet);
}

}  // namespace
}  // namespace qdr2_Gomiat
