// The host's numbered palette: the 256-entry AutoCAD Color Index, as
// python3-ezdxf ships it (DXF_DEFAULT_COLORS), turned into 0x00BBGGRR values.
//
// The palette repeats a few colours (10 = 1, 50 = 2, 90 = 3, 130 = 4,
// 170 = 5, 210 = 6, 255 = 7, 250 = 0, and 129/139/149 and 209/219/229 share
// one value each). A colour value must turn back into the number it came
// from, so each later duplicate is moved by one step in one channel to the
// first free neighbour (blue +1, blue -1, green +1, ...): 10, 50, 90 and 250
// get blue +1; 130, 170, 210 and 255 blue -1; 139 and 219 blue +1; 149 and
// 229 blue -1. The earlier entry keeps the exact value, so pure red, white,
// etc. still read back as 1, 7, ...
//
// Numbers outside 0..255 and values outside 0..0xFFFFFF are not colours of
// this palette: both are Failure 5 with a description naming the number.
#include <array>

#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

constexpr std::array<int32_t, 256> kPalette = {
    0x000000, 0x0000FF, 0x00FFFF, 0x00FF00,  // 0
    0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF,  // 4
    0x808080, 0xC0C0C0, 0x0100FF, 0x7F7FFF,  // 8
    0x0000A5, 0x5252A5, 0x00007F, 0x3F3F7F,  // 12
    0x00004C, 0x26264C, 0x000026, 0x131326,  // 16
    0x003FFF, 0x7F9FFF, 0x0029A5, 0x5267A5,  // 20
    0x001F7F, 0x3F4F7F, 0x00134C, 0x262F4C,  // 24
    0x000926, 0x131726, 0x007FFF, 0x7FBFFF,  // 28
    0x0052A5, 0x527CA5, 0x003F7F, 0x3F5F7F,  // 32
    0x00264C, 0x26394C, 0x001326, 0x131C26,  // 36
    0x00BFFF, 0x7FDFFF, 0x007CA5, 0x5291A5,  // 40
    0x005F7F, 0x3F6F7F, 0x00394C, 0x26424C,  // 44
    0x001C26, 0x132126, 0x01FFFF, 0x7FFFFF,  // 48
    0x00A5A5, 0x52A5A5, 0x007F7F, 0x3F7F7F,  // 52
    0x004C4C, 0x264C4C, 0x002626, 0x132626,  // 56
    0x00FFBF, 0x7FFFDF, 0x00A57C, 0x52A591,  // 60
    0x007F5F, 0x3F7F6F, 0x004C39, 0x264C42,  // 64
    0x00261C, 0x132621, 0x00FF7F, 0x7FFFBF,  // 68
    0x00A552, 0x52A57C, 0x007F3F, 0x3F7F5F,  // 72
    0x004C26, 0x264C39, 0x002613, 0x13261C,  // 76
    0x00FF3F, 0x7FFF9F, 0x00A529, 0x52A567,  // 80
    0x007F1F, 0x3F7F4F, 0x004C13, 0x264C2F,  // 84
    0x002609, 0x132617, 0x01FF00, 0x7FFF7F,  // 88
    0x00A500, 0x52A552, 0x007F00, 0x3F7F3F,  // 92
    0x004C00, 0x264C26, 0x002600, 0x132613,  // 96
    0x3FFF00, 0x9FFF7F, 0x29A500, 0x67A552,  // 100
    0x1F7F00, 0x4F7F3F, 0x134C00, 0x2F4C26,  // 104
    0x092600, 0x175813, 0x7FFF00, 0xBFFF7F,  // 108
    0x52A500, 0x7CA552, 0x3F7F00, 0x5F7F3F,  // 112
    0x264C00, 0x394C26, 0x132600, 0x1C5813,  // 116
    0xBFFF00, 0xDFFF7F, 0x7CA500, 0x91A552,  // 120
    0x5F7F00, 0x6F7F3F, 0x394C00, 0x424C26,  // 124
    0x1C2600, 0x585813, 0xFEFF00, 0xFFFF7F,  // 128
    0xA5A500, 0xA5A552, 0x7F7F00, 0x7F7F3F,  // 132
    0x4C4C00, 0x4C4C26, 0x262600, 0x595813,  // 136
    0xFFBF00, 0xFFDF7F, 0xA57C00, 0xA59152,  // 140
    0x7F5F00, 0x7F6F3F, 0x4C3900, 0x7E4226,  // 144
    0x261C00, 0x575813, 0xFF7F00, 0xFFBF7F,  // 148
    0xA55200, 0xA57C52, 0x7F3F00, 0x7F5F3F,  // 152
    0x4C2600, 0x7E3926, 0x261300, 0x581C13,  // 156
    0xFF3F00, 0xFF9F7F, 0xA52900, 0xA56752,  // 160
    0x7F1F00, 0x7F4F3F, 0x4C1300, 0x7E2F26,  // 164
    0x260900, 0x581713, 0xFE0000, 0xFF7F7F,  // 168
    0xA50000, 0xA55252, 0x7F0000, 0x7F3F3F,  // 172
    0x4C0000, 0x7E2626, 0x260000, 0x581313,  // 176
    0xFF003F, 0xFF7F9F, 0xA50029, 0xA55267,  // 180
    0x7F001F, 0x7F3F4F, 0x4C0013, 0x7E262F,  // 184
    0x260009, 0x581317, 0xFF007F, 0xFF7FBF,  // 188
    0xA50052, 0xA5527C, 0x7F003F, 0x7F3F5F,  // 192
    0x4C0026, 0x7E2639, 0x260013, 0x58131C,  // 196
    0xFF00BF, 0xFF7FDF, 0xA5007C, 0xA55291,  // 200
    0x7F005F, 0x7F3F6F, 0x4C0039, 0x4C2642,  // 204
    0x26001C, 0x581358, 0xFE00FF, 0xFF7FFF,  // 208
    0xA500A5, 0xA552A5, 0x7F007F, 0x7F3F7F,  // 212
    0x4C004C, 0x4C264C, 0x260026, 0x591358,  // 216
    0xBF00FF, 0xDF7FFF, 0x7C00A5, 0x9152A5,  // 220
    0x5F007F, 0x6F3F7F, 0x39004C, 0x42264C,  // 224
    0x1C0026, 0x571358, 0x7F00FF, 0xBF7FFF,  // 228
    0x5200A5, 0x7C52A5, 0x3F007F, 0x5F3F7F,  // 232
    0x26004C, 0x39264C, 0x130026, 0x1C1358,  // 236
    0x3F00FF, 0x9F7FFF, 0x2900A5, 0x6752A5,  // 240
    0x1F007F, 0x4F3F7F, 0x13004C, 0x2F264C,  // 244
    0x090026, 0x171358, 0x010000, 0x656565,  // 248
    0x666666, 0x999999, 0xCCCCCC, 0xFEFFFF,  // 252
};

