// PolygonF storage: the growable corner array, appending, single coordinates, moving every
// corner, the bounding rectangle and the copy.
#include "host_cache.h"
#include "lines.h"

namespace lines {
namespace {

// The corner array grows by this many corners at a time.
constexpr int64_t kGrowth = 10;
// No byte count of the array may overflow.
constexpr int64_t kMaxCapacity = PTRDIFF_MAX / static_cast<int64_t>(sizeof(PointFData));

bool validCorner(const PolygonFData& p, XojoInteger index) {
  return index >= 1 && index <= p.count;
}

} // namespace

// The host runs this for every new instance before any method. Should the first allocation
// fail, the polygon starts without an array (capacity 0) and the first append allocates it.
void Polygon_DefaultConstructor(REALobjectStruct* instance) {
  PolygonFData& p = polygonData(instance);
  p.count = 0;
  p.corners = static_cast<PointFData*>(plat::malloc(kGrowth * sizeof(PointFData)));
  p.capacity = p.corners ? kGrowth : 0;
  p.fillToBuffer = PolygonF_FillToBuffer;
  p.methods = PolygonMethods;
}

void Polygon_Destructor(REALobjectStruct* instance) {
  PolygonFData& p = polygonData(instance);
  plat::free(p.corners);
  p.corners = nullptr;
  p.count = 0;
  p.capacity = 0;
}

void PolygonF_Constructor1(REALobjectStruct*) {}

void PolygonF_Constructor2(REALobjectStruct* instance, REALobjectStruct* r) {
  if (tl::isNil(r)) return;
  const RectFData* rect = rectData(r);
  if (!rect) return;
  RectFData e = *rect;
  PolygonF_Add2(instance, e.Left, e.Top);
  PolygonF_Add2(instance, e.Right, e.Top);
  PolygonF_Add2(instance, e.Right, e.Bottom);
  PolygonF_Add2(instance, e.Left, e.Bottom);
}

// When the array cannot grow the corner is dropped and the polygon stays as it was.
void PolygonF_Add2(REALobjectStruct* instance, double x, double y) {
  PolygonFData& p = polygonData(instance);
  if (p.count >= p.capacity) {
    if (p.capacity > kMaxCapacity - kGrowth) return;
    int64_t capacity = p.capacity + kGrowth;
    void* grown = plat::realloc(p.corners, static_cast<size_t>(capacity) * sizeof(PointFData));
    if (!grown) return;
    p.corners = static_cast<PointFData*>(grown);
    p.capacity = capacity;
  }
  p.corners[p.count] = {x, y};
  p.count += 1;
}

void PolygonF_Add(REALobjectStruct* instance, REALobjectStruct* pt) {
  if (tl::isNil(pt)) return;
  const PointFData* p = pointData(pt);
  if (!p) return;
  PolygonF_Add2(instance, p->x, p->y);
}

double PolygonF_GetPointX(REALobjectStruct* instance, XojoInteger index) {
  const PolygonFData& p = polygonData(instance);
  return validCorner(p, index) ? p.corners[index - 1].x : 0.0;
}

void PolygonF_SetPointX(REALobjectStruct* instance, XojoInteger index, double value) {
  PolygonFData& p = polygonData(instance);
  if (validCorner(p, index)) p.corners[index - 1].x = value;
}

double PolygonF_GetPointY(REALobjectStruct* instance, XojoInteger index) {
  const PolygonFData& p = polygonData(instance);
  return validCorner(p, index) ? p.corners[index - 1].y : 0.0;
}

void PolygonF_SetPointY(REALobjectStruct* instance, XojoInteger index, double value) {
  PolygonFData& p = polygonData(instance);
  if (validCorner(p, index)) p.corners[index - 1].y = value;
}

void PolygonF_Offset(REALobjectStruct* instance, double dx, double dy) {
  PolygonFData& p = polygonData(instance);
  for (int64_t i = 0; i < p.count; ++i) {
    p.corners[i].x = p.corners[i].x + dx;
    p.corners[i].y = p.corners[i].y + dy;
  }
}

void PolygonF_Offset2(REALobjectStruct* instance, REALobjectStruct* pt) {
  if (tl::isNil(pt)) return;
  const PointFData* p = pointData(pt);
  if (!p) return;
  PolygonF_Offset(instance, p->x, p->y);
}

// A polygon without corners gives the rectangle as RectF's class constructor made it: zeros.
REALobjectStruct* PolygonF_Bounds(REALobjectStruct* instance) {
  REALobjectStruct* bounds = gRectRef.newInstance();
  if (!bounds) return nullptr;
  RectFData* rect = rectData(bounds);
  if (!rect) {
    releaseObject(bounds);
    return nullptr;
  }
  PolygonF_BoundsBuffer(&polygonData(instance), rect);
  return bounds;
}

REALobjectStruct* PolygonF_Clone(REALobjectStruct* instance, XojoInteger) {
  REALobjectStruct* copy = gPolygonRef.newInstance();
  if (!copy) return nullptr;
  const PolygonFData& p = polygonData(instance);
  for (int64_t i = 0; i < p.count; ++i) PolygonF_Add2(copy, p.corners[i].x, p.corners[i].y);
  return copy;
}

} // namespace lines
