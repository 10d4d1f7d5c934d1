// SizeF: a mutable pair of extents, Width and Height, with the operators and text of PointF.
#include "planar.h"

namespace planar {
tl::ClassRef gSizeRef("SizeF");
}

namespace {

using namespace planar;

SizeFData& self(REALobjectStruct* instance) {
  return sizeData(instance);
}

// A new size holding `value`, or nil when the host cannot make one.
REALobjectStruct* newSize(const SizeFData& value) {
  REALobjectStruct* result = gSizeRef.newInstance();
  if (result) self(result) = value;
  return result;
}

void Size_Constructor1(REALobjectStruct* instance) {
  self(instance) = {0.0, 0.0};
}

void Size_Constructor2(REALobjectStruct* instance, double width, double height) {
  self(instance) = {width, height};
}

REALobjectStruct* getSizeClone(REALobjectStruct* instance, XojoInteger) {
  return newSize(self(instance));
}

REALobjectStruct* Size_Add(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const SizeFData &s = self(instance), &r = self(rval);
  return newSize({s.Width + r.Width, s.Height + r.Height});
}

REALobjectStruct* Size_Subtract(REALobjectStruct* instance, REALobjectStruct* rval) {
  if (tl::isNil(rval)) return nullptr;
  const SizeFData &s = self(instance), &r = self(rval);
  return newSize({s.Width - r.Width, s.Height - r.Height});
}

REALstringStruct* Size_Convert(REALobjectStruct* instance) {
  const SizeFData& s = self(instance);
  return pairText(s.Width, s.Height);
}

// Each sign flips: 0 becomes -0.
REALobjectStruct* Size_Negate(REALobjectStruct* instance) {
  const SizeFData& s = self(instance);
  return newSize({-s.Width, -s.Height});
}

// From a Xojo.Core.Size; a nil size or a property the host cannot read gives 0.
void SizeF_Convert(REALobjectStruct* instance, REALobjectStruct* value) {
  double width = 0.0, height = 0.0;
  if (value) {
    REALGetPropValueDouble(value, "Width", &width);
    REALGetPropValueDouble(value, "Height", &height);
  }
  self(instance) = {width, height};
}

REALproperty SizeProperties[] = {
    TL_DIRECT_PROPERTY("Width", "Double", 0),
    TL_DIRECT_PROPERTY("Height", "Double", 8),
    TL_READONLY_PROPERTY("Clone", "SizeF", getSizeClone),
};

REALmethodDefinition SizeMethods[] = {
    TL_METHOD(Size_Constructor1, "Constructor()"),
    TL_METHOD(Size_Constructor2, "Constructor(width as Double,height as Double)"),
    TL_METHOD(Size_Add, "Operator_Add(rval as SizeF) as SizeF"),
    TL_METHOD(Size_Subtract, "Operator_Subtract(rval as SizeF) as SizeF"),
    TL_METHOD(Size_Convert, "Operator_Convert() as String"),
    TL_METHOD(Size_Negate, "Operator_Negate() as SizeF"),
    // Withheld from hosts before 2015: keep it last.
    TL_METHOD(SizeF_Convert, "Operator_Convert(value as Xojo.Core.Size)"),
};
static_assert(sizeof(SizeMethods) / sizeof(SizeMethods[0]) == kSizeMethodCount);

} // namespace

namespace planar {
REALclassDefinition SizeFClass =
    TL_CLASS("SizeF", SizeFData, nullptr, nullptr, SizeProperties, SizeMethods);
}
