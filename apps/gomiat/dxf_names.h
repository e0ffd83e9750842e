// Layer names and texts as a DXF R12 file can hold them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "line_types.h"
#include "sketch.h"

namespace gomiat {

// A layer name DXF accepts: the characters DXF forbids in names
// (< > / \ " : ; ? * | = ` ,), control characters and blanks become "_";
// an empty name becomes "_"; at most 255 characters are kept.
std::string SafeLayerName(std::string_view name);

struct DxfLayer {
  std::string name;  // UTF-8, safe
  int16_t colour = 7;
  const LineTypeDef* line_type = nullptr;
};

// The LAYER table for the sketch's layers. Layers with the very same name
// are one layer (the first keeps its colour and line type); different names
// that come out equal once made safe, or equal but for case (DXF names
// ignore case), get "_2", "_3", ... Layer "0" is always there.
struct DxfLayers {
  std::vector<DxfLayer> table;
  std::vector<size_t> of_layer;  // table entry of each sketch layer
};
DxfLayers ResolveDxfLayers(const std::vector<SketchLayer>& layers);

// UTF-8 text as Windows-1252 bytes (the drawing's code page); characters
// the code page lacks are written as \U+XXXX, which CAD programs read back.
std::string DxfText(std::string_view utf8);

}  // namespace gomiat
