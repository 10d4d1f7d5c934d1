// Drawing of lines and polygons through the drawing methods of the host's Graphics and
// WebGraphics objects. Desktop graphics take doubles from 2018.02 on and integers before; web
// graphics and polygon filling always take integers.
#include "../bridge/convert.h"
#include "host_cache.h"
#include "lines.h"

namespace lines {
namespace {

constexpr const char* kDrawLineInteger =
    "DrawLine(x1 as Integer,y1 as Integer,x2 as Integer,y2 as Integer)";
constexpr const char* kDrawLineDouble =
    "DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double)";
constexpr const char* kDrawPolygonInteger = "DrawPolygon(point() as Integer)";
constexpr const char* kDrawPolygonDouble = "DrawPolygon(point() as Double)";
constexpr const char* kFillPolygonInteger = "FillPolygon(point() as Integer)";

// Element type codes of host arrays.
constexpr int32_t kDoubleArray = 2;
constexpr int32_t kIntegerArray = 11;

bool doubleDrawing() {
  return g_XojoVersion >= kDoubleDrawingFrom;
}

// Coordinates go to Integer declarations truncated toward zero, saturating, NaN as 0.
int64_t pixel(double coordinate) {
  return tl::saturatingTrunc<int64_t>(coordinate);
}

// The member, loaded from `graphics` by its declaration when still empty and kept from then on.
// Empty when the host cannot supply the method.
template <class Fn>
Fn loaded(plat::Relaxed<Fn>& member, REALobjectStruct* graphics, const char* declaration) {
  Fn fn = member.load();
  if (!fn && hostLoadObjectMethod) {
    fn = tl::as<Fn>(hostLoadObjectMethod(graphics, declaration));
    member.store(fn);
  }
  return fn;
}

void drawLine(const LineFData& s, REALobjectStruct* g, plat::Relaxed<IntegerLineFn>& integerMember,
              bool useDoubles) {
  if (useDoubles) {
    if (DoubleLineFn draw = loaded(hostDrawLineF, g, kDrawLineDouble))
      draw(g, s.x1, s.y1, s.x2, s.y2);
  } else if (IntegerLineFn draw = loaded(integerMember, g, kDrawLineInteger)) {
    draw(g, pixel(s.x1), pixel(s.y1), pixel(s.x2), pixel(s.y2));
  }
}

// The open path through the corners: n - 1 lines, none from the last corner back to the first.
void drawPath(REALobjectStruct* instance, REALobjectStruct* g,
              plat::Relaxed<IntegerLineFn>& integerMember, bool useDoubles) {
  if (useDoubles)
    loaded(hostDrawLineF, g, kDrawLineDouble);
  else
    loaded(integerMember, g, kDrawLineInteger);
  const PolygonFData& p = polygonData(instance);
  for (int64_t k = 0; k + 1 < p.count; ++k) {
    const PointFData &a = p.corners[k], &b = p.corners[k + 1];
    drawLine({a.x, a.y, b.x, b.y}, g, integerMember, useDoubles);
  }
}

// The host's point array of the corners: x of corner k at index 2k - 1, y at 2k, index 0 left
// as the new array has it. Null when the host cannot make the array.
REALarrayStruct* pointArray(const PolygonFData& p, bool doubles) {
  REALarrayStruct* points = REALCreateArray(doubles ? kDoubleArray : kIntegerArray, 2 * p.count);
  if (!points) return nullptr;
  for (int64_t k = 0; k < p.count; ++k) {
    const PointFData& c = p.corners[k];
    if (doubles) {
      REALSetArrayValueDouble(points, 2 * k + 1, c.x);
      REALSetArrayValueDouble(points, 2 * k + 2, c.y);
    } else {
      REALSetArrayValueInteger(points, 2 * k + 1, pixel(c.x));
      REALSetArrayValueInteger(points, 2 * k + 2, pixel(c.y));
    }
  }
  return points;
}

// Builds the point array, then loads the member, calls it and gives the array back. Nothing is
// drawn when the host has no array for it or no such method.
void drawPoints(REALobjectStruct* instance, REALobjectStruct* g,
                plat::Relaxed<PointArrayFn>& member, const char* declaration, bool doubles) {
  REALarrayStruct* points = pointArray(polygonData(instance), doubles);
  if (!points) return;
  if (PointArrayFn draw = loaded(member, g, declaration)) draw(g, points);
  releaseObject(reinterpret_cast<REALobjectStruct*>(points));
}

} // namespace

void Line_Draw(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawLine(lineData(instance), g, hostDrawLine, doubleDrawing());
}

void Line_DrawWeb(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawLine(lineData(instance), g, hostDrawLineWeb, false);
}

void PolygonF_Draw(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  bool doubles = doubleDrawing();
  drawPoints(instance, g, hostDrawPolygon, doubles ? kDrawPolygonDouble : kDrawPolygonInteger,
             doubles);
}

void PolygonF_DrawWeb(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawPoints(instance, g, hostDrawPolygonWeb, kDrawPolygonInteger, false);
}

void PolygonF_DrawPath(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawPath(instance, g, hostDrawLine, doubleDrawing());
}

void PolygonF_DrawPathWeb(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawPath(instance, g, hostDrawLineWeb, false);
}

void PolygonF_Fill(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawPoints(instance, g, hostFillPolygon, kFillPolygonInteger, false);
}

void PolygonF_FillWeb(REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawPoints(instance, g, hostFillPolygonWeb, kFillPolygonInteger, false);
}

} // namespace lines
