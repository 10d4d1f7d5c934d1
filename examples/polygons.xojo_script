// PolygonF: corners, measures, rotation, inset, intersection and the raster fill.
Var square As New PolygonF(New RectF(20, 20, 60, 60))
Print "square:", square.CornerCount, "corners"
Print "area:", square.Area, "(negative: the corners run clockwise on the screen)"
Print "centroid:", square.FindCentroid
Print "contains its centre:", square.Contains(40, 40), "- its left edge:", square.Contains(20, 40), "- its right edge:", square.Contains(New PointF(60, 40))
Print "corner within 1 of (59, 21):", square.HitTestCorners(59, 21, 1)

' Rotate turns about the centre of the bounds, about a corner, or about a point.
Var diamond As PolygonF = square.Clone
diamond.Rotate(45)
Print "turned 45 degrees about its centre:"
For i As Integer = 1 To diamond.CornerCount
  Print "  corner", i, diamond.PointX(i), diamond.PointY(i)
Next

' Inset moves every edge; corners that run clockwise on the screen move inwards.
Var frame As PolygonF = square.Clone
frame.Inset(5)
Print "inset by 5:"
For i As Integer = 1 To frame.CornerCount
  Print "  corner", i, frame.PointX(i), frame.PointY(i)
Next

' Corners are added one by one and can be overwritten by number.
Var wedge As New PolygonF
wedge.Add 80, 90
wedge.Add 50, 10
wedge.Add(New PointF(110, 10))
wedge.PointX(3) = 100.0
Print "wedge corner 3:", wedge.PointX(3), wedge.PointY(3), "- corner 9 reads", wedge.PointX(9)

' Intersects tests the edges of the two polygons against each other, then whether either holds
' the other's first corner.
Print "square meets wedge:", square.Intersects(wedge), "- wedge meets square:", wedge.Intersects(square)
Var tile As New PolygonF(New RectF(100, 70, 115, 95))
Print "wedge meets tile:", wedge.Intersects(tile)
Print "square meets the line (50, 50)-(80, 40):", square.Intersects(New LineF(50, 50, 80, 40))

Var offset As New PointF
Var corner As PolygonF = wedge.VecNorm(offset)
Print "the wedge moved to the origin starts at", corner.PointX(1), corner.PointY(1), "- offset", offset
wedge.Scale(1, 0.5, 1, 0)
Print "squashed to half its height, corner 1 kept:", wedge.Bounds

' Render fills every polygon the variables hold with the plug-in's own raster fill.
Render "polygons.png", 120, 100
