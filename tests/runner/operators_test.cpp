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
