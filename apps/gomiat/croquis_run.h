// Runs the automatic sketch on a survey the way a host does: one
// c_Autocroquis created by name, the point codes and the host's layer list
// handed over by reference, the results read back into a sketch.
#pragma once

#include <cstdint>
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
CroquisResult RunCroquis(const std::vector<SurveyPoint>& points,
                         const std::vector<std::string>& host_layers = {"0"});

}  // namespace gomiat
