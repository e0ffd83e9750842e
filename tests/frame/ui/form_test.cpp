// The window model and the scripted user of the headless backend: events
// fire the way the toolkit fires them, every handler runs through one
// dispatcher, and a host can read what a window shows.
#include <gtest/gtest.h>

#include "qdr2_gomiat/testing.h"
#include "support/test_form.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test::f_Prueba;
using test_support::FailureOf;
using Lines = std::vector<std::string>;

// Each test works the test window in a session of its own.
struct WindowTest : ::testing::Test {
  testing::HeadlessSession s;
  f_Prueba f;
};
using WindowModel = WindowTest;
using ScriptedUser = WindowTest;

TEST_F(WindowModel, EventsFireOnlyOnRealChanges) {
  f.txtNombre.SetText("a");
  f.txtNombre.SetText("a");
  f.cmbCapa.SetListIndex(1);
  f.cmbCapa.SetListIndex(1);
  f.cmbCapa.SetText("Casa");  // typing an item's text selects it
  EXPECT_EQ(f.cmbCapa.ListIndex(), 2);
  f.cmbCapa.SetText("Otra");
  EXPECT_EQ(f.cmbCapa.ListIndex(), -1);
  f.optTipo(1).SetValue(true);
  EXPECT_FALSE(f.optTipo(0).Value());  // one group per container
  f.optTipo(1).SetValue(true);         // already selected: no second click
  f.optTipo(1).SetValue(false);        // clearing fires nothing
  EXPECT_EQ(f.events,
            (Lines{"txtNombre a", "cmbCapa click Muro", "cmbCapa change Casa",
                   "cmbCapa change Otra", "optTipo click 1"}));
  EXPECT_NE(FailureOf([&] { f.cmbCapa.SetListIndex(3); }), 0);
  // Control arrays check their index as arrays do.
  EXPECT_EQ(FailureOf([&] { f.optTipo(2); }), err::kSubscript);
}

// A handler that sets off itself ends in failure 28, not in a crash: from
// code it reaches the caller (from a gesture, conformance_test.cpp).
TEST_F(WindowModel, RunawayCascadeIsFailure28) {
  f.points = 0;
  EXPECT_EQ(FailureOf([&] { f.txtN.SetText("7"); }), err::kOutOfStackSpace);
  EXPECT_EQ(f.events.size(), static_cast<size_t>(ui::kMaxHandlerDepth));
  // The depth count came back down: a sane change runs again.
  f.points = 5;
  f.events.clear();
  f.txtN.SetText("9");
  EXPECT_EQ(f.events, (Lines{"txtN 9", "txtN 5"}));
}

TEST_F(WindowModel, KeysCloseBoxAndResize) {
  EXPECT_TRUE(f.CloseBox());  // not loaded: nothing to ask
  f.Move(0, 0, 6000, 5000);
  f.Load();  // sizes itself while loading: no resize event
  f.Move(100, 200, f.Width(), f.Height());  // moved, same size: none either
  EXPECT_EQ(f.resizes, 0);
  f.Move(100, 200, 9000, 6000);
  EXPECT_EQ(f.resizes, 1);
  EXPECT_THROW(f.Move(0, 0, -1, 100), Failure);

  // Both keys are read in the events below.
  f.PressEnter();
  f.cmdCancelar.SetEnabled(false);
  f.PressEscape();              // a disabled cancel button takes no Escape
  f.cmdBorrar.SetCancel(true);  // one cancel button: the mark moves
  EXPECT_FALSE(f.cmdCancelar.IsCancel());
  f.PressEscape();  // asks, answered No by default

  f.refuse_close = true;
  EXPECT_FALSE(f.CloseBox());
  EXPECT_FALSE(f.Unload());
  f.refuse_close = false;
  EXPECT_TRUE(f.Unload());
  f.Load();
  EXPECT_EQ(f.loads, 2);
  EXPECT_EQ(f.events, (Lines{"accept", "answer 7", "QueryUnload 0",
                             "QueryUnload 1", "QueryUnload 1", "Unload"}));
}

// The gestures themselves are compared with the real windows in
// conformance_test.cpp, and a held button's pace is c_editorpun_test.cpp's;
// here what only the script has: answers given ahead, steps left for the
// next show, a failure no handler traps.
TEST_F(ScriptedUser, WorksAWindowAsAUser) {
  s.User()
      .Click("cmdBorrar")
      .Answer(ui::mb::kNo)
      .Answer(ui::mb::kYes)  // may stand before the click that asks
      .Click("cmdBorrar")
      .Do([] { throw Failure(err::kFileNotFound); })
      .Click("cmdAceptar")
      .Type("txtNombre", "left for later");
  f.txtNombre.SetText("x");
  f.events.clear();
  f.ShowModal();
  EXPECT_EQ(f.events, (Lines{"answer 7", "answer 6", "txtNombre ", "accept"}));
  EXPECT_EQ(s.User().Pending(), 1u);
  s.User().PressEscape();  // the next show takes the step left over
  f.ShowModal();
  EXPECT_EQ(f.txtNombre.Text(), "left for later");
  EXPECT_FALSE(f.accepted);
  ASSERT_EQ(s.Messages().size(), 3u);
  EXPECT_EQ(s.Messages()[0].title, "Borrar");
  EXPECT_NE(s.Messages()[2].prompt.find("'53'"), std::string::npos);
  EXPECT_EQ(s.Messages()[2].flags, ui::mb::kCritical);
  EXPECT_TRUE(s.ScriptErrors().empty());
}

