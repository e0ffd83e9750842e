#include "frame/ui/window_kit.h"

#include <gtest/gtest.h>

#include <tuple>

#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat::ui {
namespace {

struct KitForm : Form {
  KitForm()
      : Form("frmKit"),
        grid(Add<Label>("tbl")),
        first(Add<CommandButton>("cmdAceptar")),
        second(Add<CommandButton>("cmdCancelar")) {
    grid.Move(120, 120, 0, 0);
    first.Move(0, 0, 1245, 405);
  }
  Label& grid;
  CommandButton& first;
  CommandButton& second;
};

TEST(WindowKit, LayoutAcceptCancelAndTheFirstPlaceAtAFifthOfTheScreen) {
  testing::HeadlessSession session;
  session.SetScreenSize(15362, 11522);
  KitForm f;
  // Too small for the buttons: the grid has no size, never a negative one.
  f.SetInnerSize(300, 200);
  LayoutGridAndButtons(f, f.grid, {.first = &f.first});
  EXPECT_EQ(std::tuple(f.grid.Width(), f.grid.Height()), std::tuple(180, 0));

  bool accepted = false;
  WireAcceptCancel(f, f.first, f.second, accepted);
  f.first.Click();
  EXPECT_TRUE(accepted);
  f.PressEscape();
  EXPECT_FALSE(accepted);

  RestoreWindowAtFifth(f, "Kit", 6000, 4000);  // 3072.4 and 2304.4
  EXPECT_EQ(std::tuple(f.Left(), f.Top(), f.Width()),
            std::tuple(3072, 2304, 6000));
  f.Move(100, 200, 5000, 3000);
  SaveWindowPlace(f, "Kit");
  EXPECT_EQ(session.GetSetting("Kit", "Width"), "5000");
}

}  // namespace
}  // namespace qdr2_Gomiat::ui
