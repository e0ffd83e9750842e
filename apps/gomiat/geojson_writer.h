// The sketch as GeoJSON: points as Point features (name, code, layer),
// polylines as LineString features (layer, colour, line type). Coordinates
// are written in the survey's own units and axes (easting, northing,
// elevation); no coordinate reference system is assumed or declared.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "sketch.h"

namespace gomiat {

// Throws std::out_of_range for a point or layer the sketch lacks.
void WriteGeoJson(const Sketch& sketch, std::ostream& out);

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view utf8);

}  // namespace gomiat