TEST_F(ScriptedUser, NestedWindowsTakeTheFollowingSteps) {
  s.User()
      .Click("cmdOtra")
      .Type("txtNombre", "dentro")
      .PressEnter()
      .Click("cmdOtra")
      .Type("txtNombre", "otra vez");  // then both are left open
  f.ShowModal();
  EXPECT_EQ(f.events, (Lines{"nested closed, accepted 1, text dentro",
                             "nested closed, accepted 0, text otra vez",
                             "QueryUnload 0", "Unload"}));
  // Innermost first: the inner window by its close box, then the outer.
  EXPECT_EQ(f.nested->events.front(), "txtNombre otra vez");
  EXPECT_EQ(s.ShownWindows(), (Lines{"Prueba de ventana:", "Otra", "Otra"}));
  EXPECT_FALSE(f.IsLoaded());
}

TEST_F(ScriptedUser, RecordsStepsItCannotTakeAndEditsRefused) {
  f.Load();
  f.cmdBorrar.SetEnabled(false);
  f.fraTipo.SetVisible(false);
  f.txtN.SetLocked(true);
  f.SetSizable(false);
  s.User()
      .Click("cmdNoHay")
      .Type("cmdAceptar", "x")
      .Click("cmdBorrar")
      .Click("optTipo(1)")  // inside a hidden frame
      .Type("txtN", "2")
      .Choose("cmbCapa", "Patio")
      .Resize(9000, 9000)
      .EditCell("tblDatos", 0, 1, "Cabecera")
      .Answer(ui::mb::kYes)  // an OK-only box has no Yes
      .Do([] { Environment::Current().Ui().MsgBox("Hecho", 0, ""); })
      .EditCell("tblDatos", 2, 1, "Quizá")  // not a choice
      .SetCellColour("tblDatos", 1, 1, 42)  // not a colour cell
      .Type("txtNombre", "sigue");
  f.ShowModal();
  EXPECT_EQ(f.txtNombre.Text(), "sigue");
  EXPECT_EQ(f.Width(), 7200 + ui::kBorderWidth);
  ASSERT_EQ(s.Messages().size(), 1u);
  EXPECT_EQ(s.Messages()[0].answer, ui::mb::kOk);
  const Lines expected = {
      "Click cmdNoHay",   "into cmdAceptar", "Click cmdBorrar",
      "Click optTipo(1)", "into txtN",       "\"Patio\" in cmbCapa",
      "Resize",           "Cabecera",        "Answer 6"};
  ASSERT_EQ(s.ScriptErrors().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NE(s.ScriptErrors()[i].find(expected[i]), std::string::npos)
        << s.ScriptErrors()[i];
  ASSERT_EQ(s.RefusedEdits().size(), 2u);
  EXPECT_NE(s.RefusedEdits()[0].find("Quizá"), std::string::npos);
}

TEST_F(ScriptedUser, LooksAtWhatTheWindowShows) {
  s.User()
      .Type("txtN", "4")
      .Choose("cmbCapa", "Casa")
      .Do([&] {
        f.cmdBorrar.SetEnabled(false);
        f.labCapa.SetVisible(false);
        Environment::Current().Ui().SetMousePointer(
            ui::MousePointer::Hourglass);
      })
      .Resize(9000, 7000)
      .Look([&](const testing::WindowView& w) {
        EXPECT_EQ(w.ScaleHeight(), 7000 - ui::kBorderHeight);
        EXPECT_EQ(w.Text("txtN"), "4");
        EXPECT_FALSE(w.Enabled("cmdBorrar"));
        EXPECT_FALSE(w.Visible("labCapa"));
        EXPECT_EQ(w.ListIndex("cmbCapa"), 2);
        EXPECT_EQ(w.MousePointer(), testing::Pointer::Hourglass);
        const ui::Control& ok = f.cmdAceptar;
        EXPECT_EQ(
            w.Place("cmdAceptar"),
            (testing::Bounds{ok.Left(), ok.Top(), ok.Width(), ok.Height()}));
        EXPECT_EQ(w.Text("txtNoHay"), "");
      });
  f.ShowModal();
  ASSERT_EQ(s.ScriptErrors().size(), 1u);
  EXPECT_NE(s.ScriptErrors()[0].find("txtNoHay"), std::string::npos);
}

}  // namespace
}  // namespace qdr2_Gomiat
