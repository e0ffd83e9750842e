// The nine public classes as a host meets them: creation by name, and the
// members kept only for older hosts, which must touch nothing.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "qdr2_gomiat/qdr2_gomiat.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::FailureOf;

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

TEST(PublicClasses, CreatedByNameWithoutRegardToCase) {
  testing::HeadlessSession s;
  for (std::string name : RegisteredProgIds()) {
    const std::string asked = name;
    for (char& c : name) c = static_cast<char>(std::toupper(c));
    EXPECT_EQ(CreateObject(name)->ProgId(), asked);
  }
  EXPECT_EQ(FailureOf([] { CreateObjectAs<c_Capas>("qdr2_Gomiat.c_dibujos"); }),
            err::kTypeMismatch);
  for (const char* unknown : {"qdr2_Gomiat.c_NoExiste", "c_Capas", ""})
    EXPECT_EQ(FailureOf([&] { CreateObject(unknown); }),
              err::kCannotCreateObject)
        << unknown;
  EXPECT_TRUE(s.Messages().empty());
  EXPECT_TRUE(s.ShownWindows().empty());
}

// Empty members leave everything alone; obsolete ones say "obsoleto" once
// each and leave everything alone too.
TEST(PublicClasses, EmptyAndObsoleteMembersTouchNothing) {
  testing::HeadlessSession s;
  c_Capas capas;
  LayerArgs a;
  const LayerArgs before;
  capas.A_vale = true;  // an empty member leaves a flag the host set
  capas.A_Editor_Capas(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Principal);
  capas.A_Editor_Capas1(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Tipolin,
                        a.Principal, a.PunCp, a.PolCp, a.PlVCp);
  capas.A_Editor_Capas2(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Tipolin,
                        a.Principal, a.PunCp, a.PolCp, a.PlVCp, a.texCp);
  capas.Actualiza_Valores(a.NoCap, a.Nombres, a.Estado, a.colorr, a.Principal);
  EXPECT_TRUE(a == before);
  EXPECT_TRUE(capas.A_vale);
  EXPECT_TRUE(s.Messages().empty());

  c_Autocroquis croquis;
  SketchArgs k;
  const SketchArgs sketch_before;
  bool cancela = false;
  croquis.A_Autocroquis(k.nPolis, k.Polis, k.codigos, k.nCapas, k.Capas);
  croquis.A_Autocroquis1(k.nPolis, k.Polis, k.NoCodig, k.codigos, k.nCapas,
                         k.Capas);
  croquis.A_Autocroquis2(k.nPolis, k.CapaP, k.Polis, k.NoCodig, k.codigos,
                         k.nCapas, k.Capas);
  croquis.A_Autocroquis3(k.nPolis, k.CapaP, k.Polis, k.NoCodig, k.codigos,
                         k.nCapas, k.Capas, cancela);
  croquis.A_Autocroquis4(k.nPolis, k.CapaP, k.Polis, k.NoCodig, k.codigos,
                         k.nCapas, k.Capas, k.Colo, cancela);
  EXPECT_TRUE(k == sketch_before);
  EXPECT_FALSE(cancela);
  ASSERT_EQ(s.Messages().size(), 5u);
  for (const testing::MessageRecord& m : s.Messages())
    EXPECT_TRUE(m.prompt == "obsoleto" && m.title == "" && m.flags == 0);
  EXPECT_TRUE(s.ShownWindows().empty());
  EXPECT_EQ(s.GetSetting("Errores", "Cantidad"), "");
}

// A tool's failure goes to the error log, silently: here the host counts
// more layers than its count arrays hold.
TEST(PublicClasses, ToolFailureIsReportedInTheErrorHistory) {
  testing::HeadlessSession s;
  c_Capas capas;
  LayerArgs a;
  a.PunCp = LngArray::FromItems({5});
  const LayerArgs before = a;
  capas.A_Editor_Capas3(a.NoCap, a.Nombres, a.Estado, a.colorr, a.grosor,
                        a.Tipolin, a.Principal, a.PunCp, a.PolCp, a.PlVCp,
                        a.texCp);
  EXPECT_TRUE(a == before);
  EXPECT_FALSE(capas.A_vale);
  EXPECT_TRUE(s.Messages().empty());
  EXPECT_TRUE(s.ShownWindows().empty());
  EXPECT_EQ(s.GetSetting("Errores", "Cantidad"), "1");
  const std::string head = "*# *Editor Capas 1 - Error nº 9:";
  EXPECT_EQ(s.GetSetting("Errores", "1").substr(0, head.size()), head);
  EXPECT_EQ(s.DoEventsCount(), 1);
}

}  // namespace
}  // namespace qdr2_Gomiat
