#include <gtest/gtest.h>

#include <vector>

#include "frame/ui/form.h"
#include "point_tools/f_editp.h"
#include "point_tools/survey.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

using test_support::Survey;

// What the host receives: every EnfocaPunto with the arrays it carried.
struct Host : c_editP_Events {
  struct Shown {
    int32_t point, count;
    StrArray names;
    DblArray x;
  };
  std::vector<Shown> shown;
  std::vector<std::pair<bool, int32_t>> zooms;
  void EnfocaPunto(int32_t& Name, int32_t& nPtos, DblArray& X, DblArray&,
                   DblArray&, StrArray& Nombre, StrArray&, IntArray&) override {
    shown.push_back({Name, nPtos, Nombre, X});
  }
  void Zoom(bool& amplia, int32_t& punto) override {
    zooms.emplace_back(amplia, punto);
  }
  std::vector<int32_t> Points() const {
    std::vector<int32_t> p;
    for (const auto& s : shown) p.push_back(s.point);
    return p;
  }
};

struct Bar {
  c_editP nav;
  Host host;
  test_support::TheHostWindow frm;
  Bar() { nav.SetEventSink(&host); }
  void Run(Survey& s) {
    nav.CargaBarraDibujo(&frm, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                         s.CapaPuntos, s.L, s.Capas);
  }
};

TEST(NavigationBar, EveryStepIsReportedOnceForTheCorrectedPoint) {
  testing::HeadlessSession session;
  Bar bar;
  Survey s(10);
  const Survey before = s;
  session.User()
      .Type("txtN", "0")    // below 1: point 1
      .Type("txtN", "15")   // above N: point N
      .Type("txtN", "abc")  // reads as 0: point 1
      .Click("cmdAv(0)")    // "<" on 1 wraps to N
      .Click("cmdAv(1)")    // ">" on N wraps to 1
      .Click("cmdZm(0)")
      .Type("txtN", "4")
      .Click("cmdZm(1)")
      .Click("cmdCancelar");
  bar.Run(s);
  // The load shows point 1 first.
  EXPECT_EQ(bar.host.Points(), (std::vector<int32_t>{1, 1, 10, 1, 10, 1, 4}));
  EXPECT_EQ(bar.host.shown.back().count, 10);
  EXPECT_EQ(bar.host.zooms,
            (std::vector<std::pair<bool, int32_t>>{{true, 1}, {false, 4}}));
  EXPECT_TRUE(s == before);  // the caller's arrays are never written
  EXPECT_FALSE(bar.nav.Visible());
  EXPECT_TRUE(session.ScriptErrors().empty());
}

TEST(NavigationBar, EditsTravelWithTheNextEvent) {
  testing::HeadlessSession session;
  Bar bar;
  Survey s(10);
  session.User()
      .Type("txtN", "5")
      .Type("txtNom", "Nuevo")
      .Type("txtX", "7.5")
      .Click("cmdAv(1)")  // stored at 5 before 6 is shown
      .Type("txtNom", "Otro")
      .Click("cmdRedibuja")  // 6 again, with its edit
      .Click("cmdCancelar");
  bar.Run(s);
  ASSERT_EQ(bar.host.Points(), (std::vector<int32_t>{1, 5, 6, 6}));
  const Host::Shown& six = bar.host.shown[2];
  EXPECT_EQ(six.names(5), "Nuevo");
  EXPECT_EQ(six.x(5), 7.5);
  EXPECT_EQ(six.names(6), "P6");
  EXPECT_EQ(bar.host.shown[3].names(6), "Otro");
  EXPECT_EQ(s.Nombre(5), "P5");
}

