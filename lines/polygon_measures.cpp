// PolygonF measures and containment: signed area, centroid, the even-odd point test and the
// corner hit test. The polygon is closed: after the last corner comes the first.
#include "lines.h"

namespace lines {

// Minus the shoelace area: corners running clockwise on a y-down screen give a negative area.
double PolygonF_Area(REALobjectStruct* instance) {
  const PolygonFData& p = polygonData(instance);
  if (p.count < 1) return 0.0;
  double sum = 0.0;
  for (int64_t i = 0; i < p.count; ++i) {
    const PointFData& a = p.corners[i];
    const PointFData& b = p.corners[i + 1 < p.count ? i + 1 : 0];
    sum = sum + ((b.x - a.x) * (b.y + a.y)) * 0.5;
  }
  return sum;
}

// The centroid of the area, whichever way the corners run. A polygon without area gives what
// IEEE arithmetic gives for the division by zero.
REALobjectStruct* PolygonF_FindCentroid(REALobjectStruct* instance) {
  const PolygonFData& p = polygonData(instance);
  double sx = 0.0, sy = 0.0;
  for (int64_t i = 0; i < p.count; ++i) {
    const PointFData& a = p.corners[i];
    const PointFData& b = p.corners[i + 1 < p.count ? i + 1 : 0];
    double c = a.x * b.y - b.x * a.y;
    sx = sx + (a.x + b.x) * c;
    sy = sy + (b.y + a.y) * c;
  }
  double d = PolygonF_Area(instance) * 6.0;
  return newPoint(-sx / d, -sy / d);
}

// The even-odd rule. An edge counts for the heights above its lower end up to and including its
// upper end, and toggles when it meets the horizontal strictly left of the point.
bool PolygonF_Contains(REALobjectStruct* instance, double x, double y) {
  const PolygonFData& p = polygonData(instance);
  if (p.count < 1) return false;
  bool inside = false;
  for (int64_t i = 0, j = p.count - 1; i < p.count; j = i++) {
    const PointFData& a = p.corners[i];
    const PointFData& b = p.corners[j];
    if ((a.y < y && b.y >= y) || (b.y < y && a.y >= y)) {
      double xc = a.x + ((y - a.y) / (b.y - a.y)) * (b.x - a.x);
      if (xc < x) inside = !inside;
    }
  }
  return inside;
}

bool PolygonF_ContainsPoint(REALobjectStruct* instance, REALobjectStruct* pt) {
  if (tl::isNil(pt)) return false;
  const PointFData* p = pointData(pt);
  if (!p) return false;
  return PolygonF_Contains(instance, p->x, p->y);
}

// The first corner whose square of half-side `tolerance` (borders included) holds the point.
XojoInteger PolygonF_HitTestCorner(REALobjectStruct* instance, double x, double y,
                                   XojoInteger tolerance) {
  const PolygonFData& p = polygonData(instance);
  double t = static_cast<double>(tolerance);
  for (int64_t i = 0; i < p.count; ++i) {
    const PointFData& c = p.corners[i];
    if (c.x - t <= x && x <= c.x + t && c.y - t <= y && y <= c.y + t) return i + 1;
  }
  return 0;
}

} // namespace lines
