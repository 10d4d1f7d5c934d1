// PointF: a mutable point of two doubles.
#include "planar.h"

namespace planar {
tl::ClassRef gPointRef("PointF");
}

namespace {

using namespace planar;

// π rounded to single precision and widened: the angle conversion of the planar classes.
constexpr double kSinglePrecisionPi = 3.1415927410125732;

PointFData& self(REALobjectStruct* instance) {
  return pointData(instance);
}

// A new point holding `value`, or nil when the host cannot make one.
REALobjectStruct* newPoint(const PointFData& value) {
  REALobjectStruct* result = gPointRef.newInstance();
  if (result) self(result) = value;
  return result;
}

void Point_Constructor1(REALobjectStruct* instance) {
  self(instance) = {0.0, 0.0};
}

void Point_Constructor2(REALobjectStruct* instance, double x, double y) {
  self(instance) = {x, y};
}

void PointF_Set(REALobjectStruct* instance, double x, double y) {
  self(instance) = {x, y};
}

REALobjectStruct* getPointClone(REALobjectStruct* instance, XojoInteger) {
  return newPoint(self(instance));
}

REALobjectStruct* Point_Add(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const PointFData &s = self(instance), &r = self(rval);
  return newPoint({s.x + r.x, s.y + r.y});
}

REALobjectStruct* Point_Subtract(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const PointFData &s = self(instance), &r = self(rval);
  return newPoint({s.x - r.x, s.y - r.y});
}

REALstringStruct* Point_Convert(REALobjectStruct* instance) {
  const PointFData& s = self(instance);
  return pairText(s.x, s.y);
}

// Each sign flips: 0 becomes -0.
REALobjectStruct* PointF_Negate(REALobjectStruct* instance) {
  const PointFData& s = self(instance);
  return newPoint({-s.x, -s.y});
}

// Turns the point by `angle` degrees about the centre, from the positive x axis towards the
// positive y axis. A nil centre leaves the point where it is.
void PointF_Rotate(REALobjectStruct* instance, double angle, REALobjectStruct* rotateAroundPoint) {
  if (!rotateAroundPoint) return;
  const PointFData centre = self(rotateAroundPoint); // a copy: the centre may be this point
  PointFData& p = self(instance);
  const double r = (angle * kSinglePrecisionPi) / 180.0;
  const double s = plat::sin(r), c = plat::cos(r);
  const double dx = p.x - centre.x, dy = p.y - centre.y;
  p = {centre.x + (dx * c - dy * s), centre.y + (dx * s + dy * c)};
}

double PointF_Distance(REALobjectStruct* instance, REALobjectStruct* p) {
  if (tl::isNil(p)) return 0.0;
  const PointFData &s = self(instance), &o = self(p);
  const double dx = s.x - o.x, dy = s.y - o.y;
  return plat::sqrt(dx * dx + dy * dy);
}

// IEEE comparison: -0 equals 0 and NaN equals nothing.
bool PointF_Equal(REALobjectStruct* instance, REALobjectStruct* v) {
  if (tl::isNil(v)) return false;
  const PointFData &s = self(instance), &o = self(v);
  return s.x == o.x && s.y == o.y;
}

// The minimum is tested first and wins, also when it is above the maximum; NaN stays NaN.
double clamp(double value, double minimum, double maximum) {
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return value;
}

void PointF_Clamp(REALobjectStruct* instance, double minimum, double maximum) {
  PointFData& s = self(instance);
  s = {clamp(s.x, minimum, maximum), clamp(s.y, minimum, maximum)};
}

// From a Xojo.Core.Point; a nil point or a property the host cannot read gives 0.
void PointF_Convert(REALobjectStruct* instance, REALobjectStruct* value) {
  double x = 0.0, y = 0.0;
  if (value) {
    REALGetPropValueDouble(value, "X", &x);
    REALGetPropValueDouble(value, "Y", &y);
  }
  self(instance) = {x, y};
}

REALproperty PointProperties[] = {
    TL_DIRECT_PROPERTY("x", "Double", 0),
    TL_DIRECT_PROPERTY("y", "Double", 8),
    TL_READONLY_PROPERTY("Clone", "PointF", getPointClone),
};

REALmethodDefinition PointMethods[] = {
    TL_METHOD(Point_Constructor1, "Constructor()"),
    TL_METHOD(Point_Constructor2, "Constructor(x as Double,y as Double)"),
    TL_METHOD(Point_Add, "Operator_Add(rval as PointF) as PointF"),
    TL_METHOD(Point_Subtract, "Operator_Subtract(rval as PointF) as PointF"),
    TL_METHOD(Point_Convert, "Operator_Convert() as String"),
    TL_METHOD(PointF_Negate, "Operator_Negate() as PointF"),
    TL_METHOD(PointF_Rotate, "Rotate(angle as Double,rotateAroundPoint as PointF)"),
    TL_METHOD(PointF_Distance, "Distance(p as PointF) as Double"),
    TL_METHOD(PointF_Set, "Set(x as Double,y as Double)"),
    TL_METHOD(PointF_Equal, "Equal(v as PointF) as Boolean"),
    TL_METHOD(PointF_Clamp, "Clamp(minimum as Double, maximum as Double)"),
    // Withheld from hosts before 2015: keep it last.
    TL_METHOD(PointF_Convert, "Operator_Convert(value as Xojo.Core.Point)"),
};
static_assert(sizeof(PointMethods) / sizeof(PointMethods[0]) == kPointMethodCount);

} // namespace

namespace planar {
REALclassDefinition PointFClass =
    TL_CLASS("PointF", PointFData, nullptr, nullptr, PointProperties, PointMethods);
}
