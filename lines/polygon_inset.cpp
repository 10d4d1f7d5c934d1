// PolygonF inset: every edge moves parallel to itself and each corner goes where its two moved
// edges meet.
#include "lines.h"

namespace lines {
namespace {

// Where the infinite line through A and B meets the one through E and F; the point goes to
// `out` when given. Parallel lines, or a line given by two equal points, do not meet.
bool PolygonF_LineIntersection(double ax, double ay, double bx, double by, double ex, double ey,
                               double fx, double fy, PointFData* out) {
  if ((ax == bx && ay == by) || (ex == fx && ey == fy)) return false;
  bx = bx - ax, by = by - ay, ex = ex - ax, ey = ey - ay, fx = fx - ax, fy = fy - ay;
  double l = plat::sqrt(bx * bx + by * by);
  double cos = bx / l, sin = by / l;
  double eyTurned = ey * cos - ex * sin, fyTurned = fy * cos - fx * sin;
  if (eyTurned == fyTurned) return false;
  if (out) {
    double exTurned = ex * cos + ey * sin, fxTurned = fx * cos + fy * sin;
    double pos = fxTurned + fyTurned * (exTurned - fxTurned) / (fyTurned - eyTurned);
    *out = {ax + pos * cos, ay + pos * sin};
  }
  return true;
}

// Moves corner (c, d), between (a, b) before it and (e, f) after it, by the offset g of both
// its edges. A corner next to a zero-length edge, or whose moved edges are parallel without
// meeting at the moved corner, keeps `out` as it is.
void PolygonF_InsetCorner(double a, double b, double c, double d, double e, double f,
                          PointFData* out, double g) {
  double dx1 = c - a, dy1 = d - b;
  double dist1 = plat::sqrt(dx1 * dx1 + dy1 * dy1);
  if (dist1 == 0.0) return;
  double dx2 = e - c, dy2 = f - d;
  double dist2 = plat::sqrt(dx2 * dx2 + dy2 * dy2);
  if (dist2 == 0.0) return;
  double ix1 = (dy1 / dist1) * g, iy1 = (-dx1 / dist1) * g;
  double ix2 = (dy2 / dist2) * g, iy2 = (-dx2 / dist2) * g;
  if (c + ix1 == c + ix2 && d + iy1 == d + iy2) {
    *out = {c + ix1, d + iy1};
    return;
  }
  PolygonF_LineIntersection(a + ix1, b + iy1, c + ix1, d + iy1, c + ix2, d + iy2, e + ix2, f + iy2,
                            out);
}

} // namespace

// Positive distances shrink a polygon whose corners run clockwise on a y-down screen (negative
// Area) and grow one that runs the other way. Every corner is computed from the positions its
// neighbours had before the inset.
void PolygonF_Inset(REALobjectStruct* instance, double distance) {
  PolygonFData& p = polygonData(instance);
  int64_t n = p.count;
  if (n < 3) return;
  double g = -distance;
  const PointFData first = p.corners[0];
  double a = p.corners[n - 1].x, b = p.corners[n - 1].y;
  double c = first.x, d = first.y;
  for (int64_t i = 0; i < n - 1; ++i) {
    double e = p.corners[i + 1].x, f = p.corners[i + 1].y;
    PolygonF_InsetCorner(a, b, c, d, e, f, &p.corners[i], g);
    a = c, b = d;
    c = e, d = f;
  }
  PolygonF_InsetCorner(a, b, c, d, first.x, first.y, &p.corners[n - 1], g);
}

} // namespace lines
