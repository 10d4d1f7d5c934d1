// VectorF_3D: a mutable three-dimensional vector of doubles, and the entry of Tessaline3,
// Tessaline3Mac and Tessaline3Linux.
#include "../../bridge/class_support.h"

namespace {

struct VectorF_3DData {
  double x, y, z;
};
static_assert(sizeof(VectorF_3DData) == 24);

// Sums of products. The Apple flavour evaluates them with fused multiply-add, one rounding per
// multiply-add; the Linux flavour rounds every product and adds left to right in x, y, z order.
#if TESSALINE_APPLE_FLAVOUR
double squares3(double x, double y, double z) {
  return plat::fma(z, z, plat::fma(x, x, y * y));
}
double squares2(double a, double b) {
  return plat::fma(a, a, b * b);
}
double dot(const VectorF_3DData& s, const VectorF_3DData& r) {
  return plat::fma(r.z, s.z, plat::fma(r.x, s.x, r.y * s.y));
}
#else
double squares3(double x, double y, double z) {
  return (x * x + y * y) + z * z;
}
double squares2(double a, double b) {
  return a * a + b * b;
}
double dot(const VectorF_3DData& s, const VectorF_3DData& r) {
  return (s.x * r.x + s.y * r.y) + s.z * r.z;
}
#endif

constexpr double kPi = 3.141592653589793;
constexpr double kCompareTolerance = 0.000001;

double length(const VectorF_3DData& v) {
  return plat::sqrt(squares3(v.x, v.y, v.z));
}
double degrees(double radians) {
  return (radians * 180.0) / kPi;
}

extern REALclassDefinition VectorF_3DClass;
tl::ClassRef gVectorRef("VectorF_3D");

VectorF_3DData& self(REALobjectStruct* instance) {
  return tl::dataOf<VectorF_3DData>(instance, VectorF_3DClass);
}

// A new vector holding `value`, or nil when the host cannot make one.
REALobjectStruct* newVector(const VectorF_3DData& value) {
  REALobjectStruct* result = gVectorRef.newInstance();
  if (result) self(result) = value;
  return result;
}

void VectorF_3D_Constructor1(REALobjectStruct* instance) {
  self(instance) = {0.0, 0.0, 0.0};
}

void VectorF_3D_Constructor2(REALobjectStruct* instance, double x, double y, double z) {
  self(instance) = {x, y, z};
}

void VectorF_3D_Set(REALobjectStruct* instance, double x, double y, double z) {
  self(instance) = {x, y, z};
}

void VectorF_3D_Abs(REALobjectStruct* instance) {
  VectorF_3DData& s = self(instance);
  s = {plat::fabs(s.x), plat::fabs(s.y), plat::fabs(s.z)};
}

// The minimum is tested first and wins; a NaN component or bound fails its test.
double clamp(double c, double minimum, double maximum) {
  if (c < minimum) return minimum;
  if (c > maximum) return maximum;
  return c;
}

void VectorF_3D_Clamp(REALobjectStruct* instance, double minimum, double maximum) {
  VectorF_3DData& s = self(instance);
  s = {clamp(s.x, minimum, maximum), clamp(s.y, minimum, maximum), clamp(s.z, minimum, maximum)};
}

void VectorF_3D_Scale(REALobjectStruct* instance, double factor) {
  VectorF_3DData& s = self(instance);
  s = {s.x * factor, s.y * factor, s.z * factor};
}

// Multiplication by the reciprocal of the length, not division by it.
void VectorF_3D_Normalize(REALobjectStruct* instance) {
  VectorF_3DData& s = self(instance);
  double k = 1.0 / length(s);
  s = {s.x * k, s.y * k, s.z * k};
}

REALobjectStruct* VectorF_3D_Add(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const VectorF_3DData &s = self(instance), &r = self(rval);
  return newVector({s.x + r.x, s.y + r.y, s.z + r.z});
}

REALobjectStruct* VectorF_3D_Subtract(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const VectorF_3DData &s = self(instance), &r = self(rval);
  return newVector({s.x - r.x, s.y - r.y, s.z - r.z});
}

REALobjectStruct* VectorF_3D_Multiply(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const VectorF_3DData &s = self(instance), &r = self(rval);
  return newVector({s.x * r.x, s.y * r.y, s.z * r.z});
}

REALobjectStruct* VectorF_3D_Multiply2(REALobjectStruct* instance, double rval) {
  const VectorF_3DData& s = self(instance);
  return newVector({s.x * rval, s.y * rval, s.z * rval});
}

REALobjectStruct* VectorF_3D_Divide(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const VectorF_3DData &s = self(instance), &r = self(rval);
  return newVector({s.x / r.x, s.y / r.y, s.z / r.z});
}

REALobjectStruct* VectorF_3D_Negate(REALobjectStruct* instance) {
  const VectorF_3DData& s = self(instance);
  return newVector({-s.x, -s.y, -s.z});
}

// Not clamped to [-1, 1]: rounding can take the quotient outside and give NaN.
double VectorF_3D_Angle(REALobjectStruct* instance, REALobjectStruct* v) {
  if (tl::isNil(v)) return 0.0;
  const VectorF_3DData &s = self(instance), &r = self(v);
  return plat::acos(dot(s, r) / (length(s) * length(r)));
}

bool VectorF_3D_Equal(REALobjectStruct* instance, REALobjectStruct* v) {
  if (tl::isNil(v)) return false;
  const VectorF_3DData &s = self(instance), &r = self(v);
  return s.x == r.x && s.y == r.y && s.z == r.z;
}

double VectorF_3D_Length(REALobjectStruct* instance) {
  return length(self(instance));
}

double VectorF_3D_Distance(REALobjectStruct* instance, REALobjectStruct* v) {
  if (tl::isNil(v)) return 0.0;
  const VectorF_3DData &s = self(instance), &r = self(v);
  return plat::sqrt(squares3(s.x - r.x, s.y - r.y, s.z - r.z));
}

// The first component, in x, y, z order, that differs by more than the tolerance decides. A NaN
// difference fails every test, so a comparison that nothing decides gives 1.
XojoInteger VectorF_3D_Compare(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return 0;
  const VectorF_3DData &s = self(instance), &r = self(rval);
  double dx = plat::fabs(s.x - r.x), dy = plat::fabs(s.y - r.y), dz = plat::fabs(s.z - r.z);
  if (dx <= kCompareTolerance && dy <= kCompareTolerance && dz <= kCompareTolerance) return 0;
  if (dx > kCompareTolerance) return s.x < r.x ? -1 : 1;
  if (dy > kCompareTolerance) return s.y < r.y ? -1 : 1;
  return s.z < r.z && dz > kCompareTolerance ? -1 : 1;
}

double VectorF_3D_Pitch(REALobjectStruct* instance) {
  const VectorF_3DData& s = self(instance);
  return degrees(plat::atan(s.x / plat::sqrt(squares2(s.y, s.z))));
}

double VectorF_3D_Yew(REALobjectStruct* instance) {
  const VectorF_3DData& s = self(instance);
  return degrees(plat::atan(s.z / plat::sqrt(squares2(s.x, s.y))));
}

double VectorF_3D_Roll(REALobjectStruct* instance) {
  const VectorF_3DData& s = self(instance);
  return degrees(plat::atan(s.y / plat::sqrt(squares2(s.x, s.z))));
}

// A bit-for-bit copy: NaN payloads and signed zeros survive.
REALobjectStruct* getVectorClone(REALobjectStruct* instance, XojoInteger) {
  return newVector(self(instance));
}

REALproperty VectorProperties[] = {
    TL_DIRECT_PROPERTY("x", "Double", 0),
    TL_DIRECT_PROPERTY("y", "Double", 8),
    TL_DIRECT_PROPERTY("z", "Double", 16),
    TL_READONLY_PROPERTY("Clone", "VectorF_3D", getVectorClone),
};

REALmethodDefinition VectorMethods[] = {
    TL_METHOD(VectorF_3D_Constructor1, "Constructor()"),
    TL_METHOD(VectorF_3D_Constructor2, "Constructor(x as Double,y as Double,z as Double)"),
    TL_METHOD(VectorF_3D_Abs, "Abs()"),
    TL_METHOD(VectorF_3D_Clamp, "Clamp(minimum as Double, maximum as Double)"),
    TL_METHOD(VectorF_3D_Set, "Set(x as Double,y as Double,z as Double)"),
    TL_METHOD(VectorF_3D_Scale, "Scale(factor as Double)"),
    TL_METHOD(VectorF_3D_Add, "Operator_Add(rval as VectorF_3D) as VectorF_3D"),
    TL_METHOD(VectorF_3D_Subtract, "Operator_Subtract(rval as VectorF_3D) as VectorF_3D"),
    TL_METHOD(VectorF_3D_Multiply, "Operator_Multiply(rval as VectorF_3D) as VectorF_3D"),
    TL_METHOD(VectorF_3D_Multiply2, "Operator_Multiply(rval as Double) as VectorF_3D"),
    TL_METHOD(VectorF_3D_Divide, "Operator_Divide(rval as VectorF_3D) as VectorF_3D"),
    TL_METHOD(VectorF_3D_Negate, "Operator_Negate() as VectorF_3D"),
    TL_METHOD(VectorF_3D_Angle, "Angle(v as VectorF_3D) as Double"),
    TL_METHOD(VectorF_3D_Equal, "Equal(v as VectorF_3D) as Boolean"),
    TL_METHOD(VectorF_3D_Length, "Length() as Double"),
    TL_METHOD(VectorF_3D_Normalize, "Normalize()"),
    TL_METHOD(VectorF_3D_Distance, "Distance(v as VectorF_3D) as Double"),
    TL_METHOD(VectorF_3D_Compare, "Operator_Compare(rval as VectorF_3D) as Integer"),
    TL_METHOD(VectorF_3D_Pitch, "Pitch() as Double"),
    TL_METHOD(VectorF_3D_Yew, "Yew() as Double"),
    TL_METHOD(VectorF_3D_Roll, "Roll() as Double"),
};

REALclassDefinition VectorF_3DClass =
    TL_CLASS("VectorF_3D", VectorF_3DData, nullptr, nullptr, VectorProperties, VectorMethods);

} // namespace

extern "C" TL_EXPORT void PluginEntry() {
  REALGetRBVersion(); // every host gets the same class
  gVectorRef.clear();
  SetClassConsoleSafe(&VectorF_3DClass);
  REALRegisterClass(&VectorF_3DClass);
}
