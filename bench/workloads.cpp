#include "workloads.h"

#include <cmath>
#include <random>

namespace bench {

Corners star(int points, double cx, double cy, double outer, double inner) {
  Corners c;
  for (int k = 0; k < 2 * points; ++k) {
    double angle = 3.141592653589793 * k / points, r = k % 2 ? inner : outer;
    c.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return c;
}

Corners regular(int n, double cx, double cy, double radius) {
  Corners c;
  for (int k = 0; k < n; ++k) {
    double angle = 2 * 3.141592653589793 * k / n;
    c.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
  }
  return c;
}

std::vector<XY> probePoints(int count, double left, double top, double right, double bottom) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> x(left, right), y(top, bottom);
  std::vector<XY> out;
  for (int k = 0; k < count; ++k) out.push_back({x(random), y(random)});
  return out;
}

namespace {

std::vector<FillWorkload> makeWorkloads() {
  std::vector<FillWorkload> w;
  // About 60 % of the buffer, off the pixel grid.
  w.push_back({"W1",
               "1920×1080, rectangle over 60 %",
               1920,
               1080,
               {{{216.3, 121.7}, {1703.7, 121.7}, {1703.7, 958.3}, {216.3, 958.3}}}});
  w.push_back({"W2",
               "1920×1080, 64-corner regular polygon, radius 500",
               1920,
               1080,
               {regular(64, 960, 540, 500)}});
  w.push_back({"W3",
               "4096×4096, 2000-corner star, radii 1900 and 1500",
               4096,
               4096,
               {star(1000, 2048, 2048, 1900, 1500)}});

  std::mt19937 random(4);
  std::uniform_real_distribution<double> centre(24, 488), offset(-24, 24);
  FillWorkload triangles{"W4", "512×512, 100 small random triangles", 512, 512, {}};
  for (int k = 0; k < 100; ++k) {
    double cx = centre(random), cy = centre(random);
    Corners t;
    for (int c = 0; c < 3; ++c) t.push_back({cx + offset(random), cy + offset(random)});
    triangles.polygons.push_back(t);
  }
  w.push_back(triangles);

  std::uniform_real_distribution<double> x(0, 1920), y(0, 1080);
  Corners scattered;
  for (int k = 0; k < 200; ++k) scattered.push_back({x(random), y(random)});
  w.push_back(
      {"W5", "1920×1080, 200-corner random self-crossing polygon", 1920, 1080, {scattered}});
  return w;
}

} // namespace

const std::vector<FillWorkload>& fillWorkloads() {
  static const std::vector<FillWorkload> w = makeWorkloads();
  return w;
}

} // namespace bench
