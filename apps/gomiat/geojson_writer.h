// The sketch as GeoJSON: points as Point features (name, code, layer),
// polylines as LineString features (layer, colour, line type). Coordinates
// are longitude and latitude when given (from the survey's declared
// system), otherwise the survey's own units and axes (easting, northing,
// elevation), with no coordinate reference system assumed.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "sketch.h"

namespace gomiat {

// Throws std::out_of_range for a point or layer the sketch lacks.
// `lon_lat`, when given, holds the longitude and latitude of every point.
void WriteGeoJson(const Sketch& sketch, std::ostream& out,
                  const std::vector<std::array<double, 2>>* lon_lat = nullptr);

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view utf8);

// "#RRGGBB" of a colour value with red in the low byte.
std::string Rgb(int32_t value);

}  // namespace gomiat
