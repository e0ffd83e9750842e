// The sketch as an ASCII DXF drawing (R12, AC1009), readable by every CAD
// program: a LAYER table with colours and line types, the five line types,
// 3D polylines, points and their names.
#pragma once

#include <ostream>

#include "sketch.h"

namespace gomiat {

struct DxfOptions {
  double text_height = 0.25;  // point names, in drawing units
};

// Throws std::out_of_range when the sketch refers to a point or layer it
// does not hold; std::ios_base::failure when the stream fails.
void WriteDxf(const Sketch& sketch, std::ostream& out,
              const DxfOptions& options = {});

}  // namespace gomiat
