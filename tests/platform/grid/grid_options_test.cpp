#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid_test_support.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using grid_test::DefineCodeColumns;
using grid_test::GridEnvironment;
using grid_test::MemorySettings;
using grid_test::Snapshot;
using test_support::FailureOf;

// A settings store that lives in a file, or null while this build has none.
std::unique_ptr<SettingsStore> SqliteOrNull(const std::string& path) {
  try {
    return MakeSqliteSettings(path);
  } catch (const Failure& f) {
    if (f.number() == err::kCannotCreateObject) return nullptr;
    throw;
  }
}

void MakeUserChanges(GridModel& g) {
  g.SetRows(30);
  g.UserSetColumnWidth(4, 42);
  g.UserSetColumnWidth(0, 0);
  g.SetCurrentRow(17);
}

TEST(GridOptions, WidthsAndRowComeBackInALaterRunFromTheRealStore) {
  test_support::TempFolder dir;
  const std::string file = dir.File("settings.sqlite");
  if (!SqliteOrNull(file)) GTEST_SKIP() << "no settings store in this build";
  {
    GridEnvironment env([file] { return MakeSqliteSettings(file); });
    GridModel g;
    DefineCodeColumns(g);
    MakeUserChanges(g);
    g.OptionsSave("c_Gomiat Autocro", "Autocroquis");
  }
  // A later run: a new environment over the same file.
  GridEnvironment env([file] { return MakeSqliteSettings(file); });
  GridModel g;
  DefineCodeColumns(g);
  g.SetRows(30);
  g.OptionsRestore("c_Gomiat Autocro", "Autocroquis");
  EXPECT_EQ(g.Column(4).width_chars, 42);
  EXPECT_EQ(g.Column(0).width_chars, 0);
  EXPECT_EQ(g.Column(1).width_chars, 10);
  EXPECT_EQ(g.CurrentRow(), 17);

  // Other texts: nothing was saved there, nothing changes.
  GridModel other;
  DefineCodeColumns(other);
  other.SetRows(30);
  const auto before = Snapshot(other);
  other.OptionsRestore("c_Gomiat Autocro", "*.crq");
  other.OptionsRestore("c_Gomiat Capas", "Autocroquis");
  EXPECT_EQ(Snapshot(other), before);
}

TEST(GridOptions, SavedValuesThatNoLongerFitAreLeftAlone) {
  auto values = std::make_shared<MemorySettings::Map>();
  auto fail = std::make_shared<bool>(false);
  GridEnvironment env(MemorySettings::Maker(values, fail));
  GridModel g;
  DefineCodeColumns(g);
  MakeUserChanges(g);
  g.OptionsSave("T", "S");
  const std::string section = GridModel::OptionsSection("T", "S");
  EXPECT_EQ(section, "T\\S");
  EXPECT_EQ(values->at({"Landrix", section, "Fila"}), "17");

  // Restored into a grid whose row 17 does not exist yet and whose columns
  // are fewer: neither applies.
  GridModel small;
  small.SetCols(3);
  small.SetRows(5);
  const auto before = Snapshot(small);
  small.OptionsRestore("T", "S");
  EXPECT_EQ(Snapshot(small), before);

  // Values that do not read back (edited by hand) change nothing either.
  for (const char* widths : {"5 x 7 1 1 1 1", "5 -3 7 1 1 1 1",
                             "5  7 1 1 1 1 1", "99999 1 1 1 1 1 1"}) {
    (*values)[{"Landrix", section, "Anchos"}] = widths;
    (*values)[{"Landrix", section, "Fila"}] = "2x";
    GridModel fresh;
    DefineCodeColumns(fresh);
    fresh.SetRows(30);
    const auto untouched = Snapshot(fresh);
    fresh.OptionsRestore("T", "S");
    EXPECT_EQ(Snapshot(fresh), untouched) << widths;
  }
}

TEST(GridOptions, AFailingStoreFailsTheCall) {
  auto values = std::make_shared<MemorySettings::Map>();
  auto fail = std::make_shared<bool>(true);
  GridEnvironment env(MemorySettings::Maker(values, fail));
  GridModel g;
  DefineCodeColumns(g);
  const auto before = Snapshot(g);
  EXPECT_EQ(FailureOf([&] { g.OptionsSave("T", "S"); }), err::kIoError);
  EXPECT_EQ(FailureOf([&] { g.OptionsRestore("T", "S"); }), err::kIoError);
  EXPECT_EQ(Snapshot(g), before);
  EXPECT_TRUE(values->empty());

  // No store at all is a failure too, not a silent loss.
  GridEnvironment bare;
  EXPECT_EQ(FailureOf([&] { g.OptionsSave("T", "S"); }), err::kObjectNotSet);
}

}  // namespace
}  // namespace qdr2_Gomiat
