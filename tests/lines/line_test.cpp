// LineF: construction, measures, the segment crossing test, the zone test, rotation and the
// lines and points built from a line.
#include "lines_test.h"

namespace lines_tests {
namespace {

using LineF = LinesTest;

TEST_F(LineF, ConstructorsPropertiesAndClone) {
  Value empty = h().create("LineF");
  EXPECT_EQ(ends(empty), (Corners{{0, 0}, {0, 0}}));
  Value numbers = line(1, 2, 3, 4);
  EXPECT_EQ(ends(numbers), (Corners{{1, 2}, {3, 4}}));
  Value fromPoints = h().create("LineF", {point(5, 6), point(7, 8)});
  EXPECT_EQ(ends(fromPoints), (Corners{{5, 6}, {7, 8}}));

  h().set(numbers, "y2", -9.5);
  EXPECT_EQ(h().get(numbers, "y2").asDouble(), -9.5);

  Value clone = h().get(numbers, "Clone");
  h().set(clone, "x1", 100.0);
  EXPECT_EQ(ends(clone), (Corners{{100, 2}, {3, -9.5}}));
  EXPECT_EQ(ends(numbers), (Corners{{1, 2}, {3, -9.5}})) << "the clone is independent";
}

TEST_F(LineF, LengthAndDistances) {
  Value l = line(0, 0, 10, 0);
  EXPECT_EQ(h().call(line(1, 1, 4, 5), "Length").asDouble(), 5.0);
  struct Case {
    XY pt;
    double fromLine, fromInfiniteLine;
  } cases[] = {
      {{13, 4}, 5, 4}, // beyond P2: distance from P2
      {{-3, 4}, 5, 4}, // before P1: distance from P1
      {{5, 4}, 4, 4},  // beside the segment
      {{5, -3}, 3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.pt));
    EXPECT_EQ(h().call(l, "PointDistanceFromLine", {point(c.pt.x, c.pt.y)}).asDouble(), c.fromLine);
    EXPECT_EQ(h().call(l, "PointDistanceFromInfiniteLine", {point(c.pt.x, c.pt.y)}).asDouble(),
              c.fromInfiniteLine);
  }
}

TEST_F(LineF, ZeroLengthLine) {
  Value l = line(3, 3, 3, 3);
  EXPECT_EQ(h().call(l, "Length").asDouble(), 0.0);
  EXPECT_FALSE(h().call(l, "Intersects", {line(0, 0, 10, 10)}).asBoolean());
  EXPECT_FALSE(h().call(line(0, 0, 10, 10), "Intersects", {l}).asBoolean());
  EXPECT_TRUE(h().call(l, "ExtendLine", {1.0}).isNil());
  EXPECT_TRUE(h().call(l, "ExtendLineByRatio", {2.0}).isNil());
  for (const XY& c : ends(h().call(l, "MakeParallel", {2.0}))) {
    EXPECT_TRUE(std::isnan(c.x));
    EXPECT_TRUE(std::isnan(c.y));
  }
  EXPECT_TRUE(std::isnan(h().call(l, "PointDistanceFromLine", {point(5, 5)}).asDouble()));
  EXPECT_TRUE(std::isnan(h().call(l, "PointDistanceFromInfiniteLine", {point(5, 5)}).asDouble()));
  for (XY p : {XY{3, 3}, XY{3.000001, 3.000001}, XY{4, 3}})
    EXPECT_FALSE(h().call(l, "Contains", {p.x, p.y, 5.0}).asBoolean()) << p;
}

struct Crossing {
  Corners first, second;
  bool cross;
  XY at;
};

// The first segment is the receiver; a point of the second lying on the first counts as on its
// non-negative side, so exchanging the two can change the answer.
const Crossing kCrossings[] = {
    {{{0, 0}, {10, 0}}, {{5, -5}, {5, 5}}, true, {5, 0}},
    {{{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}, false, {}}, // shared end point
    {{{0, 0}, {10, 0}}, {{5, 0}, {15, 0}}, false, {}},   // collinear overlap
    {{{0, 0}, {10, 0}}, {{0, 1}, {10, 1}}, false, {}},   // parallel
    {{{0, 0}, {10, 0}}, {{5, 0}, {5, -5}}, true, {5, 0}},
    {{{0, 0}, {10, 0}}, {{5, 0}, {5, 5}}, false, {}},
    {{{0, 0}, {10, 0}}, {{10, -5}, {10, 5}}, true, {10, 0}},
    {{{10, -5}, {10, 5}}, {{0, 0}, {10, 0}}, false, {}},
    {{{0, 0}, {10, 0}}, {{20, -5}, {20, 5}}, false, {}}, // beyond B
    {{{0, 0}, {10, 0}}, {{-1, -5}, {-1, 5}}, false, {}}, // before A
    {{{0, 0}, {10, 10}}, {{0, 10}, {10, 0}}, true, {5, 5}},
    {{{0, 0}, {10, 0}}, {{5, 5}, {5, 5}}, false, {}}, // a point
};

TEST_F(LineF, SegmentCrossingTest) {
  for (const Crossing& c : kCrossings) {
    SCOPED_TRACE(testing::PrintToString(c.first) + " against " + testing::PrintToString(c.second));
    Value a = line(c.first[0].x, c.first[0].y, c.first[1].x, c.first[1].y);
    Value b = line(c.second[0].x, c.second[0].y, c.second[1].x, c.second[1].y);
    EXPECT_EQ(h().call(a, "Intersects", {b}).asBoolean(), c.cross);
    Value at = point(-7, -7);
    EXPECT_EQ(h().call(a, "Intersects", {b, at}).asBoolean(), c.cross);
    XY written = xy(at), expected = c.cross ? c.at : XY{-7, -7}; // written only for a crossing
    EXPECT_NEAR(written.x, expected.x, 1e-12);
    EXPECT_NEAR(written.y, expected.y, 1e-12);
    EXPECT_EQ(h().call(a, "Intersects", {b, Value::nil()}).asBoolean(), c.cross);
    EXPECT_EQ(h().lastException(), "");
    EXPECT_EQ(ends(a), c.first) << "operands unchanged";
    EXPECT_EQ(ends(b), c.second);
  }
}

struct Zone {
  Corners segment;
  double zone;
  XY pt;
  bool inside;
};

// Which way the segment runs decides whether the inset widens the thin quadrilateral to a band
// past both ends or shortens the band's ends.
const Zone kZones[] = {
    {{{0, 0}, {10, 0}}, 2, {5, 1.5}, true},       {{{0, 0}, {10, 0}}, 2, {5, -1.5}, true},
    {{{0, 0}, {10, 0}}, 2, {11, 0}, true},        {{{0, 0}, {10, 0}}, 2, {-1, 0}, true},
    {{{0, 0}, {10, 0}}, 2, {13, 1.9}, true},      {{{0, 0}, {10, 0}}, 2, {5, 2.5}, false},
    {{{0, 0}, {10, 0}}, 2, {5, -2.5}, false},     {{{0, 0}, {10, 0}}, 2, {20, 0}, false},
    {{{10, 0}, {0, 0}}, 2, {5, 1.5}, true},       {{{10, 0}, {0, 0}}, 2, {5, -1.5}, true},
    {{{10, 0}, {0, 0}}, 2, {1, 0}, false},        {{{10, 0}, {0, 0}}, 2, {9, 0}, false},
    {{{10, 0}, {0, 0}}, 2, {11, 0}, false},       {{{10, 0}, {0, 0}}, 2, {-1, 0}, false},
    {{{0, 0}, {10, 0}}, 0, {5, 0.000005}, true},  {{{0, 0}, {10, 0}}, 0, {5, 0}, false},
    {{{0, 0}, {10, 0}}, -3, {5, 0.000005}, true}, {{{0, 0}, {10, 0}}, -3, {5, 0}, false},
};

TEST_F(LineF, ZoneTestInBothDirections) {
  for (const Zone& z : kZones) {
    SCOPED_TRACE(testing::PrintToString(z.segment) + " zone " + std::to_string(z.zone) + " " +
                 testing::PrintToString(z.pt));
    Value l = line(z.segment[0].x, z.segment[0].y, z.segment[1].x, z.segment[1].y);
    size_t live = h().liveObjects();
    EXPECT_EQ(h().call(l, "Contains", {z.pt.x, z.pt.y, z.zone}).asBoolean(), z.inside);
    EXPECT_EQ(h().liveObjects(), live) << "the zone polygon is given back";
    EXPECT_EQ(h().call(l, "Contains", {point(z.pt.x, z.pt.y), z.zone}).asBoolean(), z.inside);
    EXPECT_EQ(h().liveObjects(), live);
    EXPECT_EQ(ends(l), z.segment);
  }
}

TEST_F(LineF, RotateUsesSinglePrecisionPi) {
  Value l = line(0, 0, 10, 0);
  h().call(l, "Rotate", {90.0, point(0, 0)});
  Corners e = ends(l);
  EXPECT_EQ(e[0], (XY{0, 0}));
  // cos(pi/2) with pi in single precision: -4.37e-8, where the double pi gives 6.1e-17.
  EXPECT_NEAR(e[1].x, -4.371139000186241e-07, 1e-15);
  EXPECT_LT(e[1].y, 10.0);
  EXPECT_NEAR(e[1].y, 10.0, 1e-12);

  Value about = line(2, 1, 4, 1);
  h().call(about, "Rotate", {180.0, point(3, 1)});
  expectNear(ends(about), {{4, 1}, {2, 1}}, 1e-6);

  Value unchanged = line(1, 2, 3, 4);
  h().call(unchanged, "Rotate", {45.0, Value::nil()});
  EXPECT_EQ(h().lastException(), "") << "a nil centre is allowed";
  EXPECT_EQ(ends(unchanged), (Corners{{1, 2}, {3, 4}}));
}

TEST_F(LineF, DerivedLinesAndCentre) {
  Value l = line(0, 0, 10, 0);
  EXPECT_EQ(ends(h().call(l, "MakeParallel", {2.0})), (Corners{{0, -2}, {10, -2}}));
  EXPECT_EQ(ends(h().call(l, "ExtendLine", {1.0})), (Corners{{-1, 0}, {11, 0}}));
  EXPECT_EQ(ends(h().call(l, "ExtendLine", {-2.0})), (Corners{{2, 0}, {8, 0}}));
  EXPECT_EQ(ends(h().call(l, "ExtendLineByRatio", {2.0})), (Corners{{-5, 0}, {15, 0}}));
  EXPECT_EQ(ends(h().call(l, "ExtendLineByRatio", {0.0})), (Corners{{5, 0}, {5, 0}}));
  EXPECT_EQ(ends(h().call(l, "ExtendLineByRatio", {-1.0})), (Corners{{10, 0}, {0, 0}}));
  EXPECT_EQ(xy(h().call(line(1, 2, 4, 8), "GetCenter")), (XY{2.5, 5}));
  EXPECT_EQ(ends(l), (Corners{{0, 0}, {10, 0}})) << "the source is unchanged";
}

} // namespace
} // namespace lines_tests
