#include <gtest/gtest.h>

#include <string>

#include "frame/window_place.h"
#include "platform/platform.h"
#include "platform/settings/fake_environment.h"
#include "support/test_support.h"

namespace qdr2_Gomiat {
namespace {

using test_support::FakeEnvironment;
using test_support::FakeOptions;
using test_support::PlainForm;
using test_support::TempFolder;

struct Place {
  int32_t left, top, width, height;
  bool operator==(const Place&) const = default;
};
Place PlaceOf(const ui::Form& f) {
  return {f.Left(), f.Top(), f.Width(), f.Height()};
}
void PrintTo(const Place& p, std::ostream* os) {
  *os << "(" << p.left << ", " << p.top << ", " << p.width << ", " << p.height
      << ")";
}

FakeOptions Screen(int32_t width, int32_t height) {
  FakeOptions o;
  o.screen_width = width;
  o.screen_height = height;
  return o;
}

TEST(WindowPlaces, FirstTimeDefaultsThenTheSavedPlaceUnderItsKey) {
  TempFolder tmp;
  const std::string path = tmp.File("settings.sqlite");
  FakeEnvironment env(nullptr, Screen(28800, 16200));
  {
    auto store = MakeSqliteSettings(path);
    PlainForm capas, dibujos;
    RestoreWindow(*store, capas, "Editor de capas", "Capas", 5760, 3240, 9700,
                  7700);
    EXPECT_EQ(PlaceOf(capas), (Place{5760, 3240, 9700, 7700}));
    capas.Move(1000, 2000, 12000, 8000);
    SaveWindow(*store, capas, "Editor de capas", "Capas");
    RestoreWindow(*store, dibujos, "Editor de Dibujos", "Dibujos", 100, 200,
                  5700, 3700);
    EXPECT_EQ(PlaceOf(dibujos), (Place{100, 200, 5700, 3700}));
  }
  // A later run, other defaults: the saved place wins, per key.
  auto store = MakeSqliteSettings(path);
  PlainForm capas, dibujos;
  RestoreWindow(*store, capas, "Editor de capas", "Capas", 1, 2, 3000, 3000);
  EXPECT_EQ(PlaceOf(capas), (Place{1000, 2000, 12000, 8000}));
  // The registry's rule: the key's case does not matter.
  PlainForm again;
  RestoreWindow(*store, again, "EDITOR DE CAPAS", "Capas", 1, 2, 3000, 3000);
  EXPECT_EQ(PlaceOf(again), (Place{1000, 2000, 12000, 8000}));
  RestoreWindow(*store, dibujos, "Editor de Dibujos", "Dibujos", 300, 400, 5700,
                3700);
  EXPECT_EQ(PlaceOf(dibujos), (Place{300, 400, 5700, 3700}));
}

TEST(WindowPlaces, RestoredWindowsLandOnASmallerScreen) {
  TempFolder tmp;
  auto store = MakeSqliteSettings(tmp.File("settings.sqlite"));
  {
    FakeEnvironment big(nullptr, Screen(28800, 16200));
    PlainForm right, huge, off;
    right.Move(20000, 9000, 8000, 6000);
    SaveWindow(*store, right, "Derecha", "");
    huge.Move(500, 500, 27000, 15000);
    SaveWindow(*store, huge, "Enorme", "");
    off.Move(-3000, -800, 5000, 4000);
    SaveWindow(*store, off, "Fuera", "");
  }
  FakeEnvironment small(nullptr, Screen(15360, 11520));
  PlainForm right, huge, off, defaults;
  RestoreWindow(*store, right, "Derecha", "", 0, 0, 100, 100);
  EXPECT_EQ(PlaceOf(right), (Place{15360 - 8000, 11520 - 6000, 8000, 6000}));
  RestoreWindow(*store, huge, "Enorme", "", 0, 0, 100, 100);
  EXPECT_EQ(PlaceOf(huge), (Place{0, 0, 15360, 11520}));
  RestoreWindow(*store, off, "Fuera", "", 0, 0, 100, 100);
  EXPECT_EQ(PlaceOf(off), (Place{0, 0, 5000, 4000}));
  // Defaults are held to the screen as well.
  RestoreWindow(*store, defaults, "Nueva", "", 15000, 11000, 20000, 3000);
  EXPECT_EQ(PlaceOf(defaults), (Place{0, 11520 - 3000, 15360, 3000}));
}

TEST(WindowPlaces, DamagedValuesCountAsNeverSaved) {
  TempFolder tmp;
  auto store = MakeSqliteSettings(tmp.File("settings.sqlite"));
  FakeEnvironment env(nullptr, Screen(28800, 16200));
  PlainForm form;
  form.Move(100, 100, 4000, 3000);
  SaveWindow(*store, form, "Roto", "");
  for (const char* bad : {"abc", "", "12.5", "99999999999", "0", "-20"}) {
    store->SaveSetting("Landrix", "Roto", "Width", bad);
    PlainForm restored;
    RestoreWindow(*store, restored, "Roto", "", 700, 800, 5000, 6000);
    EXPECT_EQ(PlaceOf(restored), (Place{700, 800, 5000, 6000})) << bad;
  }
  store->SaveSetting("Landrix", "Roto", "Width", " 4500 ");
  PlainForm restored;
  RestoreWindow(*store, restored, "Roto", "", 700, 800, 5000, 6000);
  EXPECT_EQ(PlaceOf(restored), (Place{100, 100, 4500, 3000}));
}

TEST(WindowPlaces, PositionsKeepThePlaceOnlyAndStayOnScreen) {
  TempFolder tmp;
  const std::string path = tmp.File("settings.sqlite");
  {
    FakeEnvironment big(nullptr, Screen(28800, 16200));
    auto store = MakeSqliteSettings(path);
    PlainForm bar;
    bar.Move(123, 456, 4000, 3900);
    RestorePosition(*store, bar, "Barra ptos aleatorios", "Pos PtosAlea");
    EXPECT_EQ(PlaceOf(bar), (Place{123, 456, 4000, 3900}));  // nothing saved
    bar.Move(20000, 12000, 4000, 3900);
    SavePosition(*store, bar, "Barra ptos aleatorios", "Pos PtosAlea");

    PlainForm later;
    later.Move(0, 0, 6000, 2000);
    RestorePosition(*store, later, "Barra ptos aleatorios", "Pos PtosAlea");
    EXPECT_EQ(PlaceOf(later), (Place{20000, 12000, 6000, 2000}));
    // Another key in the same section is its own place.
    PlainForm other;
    RestorePosition(*store, other, "Barra ptos aleatorios", "Otra");
    EXPECT_EQ(PlaceOf(other), (Place{0, 0, 4800, 3600}));
  }
  FakeEnvironment small(nullptr, Screen(15360, 11520));
  auto store = MakeSqliteSettings(path);
  PlainForm bar;
  bar.Move(0, 0, 4000, 3900);
  RestorePosition(*store, bar, "Barra ptos aleatorios", "Pos PtosAlea");
  EXPECT_EQ(PlaceOf(bar), (Place{15360 - 4000, 11520 - 3900, 4000, 3900}));
  // Larger than the screen: the size stays, the top left corner shows.
  PlainForm wide;
  wide.Move(0, 0, 20000, 3900);
  RestorePosition(*store, wide, "Barra ptos aleatorios", "Pos PtosAlea");
  EXPECT_EQ(PlaceOf(wide), (Place{0, 11520 - 3900, 20000, 3900}));
}

}  // namespace
}  // namespace qdr2_Gomiat
