// The class definitions of LineF and PolygonF with their property and method tables, as the
// host receives them at registration.
#include "lines.h"

namespace lines {
namespace {

REALproperty LineProperties[] = {
    TL_DIRECT_PROPERTY("x1", "Double", 0),
    TL_DIRECT_PROPERTY("y1", "Double", 8),
    TL_DIRECT_PROPERTY("x2", "Double", 16),
    TL_DIRECT_PROPERTY("y2", "Double", 24),
    TL_READONLY_PROPERTY("Clone", "LineF", getLineClone),
};

REALmethodDefinition LineMethods[] = {
    TL_METHOD(Line_Constructor1, "Constructor()"),
    TL_METHOD(Line_Constructor2,
              "Constructor(x1 as Double,y1 as Double,x2 as Double,y2 as Double)"),
    TL_METHOD(Line_Constructor3, "Constructor(pt1 as PointF,pt2 as PointF)"),
    TL_METHOD(Line_Contains1, "Contains(x as Double,y as Double,zone as Double) as Boolean"),
    TL_METHOD(Line_Contains2, "Contains(pt as PointF,zone as Double) as Boolean"),
    TL_METHOD(Line_Draw, "Draw(g as Graphics)"),
    TL_WEB_METHOD(Line_DrawWeb, "Draw(g as WebGraphics)"),
    TL_METHOD(Line_Length, "Length() as Double"),
    TL_METHOD(Line_Intersects1, "Intersects(ln as LineF) as Boolean"),
    TL_METHOD(Line_Intersects2, "Intersects(ln as LineF,pt as PointF) as Boolean"),
    TL_METHOD(LineF_Rotate, "Rotate(angle as Double,rotateAroundPoint as PointF)"),
    TL_METHOD(Line_MakeParallel, "MakeParallel(distance as Double) as LineF"),
    TL_METHOD(Line_GetCenter, "GetCenter() as PointF"),
    TL_METHOD(Line_ExtendLine, "ExtendLine(amount as Double) as LineF"),
    TL_METHOD(Line_ExtendLineByRatio, "ExtendLineByRatio(portion as Double) as LineF"),
    TL_METHOD(Line_PointDistanceFromInfiniteLine,
              "PointDistanceFromInfiniteLine(pt as PointF) as Double"),
    TL_METHOD(Line_PointDistanceFromLine, "PointDistanceFromLine(pt as PointF) as Double"),
};

REALproperty PolygonProperties[] = {
    TL_READONLY_DIRECT_PROPERTY("CornerCount", "Integer", 0),
    TL_READONLY_PROPERTY("Clone", "PolygonF", PolygonF_Clone),
};

} // namespace

REALmethodDefinition PolygonMethods[] = {
    TL_METHOD(PolygonF_Constructor1, "Constructor()"),
    TL_METHOD(PolygonF_Constructor2, "Constructor(r as RectF)"),
    TL_METHOD(PolygonF_Add, "Add(pt as PointF)"),
    TL_METHOD(PolygonF_Add2, "Add(x as Double,y as Double)"),
    TL_METHOD(PolygonF_Offset, "Offset(dx as Double, dy as Double)"),
    TL_METHOD(PolygonF_Offset2, "Offset(pt as PointF)"),
    TL_METHOD(PolygonF_Inset, "Inset(distance as Double)"),
    TL_METHOD(PolygonF_Bounds, "Bounds() as RectF"),
    TL_METHOD(PolygonF_Contains, "Contains(x as Double, y as Double) as Boolean"),
    TL_METHOD(PolygonF_ContainsPoint, "Contains(pt as PointF) as Boolean"),
    TL_METHOD(PolygonF_Area, "Area() as Double"),
    TL_METHOD(PolygonF_Draw, "Draw(g as Graphics)"),
    TL_WEB_METHOD(PolygonF_DrawWeb, "Draw(g as WebGraphics)"),
    TL_METHOD(PolygonF_DrawPath, "DrawPath(g as Graphics)"),
    TL_WEB_METHOD(PolygonF_DrawPathWeb, "DrawPath(g as WebGraphics)"),
    TL_METHOD(PolygonF_Fill, "Fill(g as Graphics)"),
    TL_WEB_METHOD(PolygonF_FillWeb, "Fill(g as WebGraphics)"),
    TL_METHOD(PolygonF_Rotate, "Rotate(angle as Double)"),
    TL_METHOD(PolygonF_Rotate2, "Rotate(angle as Double,rotateAroundCorner as Integer)"),
    TL_METHOD(PolygonF_Rotate3, "Rotate(angle as Double,rotateAroundPoint as PointF)"),
    TL_METHOD(PolygonF_Scale, "Scale(dx as Double,dy as Double)"),
    TL_METHOD(PolygonF_Scale2,
              "Scale(dx as Double,dy as Double,pinPoint as Integer,mode as Integer)"),
    TL_METHOD(PolygonF_HitTestCorner,
              "HitTestCorners(x as Double,y as Double, tolerance as Integer) as Integer"),
    TL_METHOD(PolygonF_VecNorm, "VecNorm(outOffSet as PointF) as PolygonF"),
    TL_METHOD(PolygonF_IntersectsLine, "Intersects(line as LineF) as Boolean"),
    TL_METHOD(PolygonF_IntersectsPoly, "Intersects(poly as PolygonF) as Boolean"),
    TL_ASSIGNABLE_METHOD(PolygonF_GetPointX, PolygonF_SetPointX,
                         "PointX(index as Integer) as Double"),
    TL_ASSIGNABLE_METHOD(PolygonF_GetPointY, PolygonF_SetPointY,
                         "PointY(index as Integer) as Double"),
    TL_METHOD(PolygonF_FindCentroid, "FindCentroid() as PointF"),
};
static_assert(sizeof(PolygonMethods) / sizeof(PolygonMethods[0]) == 29);

REALclassDefinition LineFClass =
    TL_CLASS("LineF", LineFData, nullptr, nullptr, LineProperties, LineMethods);
REALclassDefinition PolygonFClass = TL_CLASS("PolygonF", PolygonFData, Polygon_DefaultConstructor,
                                             Polygon_Destructor, PolygonProperties, PolygonMethods);

} // namespace lines
