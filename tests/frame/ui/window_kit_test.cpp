#include "frame/ui/window_kit.h"

#include <gtest/gtest.h>

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

// Too small for the buttons: the grid has no size, never a negative one.
TEST(WindowKit, TooSmallAWindowGivesTheGridNoSize) {
  KitForm f;
  f.SetInnerSize(300, 200);
  LayoutGridAndButtons(f, f.grid, {.first = &f.first});
  EXPECT_EQ(f.grid.Width(), 180);
  EXPECT_EQ(f.grid.Height(), 0);
}

TEST(WindowKit, AcceptCancelAndTheFirstPlaceAtAFifthOfTheScreen) {
  testing::HeadlessSession session;
  session.SetScreenSize(15362, 11522);
  KitForm f;
  bool accepted = false;
  WireAcceptCancel(f, f.first, f.second, accepted);
  f.first.Click();
  EXPECT_TRUE(accepted);
  f.PressEscape();
  EXPECT_FALSE(accepted);

  RestoreWindowAtFifth(f, "Kit", 6000, 4000);  // 3072.4 and 2304.4
  EXPECT_EQ(f.Left(), 3072);
  EXPECT_EQ(f.Top(), 2304);
  EXPECT_EQ(f.Width(), 6000);
  f.Move(100, 200, 5000, 3000);
  SaveWindowPlace(f, "Kit");
  EXPECT_EQ(session.GetSetting("Kit", "Width"), "5000");
}

}  // namespace
}  // namespace qdr2_Gomiat::ui
