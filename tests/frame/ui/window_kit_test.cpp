#include "frame/ui/window_kit.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "autosketch/f_autocroq.h"
#include "points_editor/f_puntos.h"
#include "qdr2_gomiat/testing.h"
#include "table_editors/f_capas.h"

namespace qdr2_Gomiat::ui {
namespace {

struct KitForm : Form {
  KitForm()
      : Form("frmKit"),
        grid(Add<Label>("tbl")),
        first(Add<CommandButton>("cmdAceptar")),
        second(Add<CommandButton>("cmdCancelar")),
        third(Add<CommandButton>("cmdCrear")) {
    SetInnerSize(7905, 4425);  // outer width 8025
    grid.Move(120, 120, 0, 0);
    first.Move(0, 0, 1245, 405);
    second.Move(0, 0, 1245, 405);
    third.Move(0, 0, 2700, 405);
  }
  Label& grid;
  CommandButton& first;
  CommandButton& second;
  CommandButton& third;
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
  EXPECT_TRUE(f.second.IsCancel());
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

// Each tool window lays itself out with the kit: after a resize, laying it
// out again moves nothing.
TEST(WindowKit, ToolWindowsFollowTheLayoutOnResize) {
  testing::HeadlessSession session;
  f_Autocroq sketch;
  f_Puntos points;
  F_Capas layers;
  const std::tuple<Form*, Control*, const char*> windows[] = {
      {&sketch, &sketch.tblAutocro, "cmdAyuda"},
      {&points, &points.tblAutocro, "cmdCrear"},
      {&layers, &layers.tblCapas, "cmdCrear"}};
  for (const auto& [form, grid, third] : windows) {
    form->Load();
    form->Move(0, 0, 10000, 6000);
    const BottomRow row{.first = form->FindByFullName("cmdAceptar"),
                        .second = form->FindByFullName("cmdCancelar"),
                        .third = form->FindByFullName(third)};
    auto places = [&] {
      std::vector<int32_t> v;
      for (const Control* c : {grid, row.first, row.second, row.third})
        v.insert(v.end(), {c->Left(), c->Top(), c->Width(), c->Height()});
      return v;
    };
    const std::vector<int32_t> shown = places();
    LayoutGridAndButtons(*form, *grid, row);
    EXPECT_EQ(places(), shown) << form->Name();
  }
}

}  // namespace
}  // namespace qdr2_Gomiat::ui
