// The nine public classes as a host meets them: creation by name, flags,
// and the members kept only for older hosts.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "qdr2_gomiat/qdr2_gomiat.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

const std::vector<std::string> kNames = {
    "qdr2_Gomiat.c_NuEntidades", "qdr2_Gomiat.c_Puntos",
    "qdr2_Gomiat.c_Capas",       "qdr2_Gomiat.c_Tipolin",
    "qdr2_Gomiat.c_Area",        "qdr2_Gomiat.c_editP",
    "qdr2_Gomiat.c_EditorPun",   "qdr2_Gomiat.c_Autocroquis",
    "qdr2_Gomiat.c_dibujos"};

// The layer model, with values in every slot (element 0 included) so any
// write shows.
struct LayerArgs {
  int32_t NoCap = 2, Principal = 2;
  StrArray Nombres = StrArray::FromItems({"Puntos", "Muros"});
  StrArray Estado = StrArray::FromItems({"Si", "No"});
  LngArray colorr = LngArray::FromItems({255, 65535});
  LngArray grosor = LngArray::FromItems({1, 2});
  LngArray Tipolin = LngArray::FromItems({0, 3});
  LngArray PunCp = LngArray::FromItems({5, 0});
  LngArray PolCp = LngArray::FromItems({0, 4});
  LngArray PlVCp = LngArray::FromItems({0, 12});
  LngArray texCp = LngArray::FromItems({1, 1});
  LayerArgs() { Nombres(0) = "cero"; }
  bool operator==(const LayerArgs&) const = default;
};

// The point model.
struct PointArgs {
  int32_t Nopun = 2, noCapas = 1;
  DblArray X = DblArray::FromItems({1.5, 2.5});
  DblArray Y = DblArray::FromItems({3.5, 4.5});
  DblArray Z = DblArray::FromItems({5.5, 6.5});
  StrArray Nombre = StrArray::FromItems({"p1", "p1"});
  StrArray Codigo = StrArray::FromItems({"M1 I", "M1"});
  LngArray Nivel = LngArray::FromItems({0, 7});
  IntArray CapaPuntos = IntArray::FromItems({0, 1});
  StrArray Capas = StrArray::FromItems({"Puntos"});
  bool operator==(const PointArgs&) const = default;
};

// The sketch arguments of the older entries.
struct SketchArgs {
  int32_t nPolis = 1, NoCodig = 2, nCapas = 1;
  IntArray CapaP = IntArray::FromItems({1, 1});
  Array<T_ConexAutocro> Polis{0, 1};
  StrArray codigos = StrArray::FromItems({"M1 I", "M1"});
  StrArray Capas = StrArray::FromItems({"Muros"});
  LngArray Colo = LngArray::FromItems({255});
  SketchArgs() {
    Polis(1).nVer = 2;
    Polis(1).ver = LngArray::FromItems({1, 2});
  }
  bool operator==(const SketchArgs&) const = default;
};

TEST(PublicClasses, CreatedByNameWithoutRegardToCaseStartingWithFlagsFalse) {
  testing::HeadlessSession s;
  EXPECT_EQ(RegisteredProgIds(), kNames);
  for (std::string name : kNames) {
    EXPECT_EQ(CreateObject(name)->ProgId(), name);
    const std::string asked = name;
    for (char& c : name) c = static_cast<char>(std::toupper(c));
    EXPECT_EQ(CreateObject(name)->ProgId(), asked);
  }
  EXPECT_EQ(test_support::FailureOf(
                [] { CreateObjectAs<c_Capas>("qdr2_Gomiat.c_dibujos"); }),
            err::kTypeMismatch);
  for (const char* unknown : {"qdr2_Gomiat.c_NoExiste", "c_Capas", ""})
    EXPECT_EQ(test_support::FailureOf([&] { CreateObject(unknown); }),
              err::kCannotCreateObject)
        << unknown;
  c_Puntos puntos;
  c_EditorPun editor;
  c_Autocroquis croquis;
  c_dibujos dibujos;
  c_Capas capas;
  for (bool* flag : {&puntos.Abortar, &capas.A_vale, &editor.Abortar,
                     &croquis.A_Ver_Codigos, &dibujos.A_vale})
    EXPECT_FALSE(*flag);
  // The navigation object's window is there from the start, hidden.
  c_editP nav;
  EXPECT_FALSE(nav.Visible());
  EXPECT_EQ(nav.EventSink(), nullptr);
  // Creating shows nothing and asks nothing.
  EXPECT_TRUE(s.Messages().empty());
  EXPECT_TRUE(s.ShownWindows().empty());
}