TEST(NavigationBar, OnePointRaisesNothingOnTheArrows) {
  testing::HeadlessSession session;
  Bar bar;
  Survey s(1);
  session.User()
      .Type("txtNom", "Solo")
      .Click("cmdAv(1)")
      .Click("cmdAv(0)")
      .Click("cmdRedibuja")
      .Click("cmdCancelar");
  bar.Run(s);
  ASSERT_EQ(bar.host.Points(), (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(bar.host.shown[1].names(1), "Solo");  // the arrows stored it
}

TEST(NavigationBar, ASecondCallKeepsTheWindowAndItsState) {
  testing::HeadlessSession session;
  Bar bar;
  Survey s(10);
  session.User().Click("cmdBusca").Click("cmdAceptar");
  bar.Run(s);
  ASSERT_EQ(bar.host.Points(), (std::vector<int32_t>{1}));

  // txtN already reads "1": no event. The list gets the layers again, the
  // search panel is still open.
  std::vector<std::string> layers;
  int32_t height = 0;
  session.User().Do([&](ui::Form& f) {
    auto& bar_window = static_cast<f_editP&>(f);
    layers = bar_window.cmbCapa.Items();
    height = f.Height();
  });
  bar.Run(s);
  EXPECT_EQ(bar.host.Points(), (std::vector<int32_t>{1}));
  EXPECT_EQ(layers, (std::vector<std::string>{"Uno", "Dos", "Uno", "Dos"}));
  EXPECT_EQ(height, 5000);

  // Leaving on point 3, the next call first stores the fields still shown
  // into the new copies at 3.
  session.User().Type("txtN", "3").Click("cmdCancelar");
  bar.Run(s);
  Survey renamed(10);
  renamed.Nombre(3) = "Renombrado";
  bar.Run(renamed);
  ASSERT_EQ(bar.host.Points(), (std::vector<int32_t>{1, 3, 1}));
  EXPECT_EQ(bar.host.shown.back().names(3), "P3");
  EXPECT_EQ(session.ShownWindows(),
            std::vector<std::string>(4, "Modificar puntos:"));
}

TEST(NavigationBar, AcceptKeepsTheShownPointAndItsLayerByExactName) {
  testing::HeadlessSession session;
  f_editP bar;
  std::vector<int32_t> events;
  bar.RetornaOpcion = [&](int32_t& k, int32_t&, DblArray&, DblArray&, DblArray&,
                          StrArray&, StrArray&,
                          IntArray&) { events.push_back(k); };
  Survey s(6);
  auto run = [&] {
    bar.CargaBarra(nullptr, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                   s.CapaPuntos, s.L, s.Capas);
  };
  // Point 3 has layer 0: a name that matches nothing makes it 1.
  session.User().Type("txtN", "3").Type("cmbCapa", "uno").Click("cmdAceptar");
  run();
  EXPECT_EQ(bar.WorkingLayers()(3), 1);
  session.User().Type("txtN", "4").Type("cmbCapa", "Dos").Click("cmdAceptar");
  run();
  EXPECT_EQ(bar.WorkingLayers()(4), 2);
  // A layer change followed only by an arrow is not stored.
  session.User().Type("txtN", "5").Type("cmbCapa", "Uno").Click("cmdAv(1)");
  run();
  EXPECT_EQ(bar.WorkingLayers()(5), 2);
  EXPECT_EQ(events.back(), 6);
}

TEST(NavigationBar, SearchPanelAndPlace) {
  testing::HeadlessSession session;
  std::vector<int32_t> heights;
  auto height = [&](ui::Form& f) { heights.push_back(f.Height()); };
  {
    Bar bar;
    Survey s(3);
    session.User()
        .Do(height)
        .Click("cmdBusca")
        .Do(height)
        .Click("cmdBusca")
        .Do(height)
        .Do([](ui::Form& f) { f.Move(700, 800, f.Width(), f.Height()); })
        .CloseBox();
    bar.Run(s);
  }
  EXPECT_EQ(heights, (std::vector<int32_t>{3900, 5000, 3900}));
  f_editP again;
  again.Load();
  EXPECT_EQ(again.Left(), 700);
  EXPECT_EQ(again.Top(), 800);
}

TEST(NavigationBar, AWrongHostWindowIsShownAsAStopMessage) {
  testing::HeadlessSession session;
  c_editP nav;
  Survey s(3);
  nav.CargaBarraDibujo(nullptr, s.n, s.X, s.Y, s.Z, s.Nombre, s.Codigo,
                       s.CapaPuntos, s.L, s.Capas);
  ASSERT_EQ(session.Messages().size(), 1u);
  const testing::MessageRecord& m = session.Messages()[0];
  EXPECT_EQ(m.prompt.rfind("qdr2_Gomiat 13\r\n", 0), 0u) << m.prompt;
  EXPECT_EQ(m.flags, 16);
  EXPECT_EQ(m.title, "");
  EXPECT_TRUE(session.ShownWindows().empty());
}

}  // namespace
}  // namespace qdr2_Gomiat
