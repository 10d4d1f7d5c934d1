// VectorF_3D: three-dimensional vector maths with the language's operators.
Var a As New VectorF_3D(3, 4, 0)
Var b As New VectorF_3D(0, 5, 1)
Print "a =", a
Print "b =", b

' The operators return new vectors and leave a and b as they are.
Print "a + b =", a + b
Print "a - b =", a - b
Print "a * b =", a * b, "(component by component)"
Print "a * 2 =", a * 2
Print "a / b =", a / b
Print "-b =", -b

Print "length of a:", a.Length, "distance from a to b:", a.Distance(b)
' The Apple builds sum the squares with fused multiply-add; Tessaline3Linux rounds every
' product and gives 11.014535850411491 (tessaline --vector Tessaline3Linux).
Print "length of (0, 9.6, 5.4):", New VectorF_3D(0, 9.6, 5.4).Length
Print "angle between a and b:", a.Angle(b), "radians"
Print "pitch, yew and roll of b:", b.Pitch, b.Yew, b.Roll, "degrees"

' Comparisons go through Operator_Compare, which takes differences up to 0.000001 as equal;
' Equal is exact, and Is compares the objects themselves.
Var c As New VectorF_3D(3.0000005, 4, 0)
Print "a = c:", a = c, "a.Equal(c):", a.Equal(c), "a Is c:", a Is c
Print "a < b:", a < b, "a > b:", a > b

' Clone copies; an assignment shares the object.
Var unit As VectorF_3D = a.Clone
unit.Normalize
Print "a normalised:", unit, "(multiplied by 1 / 5, not divided by 5)"
Var alias As VectorF_3D = a
alias.Scale(10)
Print "after alias.Scale(10), a =", a

Var v As New VectorF_3D(-1, 0.5, 2)
v.Clamp(0, 1)
Print "(-1, 0.5, 2) clamped to 0..1:", v
Var zero As New VectorF_3D
zero.Normalize
Print "(0, 0, 0) normalised:", zero
