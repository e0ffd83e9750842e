// A host's layer table for the layer editor benchmarks, and the editor's
// work written out plainly as the reference: the same texts in a table of
// strings, read back with the standard library's conversions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame/line_types.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat::bench {

struct LayerTable {
  int32_t NoCap = 0, Principal = 1;
  StrArray Nombres, Estado;
  LngArray colorr, grosor, Tipolin, PunCp, PolCp, PlVCp, texCp;

  bool SameLayers(const LayerTable& o) const {
    return NoCap == o.NoCap && Nombres == o.Nombres && Estado == o.Estado &&
           colorr == o.colorr && grosor == o.grosor && Tipolin == o.Tipolin;
  }
};

// `n` seeded layers; some with no colour, no thickness or a line type out
// of range, as hosts hand them over.
inline LayerTable MakeLayers(int32_t n) {
  LayerTable t;
  t.NoCap = n;
  t.Nombres = StrArray(0, n);
  t.Estado = StrArray(0, n);
  for (auto* a : {&t.colorr, &t.grosor, &t.Tipolin, &t.PunCp, &t.PolCp,
                  &t.PlVCp, &t.texCp})
    *a = LngArray(0, n);
  for (int32_t i = 1; i <= n; ++i) {
    const auto h = static_cast<uint32_t>(i) * 2654435761u;
    t.Nombres(i) = "CAPA_" + std::to_string(i);
    t.Estado(i) = h % 7 == 0 ? "No" : "Si";
    t.colorr(i) = h % 11 == 0 ? 0 : static_cast<int32_t>(h & 0xFFFFFF);
    t.grosor(i) = static_cast<int32_t>((h >> 8) % 12);
    t.Tipolin(i) = static_cast<int32_t>((h >> 12) % 7) - 1;
    t.PunCp(i) = static_cast<int32_t>((h >> 4) % 300);
    t.PolCp(i) = static_cast<int32_t>((h >> 6) % 4);
    t.PlVCp(i) = t.PolCp(i) * 9;
    t.texCp(i) = static_cast<int32_t>((h >> 9) % 3);
  }
  return t;
}

// The editor's fill and write-back, literally, on a plain table of texts
// and colours: what any implementation has to do.
inline void LiteralEdit(LayerTable& t) {
  const int32_t n = t.NoCap;
  std::vector<std::vector<std::string>> cells(static_cast<size_t>(n) + 1,
                                              std::vector<std::string>(10));
  std::vector<int32_t> colours(static_cast<size_t>(n) + 1);
  auto count = [](int32_t c) {
    return c == 0 ? std::string("-") : std::to_string(c);
  };
  for (int32_t i = 1; i <= n; ++i) {
    auto& row = cells[static_cast<size_t>(i)];
    row[1] = t.Nombres(i);
    row[2] = t.Estado(i);
    colours[static_cast<size_t>(i)] = t.colorr(i) == 0 ? 16777215 : t.colorr(i);
    row[4] = std::to_string(t.grosor(i) == 0 ? 1 : t.grosor(i));
    const int32_t type = t.Tipolin(i);
    row[5] = kLinePatterns[type >= 0 && type < kLineTypeCount ? type : 0];
    row[6] = count(t.PunCp(i));
    row[7] = count(t.PolCp(i));
    row[8] = count(t.PlVCp(i));
    row[9] = count(t.texCp(i));
  }
  t.Nombres.Redim(0, n);
  t.Estado.Redim(0, n);
  t.colorr.Redim(0, n);
  t.grosor.Redim(0, n);
  t.Tipolin.Redim(0, n);
  for (int32_t i = 1; i <= n; ++i) {
    const auto& row = cells[static_cast<size_t>(i)];
    t.Nombres(i) = row[1];
    t.Estado(i) = row[2];
    t.colorr(i) = colours[static_cast<size_t>(i)];
    t.grosor(i) = std::stoi(row[4]);
    int32_t type = 0;
    for (int32_t k = 0; k < kLineTypeCount; ++k)
      if (row[5] == kLinePatterns[k]) type = k;
    t.Tipolin(i) = type;
  }
}

}  // namespace qdr2_Gomiat::bench
