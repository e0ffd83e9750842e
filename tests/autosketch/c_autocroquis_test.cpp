// The automatic sketch as a host calls it, with the code table window worked
// by a scripted user: what comes back in the host's arrays and flags, what
// the table file keeps, and how failures are reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "autosketch/code_table.h"
#include "frame/atomic_file.h"
#include "frame/environment.h"
#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/testing.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::PaletteValue;

// The host's side of one call.
struct HostCall {
  int32_t nPolis = -5;
  IntArray CapaP;
  Array<T_ConexAutocro> Polis;
  int32_t NoCodig = -5;
  StrArray codigos;
  int32_t nCapas = 0;
  StrArray Capas;
  LngArray Colo;
  IntArray TpLin;
  bool Cancela = false;

  HostCall(std::vector<std::string> codes, std::vector<std::string> layers)
      : codigos(StrArray::FromItems(codes)),
        Capas(StrArray::FromItems(layers)) {
    nCapas = static_cast<int32_t>(layers.size());
    CapaP.Redim(0, codigos.UBound());
    Colo.Redim(0, nCapas);
    for (int32_t i = 1; i <= nCapas; ++i) Colo(i) = 1000 + i;
  }
  void On(c_Autocroquis& o) {
    o.A_Autocroquis5(nPolis, CapaP, Polis, NoCodig, codigos, nCapas, Capas,
                     Colo, TpLin, Cancela);
  }
};

std::vector<std::vector<int32_t>> Vertices(const HostCall& c) {
  return test_support::AllVertices(c.nPolis, c.Polis);
}

std::vector<std::string> TableLines() {
  return test_support::LinesOf(ReadFileBytes(CodeTablePath()));
}

bool HasLine(const std::string& line) {
  return std::ranges::count(TableLines(), line + "\r") == 1;
}

TEST(c_Autocroquis, AcceptedCallsDeducePolylinesAndRememberTheTable) {
  testing::HeadlessSession session;
  c_Autocroquis o;
  o.A_Ver_Codigos = true;
  const std::vector<std::string> survey = {
      "CT", "CT", "CT I", "CT", "CT", "ARBOL", "ARBOL", "", "CT BT", "BT"};

  // Codes in sorted order: ARBOL, BT, CT, Puntos; the default table puts
  // them on ARBOLES, BAJO_TALUD, CT and Puntos.
  session.User().Click("cmdAceptar");
  HostCall c(survey, {"TERRENO", "CT"});
  c.On(o);
  EXPECT_EQ(session.ShownWindows(), std::vector<std::string>{"Autocroquis:"});
  EXPECT_EQ(std::tie(c.Cancela, c.NoCodig, c.nCapas), std::tuple(false, 4, 5));
  EXPECT_EQ(c.Capas, StrArray::FromItems(
                         {"TERRENO", "CT", "Puntos", "ARBOLES", "BAJO_TALUD"}));
  // TERRENO is set by no code: a new object holds nothing for it.
  EXPECT_EQ(c.Colo, LngArray::FromItems({0, PaletteValue(2), PaletteValue(3),
                                         PaletteValue(3), PaletteValue(6)}));
  EXPECT_EQ(c.TpLin, IntArray::FromItems({0, 1, 0, 0, 1}));
  EXPECT_EQ(Vertices(c),
            (std::vector<std::vector<int32_t>>{{9, 10}, {1, 2}, {3, 4, 5, 9}}));
  EXPECT_EQ(c.Polis(1).Capa, 5);
  EXPECT_EQ(c.CapaP, IntArray::FromItems({2, 2, 2, 2, 2, 4, 4, 3, 2, 5}));
  EXPECT_TRUE(HasLine("CT,,Lineal,CT, 2,1"));
  EXPECT_TRUE(HasLine("ARBOL,,Puntual,ARBOLES, 3,0"));

  // Second call on the same object: the user makes CT point-like and moves
  // BT to TERRENO. The first call's polylines stay in front.
  session.User()
      .EditCell("tblAutocro", 3, 3, "Puntual")
      .EditCell("tblAutocro", 2, 4, "TERRENO")
      .Click("cmdAceptar");
  HostCall again(survey, {"TERRENO", "CT"});
  again.On(o);
  EXPECT_EQ(Vertices(again), (std::vector<std::vector<int32_t>>{
                                 {9, 10}, {1, 2}, {3, 4, 5, 9}, {9, 10}}));
  EXPECT_EQ(again.Polis(4).Capa, 1);
  EXPECT_EQ(again.Capas,
            StrArray::FromItems({"TERRENO", "CT", "Puntos", "ARBOLES"}));
  EXPECT_EQ(again.Colo(1), PaletteValue(6));
  EXPECT_EQ(again.CapaP(10), 1);
  EXPECT_TRUE(HasLine("CT,,Puntual,CT, 2,1"));
  EXPECT_TRUE(HasLine("BT,,Lineal,TERRENO, 6,1"));
}

