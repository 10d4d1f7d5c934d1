// LineF: segments, where they cross, and the zone about them.
Var ln As New LineF(0, 0, 10, 0)
Print "ln =", ln
Print "length:", ln.Length, "centre:", ln.GetCenter

Var at As New PointF
Print "crosses (5, -5)-(5, 5):", ln.Intersects(New LineF(5, -5, 5, 5), at), "at", at
Print "meets (10, 0)-(10, 10) only at an end:", ln.Intersects(New LineF(10, 0, 10, 10))
Print "overlaps (5, 0)-(15, 0) along the line:", ln.Intersects(New LineF(5, 0, 15, 0))

' Contains(x, y, zone) tests a band about zone wide on each side of the segment.
Print "zone 2 holds (5, 1.5):", ln.Contains(5, 1.5, 2), "(5, 2.5):", ln.Contains(5, 2.5, 2), "(11, 0):", ln.Contains(New PointF(11, 0), 2)
' The direction of the segment decides how the band's ends fall.
Var back As New LineF(10, 0, 0, 0)
Print "drawn backwards it holds (5, 1.5):", back.Contains(5, 1.5, 2), "but not (1, 0):", back.Contains(1, 0, 2)

Var pt As New PointF(13, 4)
Print "(13, 4) lies", ln.PointDistanceFromLine(pt), "from the segment and", ln.PointDistanceFromInfiniteLine(pt), "from its line"

Print "parallel at distance 2:", ln.MakeParallel(2)
Print "extended by 1 at each end:", ln.ExtendLine(1)
Print "stretched to twice its length:", ln.ExtendLineByRatio(2)
Var turned As LineF = ln.Clone
turned.Rotate(90, New PointF(0, 0))
Print "turned 90 degrees about (0, 0):", turned
Var dot As New LineF(1, 1, 1, 1)
Print "a line of length 0 extends to", dot.ExtendLine(1)
