// What the files of Tessaline2 share: the LineF data block, the class definitions and class
// references, and every method and routine that one file defines and another file or the class
// tables use.
#pragma once

#include "../bridge/class_support.h"
#include "polygon_data.h"

namespace lines {

struct LineFData {
  double x1, y1, x2, y2;
};
static_assert(sizeof(LineFData) == 32 && offsetof(LineFData, y1) == 8 &&
              offsetof(LineFData, x2) == 16 && offsetof(LineFData, y2) == 24);

extern REALclassDefinition LineFClass;
extern REALclassDefinition PolygonFClass;
extern REALmethodDefinition PolygonMethods[];

// Filled by name on first use; cleared by PluginEntry. "PointF" and "RectF" belong to
// Tessaline1 and are reached only through the host.
extern tl::ClassRef gLineRef;
extern tl::ClassRef gPolygonRef;
extern tl::ClassRef gPointRef;
extern tl::ClassRef gRectRef;

inline LineFData& lineData(REALobjectStruct* line) {
  return tl::dataOf<LineFData>(line, LineFClass);
}
inline PolygonFData& polygonData(REALobjectStruct* polygon) {
  return tl::dataOf<PolygonFData>(polygon, PolygonFClass);
}
// The blocks of Tessaline1's objects; null when that class is not registered with the host.
inline PointFData* pointData(REALobjectStruct* point) {
  return gPointRef.pluginData<PointFData>(point);
}
inline RectFData* rectData(REALobjectStruct* rect) {
  return gRectRef.pluginData<RectFData>(rect);
}

// A new PointF holding (x, y), or nil when the host cannot make one.
REALobjectStruct* newPoint(double x, double y);

// --- LineF (line.cpp) ---------------------------------------------------------------------
void Line_Constructor1(REALobjectStruct* instance);
void Line_Constructor2(REALobjectStruct* instance, double x1, double y1, double x2, double y2);
void Line_Constructor3(REALobjectStruct* instance, REALobjectStruct* pt1, REALobjectStruct* pt2);
bool Line_Contains1(REALobjectStruct* instance, double x, double y, double zone);
bool Line_Contains2(REALobjectStruct* instance, REALobjectStruct* pt, double zone);
double Line_Length(REALobjectStruct* instance);
bool Line_Intersects1(REALobjectStruct* instance, REALobjectStruct* ln);
bool Line_Intersects2(REALobjectStruct* instance, REALobjectStruct* ln, REALobjectStruct* pt);
void LineF_Rotate(REALobjectStruct* instance, double angle, REALobjectStruct* rotateAroundPoint);
REALobjectStruct* Line_MakeParallel(REALobjectStruct* instance, double distance);
REALobjectStruct* Line_GetCenter(REALobjectStruct* instance);
REALobjectStruct* Line_ExtendLine(REALobjectStruct* instance, double amount);
REALobjectStruct* Line_ExtendLineByRatio(REALobjectStruct* instance, double portion);
double Line_PointDistanceFromInfiniteLine(REALobjectStruct* instance, REALobjectStruct* pt);
double Line_PointDistanceFromLine(REALobjectStruct* instance, REALobjectStruct* pt);
REALobjectStruct* getLineClone(REALobjectStruct* instance, XojoInteger param);

// --- PolygonF storage and basics (polygon.cpp) --------------------------------------------
void Polygon_DefaultConstructor(REALobjectStruct* instance);
void Polygon_Destructor(REALobjectStruct* instance);
void PolygonF_Constructor1(REALobjectStruct* instance);
void PolygonF_Constructor2(REALobjectStruct* instance, REALobjectStruct* r);
void PolygonF_Add(REALobjectStruct* instance, REALobjectStruct* pt);
// The corner append every builder of polygons goes through.
void PolygonF_Add2(REALobjectStruct* instance, double x, double y);
void PolygonF_Offset(REALobjectStruct* instance, double dx, double dy);
void PolygonF_Offset2(REALobjectStruct* instance, REALobjectStruct* pt);
// The bounding rectangle as a new RectF owned by the caller; nil when RectF is not registered.
REALobjectStruct* PolygonF_Bounds(REALobjectStruct* instance);
double PolygonF_GetPointX(REALobjectStruct* instance, XojoInteger index);
void PolygonF_SetPointX(REALobjectStruct* instance, XojoInteger index, double value);
double PolygonF_GetPointY(REALobjectStruct* instance, XojoInteger index);
void PolygonF_SetPointY(REALobjectStruct* instance, XojoInteger index, double value);
REALobjectStruct* PolygonF_Clone(REALobjectStruct* instance, XojoInteger param);

// --- measures and containment (polygon_measures.cpp) --------------------------------------
double PolygonF_Area(REALobjectStruct* instance);
REALobjectStruct* PolygonF_FindCentroid(REALobjectStruct* instance);
bool PolygonF_Contains(REALobjectStruct* instance, double x, double y);
bool PolygonF_ContainsPoint(REALobjectStruct* instance, REALobjectStruct* pt);
XojoInteger PolygonF_HitTestCorner(REALobjectStruct* instance, double x, double y,
                                   XojoInteger tolerance);

// --- rotation and scaling (polygon_transforms.cpp) ----------------------------------------
void PolygonF_Rotate(REALobjectStruct* instance, double angle);
void PolygonF_Rotate2(REALobjectStruct* instance, double angle, XojoInteger rotateAroundCorner);
void PolygonF_Rotate3(REALobjectStruct* instance, double angle,
                      REALobjectStruct* rotateAroundPoint);
void PolygonF_Rotate4(REALobjectStruct* instance, double angle, PointFData centre);
void PolygonF_Scale(REALobjectStruct* instance, double dx, double dy);
void PolygonF_Scale2(REALobjectStruct* instance, double dx, double dy, XojoInteger pinPoint,
                     XojoInteger mode);

// --- inset (polygon_inset.cpp) ------------------------------------------------------------
void PolygonF_Inset(REALobjectStruct* instance, double distance);

// --- intersection tests and normalisation (polygon_intersections.cpp) ---------------------
// Whether segment A-B crosses segment E-F; the crossing point goes to `out` when given and they
// cross. Touching, shared end points and collinear overlap do not cross; a point of E-F lying
// on A-B counts as lying on its non-negative side, so the test is not symmetric.
bool PolygonF_LineSegmentIntersection(double ax, double ay, double bx, double by, double ex,
                                      double ey, double fx, double fy, PointFData* out);
// Whether any edge of `p` (as the first segment) crosses any edge of `q` by that test, closing
// edges included: the answer of testing every pair (edge_crossings.cpp).
bool anyEdgesCross(const PolygonFData& p, const PolygonFData& q);
bool PolygonF_IntersectsLine(REALobjectStruct* instance, REALobjectStruct* line);
bool PolygonF_IntersectsPoly(REALobjectStruct* instance, REALobjectStruct* poly);
REALobjectStruct* PolygonF_VecNorm(REALobjectStruct* instance, REALobjectStruct* outOffSet);

// --- drawing (drawing.cpp) ----------------------------------------------------------------
void Line_Draw(REALobjectStruct* instance, REALobjectStruct* g);
void Line_DrawWeb(REALobjectStruct* instance, REALobjectStruct* g);
void PolygonF_Draw(REALobjectStruct* instance, REALobjectStruct* g);
void PolygonF_DrawWeb(REALobjectStruct* instance, REALobjectStruct* g);
void PolygonF_DrawPath(REALobjectStruct* instance, REALobjectStruct* g);
void PolygonF_DrawPathWeb(REALobjectStruct* instance, REALobjectStruct* g);
void PolygonF_Fill(REALobjectStruct* instance, REALobjectStruct* g);
void PolygonF_FillWeb(REALobjectStruct* instance, REALobjectStruct* g);

// --- raster fill (raster_fill.cpp) --------------------------------------------------------
// Writes the bounding box of a polygon with at least one corner into `rect`; leaves it alone
// otherwise.
void PolygonF_BoundsBuffer(const PolygonFData* data, RectFData* rect);
void PolygonF_FillToBuffer(const PolygonFData* data, uint8_t* buffer, int32_t width, int32_t height,
                           int32_t rowStride, uint32_t value);

} // namespace lines
