// PolygonF intersection tests against a line and another polygon, the segment crossing test
// they share with LineF, and VecNorm.
#include "host_cache.h"
#include "lines.h"

namespace lines {

// A-B is turned onto the positive x axis about A; E-F crosses when its ends lie on different
// sides (a point on the axis counting as non-negative) and the crossing lies between A and B.
bool PolygonF_LineSegmentIntersection(double ax, double ay, double bx, double by, double ex,
                                      double ey, double fx, double fy, PointFData* out) {
  if ((ax == bx && ay == by) || (ex == fx && ey == fy)) return false;
  if ((ax == ex && ay == ey) || (bx == ex && by == ey) || (ax == fx && ay == fy) ||
      (bx == fx && by == fy))
    return false;
  bx = bx - ax, by = by - ay, ex = ex - ax, ey = ey - ay, fx = fx - ax, fy = fy - ay;
  double l = plat::sqrt(bx * bx + by * by);
  double cos = bx / l, sin = by / l;
  double eyTurned = ey * cos - ex * sin, fyTurned = fy * cos - fx * sin;
  if (eyTurned == fyTurned) return false;
  if (eyTurned < 0.0 && fyTurned < 0.0) return false;
  if (eyTurned >= 0.0 && fyTurned >= 0.0) return false;
  double exTurned = ex * cos + ey * sin, fxTurned = fx * cos + fy * sin;
  double pos = fxTurned + fyTurned * (exTurned - fxTurned) / (fyTurned - eyTurned);
  if (pos < 0.0 || pos > l) return false;
  if (out) *out = {ax + pos * cos, ay + pos * sin};
  return true;
}

namespace {

// Whether `line` crosses the edge from corner `from` to corner `to`, tested on a temporary LineF
// as the host sees it. Without a temporary the same test runs on the coordinates.
bool crossesEdge(REALobjectStruct* line, const PointFData& from, const PointFData& to) {
  REALobjectStruct* edge = gLineRef.newInstance();
  if (!edge) {
    const LineFData& s = lineData(line);
    return PolygonF_LineSegmentIntersection(s.x1, s.y1, s.x2, s.y2, from.x, from.y, to.x, to.y,
                                            nullptr);
  }
  lineData(edge) = {from.x, from.y, to.x, to.y};
  bool crosses = Line_Intersects2(line, edge, nullptr);
  releaseObject(edge);
  return crosses;
}

} // namespace

// The edges of the open chain, then the edge that closes the polygon; a line that crosses none
// meets the polygon when its first end lies inside.
bool PolygonF_IntersectsLine(REALobjectStruct* instance, REALobjectStruct* line) {
  if (tl::isNil(line)) return false;
  const PolygonFData& p = polygonData(instance);
  int64_t n = p.count;
  if (n < 1) return false;
  for (int64_t k = 0; k + 1 < n; ++k)
    if (crossesEdge(line, p.corners[k], p.corners[k + 1])) return true;
  if (crossesEdge(line, p.corners[n - 1], p.corners[0])) return true;
  const LineFData& s = lineData(line);
  return PolygonF_Contains(instance, s.x1, s.y1);
}

// Every edge of this polygon against every edge of `poly`, both closing edges included; then
// whether either holds the other's first corner. Without the closing edges, two polygons that
// overlap only across one of them would be reported apart.
bool PolygonF_IntersectsPoly(REALobjectStruct* instance, REALobjectStruct* poly) {
  if (tl::isNil(poly)) return false;
  const PolygonFData& p = polygonData(instance);
  const PolygonFData& q = polygonData(poly);
  int64_t n = p.count, m = q.count;
  if (n < 1 || m < 1) return false;
  if (n == 1) return PolygonF_Contains(poly, p.corners[0].x, p.corners[0].y);
  if (m == 1) return PolygonF_Contains(instance, q.corners[0].x, q.corners[0].y);
  if (anyEdgesCross(p, q)) return true;
  if (PolygonF_Contains(instance, q.corners[0].x, q.corners[0].y)) return true;
  return PolygonF_Contains(poly, p.corners[0].x, p.corners[0].y);
}

// A copy moved so that its bounding rectangle starts at the origin; the move applied goes to
// `outOffSet` when given.
REALobjectStruct* PolygonF_VecNorm(REALobjectStruct* instance, REALobjectStruct* outOffSet) {
  REALobjectStruct* bounds = PolygonF_Bounds(instance);
  if (!bounds) return nullptr;
  const RectFData& b = *rectData(bounds);
  double left = b.Left, top = b.Top;
  REALobjectStruct* moved = gPolygonRef.newInstance();
  if (moved) {
    const PolygonFData& p = polygonData(instance);
    for (int64_t i = 0; i < p.count; ++i)
      PolygonF_Add2(moved, p.corners[i].x - left, p.corners[i].y - top);
    if (outOffSet)
      if (PointFData* offset = pointData(outOffSet)) *offset = {-left, -top};
  }
  releaseObject(bounds);
  return moved;
}

} // namespace lines
