// Runs the automatic sketch on a survey the way a host does: one
// c_Autocroquis created by name, the point codes and the host's layer list
// handed over by reference, the results read back into a sketch.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "point_file.h"
#include "sketch.h"

namespace gomiat {

struct CroquisResult {
  Sketch sketch;           // filled when accepted
  int32_t codes = 0;       // distinct codes on the points
  bool cancelled = false;  // the code table window was not accepted
};

// `host_layers` is the layer list the host already has (at least one).
// Uses the environment in force (its colour service turns the layers'
// colour values back into palette numbers). Throws std::runtime_error
// when the returned arrays are not what the call promises.
// `codes`, when given, are the code fields handed over instead of the
// points' own (one a point, e.g. put into our words from another
// convention).
// The points are moved into the sketch.
CroquisResult RunCroquis(std::vector<SurveyPoint> points,
                         const std::vector<std::string>& host_layers = {"0"},
                         const std::vector<std::string>* codes = nullptr);

// Adds to the code table in force an entry for each numbered code
// ("BC1" -> "BC") that the table lacks: its base code's entry, or, when the
// base is not there either, a line on a layer named after the base. The
// table is made from the defaults first when there is none. Returns the
// number of entries added. Throws qdr2_Gomiat::Failure.
size_t AddNumberedCodes(const std::map<std::string, std::string>& numbered);

}  // namespace gomiat
