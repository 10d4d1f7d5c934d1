// PointF, SizeF and RectF: the planar value types.
Var p As New PointF(1.5, -2)
Var q As New PointF(3, 4)
Print "p =", p, "q =", q
Print "p + q =", p + q, "p - q =", p - q, "-p =", -p
Print "as text: " + p + " and " + q
Print "distance from p to q:", p.Distance(q)

' Angles are in degrees, turned into radians with the single-precision value of pi.
Var r As New PointF(1, 0)
r.Rotate(90, New PointF(0, 0))
Print "(1, 0) turned 90 degrees about (0, 0):", r.x, r.y

Var c As PointF = q.Clone
c.Clamp(0, 3.5)
Print "a clone of q clamped to 0..3.5:", c, "q:", q
' PointF has no Operator_Compare: = compares the objects, Equal the coordinates.
Print "p.Equal(p.Clone):", p.Equal(p.Clone), "p = p.Clone:", p = p.Clone

Var s As New SizeF(3, 4)
Print "s =", s, "s + s =", s + s, "s - s =", s - s, "-s =", -s

' RectF keeps its four edges; Width and Height are computed.
Var box As New RectF(10, 20, 0, 5)
Print "RectF(10, 20, 0, 5):", box
Var placed As New RectF(New PointF(1, 2), New SizeF(3, 4))
Print "at (1, 2) with size (3, 4):", placed
placed.Width = 10
Print "after Width = 10: Left", placed.Left, "Right", placed.Right
Print "box contains (10, 10):", box.Contains(10, 10), "(10.5, 10):", box.Contains(New PointF(10.5, 10))
Print "its ellipse contains (5, 12.5):", box.EllipseContains(5, 12.5), "(1, 6):", box.EllipseContains(New PointF(1, 6))
Var far As New RectF(30, 30, 40, 40)
Print "union with (30, 30, 40, 40):", box.Union(far)
Print "intersects it:", box.Intersects(far), "area of box:", box.Area
box.Inset(2, 3)
Print "inset by (2, 3):", box
box.Inset(10, 10)
Print "inset by (10, 10) more:", box, "empty:", box.IsEmpty
