// A tour of Tessaline: every class at work, and a picture of polygons filled by the plug-in's
// own raster fill, written to tour.png in the working directory.

' VectorF_3D: vector maths with the language's operators.
Var a As New VectorF_3D(3, 4, 0)
Var b As New VectorF_3D(0, 5, 1)
Print "VectorF_3D  a + b =", a + b
Print "            a * 2 =", a * 2, "and -b =", -b
Print "            length of a:", a.Length, "- yew of b:", b.Yew, "degrees"
Var unit As VectorF_3D = a.Clone
unit.Normalize
Print "            a normalised:", unit, "- a < b:", a < b

' PointF, SizeF and RectF: planar values, shown as text by their Operator_Convert.
Var p As New PointF(1.5, -2)
Var q As New PointF(3, 4)
Print "PointF      p + q = " + (p + q) + ", p - q = " + (p - q) + ", -p = " + (-p)
Var r As New PointF(1, 0)
r.Rotate(90, New PointF(0, 0))
Print "            (1, 0) turned 90 degrees:", r.x, r.y
Var size As New SizeF(40, 30)
Print "SizeF       size + size =", size + size
Var box As New RectF(New PointF(10, 10), size)
Print "RectF       box:", box.Left, box.Top, box.Right, box.Bottom, "- area", box.Area
Print "            contains (50, 40):", box.Contains(50, 40), "- (51, 40):", box.Contains(New PointF(51, 40))
Var other As New RectF(40, 30, 90, 60)
Var both As RectF = box.Union(other)
Print "            with (40, 30, 90, 60): union", both.Left, both.Top, both.Right, both.Bottom, "- intersects:", box.Intersects(other)

' LineF: a segment, where it crosses another, and the zone about it.
Var road As New LineF(0, 0, 10, 0)
Var crossing As New PointF
Print "LineF       crosses (5, -5)-(5, 5):", road.Intersects(New LineF(5, -5, 5, 5), crossing), "at", crossing
Print "            zone 2 holds (5, 1.5):", road.Contains(5, 1.5, 2), "- (5, 2.5):", road.Contains(5, 2.5, 2)

' PolygonF: a star of points turned about the origin, a square turned about its centre, the
' square inset, and a triangle.
Var origin As New PointF(0, 0)
Var star As New PolygonF
For i As Integer = 0 To 4
  Var tip As New PointF(0, -80)
  tip.Rotate(72 * i, origin)
  star.Add(tip)
  Var notch As New PointF(0, -32)
  notch.Rotate(72 * i + 36, origin)
  star.Add(notch)
Next
star.Offset(230, 100)
Print "PolygonF    star:", star.CornerCount, "corners, area", star.Area, "- centroid", star.FindCentroid

Var turned As New PolygonF(New RectF(20, 40, 120, 140))
turned.Rotate(30)
Var inner As PolygonF = turned.Clone
inner.Inset(20)
Print "            square turned 30 degrees, corner 1 at", turned.PointX(1), turned.PointY(1)
Print "            inset by 20, corner 1 at", inner.PointX(1), inner.PointY(1)

Var wedge As New PolygonF
wedge.Add 110, 150
wedge.Add 250, 175
wedge.Add 100, 195
wedge.PointY(3) = 190.0
Print "            wedge meets the star:", wedge.Intersects(star), "- the turned square:", wedge.Intersects(turned)

' The zone about a segment, as LineF.Contains builds it: a thin quadrilateral along the segment,
' widened by the zone.
Var path As New LineF(30, 185, 300, 130)
Var band As New PolygonF
band.Add path.x1, path.y1
band.Add path.x2, path.y2
band.Add path.x2 + 0.00001, path.y2 + 0.00001
band.Add path.x1 + 0.00001, path.y1 + 0.00001
band.Inset(-4)
Print "            zone 4 about the path holds (165, 158):", path.Contains(165, 158, 4), "- the band:", band.Contains(165, 158)

Render "tour.png", 320, 200
