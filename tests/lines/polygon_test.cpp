// PolygonF storage and measures: the data block, growth of the corner array, single corners,
// moving, bounds, the copy, area, centroid, containment and the corner hit test.
#include "lines_test.h"

namespace lines_tests {
namespace {

using PolygonF = LinesTest;

const Corners kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const Corners kSquareReversed = {{0, 10}, {10, 10}, {10, 0}, {0, 0}};

TEST_F(PolygonF, DataBlockOfANewPolygon) {
  Value a = h().create("PolygonF");
  Value b = h().create("PolygonF");
  const lines::PolygonFData& d = data(a);
  EXPECT_EQ(h().get(a, "CornerCount").asInteger(), 0);
  EXPECT_EQ(d.count, 0);
  EXPECT_EQ(d.capacity, 10);
  EXPECT_NE(d.corners, nullptr);
  EXPECT_NE(d.corners, data(b).corners) << "every polygon owns its array";
  EXPECT_NE(d.fillToBuffer, nullptr);
  EXPECT_EQ(d.fillToBuffer, data(b).fillToBuffer);
  EXPECT_EQ(d.methods, h().findClass("PolygonF")->record->methods);
}

TEST_F(PolygonF, CornerArrayGrowsByTen) {
  Value p = h().create("PolygonF");
  const lines::PolygonFData& d = data(p);
  const lines::PointFData* first = d.corners;
  for (int i = 1; i <= 10; ++i) h().call(p, "Add", {double(i), double(-i)});
  EXPECT_EQ(d.count, 10);
  EXPECT_EQ(d.capacity, 10);
  EXPECT_EQ(d.corners, first) << "ten corners fit the first allocation";
  h().call(p, "Add", {point(11, -11)});
  EXPECT_EQ(d.count, 11);
  EXPECT_EQ(d.capacity, 20);
  for (int i = 12; i <= 21; ++i) h().call(p, "Add", {double(i), double(-i)});
  EXPECT_EQ(d.capacity, 30);
  Corners c = corners(p);
  ASSERT_EQ(c.size(), 21u);
  for (int i = 1; i <= 21; ++i) EXPECT_EQ(c[i - 1], (XY{double(i), double(-i)}));
}

TEST_F(PolygonF, PointXAndPointYInsideAndOutsideTheCorners) {
  Value p = polygon({{1, 2}, {3, 4}});
  for (XojoInteger index : {XojoInteger{0}, XojoInteger{-1}, XojoInteger{3}, XojoInteger{1000}}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(h().call(p, "PointX", {index}).asDouble(), 0.0);
    EXPECT_EQ(h().call(p, "PointY", {index}).asDouble(), 0.0);
    h().assign(p, "PointX", {index}, 9.0);
    h().assign(p, "PointY", {index}, 9.0);
  }
  EXPECT_EQ(corners(p), (Corners{{1, 2}, {3, 4}})) << "assignments outside are ignored";
  h().assign(p, "PointX", {XojoInteger{2}}, -5.5);
  h().assign(p, "PointY", {XojoInteger{1}}, 7.25);
  EXPECT_EQ(corners(p), (Corners{{1, 7.25}, {-5.5, 4}}));
}

TEST_F(PolygonF, CornerCountIsReadOnly) {
  Value p = polygon({{1, 2}});
  EXPECT_THROW(h().set(p, "CornerCount", XojoInteger{5}), host::Error);
  EXPECT_EQ(h().get(p, "CornerCount").asInteger(), 1);
}

TEST_F(PolygonF, ConstructorFromRectangle) {
  EXPECT_EQ(corners(h().create("PolygonF", {rect(1, 2, 3, 4)})),
            (Corners{{1, 2}, {3, 2}, {3, 4}, {1, 4}}));
  // Two points give the rectangle unordered; its corners keep the same order of edges.
  Value inverted = h().create("RectF", {point(3, 4), point(1, 2)});
  EXPECT_EQ(corners(h().create("PolygonF", {inverted})), (Corners{{3, 4}, {1, 4}, {1, 2}, {3, 2}}));
}

TEST_F(PolygonF, OffsetAndBounds) {
  Value p = polygon({{0, 0}, {10, 0}});
  h().call(p, "Offset", {1.0, -1.0});
  EXPECT_EQ(corners(p), (Corners{{1, -1}, {11, -1}}));
  h().call(p, "Offset", {point(-1, 2)});
  EXPECT_EQ(corners(p), (Corners{{0, 1}, {10, 1}}));

  EXPECT_EQ(edges(h().call(polygon({{5, 1}, {2, 7}, {9, 3}}), "Bounds")), (Edges{2, 1, 9, 7}));
  EXPECT_EQ(edges(h().call(polygon({{-3, -4}}), "Bounds")), (Edges{-3, -4, -3, -4}));
  EXPECT_EQ(edges(h().call(h().create("PolygonF"), "Bounds")), (Edges{0, 0, 0, 0}));
}

TEST_F(PolygonF, CloneIsIndependent) {
  Corners eleven;
  for (int i = 0; i < 11; ++i) eleven.push_back({double(i), double(i * i)});
  Value p = polygon(eleven);
  Value copy = h().get(p, "Clone");
  EXPECT_EQ(corners(copy), eleven);
  EXPECT_EQ(data(copy).capacity, 20) << "the copy grows by its own appends";
  EXPECT_NE(data(copy).corners, data(p).corners);
  h().assign(copy, "PointX", {XojoInteger{1}}, 99.0);
  EXPECT_EQ(corners(p), eleven);
  EXPECT_EQ(h().get(h().get(h().create("PolygonF"), "Clone"), "CornerCount").asInteger(), 0);
}

TEST_F(PolygonF, SignedArea) {
  struct Case {
    Corners corners;
    double area;
  } cases[] = {
      {kSquare, -100},
      {kSquareReversed, 100},
      {{{0, 0}, {4, 0}, {0, 4}}, -8},
      {{}, 0},
      {{{3, 3}}, 0},
      {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 0}, // crossed: the two halves cancel
  };
  for (const Case& c : cases)
    EXPECT_EQ(h().call(polygon(c.corners), "Area").asDouble(), c.area)
        << testing::PrintToString(c.corners);
}

TEST_F(PolygonF, CentroidInBothOrientations) {
  struct Case {
    Corners corners;
    XY centroid;
  } cases[] = {
      {kSquare, {5, 5}},
      {kSquareReversed, {5, 5}},
      {{{-20, 0}, {-10, 0}, {-10, 10}, {-20, 10}}, {-15, 5}},
      {{{-20, 10}, {-10, 10}, {-10, 0}, {-20, 0}}, {-15, 5}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(xy(h().call(polygon(c.corners), "FindCentroid")), c.centroid)
        << testing::PrintToString(c.corners);
  XY triangle = xy(h().call(polygon({{0, 0}, {4, 0}, {0, 4}}), "FindCentroid"));
  EXPECT_DOUBLE_EQ(triangle.x, 4.0 / 3);
  EXPECT_DOUBLE_EQ(triangle.y, 4.0 / 3);
  XY none = xy(h().call(h().create("PolygonF"), "FindCentroid"));
  EXPECT_TRUE(std::isnan(none.x) && std::isnan(none.y));
}

TEST_F(PolygonF, EvenOddContainment) {
  struct Case {
    Corners corners;
    XY pt;
    bool inside;
  } cases[] = {
      // The edges at the larger x and y belong to the square, those at the smaller do not.
      {kSquare, {5, 5}, true},
      {kSquare, {10, 5}, true},
      {kSquare, {5, 10}, true},
      {kSquare, {10, 10}, true},
      {kSquare, {0, 5}, false},
      {kSquare, {5, 0}, false},
      {kSquare, {0, 0}, false},
      {kSquare, {10.5, 5}, false},
      {kSquareReversed, {10, 10}, true},
      {kSquareReversed, {0, 5}, false},
      // Crossed quadrilateral: the two triangles are inside, the middle between them is not.
      {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}, {2, 5}, true},
      {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}, {8, 5}, true},
      {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}, {5, 2}, false},
      {{}, {0, 0}, false},
      {{{1, 1}}, {1, 1}, false},
      {{{0, 0}, {10, 10}}, {5, 5}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.corners) + " " + testing::PrintToString(c.pt));
    Value p = polygon(c.corners);
    EXPECT_EQ(h().call(p, "Contains", {c.pt.x, c.pt.y}).asBoolean(), c.inside);
    EXPECT_EQ(h().call(p, "Contains", {point(c.pt.x, c.pt.y)}).asBoolean(), c.inside);
  }
}

TEST_F(PolygonF, HitTestCorners) {
  Value p = polygon({{0, 0}, {10, 0}, {10, 10}});
  struct Case {
    double x, y;
    XojoInteger tolerance, corner;
  } cases[] = {
      {9, 1, 1, 2},   {9, 1, 0, 0},   {10, 0, 0, 2}, {5, 5, 10, 1},
      {11, 11, 1, 3}, {12, 12, 1, 0}, {0, 0, -1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(h().call(p, "HitTestCorners", {c.x, c.y, c.tolerance}).asInteger(), c.corner)
        << c.x << ", " << c.y << " tolerance " << c.tolerance;
  EXPECT_EQ(
      h().call(h().create("PolygonF"), "HitTestCorners", {0.0, 0.0, XojoInteger{5}}).asInteger(),
      0);
}

} // namespace
} // namespace lines_tests
