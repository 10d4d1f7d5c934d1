// Scripts that must not run: each stops at its first error, reported with the line, the column
// and what was wrong, in the words of the host's resolution where a call does not resolve.
#include <gtest/gtest.h>

#include "script_test.h"

namespace {

using runner_testing::ScriptTest;

struct BadScript {
  const char* needs; // a class the script uses, "" for none
  const char* source;
  const char* error;
  bool runtime = false;
};

const BadScript kSyntaxErrors[] = {
    {"", "Var p As", "line 1, column 9: expected a type but found end of line"},
    {"", "Var As PointF", "line 1, column 5: expected a variable name but found 'As'"},
    {"", "Var p PointF", "line 1, column 7: expected 'As' but found 'PointF'"},
    {"", "Print 1 +", "line 1, column 10: expected an expression but found end of line"},
    {"", "Print (1 + 2\nPrint 3", "line 1, column 13: expected ')' but found end of line"},
    {"", "\n  Print \"abc", "line 2, column 9: the string has no closing quote"},
    {"", "Print 1 # 2", "line 1, column 9: unexpected character '#'"},
    {"", "Print 1 2", "line 1, column 9: expected end of line but found '2'"},
    {"", "Print 99999999999999999999",
     "line 1, column 7: 99999999999999999999 is too large "
     "for an Integer"},
    {"", "Var x As Integer\nx", "line 2, column 2: expected '=' but found end of line"},
    {"", "(1) = 2",
     "line 1, column 2: only a variable, a property or an assignable method can "
     "be assigned"},
    {"", "For i As Integer = 1 To 3\nPrint i", "line 1, column 1: this For has no Next"},
    {"", "For i As Integer = 1 To 3\nNext j", "line 2, column 6: Next j closes For i"},
    {"", "For i As Integer = 1 3\nNext", "line 1, column 22: expected 'To' but found '3'"},
    {"", "Next", "line 1, column 1: expected a statement but found 'Next'"},
};

const BadScript kResolutionErrors[] = {
    {"", "x = 5", "line 1, column 1: x is not declared"},
    {"", "Print y + 1", "line 1, column 7: y is not declared"},
    {"", "Var x As Integer\nVar X As Double", "line 2, column 5: X is already declared"},
    {"", "Var v As Vector3", "line 1, column 10: there is no type Vector3"},
    {"", "Var d As New Double", "line 1, column 14: New makes objects of classes, not Double"},
    {"", "Var s As String = 1",
     "line 1, column 19: type mismatch: expected String, got "
     "Integer"},
    {"", "Var b As Boolean = Nil",
     "line 1, column 20: type mismatch: expected Boolean, got "
     "Nil"},
    {"", "Print \"n = \" + 1",
     "line 1, column 14: operator + cannot combine String and "
     "Integer"},
    {"", "Print True < False",
     "line 1, column 12: operator < cannot compare Boolean and "
     "Boolean"},
    {"", "Print 1 Is 2", "line 1, column 9: Is compares objects, not Integer and Integer"},
    {"", "Print -\"a\"", "line 1, column 7: operator - cannot negate String"},
    {"", "Var x As Double\nPrint x.Length",
     "line 2, column 9: Double has no property or "
     "method Length"},
    {"", "For i As Integer = 1 To 3 Step 0\nNext",
     "line 1, column 32: the Step of a For loop "
     "must not be 0"},
    {"", "Render \"a.png\", 10",
     "line 1, column 1: Render takes a file name, a width, a "
     "height and, if wanted, the polygons"},
    {"VectorF_3D", "Var v As New VectorF_3D(1, 2)",
     "line 1, column 14: VectorF_3D has no constructor Constructor(Integer, Integer)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nv.Rotate(90)",
     "line 2, column 3: VectorF_3D has no method Rotate(Integer)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nv.Rotate 90, v",
     "line 2, column 3: VectorF_3D has no method Rotate(Integer, VectorF_3D)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint v.Spin",
     "line 2, column 9: VectorF_3D has no property or method Spin"},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint v.Angle(\"x\")",
     "line 2, column 9: VectorF_3D has no method Angle(String)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint v.Length(1)",
     "line 2, column 9: VectorF_3D has no method Length(Integer)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nVar d As Double = v",
     "line 2, column 19: type mismatch: expected Double, got VectorF_3D"},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint v + 1",
     "line 2, column 9: VectorF_3D has no method Operator_Add(Integer)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint 2 * v",
     "line 2, column 9: VectorF_3D has no method Operator_MultiplyRight(Integer)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint \"v = \" + v",
     "line 2, column 14: VectorF_3D has no Operator_Convert() as String to join it to a "
     "String"},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint v < 1",
     "line 2, column 9: VectorF_3D has no method Operator_Compare(Integer)"},
    {"VectorF_3D", "Var v As New VectorF_3D\nv.x = \"a\"",
     "line 2, column 7: type mismatch: expected Double, got String"},
    {"VectorF_3D", "Var v As New VectorF_3D\nv.Clone = v",
     "line 2, column 3: VectorF_3D.Clone is read-only"},
    {"VectorF_3D", "Var v As New VectorF_3D\nVar n As Double = v.Normalize",
     "line 2, column 21: Normalize does not return a value"},
    {"VectorF_3D", "Var v As New VectorF_3D\nv.x",
     "line 2, column 3: x is a property; a statement calls a method or assigns a value"},
    {"PolygonF", "Var poly As New PolygonF\npoly.Rotate(\"x\")",
     "line 2, column 6: PolygonF has no method Rotate(String)"},
    {"PolygonF", "Var poly As New PolygonF\npoly.CornerCount = 3",
     "line 2, column 6: PolygonF.CornerCount is read-only"},
    {"PolygonF", "Var poly As New PolygonF\npoly.Area(1) = 2",
     "line 2, column 6: PolygonF has no assignable method Area(Integer)"},
    {"PolygonF", "Var poly As New PolygonF\npoly.PointX(1) = \"a\"",
     "line 2, column 18: type mismatch: expected Double, got String"},
    {"PolygonF", "Var poly As New PolygonF\nPrint poly.PointX",
     "line 2, column 12: PolygonF has no method PointX()"},
    {"RectF", "Var r As New RectF(Nil, Nil)",
     "line 1, column 14: RectF has an ambiguous call Constructor(Nil, Nil): "
     "Constructor(p1 as PointF,p2 as PointF) or Constructor(location as PointF,size as SizeF)"},
    {"PointF", "Var p As New PointF\nVar s As SizeF = p",
     "line 2, column 18: type mismatch: expected SizeF, got PointF"},
};

