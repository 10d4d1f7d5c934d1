// RectF: a mutable axis-aligned rectangle of four stored edges. Width and Height are computed,
// and nothing keeps Left <= Right or Top <= Bottom: only the four-number constructor orders the
// edges and only Inset resets an inverted result.
#include "planar.h"

namespace planar {
tl::ClassRef gRectRef("RectF");
}

namespace {

using namespace planar;

RectFData& self(REALobjectStruct* instance) {
  return rectData(instance);
}

// A new rectangle holding `value`, or nil when the host cannot make one.
REALobjectStruct* newRect(const RectFData& value) {
  REALobjectStruct* result = gRectRef.newInstance();
  if (result) self(result) = value;
  return result;
}

// Run by the host on every new RectF, before any constructor method.
void RectF_DefaultConstructor(REALobjectStruct* instance) {
  self(instance) = {0.0, 0.0, 0.0, 0.0};
}

void RectF_Constructor1(REALobjectStruct*) {}

// The edges are ordered: Left and Top the smaller, Right and Bottom the larger.
void RectF_Constructor2(REALobjectStruct* instance, double x1, double y1, double x2, double y2) {
  self(instance) = {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 > x2 ? x1 : x2, y1 > y2 ? y1 : y2};
}

// The corners are taken as given, without ordering.
void RectF_Constructor3(REALobjectStruct* instance, REALobjectStruct* p1, REALobjectStruct* p2) {
  if (tl::isNil(p1) || tl::isNil(p2)) return;
  const PointFData &a = pointData(p1), &b = pointData(p2);
  self(instance) = {a.x, a.y, b.x, b.y};
}

void RectF_Constructor4(REALobjectStruct* instance, REALobjectStruct* location,
                        REALobjectStruct* size) {
  if (tl::isNil(location) || tl::isNil(size)) return;
  const PointFData& at = pointData(location);
  const SizeFData& extent = sizeData(size);
  self(instance) = {at.x, at.y, at.x + extent.Width, at.y + extent.Height};
}

double getRectWidth(REALobjectStruct* instance, XojoInteger) {
  const RectFData& s = self(instance);
  return s.Right - s.Left;
}

// Left stays; Right moves.
void setRectWidth(REALobjectStruct* instance, XojoInteger, double value) {
  RectFData& s = self(instance);
  s.Right = s.Left + value;
}

double getRectHeight(REALobjectStruct* instance, XojoInteger) {
  const RectFData& s = self(instance);
  return s.Bottom - s.Top;
}

// Top stays; Bottom moves.
void setRectHeight(REALobjectStruct* instance, XojoInteger, double value) {
  RectFData& s = self(instance);
  s.Bottom = s.Top + value;
}

REALobjectStruct* getRectClone(REALobjectStruct* instance, XojoInteger) {
  return newRect(self(instance));
}

void RectF_Offset(REALobjectStruct* instance, double dx, double dy) {
  RectFData& s = self(instance);
  s = {s.Left + dx, s.Top + dy, s.Right + dx, s.Bottom + dy};
}

// Positive values shrink, negative values grow the rectangle. One that turns inside out
// collapses to (0, 0, 0, 0) at the origin, not at its centre.
void RectF_Inset(REALobjectStruct* instance, double x, double y) {
  RectFData& s = self(instance);
  s = {s.Left + x, s.Top + y, s.Right - x, s.Bottom - y};
  if (s.Right <= s.Left || s.Bottom <= s.Top) s = {0.0, 0.0, 0.0, 0.0};
}

// Every edge belongs to the rectangle.
bool contains(const RectFData& s, double x, double y) {
  return s.Left <= x && x <= s.Right && s.Top <= y && y <= s.Bottom;
}

bool RectF_Contains(REALobjectStruct* instance, double x, double y) {
  return contains(self(instance), x, y);
}

bool RectF_ContainsPoint(REALobjectStruct* instance, REALobjectStruct* pt) {
  if (tl::isNil(pt)) return false;
  const PointFData& p = pointData(pt);
  return contains(self(instance), p.x, p.y);
}

// The ellipse inscribed in the rectangle, its boundary included; a rectangle without extent in
// either direction has none.
bool ellipseContains(const RectFData& s, double x, double y) {
  const double rx = (s.Right - s.Left) * 0.5, ry = (s.Bottom - s.Top) * 0.5;
  if (rx <= 0.0 || ry <= 0.0) return false;
  const double dx = x - (s.Left + rx), dy = y - (s.Top + ry);
  return (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1.0;
}

bool RectF_EllipseContains(REALobjectStruct* instance, double x, double y) {
  return ellipseContains(self(instance), x, y);
}

bool RectF_EllipseContainsPoint(REALobjectStruct* instance, REALobjectStruct* pt) {
  if (tl::isNil(pt)) return false;
  const PointFData& p = pointData(pt);
  return ellipseContains(self(instance), p.x, p.y);
}

bool RectF_IsEmpty(REALobjectStruct* instance) {
  const RectFData& s = self(instance);
  return s.Right <= s.Left || s.Bottom <= s.Top;
}

// The smaller left and top, the larger right and bottom; a tie or a NaN takes r2's edge. Empty
// rectangles count like any other.
REALobjectStruct* RectF_Union(REALobjectStruct* instance, REALobjectStruct* r2) {
  if (tl::isNil(r2)) return nullptr;
  const RectFData &s = self(instance), &o = self(r2);
  return newRect({o.Left > s.Left ? s.Left : o.Left, o.Top > s.Top ? s.Top : o.Top,
                  s.Right > o.Right ? s.Right : o.Right,
                  s.Bottom > o.Bottom ? s.Bottom : o.Bottom});
}

bool RectF_Equal(REALobjectStruct* instance, REALobjectStruct* r2) {
  if (tl::isNil(r2)) return false;
  const RectFData &s = self(instance), &o = self(r2);
  return s.Left == o.Left && s.Top == o.Top && s.Right == o.Right && s.Bottom == o.Bottom;
}

// Negative when exactly one extent is.
double RectF_Area(REALobjectStruct* instance) {
  const RectFData& s = self(instance);
  return (s.Right - s.Left) * (s.Bottom - s.Top);
}

// Rectangles that only touch along an edge or at a corner do not intersect.
bool RectF_Intersects(REALobjectStruct* instance, REALobjectStruct* value) {
  if (tl::isNil(value)) return false;
  const RectFData &s = self(instance), &o = self(value);
  return s.Left < o.Right && s.Right > o.Left && s.Top < o.Bottom && s.Bottom > o.Top;
}

void draw(RectDrawing how, REALobjectStruct* instance, REALobjectStruct* g) {
  if (tl::isNil(g)) return;
  drawRect(how, g, self(instance));
}

void RectF_Draw(REALobjectStruct* instance, REALobjectStruct* g) {
  draw(RectDrawing::Draw, instance, g);
}
void RectF_Fill(REALobjectStruct* instance, REALobjectStruct* g) {
  draw(RectDrawing::Fill, instance, g);
}
void RectF_DrawWeb(REALobjectStruct* instance, REALobjectStruct* g) {
  draw(RectDrawing::DrawWeb, instance, g);
}
void RectF_FillWeb(REALobjectStruct* instance, REALobjectStruct* g) {
  draw(RectDrawing::FillWeb, instance, g);
}

// From a Xojo.Core.Rect; a nil rectangle or a property the host cannot read gives 0.
void RectF_Convert(REALobjectStruct* instance, REALobjectStruct* value) {
  double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
  if (value) {
    REALGetPropValueDouble(value, "Left", &left);
    REALGetPropValueDouble(value, "Top", &top);
    REALGetPropValueDouble(value, "Width", &width);
    REALGetPropValueDouble(value, "Height", &height);
  }
  self(instance) = {left, top, left + width, top + height};
}

REALproperty RectProperties[] = {
    TL_DIRECT_PROPERTY("Left", "Double", 0),
    TL_DIRECT_PROPERTY("Top", "Double", 8),
    TL_DIRECT_PROPERTY("Right", "Double", 16),
    TL_DIRECT_PROPERTY("Bottom", "Double", 24),
    TL_COMPUTED_PROPERTY("Width", "Double", getRectWidth, setRectWidth),
    TL_COMPUTED_PROPERTY("Height", "Double", getRectHeight, setRectHeight),
    TL_READONLY_PROPERTY("Clone", "RectF", getRectClone),
};

REALmethodDefinition RectMethods[] = {
    TL_METHOD(RectF_Constructor1, "Constructor()"),
    TL_METHOD(RectF_Constructor2,
              "Constructor(x1 as Double,y1 as Double,x2 as Double,y2 as Double)"),
    TL_METHOD(RectF_Constructor3, "Constructor(p1 as PointF,p2 as PointF)"),
    TL_METHOD(RectF_Constructor4, "Constructor(location as PointF,size as SizeF)"),
    TL_METHOD(RectF_Offset, "Offset(dx as Double, dy as Double)"),
    TL_METHOD(RectF_Inset, "Inset(x as Double, y as Double)"),
    TL_METHOD(RectF_Contains, "Contains(x as Double, y as Double) as Boolean"),
    TL_METHOD(RectF_ContainsPoint, "Contains(pt as PointF) as Boolean"),
    TL_METHOD(RectF_EllipseContains, "EllipseContains(x as Double, y as Double) as Boolean"),
    TL_METHOD(RectF_EllipseContainsPoint, "EllipseContains(pt as PointF) as Boolean"),
    TL_METHOD(RectF_IsEmpty, "IsEmpty() as Boolean"),
    TL_METHOD(RectF_Union, "Union(r2 as RectF) as RectF"),
    TL_METHOD(RectF_Equal, "Equal(r2 as RectF) as Boolean"),
    TL_METHOD(RectF_Area, "Area() as Double"),
    TL_METHOD(RectF_Draw, "Draw(g as Graphics)"),
    TL_METHOD(RectF_Fill, "Fill(g as Graphics)"),
    TL_WEB_METHOD(RectF_DrawWeb, "Draw(g as WebGraphics)"),
    TL_WEB_METHOD(RectF_FillWeb, "Fill(g as WebGraphics)"),
    TL_METHOD(RectF_Intersects, "Intersects(value as RectF) as Boolean"),
    // Withheld from hosts before 2015: keep it last.
    TL_METHOD(RectF_Convert, "Operator_Convert(value as Xojo.Core.Rect)"),
};
static_assert(sizeof(RectMethods) / sizeof(RectMethods[0]) == kRectMethodCount);

} // namespace

namespace planar {
REALclassDefinition RectFClass =
    TL_CLASS("RectF", RectFData, RectF_DefaultConstructor, nullptr, RectProperties, RectMethods);
}
