// RectF as Xojo code uses it. Rectangles are written (Left, Top, Right, Bottom).
#include "planar_test.h"

using namespace planar_testing;

namespace {

class RectF : public PlanarTest {
protected:
  void SetUp() override { startPlanar(); }
};

TEST_F(RectF, Constructors) {
  EXPECT_SAME_RECT(readRect(host().create("RectF")), (Rect{0, 0, 0, 0}));
  EXPECT_SAME_RECT(readRect(rect({10, 20, 0, 5})), (Rect{0, 5, 10, 20})) << "ordered";
  EXPECT_SAME_RECT(readRect(rect({kNaN, 1, 2, 3})), (Rect{2, 1, 2, 3})) << "NaN loses both";

  // Two points are taken as given: this one is inverted.
  Value inverted = host().create("RectF", {point(10, 20), point(0, 5)});
  EXPECT_SAME_RECT(readRect(inverted), (Rect{10, 20, 0, 5}));
  EXPECT_EQ(host().get(inverted, "Width").asDouble(), -10);
  EXPECT_EQ(host().get(inverted, "Height").asDouble(), -15);
  EXPECT_TRUE(call(inverted, "IsEmpty").asBoolean());
  EXPECT_EQ(call(inverted, "Area").asDouble(), 150);

  Value located = host().create("RectF", {point(1, 2), size(3, 4)});
  EXPECT_SAME_RECT(readRect(located), (Rect{1, 2, 4, 6}));
}

TEST_F(RectF, WidthAndHeightMoveRightAndBottom) {
  Value r = rect({1, 2, 4, 6});
  host().set(r, "Width", 10.0);
  host().set(r, "Height", -1.0);
  EXPECT_SAME_RECT(readRect(r), (Rect{1, 2, 11, 1}));
  EXPECT_EQ(host().get(r, "Width").asDouble(), 10);
  EXPECT_EQ(host().get(r, "Height").asDouble(), -1);
  EXPECT_EQ(call(r, "Area").asDouble(), -10) << "negative when one extent is";
}

TEST_F(RectF, CloneIsIndependent) {
  Value r = rect({1, 2, 3, 4});
  Value clone = host().get(r, "Clone");
  EXPECT_SAME_RECT(readRect(clone), (Rect{1, 2, 3, 4}));
  call(clone, "Offset", {1.0, 1.0});
  EXPECT_SAME_RECT(readRect(r), (Rect{1, 2, 3, 4}));
}

TEST_F(RectF, OffsetAndInset) {
  struct Case {
    Rect r;
    const char* method;
    double x, y;
    Rect expected;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, "Offset", 2, -3, {2, -3, 12, 7}},
      {{0, 0, 10, 10}, "Inset", 2, 3, {2, 3, 8, 7}},
      {{0, 0, 10, 10}, "Inset", -1, -1, {-1, -1, 11, 11}},
      {{0, 0, 10, 10}, "Inset", 5, 5, {0, 0, 0, 0}},    // Right <= Left after the move
      {{20, 20, 30, 40}, "Inset", 1, 10, {0, 0, 0, 0}}, // collapses at the origin
      {{0, 0, 10, 10}, "Inset", 4.5, 0, {4.5, 0, 5.5, 10}},
      {{0, 0, 10, 10}, "Inset", kNaN, 0, {kNaN, 0, kNaN, 10}}, // NaN fails the test, stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.method) + show(c.r));
    Value r = storedRect(c.r);
    call(r, c.method, {c.x, c.y});
    EXPECT_SAME_RECT(readRect(r), c.expected);
  }
}

TEST_F(RectF, ContainsIncludesEveryEdge) {
  struct Case {
    Rect r;
    double x, y;
    bool contains;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, 10, 10, true},   {{0, 0, 10, 10}, 0, 5, true},
      {{0, 0, 10, 10}, 10.5, 5, false}, {{0, 0, 10, 10}, 5, -0.1, false},
      {{0, 0, 10, 10}, kNaN, 5, false}, {{10, 10, 0, 0}, 5, 5, false}, // inverted
      {{3, 3, 3, 3}, 3, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.r) + " " + show(Pair{c.x, c.y}));
    Value r = storedRect(c.r);
    EXPECT_EQ(call(r, "Contains", {c.x, c.y}).asBoolean(), c.contains);
    EXPECT_EQ(call(r, "Contains", {point(c.x, c.y)}).asBoolean(), c.contains);
  }
}

