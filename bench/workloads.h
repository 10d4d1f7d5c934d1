// The work every contender does: the same polygons, the same buffers, the same points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct XY {
  double x, y;
};
using Corners = std::vector<XY>;

// A raster fill: polygons painted one after another into one buffer of 32-bit pixels.
struct FillWorkload {
  std::string name, what;
  int width, height;
  std::vector<Corners> polygons;
};

// W1 .. W5.
const std::vector<FillWorkload>& fillWorkloads();

// A star of `points` points (2 * points corners) about (cx, cy).
Corners star(int points, double cx, double cy, double outer, double inner);
// A regular polygon of n corners.
Corners regular(int n, double cx, double cy, double radius);

// Points strewn over a box, the same for every contender.
std::vector<XY> probePoints(int count, double left, double top, double right, double bottom);

} // namespace bench