constexpr int32_t kMaxValue = 0xFFFFFF;

int32_t Channel(int32_t value, int shift) { return (value >> shift) & 0xFF; }

int32_t SquaredDistance(int32_t a, int32_t b) {
  int32_t sum = 0;
  for (int shift : {0, 8, 16}) {
    const int32_t d = Channel(a, shift) - Channel(b, shift);
    sum += d * d;
  }
  return sum;
}

class Palette final : public ColourService {
 public:
  int32_t ColorValue(int16_t number) override {
    if (number < 0 || number >= static_cast<int16_t>(kPalette.size()))
      throw Failure(err::kInvalidCall,
                    "Número de color fuera de la paleta (0 a 255): " +
                        std::to_string(number));
    return kPalette[static_cast<size_t>(number)];
  }

  // The exact entry, else the nearest one; ties go to the lower number.
  int16_t ColorNumber(int32_t value) override {
    if (value < 0 || value > kMaxValue)
      throw Failure(err::kInvalidCall,
                    "Valor de color no válido: " + std::to_string(value));
    size_t best = 0;
    int32_t best_distance = SquaredDistance(value, kPalette[0]);
    for (size_t i = 1; i < kPalette.size() && best_distance != 0; ++i) {
      const int32_t d = SquaredDistance(value, kPalette[i]);
      if (d < best_distance) {
        best = i;
        best_distance = d;
      }
    }
    return static_cast<int16_t>(best);
  }
};

}  // namespace

std::unique_ptr<ColourService> MakeColourService() {
  return std::make_unique<Palette>();
}

}  // namespace qdr2_Gomiat