TEST_F(RectF, EllipseIncludesItsBoundary) {
  struct Case {
    Rect r;
    double x, y;
    bool contains;
  };
  const Case cases[] = {
      {{0, 0, 10, 20}, 5, 0, true},      {{0, 0, 10, 20}, 10, 10, true},
      {{0, 0, 10, 20}, 9, 2, false},     {{0, 0, 10, 20}, 5, 10, true},
      {{0, 0, 0, 20}, 0, 10, false},  // no width, no ellipse
      {{10, 0, 0, 20}, 5, 10, false}, // inverted
      {{0, 0, 10, 20}, kNaN, 10, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.r) + " " + show(Pair{c.x, c.y}));
    Value r = storedRect(c.r);
    EXPECT_EQ(call(r, "EllipseContains", {c.x, c.y}).asBoolean(), c.contains);
    EXPECT_EQ(call(r, "EllipseContains", {point(c.x, c.y)}).asBoolean(), c.contains);
  }
}

TEST_F(RectF, IsEmpty) {
  EXPECT_TRUE(call(rect({0, 0, 0, 10}), "IsEmpty").asBoolean());
  EXPECT_TRUE(call(rect({0, 0, 10, 0}), "IsEmpty").asBoolean());
  EXPECT_FALSE(call(rect({0, 0, 1e-300, 1e-300}), "IsEmpty").asBoolean());
  EXPECT_FALSE(call(storedRect({kNaN, 0, 1, 1}), "IsEmpty").asBoolean());
}

TEST_F(RectF, UnionTakesTheOuterEdges) {
  struct Case {
    Rect a, b, expected;
  };
  const Case cases[] = {
      {{0, 0, 1, 1}, {5, 5, 6, 6}, {0, 0, 6, 6}},
      {{5, 5, 6, 6}, {0, 0, 0, 0}, {0, 0, 6, 6}},          // an empty rectangle still counts
      {{-0.0, 0, 1, 1}, {0, -0.0, 1, 1}, {0, -0.0, 1, 1}}, // a tie takes r2's edge
      {{kNaN, 0, kNaN, 1}, {2, 0, 3, 1}, {2, 0, 3, 1}},    // and so does NaN
      {{2, 0, 3, 1}, {kNaN, 0, kNaN, 1}, {kNaN, 0, kNaN, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.a) + " " + show(c.b));
    Value a = storedRect(c.a), b = storedRect(c.b);
    EXPECT_SAME_RECT(readRect(call(a, "Union", {b})), c.expected);
    EXPECT_SAME_RECT(readRect(a), c.a);
    EXPECT_SAME_RECT(readRect(b), c.b);
  }
  Value fresh = host().create("RectF");
  EXPECT_SAME_RECT(readRect(call(rect({5, 5, 6, 6}), "Union", {fresh})), (Rect{0, 0, 6, 6}));
}

TEST_F(RectF, IntersectsNeedsSharedArea) {
  struct Case {
    Rect a, b;
    bool intersects;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {10, 0, 20, 10}, false},  // touching along an edge
      {{0, 0, 10, 10}, {10, 10, 20, 20}, false}, // touching at a corner
      {{0, 0, 10, 10}, {9.5, 9.5, 20, 20}, true}, {{0, 0, 10, 10}, {2, 2, 3, 3}, true},
      {{0, 0, 10, 10}, {kNaN, 0, 5, 5}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.a) + " " + show(c.b));
    Value a = storedRect(c.a), b = storedRect(c.b);
    EXPECT_EQ(call(a, "Intersects", {b}).asBoolean(), c.intersects);
    EXPECT_EQ(call(b, "Intersects", {a}).asBoolean(), c.intersects);
  }
}

TEST_F(RectF, EqualComparesEdgesByIEEE) {
  EXPECT_TRUE(call(rect({1, 2, 3, 4}), "Equal", {rect({1, 2, 3, 4})}).asBoolean());
  EXPECT_TRUE(
      call(storedRect({-0.0, 0, 1, 1}), "Equal", {storedRect({0, -0.0, 1, 1})}).asBoolean());
  EXPECT_FALSE(call(rect({1, 2, 3, 4}), "Equal", {rect({1, 2, 3, 5})}).asBoolean());
  Value nan = storedRect({kNaN, 0, 1, 1});
  EXPECT_FALSE(call(nan, "Equal", {nan}).asBoolean());
}

TEST_F(RectF, ConversionFromXojoCoreRect) {
  Value r = rect({7, 7, 8, 8});
  call(r, "Operator_Convert",
       {host().newCoreObject("Xojo.Core.Rect",
                             {{"Left", 1}, {"Top", 2}, {"Width", 3}, {"Height", -4}})});
  EXPECT_SAME_RECT(readRect(r), (Rect{1, 2, 4, -2}));
  call(r, "Operator_Convert",
       {host().newCoreObject("Xojo.Core.Rect", {{"Left", 1}, {"Width", 3}})});
  EXPECT_SAME_RECT(readRect(r), (Rect{1, 0, 4, 0}));
  call(r, "Operator_Convert", {Value::nil()});
  EXPECT_SAME_RECT(readRect(r), (Rect{0, 0, 0, 0}));
  EXPECT_EQ(host().lastException(), "");
}

} // namespace
