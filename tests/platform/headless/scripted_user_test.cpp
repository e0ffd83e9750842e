// The scripted user working real windows through the headless backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/environment.h"
#include "frame/ui/test_dialog.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using test::TestDialog;
using Lines = std::vector<std::string>;

TEST(ScriptedUser, WorksAModalWindowAndAnswersItsQuestion) {
  testing::HeadlessSession s;
  {
    TestDialog d;
    s.User()
        .Type("txtNombre", "Pepe")
        .Click("optFuera(1)")
        .Choose("cmbLista", "tres")
        .DoubleClick("labAyuda")
        .Click("cmdAceptar")
        .Type("txtNombre", "left for later");
    d.ShowModal();
    EXPECT_TRUE(d.accepted);
    EXPECT_TRUE(d.IsLoaded());
    EXPECT_FALSE(d.IsVisible());
    EXPECT_EQ(d.events, (Lines{"txtNombre_Change Pepe", "optFuera_Click 1",
                               "cmbLista_Click tres", "labAyuda_Click",
                               "labAyuda_DblClick", "cmdAceptar_Click"}));
    EXPECT_EQ(s.User().Pending(), 1u);
    // The next window takes the step left over, then Escape cancels it.
    s.User().PressEscape();
    d.ShowModal();
    EXPECT_EQ(d.txtNombre.Text(), "left for later");
    EXPECT_FALSE(d.accepted);
    EXPECT_EQ(s.User().Pending(), 0u);
  }
  {
    // The answer may stand after the click that asks or before it.
    TestDialog d;
    d.txtNombre.SetText("x");
    s.User().Click("cmdBorrar").Answer(ui::mb::kNo);
    s.User().Type("txtNombre", "y").Answer(ui::mb::kYes).Click("cmdBorrar");
    s.User().Click("cmdBorrar").Click("cmdAceptar");  // unanswered: No
    d.ShowModal();
    EXPECT_EQ(d.txtNombre.Text(), "");
    ASSERT_EQ(s.Messages().size(), 3u);
    const auto& m = s.Messages()[0];
    EXPECT_EQ(m.prompt, "¿Borrar el nombre?");
    EXPECT_EQ(m.title, "Borrar");
    EXPECT_EQ(m.flags, ui::mb::kYesNo + ui::mb::kExclamation);
    EXPECT_EQ(m.answer, ui::mb::kNo);
    EXPECT_EQ(s.Messages()[1].answer, ui::mb::kYes);
    EXPECT_EQ(s.Messages()[2].answer, ui::mb::kNo);
  }
  EXPECT_EQ(s.ShownWindows(), (Lines{"Prueba", "Prueba", "Prueba"}));
  EXPECT_TRUE(s.ScriptErrors().empty());
}

TEST(ScriptedUser, LeavesNoWindowOpen) {
  testing::HeadlessSession s;
  TestDialog d;
  d.ShowModal();  // nothing scripted: the close box
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(d.query_unload_modes, std::vector<int16_t>{ui::kCloseBox});
  EXPECT_TRUE(s.ScriptErrors().empty());

  // A window that refuses its close box is hidden so the call can return.
  d.refuse_close = true;
  s.User().CloseBox();
  d.ShowModal();
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_FALSE(d.IsVisible());
  EXPECT_EQ(d.query_unload_modes.size(), 3u);
  ASSERT_EQ(s.ScriptErrors().size(), 1u);
  EXPECT_NE(s.ScriptErrors()[0].find("close box"), std::string::npos);
}

TEST(ScriptedUser, NestedWindowsTakeTheFollowingSteps) {
  testing::HeadlessSession s;
  TestDialog d;
  s.User()
      .Type("txtNombre", "fuera")
      .Click("cmdOtra")
      .Type("txtNombre", "dentro")
      .PressEnter()
      .Click("cmdOtra")
      .Type("txtNombre", "otra vez");  // then both are left open
  d.ShowModal();
  EXPECT_EQ(d.events, (Lines{"txtNombre_Change fuera",
                             "nested closed, accepted 1, text dentro",
                             "nested closed, accepted 0, text otra vez"}));
  // Innermost first: the inner window by its close box, then the outer.
  EXPECT_EQ(d.nested->query_unload_modes,
            (std::vector<int16_t>{ui::kCloseBox}));
  EXPECT_EQ(d.query_unload_modes, (std::vector<int16_t>{ui::kCloseBox}));
  EXPECT_EQ(s.ShownWindows(), (Lines{"Prueba", "Otra", "Otra"}));
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_TRUE(s.ScriptErrors().empty());
}

TEST(ScriptedUser, RecordsStepsItCannotTake) {
  testing::HeadlessSession s;
  TestDialog d;
  d.Load();
  d.cmdBorrar.SetEnabled(false);
  d.fraGrupo.SetVisible(false);
  d.SetSizable(false);
  s.User()
      .Click("cmdNoHay")
      .Type("cmdAceptar", "x")
      .Click("cmdBorrar")
      .Click("optDentro(0)")  // inside a hidden frame
      .Choose("cmbLista", "cuatro")
      .Resize(9000, 9000)
      .Answer(ui::mb::kYes)  // an OK-only box has no Yes
      .Do([](ui::Form&) {
        Environment::Current().Ui().MsgBox("Hecho", ui::mb::kOkOnly, "");
      })
      .Type("txtNombre", "sigue");
  d.ShowModal();
  EXPECT_EQ(d.txtNombre.Text(), "sigue");
  EXPECT_FALSE(d.optDentro0.Value());
  EXPECT_EQ(d.Width(), 4000 + ui::kBorderWidth);
  ASSERT_EQ(s.Messages().size(), 1u);
  EXPECT_EQ(s.Messages()[0].answer, ui::mb::kOk);
  ASSERT_EQ(s.ScriptErrors().size(), 7u);
  const std::vector<std::string> expected = {"Click cmdNoHay",
                                             "Type \"x\" into cmdAceptar",
                                             "Click cmdBorrar",
                                             "Click optDentro(0)",
                                             "Choose \"cuatro\" in cmbLista",
                                             "Resize",
                                             "Answer 6"};
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NE(s.ScriptErrors()[i].find(expected[i]), std::string::npos)
        << s.ScriptErrors()[i];
}

