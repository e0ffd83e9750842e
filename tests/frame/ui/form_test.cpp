// The window model on its own: events fire the way the toolkit fires them.
#include <gtest/gtest.h>

#include "frame/ui/test_dialog.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using test::TestDialog;
using Lines = std::vector<std::string>;

TEST(WindowModel, ChangeEventsFireOnlyOnRealChanges) {
  testing::HeadlessSession session;
  TestDialog d;
  d.txtNombre.SetText("a");
  d.txtNombre.SetText("a");
  d.txtNombre.SetText("b");
  d.txtNombre.SetText("b");
  EXPECT_EQ(d.events, (Lines{"txtNombre_Change a", "txtNombre_Change b"}));

  d.events.clear();
  d.cmbLista.SetListIndex(1);
  d.cmbLista.SetListIndex(1);
  EXPECT_EQ(d.cmbLista.Text(), "dos");
  // Typing an item's text selects it; other text selects nothing.
  d.cmbLista.SetText("tres");
  EXPECT_EQ(d.cmbLista.ListIndex(), 2);
  d.cmbLista.SetText("cuatro");
  EXPECT_EQ(d.cmbLista.ListIndex(), -1);
  EXPECT_EQ(d.events, (Lines{"cmbLista_Click dos"}));
  EXPECT_THROW(d.cmbLista.SetListIndex(3), Failure);
  EXPECT_THROW(d.cmbLista.List(-1), Failure);
}

TEST(WindowModel, OptionButtonsFormOneGroupPerContainer) {
  testing::HeadlessSession session;
  TestDialog d;
  d.optDentro0.SetValue(true);
  d.optFuera1.SetValue(true);
  EXPECT_TRUE(d.optDentro0.Value());  // another container: untouched
  d.optDentro1.SetValue(true);
  EXPECT_FALSE(d.optDentro0.Value());
  EXPECT_TRUE(d.optFuera1.Value());
  d.optDentro1.SetValue(true);   // already selected: no second click
  d.optDentro1.SetValue(false);  // clearing fires nothing
  EXPECT_FALSE(d.optDentro1.Value());
  EXPECT_EQ(d.events, (Lines{"optDentro_Click 0", "optFuera_Click 1",
                             "optDentro_Click 1"}));
}

TEST(WindowModel, EscapeAndEnterPressTheirButtons) {
  testing::HeadlessSession session;
  TestDialog d;
  d.PressEnter();
  EXPECT_TRUE(d.accepted);
  d.PressEscape();
  EXPECT_FALSE(d.accepted);

  d.events.clear();
  d.cmdCancelar.SetEnabled(false);
  d.PressEscape();
  d.cmdCancelar.SetEnabled(true);
  d.cmdCancelar.SetVisible(false);
  d.PressEscape();
  d.cmdAceptar.SetEnabled(false);
  d.PressEnter();
  EXPECT_TRUE(d.events.empty());

  // One cancel button per window: marking another one moves the mark.
  d.cmdBorrar.SetCancel(true);
  EXPECT_FALSE(d.cmdCancelar.IsCancel());
  d.cmdCancelar.SetVisible(true);
  d.PressEscape();  // asks its question, answered No by default
  EXPECT_EQ(d.events, (Lines{"answer 7"}));
  d.cmdAceptar.SetEnabled(true);
  d.cmdBorrar.SetDefault(true);
  EXPECT_FALSE(d.cmdAceptar.IsDefault());
  d.PressEnter();
  EXPECT_EQ(d.events.size(), 2u);
  EXPECT_FALSE(d.accepted);
}

TEST(WindowModel, CloseBoxAndUnloadReportTheirModes) {
  testing::HeadlessSession session;
  TestDialog d;
  EXPECT_TRUE(d.CloseBox());  // not loaded: nothing to ask
  EXPECT_TRUE(d.query_unload_modes.empty());

  d.Load();
  d.refuse_close = true;
  EXPECT_FALSE(d.CloseBox());
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_FALSE(d.Unload());
  EXPECT_TRUE(d.IsLoaded());
  d.refuse_close = false;
  EXPECT_TRUE(d.Unload());
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(
      d.query_unload_modes,
      (std::vector<int16_t>{ui::kCloseBox, ui::kFromCode, ui::kFromCode}));
  // Loading again runs the load handler again.
  d.Load();
  EXPECT_EQ(d.loads, 2);
}

TEST(WindowModel, ResizeFiresOnlyWhenLoaded) {
  testing::HeadlessSession session;
  TestDialog d;
  d.Move(0, 0, 6000, 5000);
  EXPECT_EQ(d.resizes, 0);
  d.Load();  // sizes itself while loading: still no event
  EXPECT_EQ(d.resizes, 0);
  EXPECT_EQ(d.ScaleWidth(), 4000);
  EXPECT_EQ(d.ScaleHeight(), 3000);
  d.Move(100, 200, d.Width(), d.Height());  // moved, same size
  EXPECT_EQ(d.resizes, 0);
  d.Move(100, 200, 8000, 6000);
  EXPECT_EQ(d.resizes, 1);
  EXPECT_EQ(d.cmdAceptar.Left(),
            8000 - ui::kBorderWidth - d.cmdAceptar.Width() - 120);
  EXPECT_THROW(d.Move(0, 0, -1, 100), Failure);
  EXPECT_EQ(d.Width(), 8000);
  d.Unload();
  d.Move(0, 0, 9000, 7000);
  EXPECT_EQ(d.resizes, 1);
}

}  // namespace
}  // namespace qdr2_Gomiat