TEST(c_Autocroquis, CallsThatDrawNothing) {
  testing::HeadlessSession session;
  c_Autocroquis o;
  // Not shown: the table is still loaded, so a missing file is created.
  HostCall hidden({"CT", "CT"}, {"L1", "L2"});
  hidden.On(o);
  EXPECT_TRUE(session.ShownWindows().empty());
  EXPECT_EQ(std::tie(hidden.Cancela, hidden.NoCodig, hidden.nPolis),
            std::tuple(true, 1, -5));
  EXPECT_EQ(hidden.Colo, LngArray(0, 2));  // cleared
  EXPECT_EQ(hidden.Capas, StrArray::FromItems({"L1", "L2"}));
  EXPECT_EQ(TableLines().size(), 24u);

  // Shown and cancelled: the table file is not touched.
  const std::string table = "CT,,Puntual,CT, 2,1\r\n";
  WriteFileAtomically(CodeTablePath(), table);
  o.A_Ver_Codigos = true;
  session.User().EditCell("tblAutocro", 1, 4, "OTRA").PressEscape();
  HostCall cancelled({"CT", "CT"}, {"L1"});
  cancelled.On(o);
  EXPECT_EQ(session.ShownWindows().size(), 1u);
  EXPECT_TRUE(cancelled.Cancela);
  EXPECT_EQ(ReadFileBytes(CodeTablePath()), table);

  // No point at all: nothing changes, not even the counts or the flag.
  HostCall empty({}, {"L1"});
  empty.On(o);
  EXPECT_EQ(std::tie(empty.Cancela, empty.NoCodig), std::tuple(false, -5));
  EXPECT_EQ(empty.Colo, LngArray::FromItems({1001}));

  // Blanks and command words only: no code to show, and the one message.
  HostCall none({"   ", "I", "A C", "F"}, {"L1"});
  none.On(o);
  ASSERT_EQ(session.Messages().size(), 1u);
  EXPECT_EQ(session.Messages()[0].prompt, "No hay códigos");
  EXPECT_EQ(session.Messages()[0].title, "Autocroquis:");
  EXPECT_EQ(session.Messages()[0].flags, 16);
  EXPECT_EQ(std::tie(none.NoCodig, none.Colo), std::tuple(0, LngArray(0, 1)));
}

TEST(c_Autocroquis, FailuresAreReportedKeepingWhatWasSaved) {
  testing::HeadlessSession session;
  c_Autocroquis o;
  o.A_Ver_Codigos = true;
  // The window refuses a comma in a layer, as the real one does; a code
  // Windows-1252 cannot hold is left out of the table (reported once) while
  // the rest is saved and drawn.
  session.User()
      .EditCell("tblAutocro", 1, 4, "CT,NUEVA")
      .EditCell("tblAutocro", 1, 4, "CTNUEVA")
      .Click("cmdAceptar");
  HostCall c({"CT", "CT", "ŁÓDŹ", "ŁÓDŹ"}, {});
  c.CapaP.Redim(0, 1);  // too short: the call fails after saving
  c.On(o);
  ASSERT_EQ(session.Messages().size(), 1u);
  EXPECT_EQ(session.Messages()[0].prompt,
            "Un código o una capa no puede llevar comas: en autocroquis.txt "
            "la coma separa los campos.");
  EXPECT_EQ(session.RefusedEdits().size(), 1u);
  EXPECT_EQ(session.GetSetting("Errores", "1"),
            "*# *Graba config  autocroquis - Error nº 5:No se han guardado en "
            "autocroquis.txt 1 código: \"ŁÓDŹ\" tiene caracteres que "
            "Windows-1252 no puede representar");
  EXPECT_TRUE(HasLine("CT,,Lineal,CTNUEVA, 2,1"));
  const std::string subscript = "*# *Autocroquis 5 -  Error nº 9:";
  EXPECT_TRUE(session.GetSetting("Errores", "2").starts_with(subscript));
  EXPECT_EQ(c.NoCodig, 2);

  HostCall unallocated({"CT"}, {});
  unallocated.codigos = StrArray();
  unallocated.On(o);
  EXPECT_TRUE(session.GetSetting("Errores", "3").starts_with(subscript));
  EXPECT_EQ(unallocated.NoCodig, -5);
}

}  // namespace
}  // namespace qdr2_Gomiat