TEST(ScriptedUser, ResizesAndHoldsTheMouse) {
  testing::HeadlessSession s;
  TestDialog d;
  d.Move(700, 900, 5000, 4000);
  s.User().Resize(8000, 6000).HoldMouse("cmdAv(1)", 3).Do([](ui::Form& f) {
    f.Hide();
  });
  d.ShowModal();
  EXPECT_EQ(d.Left(), 700);
  EXPECT_EQ(d.Top(), 900);
  EXPECT_EQ(d.Width(), 8000);
  EXPECT_EQ(d.cmdAceptar.Top(),
            6000 - ui::kBorderHeight - d.cmdAceptar.Height() - 120);
  EXPECT_EQ(d.resizes, 2);  // the first show, then the drag
  // Released during the third pass, exactly once.
  EXPECT_EQ(d.events, (Lines{"cmdAv_MouseUp after 2"}));
  EXPECT_EQ(d.passes, 3);
  EXPECT_EQ(s.DoEventsCount(), 3);

  // A handler that returns at once still gets its release.
  d.events.clear();
  d.cmdAv.MouseDown = [](int16_t) {};
  s.User().HoldMouse("cmdAv(1)", 5);
  d.ShowModal();
  EXPECT_EQ(d.events, (Lines{"cmdAv_MouseUp after 3"}));
  EXPECT_EQ(s.DoEventsCount(), 3);
}

TEST(ScriptedUser, FocusFollowsTheUser) {
  testing::HeadlessSession s;
  TestDialog d;
  s.User()
      .Type("txtNombre", "a")
      .Type("txtNombre", "b")  // still there: no new focus
      .Click("optFuera(0)")
      .Type("txtNombre", "c")
      .Click("cmdOtra")  // the inner window gets the next step
      .Type("txtNombre", "d")
      .Click("cmdAceptar")
      .Type("txtNombre", "e");  // back in the outer window
  d.ShowModal();
  EXPECT_EQ(d.txtNombre.Text(), "e");
  EXPECT_EQ(d.got_focus, 3);
  EXPECT_EQ(d.nested->got_focus, 1);
}

// A failure in a handler is not swallowed: it reaches the code that showed
// the window (an entry method traps and reports it), and the backend is
// ready for the next window.
TEST(ScriptedUser, FailureInAHandlerEndsTheModalCall) {
  testing::HeadlessSession s;
  TestDialog d;
  s.User()
      .Type("txtNombre", "antes")
      .Do([](ui::Form&) { throw Failure(err::kSubscript); })
      .Type("txtNombre", "después");
  EXPECT_THROW(d.ShowModal(), Failure);
  EXPECT_EQ(d.txtNombre.Text(), "antes");
  EXPECT_EQ(s.User().Pending(), 1u);
  d.Hide();
  d.ShowModal();
  EXPECT_EQ(d.txtNombre.Text(), "después");
  EXPECT_TRUE(s.ScriptErrors().empty());
}

TEST(MessageBoxes, DefaultAnswersFollowTheButtons) {
  testing::HeadlessSession s;
  ui::UiBackend& ui = Environment::Current().Ui();
  EXPECT_EQ(ui.MsgBox("a", ui::mb::kOkOnly, ""), ui::mb::kOk);
  EXPECT_EQ(ui.MsgBox("b", 1, "t"), ui::mb::kCancel);
  EXPECT_EQ(ui.MsgBox("c", ui::mb::kYesNoCancel + ui::mb::kInformation, ""),
            ui::mb::kCancel);
  EXPECT_EQ(ui.MsgBox("d", ui::mb::kYesNo + ui::mb::kCritical, ""),
            ui::mb::kNo);
  EXPECT_EQ(ui.MsgBox("e", ui::mb::kExclamation, ""), ui::mb::kOk);
  // A box outside any window takes a scripted answer too, but only when
  // the answer is the next step.
  s.User().Answer(ui::mb::kYes);
  EXPECT_EQ(ui.MsgBox("f", ui::mb::kYesNoCancel, ""), ui::mb::kYes);
  s.User().PressEscape().Answer(ui::mb::kYes);
  EXPECT_EQ(ui.MsgBox("g", ui::mb::kYesNo, ""), ui::mb::kNo);
  EXPECT_EQ(s.User().Pending(), 2u);

  ASSERT_EQ(s.Messages().size(), 7u);
  EXPECT_EQ(s.Messages()[0].title, "");  // kept as passed
  EXPECT_EQ(s.Messages()[1].title, "t");
  EXPECT_EQ(s.Messages()[2].flags, 67);
  EXPECT_EQ(s.Messages()[5].answer, ui::mb::kYes);

  ui.SetMousePointer(ui::MousePointer::Hourglass);
  EXPECT_EQ(ui.GetMousePointer(), ui::MousePointer::Hourglass);
}

}  // namespace
}  // namespace qdr2_Gomiat