const BadScript kRuntimeErrors[] = {
    {"VectorF_3D", "Var c As VectorF_3D\nPrint c.Length",
     "line 2, column 9: runtime error: NilObjectException: Length called on a Nil VectorF_3D",
     true},
    {"VectorF_3D", "Var c As VectorF_3D\nc.x = 1",
     "line 2, column 3: runtime error: NilObjectException: x assigned on a Nil VectorF_3D", true},
    {"VectorF_3D", "Var c As VectorF_3D\nPrint -c",
     "line 2, column 7: runtime error: NilObjectException: Operator_Negate called on a Nil "
     "VectorF_3D",
     true},
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint v.Distance(Nil)",
     "line 2, column 9: runtime error: NilObjectException raised by "
     "VectorF_3D.Distance(Nil)",
     true},
    // Comparing with Nil goes through Operator_Compare, as in Xojo; Is compares references.
    {"VectorF_3D", "Var v As New VectorF_3D\nPrint v Is Nil\nPrint v = Nil",
     "line 3, column 9: runtime error: NilObjectException raised by "
     "VectorF_3D.Operator_Compare(Nil)",
     true},
    {"PolygonF", "Var poly As PolygonF\nPrint poly.Area",
     "line 2, column 12: runtime error: NilObjectException: Area called on a Nil PolygonF", true},
};

void PrintTo(const BadScript& s, std::ostream* out) {
  *out << s.error;
}

class BadScripts : public ScriptTest, public ::testing::WithParamInterface<BadScript> {};

TEST_P(BadScripts, StopWithTheirLineColumnAndMessage) {
  const BadScript& s = GetParam();
  if (!registered(s.needs)) GTEST_SKIP() << s.needs << " is not built";
  const Outcome o = run(s.source);
  EXPECT_EQ(o.error, s.error) << s.source;
  EXPECT_EQ(o.runtime, s.runtime);
}

INSTANTIATE_TEST_SUITE_P(Syntax, BadScripts, ::testing::ValuesIn(kSyntaxErrors));
INSTANTIATE_TEST_SUITE_P(Resolution, BadScripts, ::testing::ValuesIn(kResolutionErrors));
INSTANTIATE_TEST_SUITE_P(Runtime, BadScripts, ::testing::ValuesIn(kRuntimeErrors));

// What ran before the error stays done, as in a Xojo program that stops at an exception.
TEST_F(ScriptTest, OutputBeforeAnErrorStays) {
  const Outcome o = run("Print 1\nPrint 2\nPrint x\nPrint 4");
  EXPECT_EQ(o.output, "1\n2\n");
  EXPECT_EQ(o.error, "line 3, column 7: x is not declared");
}

} // namespace
