// A vector declared without New is Nil: the call on it stops the script at line 6, after what
// ran before.
Var a As New VectorF_3D(1, 2, 2)
Var b As VectorF_3D
Print "a.Length =", a.Length
Print "b.Length =", b.Length
Print "not reached"
