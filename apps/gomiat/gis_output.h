// The sketch for GIS programs: the survey's declared coordinate system,
// positions turned into longitude and latitude for GeoJSON (which knows no
// other system), and a GeoPackage in the survey's own system. Built on
// PROJ and GDAL when they are there; without them these say so.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "sketch.h"

namespace gomiat {

// Whether the program was built with PROJ and GDAL.
bool GisAvailable();

// Easting and northing in a declared system ("EPSG:25830") to longitude
// and latitude on WGS 84, as GeoJSON wants them.
class LonLat {
 public:
  // Throws std::invalid_argument when the system is unknown, or when the
  // program was built without PROJ.
  explicit LonLat(const std::string& crs);
  ~LonLat();
  LonLat(const LonLat&) = delete;
  LonLat& operator=(const LonLat&) = delete;

  // Longitude and latitude of every point of the sketch. Throws
  // std::runtime_error naming a point that cannot be transformed.
  std::vector<std::array<double, 2>> Of(const Sketch& sketch) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Writes the points and the polylines, with their layer, colour and line
// type, as two layers of a GeoPackage in `crs` (none when empty). The file
// is made beside `path` and renamed there when complete; what is not a
// regular file is refused. Throws std::runtime_error naming the path.
void WriteGeoPackage(const Sketch& sketch, const std::string& crs,
                     const std::string& path);

}  // namespace gomiat
