// What the host saves: its own project file (points, layers, polylines,
// drawings and counts, reopened as they were), the drawing as DXF through
// the command-line program's writer, and the points as CSV. Every file is
// written beside its place and renamed over it once complete and on disk.
#pragma once

#include <istream>
#include <string>

#include "host_model.h"

namespace host {

// Throw std::runtime_error naming the path (and for reading, "PATH:LINE:
// reason").
void SaveProject(const HostModel& model, const std::string& path);
HostModel LoadProject(const std::string& path);
HostModel ReadProject(std::istream& in, const std::string& name);

void ExportDxf(const HostModel& model, const std::string& path);
// name,x,y,z,code,layer with a header line; fields holding a comma, a
// quote or a line break are quoted.
void ExportPointsCsv(const HostModel& model, const std::string& path);

}  // namespace host
