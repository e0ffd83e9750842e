#include <gtest/gtest.h>

#include <array>
#include <string>

#include "frame/environment.h"
#include "frame/ui/form.h"
#include "frame/window_place.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat {
namespace {

struct PlainForm final : ui::Form {
  PlainForm() : Form("frmPlain") {}
};

using Place = std::array<int32_t, 4>;
Place PlaceOf(const ui::Form& f) {
  return {f.Left(), f.Top(), f.Width(), f.Height()};
}

TEST(WindowPlaces, DefaultsThenTheSavedPlacePerKeyOnTheVisibleScreen) {
  testing::HeadlessSession session;  // a 28800 x 16200 screen
  SettingsStore& store = Environment::Current().Settings();
  {
    PlainForm capas, huge;
    RestoreWindow(store, capas, "Editor de capas", "Capas", 5760, 3240, 9700,
                  7700);
    EXPECT_EQ(PlaceOf(capas), (Place{5760, 3240, 9700, 7700}));
    capas.Move(1000, 2000, 12000, 8000);
    SaveWindow(store, capas, "Editor de capas", "Capas");
    huge.Move(-500, 500, 27000, 15000);
    SaveWindow(store, huge, "Enorme", "");
  }
  // A later run on a smaller screen, other defaults.
  session.SetScreenSize(15360, 11520);
  PlainForm capas, huge, fresh;
  RestoreWindow(store, capas, "Editor de capas", "Capas", 1, 2, 3000, 3000);
  EXPECT_EQ(PlaceOf(capas), (Place{1000, 2000, 12000, 8000}));
  RestoreWindow(store, huge, "Enorme", "", 0, 0, 100, 100);
  EXPECT_EQ(PlaceOf(huge), (Place{0, 0, 15360, 11520}));
  // Defaults past the screen's corner are pulled back onto it too.
  RestoreWindow(store, fresh, "Nueva", "", 15000, 11000, 20000, 3000);
  EXPECT_EQ(PlaceOf(fresh), (Place{0, 11520 - 3000, 15360, 3000}));

  // Damaged values count as never saved.
  for (const char* bad : {"abc", "99999999999", "0"}) {
    store.SaveSetting("Landrix", "Editor de capas", "Width", bad);
    PlainForm restored;
    RestoreWindow(store, restored, "Editor de capas", "", 7, 8, 500, 600);
    EXPECT_EQ(PlaceOf(restored), (Place{7, 8, 500, 600})) << bad;
  }
  store.SaveSetting("Landrix", "Editor de capas", "Width", " 4500 ");
  RestoreWindow(store, capas, "Editor de capas", "", 7, 8, 500, 600);
  EXPECT_EQ(PlaceOf(capas), (Place{1000, 2000, 4500, 8000}));
}

TEST(WindowPlaces, PositionsKeepThePlaceOnlyAndStayOnScreen) {
  testing::HeadlessSession session;
  session.SetScreenSize(15360, 11520);
  SettingsStore& store = Environment::Current().Settings();
  PlainForm bar;
  bar.Move(123, 456, 4000, 3900);
  RestorePosition(store, bar, "Barra ptos aleatorios", "Pos PtosAlea");
  EXPECT_EQ(PlaceOf(bar), (Place{123, 456, 4000, 3900}));  // nothing saved
  bar.Move(20000, 12000, 4000, 3900);
  SavePosition(store, bar, "Barra ptos aleatorios", "Pos PtosAlea");
  EXPECT_EQ(store.GetSetting("Landrix", "Barra ptos aleatorios",
                             "Pos PtosAlea.Left", ""),
            "20000");
  PlainForm later, other;
  later.Move(0, 0, 6000, 2000);
  RestorePosition(store, later, "Barra ptos aleatorios", "Pos PtosAlea");
  EXPECT_EQ(PlaceOf(later), (Place{15360 - 6000, 11520 - 2000, 6000, 2000}));
  // Another key in the same section is its own place.
  RestorePosition(store, other, "Barra ptos aleatorios", "Otra");
  EXPECT_EQ(PlaceOf(other), (Place{0, 0, 4800, 3600}));
  // Larger than the screen: the size stays, the top left corner shows.
  PlainForm wide;
  wide.Move(0, 0, 20000, 3900);
  RestorePosition(store, wide, "Barra ptos aleatorios", "Pos PtosAlea");
  EXPECT_EQ(PlaceOf(wide), (Place{0, 11520 - 3900, 20000, 3900}));
}

}  // namespace
}  // namespace qdr2_Gomiat