TEST(PublicClasses, EmptyMembersTouchNothingAndShowNothing) {
  testing::HeadlessSession s;
  c_Capas capas;
  LayerArgs a;
  const LayerArgs before;
  capas.A_Editor_Capas(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Principal);
  capas.A_Editor_Capas1(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Tipolin,
                        a.Principal, a.PunCp, a.PolCp, a.PlVCp);
  capas.A_Editor_Capas2(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Tipolin,
                        a.Principal, a.PunCp, a.PolCp, a.PlVCp, a.texCp);
  capas.Actualiza_Valores(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Principal);
  EXPECT_TRUE(a == before);
  EXPECT_FALSE(capas.A_vale);
  capas.A_vale = true;  // an empty member leaves a flag the host set
  capas.A_Editor_Capas(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Principal);
  EXPECT_TRUE(capas.A_vale);

  c_Area area;
  PointArgs p;
  const PointArgs points_before;
  area.Actualiza_Valores(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                         p.CapaPuntos, p.noCapas, p.Capas);
  EXPECT_TRUE(p == points_before);

  EXPECT_TRUE(s.Messages().empty());
  EXPECT_TRUE(s.ShownWindows().empty());
  EXPECT_EQ(s.GetSetting("Errores", "Cantidad"), "");
}

TEST(PublicClasses, ObsoleteMembersSayObsoletoOnce) {
  testing::HeadlessSession s;
  size_t shown = 0;
  auto expect_one_more = [&](const char* member) {
    ASSERT_EQ(s.Messages().size(), ++shown) << member;
    const testing::MessageRecord& m = s.Messages().back();
    EXPECT_TRUE(m.prompt == "obsoleto" && m.title == "" && m.flags == 0)
        << member;
  };

  c_Puntos puntos;
  PointArgs p;
  const PointArgs points_before;
  puntos.Actualiza_Valores(p.Nopun, p.X, p.Y, p.Z, p.Nombre, p.Codigo, p.Nivel,
                           p.CapaPuntos, p.noCapas, p.Capas);
  expect_one_more("Actualiza_Valores");
  EXPECT_TRUE(p == points_before);
  EXPECT_FALSE(puntos.Abortar);

  c_Autocroquis croquis;
  SketchArgs k;
  const SketchArgs sketch_before;
  bool cancela = false;
  croquis.A_Autocroquis(k.nPolis, k.Polis, k.codigos, k.nCapas, k.Capas);
  expect_one_more("A_Autocroquis");
  croquis.A_Autocroquis1(k.nPolis, k.Polis, k.NoCodig, k.codigos, k.nCapas,
                         k.Capas);
  expect_one_more("A_Autocroquis1");
  croquis.A_Autocroquis2(k.nPolis, k.CapaP, k.Polis, k.NoCodig, k.codigos,
                         k.nCapas, k.Capas);
  expect_one_more("A_Autocroquis2");
  croquis.A_Autocroquis3(k.nPolis, k.CapaP, k.Polis, k.NoCodig, k.codigos,
                         k.nCapas, k.Capas, cancela);
  expect_one_more("A_Autocroquis3");
  croquis.A_Autocroquis4(k.nPolis, k.CapaP, k.Polis, k.NoCodig, k.codigos,
                         k.nCapas, k.Capas, k.Colo, cancela);
  expect_one_more("A_Autocroquis4");
  EXPECT_TRUE(k == sketch_before);
  EXPECT_FALSE(cancela);
  EXPECT_TRUE(s.ShownWindows().empty());
  EXPECT_EQ(s.GetSetting("Errores", "Cantidad"), "");
}

// The layer editor is not in this build yet: its entry says so through the
// error log, silently, as any failure of the tool would be reported.
TEST(PublicClasses, ToolNotBuiltIsReportedInTheErrorHistory) {
  testing::HeadlessSession s;
  c_Capas capas;
  LayerArgs a;
  const LayerArgs before;
  capas.A_Editor_Capas3(a.NoCap, a.Nombres, a.Estado, a.colorr, a.grosor,
                        a.Tipolin, a.Principal, a.PunCp, a.PolCp, a.PlVCp,
                        a.texCp);
  EXPECT_TRUE(a == before);
  EXPECT_FALSE(capas.A_vale);
  EXPECT_TRUE(s.Messages().empty());
  EXPECT_EQ(s.GetSetting("Errores", "Cantidad"), "1");
  const std::string entry = s.GetSetting("Errores", "1");
  const std::string head = "*# *Editor Capas 1 - Error nº 445:";
  EXPECT_EQ(entry.substr(0, head.size()), head);
  EXPECT_GT(entry.size(), head.size());  // the description follows
  EXPECT_EQ(s.GetSetting("ErroresMenu", "1"), "*#  Qdr2_Gomiat");
  EXPECT_EQ(s.DoEventsCount(), 1);
}

}  // namespace
}  // namespace qdr2_Gomiat
