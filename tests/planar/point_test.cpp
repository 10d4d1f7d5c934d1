// PointF as Xojo code uses it.
#include "planar_test.h"

using namespace planar_testing;

namespace {

class Point : public PlanarTest {
protected:
  void SetUp() override { startPlanar(); }
};

TEST_F(Point, ConstructorsAndSet) {
  EXPECT_SAME_PAIR(readPoint(host().create("PointF")), (Pair{0, 0}));
  Value p = point(1.5, -2);
  EXPECT_SAME_PAIR(readPoint(p), (Pair{1.5, -2}));
  call(p, "Set", {-0.0, kInf});
  EXPECT_SAME_PAIR(readPoint(p), (Pair{-0.0, kInf}));
}

TEST_F(Point, OperatorsMakeNewPointsAndLeaveTheOperandsAlone) {
  Value a = point(3, 4), b = point(1, -6);
  EXPECT_SAME_PAIR(readPoint(call(a, "Operator_Add", {b})), (Pair{4, -2}));
  EXPECT_SAME_PAIR(readPoint(call(a, "Operator_Subtract", {b})), (Pair{2, 10}));
  EXPECT_SAME_PAIR(readPoint(call(a, "Operator_Subtract", {a})), (Pair{0, 0}));
  EXPECT_SAME_PAIR(readPoint(a), (Pair{3, 4}));
  EXPECT_SAME_PAIR(readPoint(b), (Pair{1, -6}));

  // Negation flips each sign, so 0 becomes -0, which still equals 0.
  Value zero = point(0, 0);
  Value negated = call(zero, "Operator_Negate");
  EXPECT_SAME_PAIR(readPoint(negated), (Pair{-0.0, -0.0}));
  EXPECT_TRUE(call(negated, "Equal", {zero}).asBoolean());
  EXPECT_SAME_PAIR(readPoint(zero), (Pair{0, 0}));
}

TEST_F(Point, CloneIsIndependent) {
  Value p = point(kNaN, -0.0);
  Value clone = host().get(p, "Clone");
  EXPECT_SAME_PAIR(readPoint(clone), (Pair{kNaN, -0.0}));
  host().set(clone, "x", 9.0);
  EXPECT_SAME_PAIR(readPoint(p), (Pair{kNaN, -0.0}));
}

TEST_F(Point, EqualAndDistance) {
  struct Case {
    Pair a, b;
    bool equal;
    double distance;
  };
  const Case cases[] = {
      {{0, 0}, {3, 4}, false, 5},         {{1, 2}, {1, 2}, true, 0},
      {{-0.0, 0}, {0, -0.0}, true, 0},    {{kNaN, 0}, {kNaN, 0}, false, kNaN},
      {{kInf, 0}, {kInf, 0}, true, kNaN}, // inf - inf
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.a) + " " + show(c.b));
    Value a = point(c.a.a, c.a.b), b = point(c.b.a, c.b.b);
    EXPECT_EQ(call(a, "Equal", {b}).asBoolean(), c.equal);
    EXPECT_TRUE(same(call(a, "Distance", {b}).asDouble(), c.distance));
  }
  Value nan = point(kNaN, kNaN);
  EXPECT_FALSE(call(nan, "Equal", {nan}).asBoolean()) << "NaN equals nothing, itself included";
}

// Degrees turn into radians with the single-precision value of pi, so a quarter turn of (1, 0)
// does not land on (6.1e-17, 1).
TEST_F(Point, RotationUsesSinglePrecisionPi) {
  Value p = point(1, 0);
  call(p, "Rotate", {90.0, point(0, 0)});
  Pair r = readPoint(p);
  EXPECT_NEAR(r.a, -4.371139e-08, 1e-14);
  EXPECT_NEAR(r.b, 0.999999999999999, 1e-15);
  EXPECT_LT(r.b, 1.0);
}

// The result is the plain IEEE evaluation of the rotation, with no fused multiply-add.
TEST_F(Point, RotationIsThePlainFormula) {
  struct Case {
    Pair p, centre;
    double angle;
  };
  const Case cases[] = {
      {{3, 4}, {1, -2}, 30},
      {{-7.25, 0.1}, {0.3, 0.7}, -123.456},
      {{1e10, -1e-10}, {2, 3}, 725},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    volatile double pi = 3.1415927410125732; // kept out of any compile-time folding
    double r = (c.angle * pi) / 180.0;
    double s = std::sin(r), co = std::cos(r);
    double dx = c.p.a - c.centre.a, dy = c.p.b - c.centre.b;
    double px = dx * co, py = dy * s, qx = dx * s, qy = dy * co;
    Pair expected{c.centre.a + (px - py), c.centre.b + (qx + qy)};
    Value p = point(c.p.a, c.p.b), centre = point(c.centre.a, c.centre.b);
    call(p, "Rotate", {c.angle, centre});
    EXPECT_SAME_PAIR(readPoint(p), expected);
    EXPECT_SAME_PAIR(readPoint(centre), c.centre);
  }
}

TEST_F(Point, RotationsThatLeaveThePointInPlace) {
  Value p = point(2.5, -3);
  call(p, "Rotate", {0.0, point(0, 0)});
  EXPECT_SAME_PAIR(readPoint(p), (Pair{2.5, -3}));
  call(p, "Rotate", {77.0, p}); // about itself
  EXPECT_SAME_PAIR(readPoint(p), (Pair{2.5, -3}));
  call(p, "Rotate", {90.0, Value::nil()});
  EXPECT_SAME_PAIR(readPoint(p), (Pair{2.5, -3}));
  EXPECT_EQ(host().lastException(), "") << "a nil centre is not an error";
}

TEST_F(Point, ClampTestsTheMinimumFirst) {
  struct Case {
    Pair p;
    double minimum, maximum;
    Pair expected;
  };
  const Case cases[] = {
      {{-5, 15}, 0, 10, {0, 10}},
      {{5, 12}, 10, 0, {10, 0}}, // minimum above maximum: the minimum wins
      {{3, 7}, 0, 10, {3, 7}},
      {{kNaN, 20}, 0, 10, {kNaN, 10}},
      {{-0.0, 0}, 0, 0, {-0.0, 0}}, // -0 is not below 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.p));
    Value p = point(c.p.a, c.p.b);
    call(p, "Clamp", {c.minimum, c.maximum});
    EXPECT_SAME_PAIR(readPoint(p), c.expected);
  }
}

TEST_F(Point, ConversionFromXojoCorePoint) {
  Value p = point(7, 7);
  call(p, "Operator_Convert", {host().newCoreObject("Xojo.Core.Point", {{"X", 1.5}, {"Y", -2}})});
  EXPECT_SAME_PAIR(readPoint(p), (Pair{1.5, -2}));
  // A property the host cannot read counts as 0.
  call(p, "Operator_Convert", {host().newCoreObject("Xojo.Core.Point", {{"Y", 4}})});
  EXPECT_SAME_PAIR(readPoint(p), (Pair{0, 4}));
  call(p, "Operator_Convert", {Value::nil()});
  EXPECT_SAME_PAIR(readPoint(p), (Pair{0, 0}));
  EXPECT_EQ(host().lastException(), "") << "a nil Xojo.Core.Point is not an error";
}

} // namespace
