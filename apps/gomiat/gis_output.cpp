#include "gis_output.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "geojson_writer.h"
#include "line_fields.h"
#include "line_types.h"
#include "output_file.h"

#ifdef GOMIAT_HAS_GIS
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <proj.h>
#include <unistd.h>
#endif

namespace gomiat {

#ifndef GOMIAT_HAS_GIS

bool GisAvailable() { return false; }

struct LonLat::Impl {};

LonLat::LonLat(const std::string&) {
  throw std::invalid_argument(
      "--crs: this gomiat was built without PROJ (libproj-dev)");
}
LonLat::~LonLat() = default;
std::vector<std::array<double, 2>> LonLat::Of(const Sketch&) const {
  return {};
}

void WriteGeoPackage(const Sketch&, const std::string&,
                     const std::string& path) {
  throw std::runtime_error(path +
                           ": this gomiat was built without GDAL "
                           "(libgdal-dev)");
}

#else

bool GisAvailable() { return true; }

struct LonLat::Impl {
  PJ_CONTEXT* context = nullptr;
  PJ* transform = nullptr;
  ~Impl() {
    if (transform) proj_destroy(transform);
    if (context) proj_context_destroy(context);
  }
};

LonLat::LonLat(const std::string& crs) : impl_(std::make_unique<Impl>()) {
  impl_->context = proj_context_create();
  proj_log_level(impl_->context, PJ_LOG_NONE);  // our own message instead
  PJ* raw =
      proj_create_crs_to_crs(impl_->context, crs.c_str(), "OGC:CRS84", nullptr);
  if (raw != nullptr) {
    // Longitude first, whatever the systems' own axis order.
    impl_->transform = proj_normalize_for_visualization(impl_->context, raw);
    proj_destroy(raw);
  }
  if (impl_->transform == nullptr)
    throw std::invalid_argument("--crs: " + Shown(crs) +
                                " is not a coordinate system PROJ knows "
                                "(give it as EPSG:CODE)");
}

LonLat::~LonLat() = default;

std::vector<std::array<double, 2>> LonLat::Of(const Sketch& sketch) const {
  std::vector<std::array<double, 2>> out;
  out.reserve(sketch.points.size());
  for (const SketchPoint& p : sketch.points) {
    const PJ_COORD c =
        proj_trans(impl_->transform, PJ_FWD, proj_coord(p.x, p.y, 0, HUGE_VAL));
    if (!std::isfinite(c.xy.x) || !std::isfinite(c.xy.y))
      throw std::runtime_error("point " + Shown(p.name) +
                               " has no longitude and latitude in the "
                               "declared coordinate system");
    out.push_back({c.xy.x, c.xy.y});
  }
  return out;
}

namespace {

void AddField(OGRLayer* layer, const char* name, OGRFieldType type) {
  OGRFieldDefn field(name, type);
  if (layer->CreateField(&field) != OGRERR_NONE)
    throw std::runtime_error(std::string("cannot add the field ") + name);
}

void Check(OGRErr e, const char* what) {
  if (e != OGRERR_NONE) throw std::runtime_error(what);
}

void Fill(GDALDataset& ds, const Sketch& s, OGRSpatialReference* srs) {
  OGRLayer* points = ds.CreateLayer("points", srs, wkbPoint25D, nullptr);
  OGRLayer* lines = ds.CreateLayer("polylines", srs, wkbLineString25D, nullptr);
  if (points == nullptr || lines == nullptr)
    throw std::runtime_error("cannot make the layers");
  for (const char* f : {"name", "code", "layer"})
    AddField(points, f, OFTString);
  for (const std::string& f : s.extra_names)
    AddField(points, f.c_str(), OFTString);
  AddField(lines, "layer", OFTString);
  AddField(lines, "colour", OFTInteger);
  AddField(lines, "stroke", OFTString);
  AddField(lines, "line_type", OFTString);
  AddField(lines, "line_type_number", OFTInteger);
  AddField(lines, "closed", OFTInteger);

  Check(ds.StartTransaction(), "cannot start writing");
  size_t n = 0;
  const auto interrupted = [&] {
    return ++n % 4096 == 0 && InterruptGuard::Pending();
  };
  for (const SketchPoint& p : s.points) {
    if (interrupted()) throw std::runtime_error("interrupted");
    OGRFeature f(points->GetLayerDefn());
    f.SetField("name", p.name.c_str());
    f.SetField("code", p.code.c_str());
    if (p.layer < s.layers.size())
      f.SetField("layer", s.layers[p.layer].name.c_str());
    for (size_t k = 0; k < s.extra_names.size() && k < p.extras.size(); ++k)
      f.SetField(static_cast<int>(3 + k), p.extras[k].c_str());
    f.SetGeometryDirectly(new OGRPoint(p.x, p.y, p.z));
    Check(points->CreateFeature(&f), "cannot write a point");
  }
  for (const SketchPolyline& pl : s.polylines) {
    if (interrupted()) throw std::runtime_error("interrupted");
    if (pl.vertices.size() < 2 || pl.layer >= s.layers.size()) continue;
    const SketchLayer& layer = s.layers[pl.layer];
    auto* geometry = new OGRLineString;
    for (size_t v : pl.vertices)
      if (v < s.points.size())
        geometry->addPoint(s.points[v].x, s.points[v].y, s.points[v].z);
    OGRFeature f(lines->GetLayerDefn());
    f.SetGeometryDirectly(geometry);
    f.SetField("layer", layer.name.c_str());
    f.SetField("colour", layer.colour_number);
    f.SetField("stroke", Rgb(layer.colour_value).c_str());
    f.SetField("line_type", LineTypeOf(layer.line_type).name);
    f.SetField("line_type_number", layer.line_type);
    f.SetField("closed", pl.Closed() ? 1 : 0);
    Check(lines->CreateFeature(&f), "cannot write a polyline");
  }
  Check(ds.CommitTransaction(), "cannot finish writing");
}

}  // namespace

void WriteGeoPackage(const Sketch& s, const std::string& crs,
                     const std::string& path) {
  namespace fs = std::filesystem;
  OutputFile::Check(path);
  std::error_code ec;
  if (fs::exists(path, ec) && !fs::is_regular_file(path, ec))
    throw std::runtime_error(path + ": a GeoPackage goes to a regular file");
  OGRSpatialReference srs;
  if (!crs.empty()) {
    if (srs.SetFromUserInput(crs.c_str()) != OGRERR_NONE)
      throw std::runtime_error(path + ": unknown coordinate system " +
                               Shown(crs));
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  }
  GDALAllRegister();
  CPLSetErrorHandler(CPLQuietErrorHandler);  // failures come back to us
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
  if (driver == nullptr)
    throw std::runtime_error(path + ": GDAL has no GeoPackage driver");
  const fs::path target = fs::path(path);
  const std::string temp =
      (target.parent_path() /
       ("." + target.filename().string() + ".tmp" + std::to_string(getpid())))
          .string();
  fs::remove(temp, ec);
  GDALDataset* ds = driver->Create(temp.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
  if (ds == nullptr)
    throw std::runtime_error(path + ": " + CPLGetLastErrorMsg());
  try {
    Fill(*ds, s, crs.empty() ? nullptr : &srs);
  } catch (const std::exception& e) {
    GDALClose(ds);
    fs::remove(temp, ec);
    throw std::runtime_error(path + ": " + e.what());
  }
  GDALClose(ds);
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw std::runtime_error(path + ": cannot be replaced");
  }
}

#endif

}  // namespace gomiat
