// LineF: a line segment from P1 = (x1, y1) to P2 = (x2, y2) with its measures, tests and
// transformations. Drawing is in drawing.cpp.
#include "host_cache.h"
#include "lines.h"

namespace lines {

// Angles turn into radians with the single-precision value of pi, as in the other classes.
constexpr double kSinglePi = 3.1415927410125732;
// The width of the thin quadrilateral the zone test starts from: 0.00001 in single precision.
constexpr double kZoneSliver = 9.999999747378752e-06;

REALobjectStruct* newPoint(double x, double y) {
  REALobjectStruct* point = gPointRef.newInstance();
  if (!point) return nullptr;
  PointFData* p = pointData(point);
  if (!p) {
    releaseObject(point);
    return nullptr;
  }
  *p = {x, y};
  return point;
}

namespace {

double length(const LineFData& s) {
  double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
  return plat::sqrt(dx * dx + dy * dy);
}

// A new LineF holding `value`, or nil when the host cannot make one.
REALobjectStruct* newLine(const LineFData& value) {
  REALobjectStruct* line = gLineRef.newInstance();
  if (line) lineData(line) = value;
  return line;
}

// |(px - x1)(y2 - y1) - (py - y1)(x2 - x1)|, the doubled area of the triangle P1 P2 pt.
double crossMagnitude(const LineFData& s, double px, double py) {
  return plat::fabs((px - s.x1) * (s.y2 - s.y1) - (py - s.y1) * (s.x2 - s.x1));
}

} // namespace

void Line_Constructor1(REALobjectStruct* instance) {
  lineData(instance) = {0.0, 0.0, 0.0, 0.0};
}

void Line_Constructor2(REALobjectStruct* instance, double x1, double y1, double x2, double y2) {
  lineData(instance) = {x1, y1, x2, y2};
}

void Line_Constructor3(REALobjectStruct* instance, REALobjectStruct* pt1, REALobjectStruct* pt2) {
  if (tl::isNil(pt1) || tl::isNil(pt2)) return;
  const PointFData* p1 = pointData(pt1);
  const PointFData* p2 = pointData(pt2);
  if (!p1 || !p2) return;
  lineData(instance) = {p1->x, p1->y, p2->x, p2->y};
}

REALobjectStruct* getLineClone(REALobjectStruct* instance, XojoInteger) {
  return newLine(lineData(instance));
}

double Line_Length(REALobjectStruct* instance) {
  return length(lineData(instance));
}

double Line_PointDistanceFromInfiniteLine(REALobjectStruct* instance, REALobjectStruct* pt) {
  if (tl::isNil(pt)) return 0.0;
  const PointFData* p = pointData(pt);
  if (!p) return 0.0;
  const LineFData& s = lineData(instance);
  return crossMagnitude(s, p->x, p->y) / length(s);
}

double Line_PointDistanceFromLine(REALobjectStruct* instance, REALobjectStruct* pt) {
  if (tl::isNil(pt)) return 0.0;
  const PointFData* p = pointData(pt);
  if (!p) return 0.0;
  const LineFData& s = lineData(instance);
  double px = p->x, py = p->y;
  double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
  double t = ((px - s.x1) * dx + (py - s.y1) * dy) / (dx * dx + dy * dy);
  if (t < 0.0) {
    double ax = px - s.x1, ay = py - s.y1;
    return plat::sqrt(ax * ax + ay * ay);
  }
  if (t > 1.0) {
    double bx = px - s.x2, by = py - s.y2;
    return plat::sqrt(bx * bx + by * by);
  }
  // Also a zero-length line, whose t is not a number.
  return crossMagnitude(s, px, py) / plat::sqrt(dx * dx + dy * dy);
}

bool Line_Intersects2(REALobjectStruct* instance, REALobjectStruct* ln, REALobjectStruct* pt) {
  if (tl::isNil(ln)) return false;
  PointFData* crossing = nullptr;
  if (pt) {
    crossing = pointData(pt);
    if (!crossing) return false;
  }
  const LineFData& a = lineData(instance);
  const LineFData& e = lineData(ln);
  return PolygonF_LineSegmentIntersection(a.x1, a.y1, a.x2, a.y2, e.x1, e.y1, e.x2, e.y2, crossing);
}

bool Line_Intersects1(REALobjectStruct* instance, REALobjectStruct* ln) {
  return Line_Intersects2(instance, ln, nullptr);
}

// Whether (x, y) lies in a band about `zone` wide on each side of the segment: a thin
// quadrilateral along the segment, widened by the polygon inset, then the containment test.
bool Line_Contains1(REALobjectStruct* instance, double x, double y, double zone) {
  double z = zone > 0.0 ? zone : 0.0;
  REALobjectStruct* band = gPolygonRef.newInstance();
  if (!band) return false;
  LineFData s = lineData(instance);
  PolygonF_Add2(band, s.x1, s.y1);
  PolygonF_Add2(band, s.x2, s.y2);
  PolygonF_Add2(band, s.x2 + kZoneSliver, s.y2 + kZoneSliver);
  PolygonF_Add2(band, s.x1 + kZoneSliver, s.y1 + kZoneSliver);
  PolygonF_Inset(band, -z);
  bool inside = PolygonF_Contains(band, x, y);
  releaseObject(band);
  return inside;
}

bool Line_Contains2(REALobjectStruct* instance, REALobjectStruct* pt, double zone) {
  if (tl::isNil(pt)) return false;
  const PointFData* p = pointData(pt);
  if (!p) return false;
  return Line_Contains1(instance, p->x, p->y, zone);
}

void LineF_Rotate(REALobjectStruct* instance, double angle, REALobjectStruct* rotateAroundPoint) {
  if (!rotateAroundPoint) return;
  const PointFData* centre = pointData(rotateAroundPoint);
  if (!centre) return;
  double cx = centre->x, cy = centre->y;
  double a = (angle * kSinglePi) / 180.0;
  double c = plat::cos(a), s = plat::sin(a);
  LineFData& line = lineData(instance);
  double dx = line.x1 - cx, dy = line.y1 - cy;
  line.x1 = cx + (dx * c - dy * s);
  line.y1 = cy + (dx * s + dy * c);
  dx = line.x2 - cx;
  dy = line.y2 - cy;
  line.x2 = cx + (dx * c - dy * s);
  line.y2 = cy + (dx * s + dy * c);
}

REALobjectStruct* Line_MakeParallel(REALobjectStruct* instance, double distance) {
  const LineFData& s = lineData(instance);
  double len = length(s);
  double ox = ((s.y2 - s.y1) * distance) / len;
  double oy = ((s.x1 - s.x2) * distance) / len;
  return newLine({s.x1 + ox, s.y1 + oy, s.x2 + ox, s.y2 + oy});
}

REALobjectStruct* Line_GetCenter(REALobjectStruct* instance) {
  const LineFData& s = lineData(instance);
  return newPoint((s.x1 + s.x2) * 0.5, (s.y1 + s.y2) * 0.5);
}

// Each end moves `amount` away from the other; a zero-length line has no direction to move in.
REALobjectStruct* Line_ExtendLine(REALobjectStruct* instance, double amount) {
  const LineFData& s = lineData(instance);
  double len = length(s);
  if (len == 0.0) return nullptr;
  double k = amount / len;
  return newLine({s.x1 + k * (s.x1 - s.x2), s.y1 + k * (s.y1 - s.y2), s.x2 + k * (s.x2 - s.x1),
                  s.y2 + k * (s.y2 - s.y1)});
}

REALobjectStruct* Line_ExtendLineByRatio(REALobjectStruct* instance, double portion) {
  double amount = (length(lineData(instance)) * -0.5) * (1.0 - portion);
  return Line_ExtendLine(instance, amount);
}

} // namespace lines
