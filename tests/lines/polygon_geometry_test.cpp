// PolygonF in place and against other figures: rotation, scaling, inset, the intersection tests
// and VecNorm, with the temporary host objects each of them makes.
#include "lines_test.h"

namespace lines_tests {
namespace {

using PolygonGeometry = LinesTest;

const Corners kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const Corners kSquareReversed = {{0, 10}, {10, 10}, {10, 0}, {0, 0}};
const Corners kTriangle = {{1, 1}, {3, 1}, {3, 3}};

TEST_F(PolygonGeometry, RotationUsesSinglePrecisionPi) {
  // Corners left of the centre take a half-turn of single-precision pi, so they move a little
  // even for an angle of 0.
  Value p = polygon({{10, 0}, {-10, 0}, {0, 0}});
  h().call(p, "Rotate", {0.0, point(0, 0)});
  Corners c = corners(p);
  EXPECT_EQ(c[0], (XY{10, 0}));
  EXPECT_NEAR(c[1].y, -8.742278e-07, 1e-12);
  EXPECT_GT(c[1].x, -10.0);
  EXPECT_NEAR(c[1].x, -10.0, 1e-12);
  EXPECT_EQ(c[2], (XY{0, 0})) << "the centre itself stays";
}

TEST_F(PolygonGeometry, RotateAboutBoundsCornerAndPoint) {
  Value square = polygon(kSquare);
  size_t live = h().liveObjects();
  h().call(square, "Rotate", {90.0});
  EXPECT_EQ(h().liveObjects(), live) << "the bounds rectangle is given back";
  expectNear(corners(square), {{10, 0}, {10, 10}, {0, 10}, {0, 0}}, 1e-5);

  Value pair = polygon({{0, 0}, {10, 0}});
  h().call(pair, "Rotate", {180.0, XojoInteger{1}});
  Corners c = corners(pair);
  EXPECT_EQ(c[0], (XY{0, 0}));
  expectNear(c, {{0, 0}, {-10, 0}}, 1e-5);

  for (XojoInteger corner : {XojoInteger{0}, XojoInteger{4}, XojoInteger{-1}}) {
    Value t = polygon(kTriangle);
    h().call(t, "Rotate", {45.0, corner});
    EXPECT_EQ(corners(t), kTriangle) << "corner " << corner;
  }

  Value about = polygon({{2, 0}, {4, 0}});
  h().call(about, "Rotate", {90.0, point(3, 0)});
  expectNear(corners(about), {{3, -1}, {3, 1}}, 1e-6);
  h().call(about, "Rotate", {90.0, Value::nil()});
  EXPECT_EQ(h().lastException(), "") << "a nil centre is allowed";
  expectNear(corners(about), {{3, -1}, {3, 1}}, 1e-6);

  Value empty = h().create("PolygonF");
  h().call(empty, "Rotate", {30.0});
  EXPECT_EQ(h().get(empty, "CornerCount").asInteger(), 0);
}

TEST_F(PolygonGeometry, ScaleModes) {
  Value p = polygon({{1, 1}, {2, 2}});
  h().call(p, "Scale", {2.0, 3.0});
  EXPECT_EQ(corners(p), (Corners{{2, 3}, {4, 6}}));

  struct Case {
    XojoInteger pin, mode;
    Corners result;
  } cases[] = {
      {1, 0, {{1, 1}, {5, 1}, {5, 5}}},    // the pinned corner stays
      {1, 1, {{1, 2}, {5, 2}, {5, 6}}},    // its x stays
      {1, 2, {{2, 1}, {6, 1}, {6, 5}}},    // its y stays
      {1, 7, {{2, 2}, {6, 2}, {6, 6}}},    // about the origin
      {3, 0, {{-1, -1}, {3, -1}, {3, 3}}}, // pinned at the last corner
      {0, 7, {{2, 2}, {6, 2}, {6, 6}}},    // no corner needed
      {0, 0, kTriangle},                   // there is no corner 0
      {0, 1, kTriangle},
      {0, 2, kTriangle},
      {-1, 7, kTriangle},
      {4, 0, kTriangle},
      {4, 7, kTriangle},
  };
  for (const Case& c : cases) {
    Value t = polygon(kTriangle);
    h().call(t, "Scale", {2.0, 2.0, c.pin, c.mode});
    EXPECT_EQ(corners(t), c.result) << "pin " << c.pin << " mode " << c.mode;
  }
}

TEST_F(PolygonGeometry, Inset) {
  struct Case {
    Corners corners;
    double distance;
    Corners result;
  } cases[] = {
      {kSquare, 1, {{1, 1}, {9, 1}, {9, 9}, {1, 9}}},
      {kSquare, -1, {{-1, -1}, {11, -1}, {11, 11}, {-1, 11}}},
      {kSquareReversed, 1, {{-1, 11}, {11, 11}, {11, -1}, {-1, -1}}}, // the other way round grows
      {kSquare, 6, {{6, 6}, {4, 6}, {4, 4}, {6, 4}}},                 // edges move past each other
      {{{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}}, 1, {{1, 1}, {5, 1}, {9, 1}, {9, 9}, {1, 9}}},
      // Both corners next to the zero-length edge keep their places.
      {{{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}},
       1,
       {{1, 1}, {10, 0}, {10, 0}, {9, 9}, {1, 9}}},
      {{{0, 0}, {10, 0}}, 1, {{0, 0}, {10, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.corners) + " by " + std::to_string(c.distance));
    Value p = polygon(c.corners);
    h().call(p, "Inset", {c.distance});
    expectNear(corners(p), c.result, 1e-12);
  }
}

// A square and a band that overlap along the square's left edge, which closes the square's
// chain of corners: only a test of that closing edge sees the two meet.
const Corners kBand = {{-5, 5}, {5, 5}, {5, 6}, {-5, 6}};

TEST_F(PolygonGeometry, IntersectsLine) {
  struct Case {
    Corners polygon, line;
    bool meets;
  } cases[] = {
      {kSquare, {{5, 5}, {20, 5}}, true}, // crosses the right edge
      {kSquare, {{2, 2}, {3, 3}}, true},  // wholly inside
      {kSquare, {{20, 20}, {30, 30}}, false},
      {kSquare, {{-5, 5}, {5, 5}}, true}, // crosses the closing edge only
      {kSquare, {{-5, -5}, {-5, 20}}, false},
      {{{5, 5}}, {{0, 0}, {10, 10}}, false}, // a single corner contains nothing
      {{}, {{0, 0}, {10, 10}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.polygon) + " " + testing::PrintToString(c.line));
    Value p = polygon(c.polygon);
    Value l = line(c.line[0].x, c.line[0].y, c.line[1].x, c.line[1].y);
    size_t live = h().liveObjects();
    EXPECT_EQ(h().call(p, "Intersects", {l}).asBoolean(), c.meets);
    EXPECT_EQ(h().liveObjects(), live) << "every edge line is given back";
  }
}

TEST_F(PolygonGeometry, IntersectsPolygonInEitherOrder) {
  struct Case {
    Corners a, b;
    bool meets;
  } cases[] = {
      {kSquare, {{5, 5}, {15, 5}, {15, 15}, {5, 15}}, true}, // edges cross
      {kSquare, {{2, 2}, {4, 2}, {4, 4}, {2, 4}}, true},     // one inside the other
      {kSquare, {{20, 20}, {30, 20}, {30, 30}, {20, 30}}, false},
      {kSquare, kBand, true},      // only closing edges cross
      {kSquare, {{5, 5}}, true},   // a single corner inside
      {{{5, 5}}, {{5, 5}}, false}, // two single corners
      {kSquare, {{20, 20}}, false},
      {kSquare, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.a) + " and " + testing::PrintToString(c.b));
    Value a = polygon(c.a), b = polygon(c.b);
    size_t live = h().liveObjects();
    EXPECT_EQ(h().call(a, "Intersects", {b}).asBoolean(), c.meets);
    EXPECT_EQ(h().call(b, "Intersects", {a}).asBoolean(), c.meets);
    EXPECT_EQ(h().liveObjects(), live);
    EXPECT_EQ(corners(a), c.a);
    EXPECT_EQ(corners(b), c.b);
  }
}

TEST_F(PolygonGeometry, VecNorm) {
  Value p = polygon({{5, 5}, {15, 5}, {10, 20}});
  Value offset = point(1, 1);
  size_t live = h().liveObjects();
  Value moved = h().call(p, "VecNorm", {offset});
  EXPECT_EQ(h().liveObjects(), live + 1) << "only the result stays; the bounds are given back";
  EXPECT_EQ(corners(moved), (Corners{{0, 0}, {10, 0}, {5, 15}}));
  EXPECT_EQ(xy(offset), (XY{-5, -5}));
  EXPECT_EQ(corners(p), (Corners{{5, 5}, {15, 5}, {10, 20}}));

  EXPECT_EQ(corners(h().call(p, "VecNorm", {Value::nil()})), (Corners{{0, 0}, {10, 0}, {5, 15}}));
  EXPECT_EQ(h().lastException(), "") << "a nil offset is allowed";

  Value empty = h().call(h().create("PolygonF"), "VecNorm", {offset});
  EXPECT_EQ(h().get(empty, "CornerCount").asInteger(), 0);
  XY zero = xy(offset);
  EXPECT_TRUE(zero.x == 0 && std::signbit(zero.x) && zero.y == 0 && std::signbit(zero.y))
      << "the negated origin";
}

} // namespace
} // namespace lines_tests
