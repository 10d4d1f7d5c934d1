// A RectF drawn or filled on a host Graphics or WebGraphics. Each host drawing method is loaded by
// its declaration on first use, from the graphics object of that call, and serves every later
// call. Hosts from 2018.02 take the rectangle in Doubles; the others, and every WebGraphics, in
// Integers.
#include "../bridge/convert.h"
#include "host_cache.h"
#include "planar.h"

namespace {

using namespace planar;

constexpr const char* kDrawRectIntegers =
    "DrawRect(x as Integer,y as Integer,width as Integer,height as Integer)";
constexpr const char* kFillRectIntegers =
    "FillRect(x as Integer,y as Integer,width as Integer,height as Integer)";
constexpr const char* kDrawRectDoubles =
    "DrawRect(x as Double,y as Double,width as Double,height as Double)";
constexpr const char* kFillRectDoubles =
    "FillRect(x as Double,y as Double,width as Double,height as Double)";

struct DrawingMethods {
  plat::Relaxed<IntegerRectFn>* integers;
  const char* integerDeclaration;
  plat::Relaxed<DoubleRectFn>* doubles; // null: the Integer form on every host
  const char* doubleDeclaration;
};

// In the order of RectDrawing.
const DrawingMethods kDrawingMethods[] = {
    {&hostGraphicsDrawRect, kDrawRectIntegers, &hostGraphicsDrawRectF, kDrawRectDoubles},
    {&hostGraphicsFillRect, kFillRectIntegers, &hostGraphicsFillRectF, kFillRectDoubles},
    {&hostGraphicsDrawRectWeb, kDrawRectIntegers, nullptr, nullptr},
    {&hostGraphicsFillRectWeb, kFillRectIntegers, nullptr, nullptr},
};

// The kept method, or the one `graphics` offers for `declaration`; empty when the host offers
// none, in which case the next call asks again.
template <class Fn>
Fn method(plat::Relaxed<Fn>& member, REALobjectStruct* graphics, const char* declaration) {
  Fn fn = member.load();
  if (!fn && hostLoadObjectMethod) {
    fn = tl::as<Fn>(hostLoadObjectMethod(graphics, declaration));
    member.store(fn);
  }
  return fn;
}

// Truncation toward zero of each value, the extents after the subtraction.
XojoInteger integer(double value) {
  return tl::saturatingTrunc<XojoInteger>(value);
}

} // namespace

namespace planar {

void drawRect(RectDrawing how, REALobjectStruct* graphics, const RectFData& r) {
  const DrawingMethods& methods = kDrawingMethods[static_cast<int>(how)];
  const double width = r.Right - r.Left, height = r.Bottom - r.Top;
  if (methods.doubles && g_XojoVersion >= kDoubleDrawingFrom) {
    if (DoubleRectFn fn = method(*methods.doubles, graphics, methods.doubleDeclaration))
      fn(graphics, r.Left, r.Top, width, height);
    return;
  }
  if (IntegerRectFn fn = method(*methods.integers, graphics, methods.integerDeclaration))
    fn(graphics, integer(r.Left), integer(r.Top), integer(width), integer(height));
}

} // namespace planar
