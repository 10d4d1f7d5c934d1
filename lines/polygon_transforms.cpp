// PolygonF rotation and scaling, in place. Every rotation goes through PolygonF_Rotate4, which
// turns each corner in polar coordinates about the centre.
#include "host_cache.h"
#include "lines.h"

namespace lines {
namespace {

constexpr double kSinglePi = 3.1415927410125732;

} // namespace

// The half-turn added for corners left of the centre is the same single-precision pi, so such
// corners move by a tiny angle even when `angle` is 0.
void PolygonF_Rotate4(REALobjectStruct* instance, double angle, PointFData centre) {
  PolygonFData& p = polygonData(instance);
  if (p.count < 1) return;
  double a = (angle * kSinglePi) / 180.0;
  for (int64_t i = 0; i < p.count; ++i) {
    PointFData& c = p.corners[i];
    if (c.x == centre.x && c.y == centre.y) continue;
    double dx = c.x - centre.x, dy = c.y - centre.y;
    double r = plat::sqrt(dx * dx + dy * dy);
    double h = dx < 0.0 ? kSinglePi : 0.0;
    double theta = a + (h + plat::atan(dy / dx));
    c.x = centre.x + r * plat::cos(theta);
    c.y = centre.y + r * plat::sin(theta);
  }
}

// About the centre of the bounding rectangle.
void PolygonF_Rotate(REALobjectStruct* instance, double angle) {
  REALobjectStruct* bounds = PolygonF_Bounds(instance);
  if (!bounds) return;
  const RectFData& b = *rectData(bounds);
  PointFData centre = {b.Left + (b.Right - b.Left) * 0.5, b.Top + (b.Bottom - b.Top) * 0.5};
  PolygonF_Rotate4(instance, angle, centre);
  releaseObject(bounds);
}

void PolygonF_Rotate2(REALobjectStruct* instance, double angle, XojoInteger rotateAroundCorner) {
  const PolygonFData& p = polygonData(instance);
  if (rotateAroundCorner < 1 || rotateAroundCorner > p.count) return;
  PolygonF_Rotate4(instance, angle, p.corners[rotateAroundCorner - 1]);
}

void PolygonF_Rotate3(REALobjectStruct* instance, double angle,
                      REALobjectStruct* rotateAroundPoint) {
  if (!rotateAroundPoint) return;
  const PointFData* centre = pointData(rotateAroundPoint);
  if (!centre) return;
  PolygonF_Rotate4(instance, angle, *centre);
}

void PolygonF_Scale(REALobjectStruct* instance, double dx, double dy) {
  PolygonFData& p = polygonData(instance);
  for (int64_t i = 0; i < p.count; ++i) {
    p.corners[i].x = p.corners[i].x * dx;
    p.corners[i].y = p.corners[i].y * dy;
  }
}

// Mode 0 keeps the pinned corner in place, 1 keeps its x, 2 its y; any other mode scales about
// the origin. Corner 0 does not exist, so it can only be named with such another mode.
void PolygonF_Scale2(REALobjectStruct* instance, double dx, double dy, XojoInteger pinPoint,
                     XojoInteger mode) {
  PolygonFData& p = polygonData(instance);
  if (pinPoint < 0 || pinPoint > p.count) return;
  bool keepX = mode == 0 || mode == 1, keepY = mode == 0 || mode == 2;
  double offX = 0.0, offY = 0.0;
  if (keepX || keepY) {
    if (pinPoint == 0) return;
    const PointFData pin = p.corners[pinPoint - 1];
    if (keepX) offX = pin.x * dx - pin.x;
    if (keepY) offY = pin.y * dy - pin.y;
  }
  for (int64_t i = 0; i < p.count; ++i) {
    p.corners[i].x = p.corners[i].x * dx - offX;
    p.corners[i].y = p.corners[i].y * dy - offY;
  }
}

} // namespace lines
