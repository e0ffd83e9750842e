#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "point_tools/f_editp.h"
#include "point_tools/survey.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using test_support::Survey;
using Points = std::vector<int32_t>;

// The host: every EnfocaPunto with the names it carried, and the zooms.
struct Host : c_editP_Events {
  c_editP nav;
  test_support::TheHostWindow frm;
  Points shown;
  std::vector<StrArray> names;
  std::vector<std::pair<bool, int32_t>> zooms;
  Host() { nav.SetEventSink(this); }
  void EnfocaPunto(int32_t& Name, int32_t& nPtos, DblArray&, DblArray&,
                   DblArray&, StrArray& Nombre, StrArray&, IntArray&) override {
    EXPECT_EQ(nPtos, Nombre.UBound());
    shown.push_back(Name);
    names.push_back(Nombre);
  }
  void Zoom(bool& amplia, int32_t& punto) override {
    zooms.emplace_back(amplia, punto);
  }
  void Run(Survey& s) {
    nav.CargaBarraDibujo(&frm, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                         s.CapaPuntos, s.L, s.Capas);
  }
};

TEST(NavigationBar, EveryStepIsReportedOnceAndEditsTravelWithTheNext) {
  testing::HeadlessSession session;
  Host host;
  Survey s(10);
  const Survey before = s;
  session.User()
      .Type("txtN", "0")    // below 1: point 1
      .Type("txtN", "15")   // above N: point N
      .Type("txtN", "abc")  // reads as 0
      .Click("cmdAv(0)")    // "<" on 1 wraps to N
      .Click("cmdAv(1)")    // ">" on N wraps to 1
      .Click("cmdZm(0)")
      .Type("txtN", "4")
      .Click("cmdZm(1)")
      .Click("cmdCancelar");
  host.Run(s);
  // The load shows point 1 first.
  EXPECT_EQ(host.shown, (Points{1, 1, 10, 1, 10, 1, 4}));
  EXPECT_EQ(host.zooms,
            (std::vector<std::pair<bool, int32_t>>{{true, 1}, {false, 4}}));
  EXPECT_TRUE(s == before);  // the caller's arrays are never written
  EXPECT_FALSE(host.nav.Visible());

  // Edits travel with the next event.
  Host edits;
  session.User()
      .Type("txtN", "5")
      .Type("txtNom", "Nuevo")
      .Click("cmdAv(1)")  // stored at 5 before 6 is shown
      .Type("txtNom", "Otro")
      .Click("cmdRedibuja")  // 6 again, with its edit
      .Click("cmdCancelar");
  edits.Run(s);
  ASSERT_EQ(edits.shown, (Points{1, 5, 6, 6}));
  EXPECT_EQ(edits.names[2](5), "Nuevo");
  EXPECT_EQ(edits.names[3](6), "Otro");

  // One point: the arrows store the fields and raise nothing.
  Host one;
  Survey single(1);
  session.User()
      .Type("txtNom", "Solo")
      .Click("cmdAv(1)")
      .Click("cmdAv(0)")
      .Click("cmdRedibuja")
      .Click("cmdCancelar");
  one.Run(single);
  ASSERT_EQ(one.shown, (Points{1, 1}));
  EXPECT_EQ(one.names[1](1), "Solo");
  EXPECT_TRUE(session.ScriptErrors().empty());
}

TEST(NavigationBar, ASecondCallKeepsTheWindowAndItsList) {
  testing::HeadlessSession session;
  Host host;
  Survey s(10);
  std::vector<std::string> layers;
  session.User().Click("cmdAceptar");
  host.Run(s);
  // txtN already reads "1": no event; the names are appended again.
  session.User()
      .Look([&](const testing::WindowView& v) { layers = v.Items("cmbCapa"); })
      .Type("txtN", "3")
      .Click("cmdCancelar");
  host.Run(s);
  EXPECT_EQ(layers, (std::vector<std::string>{"Uno", "Dos", "Uno", "Dos"}));
  // Left on point 3: the next call first stores the fields still shown
  // into the new copies at 3.
  Survey renamed(10);
  renamed.Nombre(3) = "Renombrado";
  host.Run(renamed);
  EXPECT_EQ(host.shown, (Points{1, 3, 1}));
  EXPECT_EQ(host.names.back()(3), "P3");
}

TEST(NavigationBar, AcceptKeepsTheLayerByExactName) {
  testing::HeadlessSession session;
  f_editP bar;
  Survey s(6);
  // Point 3 is on layer 0: a name that matches nothing makes it 1.
  for (auto [point, typed, layer] : {std::tuple{3, "uno", 1}, {4, "Dos", 2}}) {
    session.User()
        .Type("txtN", std::to_string(point))
        .Type("cmbCapa", typed)
        .Click("cmdAceptar");
    bar.CargaBarra(nullptr, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                   s.CapaPuntos, s.L, s.Capas);
    EXPECT_EQ(bar.WorkingLayers()(point), layer) << typed;
  }
}

TEST(NavigationBar, FailuresShowAStopMessage) {
  testing::HeadlessSession session;
  Host host;
  Survey s(3);
  host.nav.CargaBarraDibujo(nullptr, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                            s.CapaPuntos, s.L, s.Capas);
  // No points: "1" becomes "0" becomes "1"... until the stack runs out.
  Survey none(0);
  host.Run(none);
  // Each message's first line, title and flags.
  std::vector<std::tuple<std::string, std::string, int32_t>> shown;
  for (const testing::MessageRecord& m : session.Messages())
    shown.emplace_back(m.prompt.substr(0, m.prompt.find("\r\n") + 2), m.title,
                       m.flags);
  EXPECT_EQ(shown, (decltype(shown){{"qdr2_Gomiat 13\r\n", "", 16},
                                    {"qdr2_Gomiat 28\r\n", "", 16}}));
  EXPECT_TRUE(session.ShownWindows().empty());
  EXPECT_TRUE(host.shown.empty());
}

}  // namespace
}  // namespace qdr2_Gomiat
