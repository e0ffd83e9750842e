#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>

#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"
#include "table_editors/f_tipolin.h"

namespace qdr2_Gomiat {
namespace {

struct Pick {
  int16_t estilo;
  float grosor;
  bool cambia;
  bool operator==(const Pick&) const = default;
  friend void PrintTo(const Pick& p, std::ostream* os) {
    *os << p.estilo << " " << p.grosor << (p.cambia ? " changed" : "");
  }
};

// One call of the picker; `user` scripts what the user does.
Pick PickWith(testing::HeadlessSession& session, Pick in,
              const std::function<void(testing::ScriptedUser&)>& user) {
  user(session.User());
  c_Tipolin picker;
  picker.Tipolin(in.estilo, in.grosor, in.cambia);
  EXPECT_EQ(session.User().Pending(), 0u);
  return in;
}

void Accept(testing::ScriptedUser& u) { u.Click("cmdAceptar"); }

TEST(LineStylePicker, InputsAreNormalisedAndChangesReported) {
  testing::HeadlessSession session;
  struct Case {
    Pick in, out;
  };
  const Case cases[] = {
      {{2, 3.0f, false}, {2, 3.0f, false}},  // untouched
      {{2, 2.7f, false}, {2, 3.0f, true}},   // style kept: set after
      {{1, 7.0f, false}, {1, 0.0f, true}},   // no such thickness
      {{9, 0.0f, false}, {0, 0.0f, true}},
      {{4, 1.0f, true}, {4, 1.0f, true}},  // True stays True
      {{0, NAN, false}, {0, 0.0f, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.in));
    EXPECT_EQ(PickWith(session, c.in, Accept), c.out);
  }
  EXPECT_TRUE(session.ScriptErrors().empty());
}

TEST(LineStylePicker, ShownStyleCancelClicksAndDoubleClicks) {
  testing::HeadlessSession session;
  // The style is shown after the thickness; a cancel keeps all.
  Pick out = PickWith(session, {3, 2.0f, false}, [](testing::ScriptedUser& u) {
    u.Look([](const testing::WindowView& v) {
       EXPECT_TRUE(v.Value("optEstilo(3)"));
       EXPECT_TRUE(v.Value("optGrosor(2)"));
       EXPECT_FALSE(v.Visible("Frame2"));
     })
        .Click("LabTipoL(1)")
        .PressEscape();
  });
  EXPECT_EQ(out, Pick({3, 2.0f, false}));

  // A double click on the dotted sample closes the picker, accepted.
  out = PickWith(session, {0, 0.0f, false}, [](testing::ScriptedUser& u) {
    u.DoubleClick("LabTipoL(2)");
  });
  EXPECT_EQ(out, Pick({2, 0.0f, true}));
  out = PickWith(session, {0, 1.0f, false}, [](testing::ScriptedUser& u) {
    u.DoubleClick("optEstilo(4)");
  });
  EXPECT_EQ(out, Pick({4, 1.0f, true}));
  out = PickWith(session, {0, 0.0f, false}, [](testing::ScriptedUser& u) {
    u.Click("LabTipoL(3)").Click("cmdAceptar");
  });
  EXPECT_EQ(out, Pick({3, 0.0f, true}));
  EXPECT_EQ(session.ShownWindows(),
            std::vector<std::string>(4, "Tipo de Linea:"));
}

}  // namespace
}  // namespace qdr2_Gomiat
