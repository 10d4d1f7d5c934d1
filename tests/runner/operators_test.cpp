// Scripts that use the classes as a Xojo program does: operators through the classes'
// Operator_ methods, comparisons through Operator_Compare, text through Operator_Convert,
// properties, assignable methods, Clone, and plain arithmetic for numbers.
#include <gtest/gtest.h>

#include "script_test.h"

namespace {

using runner_testing::ScriptTest;

struct GoodScript {
  const char* name;
  const char* needs; // a class the script uses, "" for none
  const char* source;
  const char* output;
};

const GoodScript kScripts[] = {
    {"Numbers", "",
     "Print 1 + 2 * 3, (1 + 2) * 3, 7 / 2, 7 - 10, -2 * -3\n"
     "Print 0.1 + 0.2, 1 / 3, 2 * 1.5, 1e3, 9223372036854775807 + 1\n"
     "Print 1 < 2, 2 <= 2, 3 > 4, 1 = 1.0, 1 <> 1, \"abc\" < \"abd\", \"Xojo\" = \"XOJO\"\n"
     "Print \"con\" + \"cat\", True = False, Nil Is Nil\n"
     "Dim i As Integer = 7.9\n"
     "Dim d As Double = -i\n"
     "Print i, d, i / 2\n",
     "7 9 3.5 -3 6\n"
     "0.30000000000000004 0.3333333333333333 3 1000 -9223372036854775808\n"
     "True True False True False True True\n"
     "concat False True\n"
     "7 -7 3.5\n"},
    {"ForLoops", "",
     "Var total As Integer\n"
     "For i As Integer = 1 To 4\n"
     "  Var square As Integer = i * i\n"
     "  total = total + square\n"
     "Next i\n"
     "For i As Double = 1 To 0 Step -0.5\n"
     "  Print i\n"
     "Next\n"
     "Print total\n",
     "1\n0.5\n0\n30\n"},
    {"VectorF_3D", "VectorF_3D",
     "Var a As New VectorF_3D(3, 4, 0)\n"
     "Var b As VectorF_3D = New VectorF_3D(0, 5, 1)\n"
     "Print a + b, a - b\n"
     "Print a * b, a * 2, a / b\n"
     "Print -a, (a + b) * 0.5\n"
     "Print a\n"
     "Print a = b, a < b, a > b, a <> b, b < a\n"
     "Print a = a.Clone, a Is a.Clone, a Is a\n"
     "Var n As VectorF_3D = a.Clone\n"
     "n.Normalize\n"
     "Print n, a.Length, (a - b).Length\n"
     "n.x = 2\n"
     "n.Set(1, 1, 0)\n"
     "Print n.Angle(n), b.Yew, New VectorF_3D(1, 0, 0).Pitch()\n"
     "Var c As VectorF_3D\n"
     "Print c, c Is Nil\n"
     "c = a\n"
     "c.z = 12\n"
     "Print a.z, c Is a\n",
     "VectorF_3D{x=3, y=9, z=1} VectorF_3D{x=3, y=-1, z=-1}\n"
     "VectorF_3D{x=0, y=20, z=0} VectorF_3D{x=6, y=8, z=0} VectorF_3D{x=inf, y=0.8, z=0}\n"
     "VectorF_3D{x=-3, y=-4, z=-0} VectorF_3D{x=1.5, y=4.5, z=0.5}\n"
     "VectorF_3D{x=3, y=4, z=0}\n"
     "False False True True True\n"
     "True False True\n"
     "VectorF_3D{x=0.6000000000000001, y=0.8, z=0} 5 3.3166247903554\n"
     "2.1073424255447017e-08 11.309932474020213 90\n"
     "Nil True\n"
     "12 True\n"},
    {"PointF", "PointF",
     "Var p As New PointF(1.5, -2)\n"
     "Var q As New PointF(3, 4)\n"
     "Var sum As PointF = p + q\n"
     "Print sum, p - q, -p, -(p + q) - q\n"
     "Print \"p = \" + p, p + \" is p\"\n"
     "Var s As String = q\n"
     "Print s\n"
     "Print p = p, p = p.Clone, p <> p.Clone, p Is p, p.Equal(p.Clone)\n"
     "Var n As PointF\n"
     "Print n Is Nil, n = Nil, p = Nil\n"
     "n = p\n"
     "n.x = 10\n"
     "Print p.x, p\n"
     "Print New PointF(0, 0) - New PointF(0, 0), -New PointF\n",
     "(4.5 ; 2) (-1.5 ; -6) (-1.5 ; 2) (-7.5 ; -6)\n"
     "p = (1.5 ; -2) (1.5 ; -2) is p\n"
     "(3 ; 4)\n"
     "True False True True True\n"
     "True True False\n"
     "10 (10 ; -2)\n"
     "(0 ; 0) (-0 ; -0)\n"},
    {"SizeF", "SizeF",
     "Var s As New SizeF(3, 4)\n"
     "Var t As SizeF = s + New SizeF(1, -6)\n"
     "Print t, s - s, -New SizeF(2, 0), \"size \" + s\n"
     "Var c As SizeF = s.Clone\n"
     "c.Width = 100\n"
     "Print s.Width, c.Width, c.Height\n",
     "(4 ; -2) (0 ; 0) (-2 ; -0) size (3 ; 4)\n"
     "3 100 4\n"},
    {"RectF", "RectF",
     "Var r As New RectF(0, 0, 10, 10)\n"
     "Var same As RectF = r\n"
     "Var copy As RectF = r.Clone\n"
     "Print r = same, r = copy, r.Equal(copy), r Is same\n"
     "copy.Offset(5, 5)\n"
     "Print r.Intersects(copy), r.Union(copy).Area, r\n",
     "True False True True\n"
     "True 225 RectF{Left=0, Top=0, Right=10, Bottom=10, Width=10, Height=10}\n"},
    {"LineF", "LineF",
     "Var ln As New LineF(New PointF(0, 0), New PointF(3, 4))\n"
     "Print ln.Length, ln.GetCenter, ln = ln.Clone, ln.Clone.Length\n"
     "Var longer As LineF = ln.ExtendLine(5)\n"
     "Print longer.Length + ln.Length * 2\n",
     "5 (1.5 ; 2) False 5\n"
     "25\n"},
    {"PolygonF", "PolygonF",
     "Var poly As New PolygonF\n"
     "poly.Add 0, 0\n"
     "poly.Add New PointF(10, 0)\n"
     "poly.Add(10, 10)\n"
     "poly.PointY(3) = 20.0\n"
     "poly.PointX(3) = poly.PointX(3) * 2\n"
     "Print poly.CornerCount, poly.PointX(3), poly.PointY(3), poly.Area\n"
     "Var copy As PolygonF = poly.Clone\n"
     "copy.Offset(New PointF(1, 1))\n"
     "Print poly.PointX(1), copy.PointX(1), poly = copy, poly Is poly\n"
     "Print poly.Bounds, -poly.FindCentroid\n",
     "3 20 20 -100\n"
     "0 1 False True\n"
     "RectF{Left=0, Top=0, Right=20, Bottom=20, Width=20, Height=20} (-10 ; -6.666667)\n"},
};

void PrintTo(const GoodScript& s, std::ostream* out) {
  *out << s.name;
}

class GoodScripts : public ScriptTest, public ::testing::WithParamInterface<GoodScript> {};

TEST_P(GoodScripts, PrintWhatXojoWould) {
  const GoodScript& s = GetParam();
  if (!registered(s.needs)) GTEST_SKIP() << s.needs << " is not built";
  const Outcome o = run(s.source);
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.output, s.output);
}

INSTANTIATE_TEST_SUITE_P(Classes, GoodScripts, ::testing::ValuesIn(kScripts),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
