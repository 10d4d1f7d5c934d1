// Pictures of polygons: each PolygonF is filled by the plug-in's own raster fill, the routine
// whose address every PolygonF keeps in its data block, and the picture is written as a PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"

namespace script {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba; // rows top down, four bytes a pixel: red, green, blue, alpha
};

// A white picture with the polygons filled one over the other, in the colours of a fixed
// palette, each three quarters opaque so that overlaps show. Throws std::runtime_error for a
// value that is not a PolygonF or a polygon without its fill routine.
Picture renderPolygons(host::Host& host, const std::vector<host::Value>& polygons, int width,
                       int height);

// Throws std::runtime_error when the file cannot be written.
void writePng(const std::string& path, const Picture& picture);

} // namespace script
