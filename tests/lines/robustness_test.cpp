// Nil object arguments, and allocation failures of the corner array and of the raster fill.
#include <dlfcn.h>

#include <cstring>
#include <functional>

#include "failing_allocator.h"
#include "raster_fill_support.h"

namespace lines_tests {
namespace {

using Robustness = LinesTest;

// Raw bytes of an object's class data, to see that a call left it as it was.
std::vector<unsigned char> bytesOf(host::Host& h, const Value& object, size_t size) {
  const unsigned char* at = static_cast<const unsigned char*>(h.classData(object));
  return {at, at + size};
}

// Nil where a method must read an object: the host's NilObjectException, the neutral result,
// and the instance as it was.
TEST_F(Robustness, NilArgumentsRaiseAndChangeNothing) {
  struct Case {
    const char* cls;
    const char* declaration;
    std::vector<Value> args; // Nil stands for the object argument
    Value neutral;
  } cases[] = {
      {"LineF", "Constructor(pt1 as PointF,pt2 as PointF)", {Value::nil(), Value::nil()}, {}},
      {"LineF", "Contains(pt as PointF,zone as Double) as Boolean", {Value::nil(), 2.0}, false},
      {"LineF", "Intersects(ln as LineF) as Boolean", {Value::nil()}, false},
      {"LineF",
       "Intersects(ln as LineF,pt as PointF) as Boolean",
       {Value::nil(), Value::nil()},
       false},
      {"LineF", "PointDistanceFromInfiniteLine(pt as PointF) as Double", {Value::nil()}, 0.0},
      {"LineF", "PointDistanceFromLine(pt as PointF) as Double", {Value::nil()}, 0.0},
      {"PolygonF", "Constructor(r as RectF)", {Value::nil()}, {}},
      {"PolygonF", "Add(pt as PointF)", {Value::nil()}, {}},
      {"PolygonF", "Offset(pt as PointF)", {Value::nil()}, {}},
      {"PolygonF", "Contains(pt as PointF) as Boolean", {Value::nil()}, false},
      {"PolygonF", "Intersects(line as LineF) as Boolean", {Value::nil()}, false},
      {"PolygonF", "Intersects(poly as PolygonF) as Boolean", {Value::nil()}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.cls) + "." + c.declaration);
    bool isLine = std::string(c.cls) == "LineF";
    Value self = isLine ? line(1, 2, 3, 4) : polygon({{0, 0}, {10, 0}, {10, 10}});
    size_t size = isLine ? sizeof(double) * 4 : sizeof(lines::PolygonFData);
    std::vector<unsigned char> before = bytesOf(h(), self, size);
    Corners cornersBefore = isLine ? Corners{} : corners(self);
    Value result = h().invoke(self, method(c.cls, c.declaration), c.args);
    EXPECT_EQ(h().lastException(), "NilObjectException");
    EXPECT_EQ(result.describe(), c.neutral.describe());
    EXPECT_EQ(bytesOf(h(), self, size), before);
    if (!isLine) EXPECT_EQ(corners(self), cornersBefore);
  }
  // A line with a point but a nil line: no crossing point is written either.
  Value at = point(7, 7);
  h().call(line(0, 0, 10, 0), "Intersects", {Value::nil(), at});
  EXPECT_EQ(h().lastException(), "NilObjectException");
  EXPECT_EQ(xy(at), (XY{7, 7}));
}

// Nil where a method has a meaning for it: no exception.
TEST_F(Robustness, NilArgumentsThatMeanSomething) {
  Value l = line(1, 2, 3, 4);
  Value p = polygon({{0, 0}, {10, 0}});
  struct Case {
    const Value* self;
    const char* name;
    std::vector<Value> args;
  } cases[] = {
      {&l, "Rotate", {90.0, Value::nil()}},
      {&l, "Intersects", {line(0, 3, 4, 3), Value::nil()}},
      {&p, "Rotate", {90.0, Value::nil()}},
      {&p, "VecNorm", {Value::nil()}},
  };
  for (const Case& c : cases) {
    h().call(*c.self, c.name, c.args);
    EXPECT_EQ(h().lastException(), "") << c.name;
  }
  EXPECT_EQ(ends(l), (Corners{{1, 2}, {3, 4}}));
  EXPECT_EQ(corners(p), (Corners{{0, 0}, {10, 0}}));
}

class AllocationFailure : public LinesTest {
protected:
  const void* library() { return h().symbol("Tessaline2", "PluginEntry"); }
};

// A corner that finds no room is dropped; the polygon keeps its corners and stays usable.
TEST_F(AllocationFailure, AppendKeepsThePolygon) {
  Corners ten;
  for (int i = 0; i < 10; ++i) ten.push_back({double(i), double(2 * i)});
  Value p = polygon(ten);
  {
    FailingAllocator failing(library(), true);
    h().call(p, "Add", {99.0, 99.0});
    h().call(p, "Add", {point(98, 98)});
    h().call(h().create("PolygonF"), "Add", {1.0, 1.0}); // the first ten need no allocation
    EXPECT_GE(failing.calls(), 2);
  }
  EXPECT_EQ(data(p).count, 10);
  EXPECT_EQ(data(p).capacity, 10);
  EXPECT_EQ(corners(p), ten);
  h().call(p, "Add", {99.0, 99.0});
  EXPECT_EQ(data(p).count, 11);
  EXPECT_EQ(data(p).capacity, 20);
}

// A polygon whose first allocation failed starts with no array; its first append makes one.
TEST_F(AllocationFailure, ConstructorLeavesAnEmptyPolygon) {
  Value p;
  {
    FailingAllocator failing(library(), true);
    p = h().create("PolygonF");
    EXPECT_EQ(failing.calls(), 1);
  }
  const lines::PolygonFData& d = data(p);
  EXPECT_EQ(d.count, 0);
  EXPECT_EQ(d.capacity, 0);
  EXPECT_EQ(d.corners, nullptr);
  EXPECT_EQ(h().call(p, "Area").asDouble(), 0.0);
  EXPECT_FALSE(h().call(p, "Contains", {0.0, 0.0}).asBoolean());
  EXPECT_EQ(edges(h().call(p, "Bounds")), (Edges{0, 0, 0, 0}));
  h().call(p, "Inset", {1.0});
  Canvas canvas(10, 10);
  canvas.fill(d);
  EXPECT_TRUE(canvas.painted().empty());

  h().call(p, "Add", {1.0, 2.0});
  EXPECT_EQ(d.count, 1);
  EXPECT_EQ(d.capacity, 10);
  EXPECT_EQ(corners(p), (Corners{{1, 2}}));

  // The zone test's temporary polygon without an array contains nothing.
  FailingAllocator failing(library(), true);
  EXPECT_FALSE(h().call(line(0, 0, 10, 0), "Contains", {5.0, 0.5, 2.0}).asBoolean());
}

// Polygons of up to 64 corners fill from the stack; a larger one takes one allocation per fill,
// and without it is filled edge by edge on every row, where a row of more than 64 crossings
// stays as it was.
TEST_F(AllocationFailure, RasterFillAllocatesOncePerLargePolygon) {
  struct Case {
    Corners corners;
    int allocations;
  } cases[] = {
      {star(32, 90, 110, 85, 40), 0},
      {star(33, 90, 110, 85, 40), 1},
      {comb(33), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.corners.size());
    Value p = polygon(c.corners);
    FailingAllocator counting(library(), false);
    Canvas canvas(180, 220);
    canvas.fill(data(p));
    EXPECT_EQ(counting.calls(), c.allocations);
    EXPECT_EQ(canvas.painted(), referencePixels(c.corners, 180, 220));
  }

  Corners crowded = comb(33);
  ASSERT_EQ(maxCrossings(crowded, 220), 66);
  Value p = polygon(crowded);
  FailingAllocator failing(library(), true);
  Canvas canvas(180, 220);
  canvas.fill(data(p));
  EXPECT_TRUE(canvas.confined());
  // Only the rows through the teeth have more than 64 crossings; the bar below is painted.
  Pixels expected;
  for (auto [x, y] : referencePixels(crowded, 180, 220))
    if (crossingsAt(crowded, y).size() <= 64) expected.insert({x, y});
  EXPECT_EQ(canvas.painted(), expected);
  EXPECT_FALSE(expected.empty());
}

// Large polygons are tested edge pair by edge pair when the boxes that prune the pairs find no
// room: the same answers, one allocation attempted per call.
TEST_F(AllocationFailure, IntersectsAnswersAlikeWithoutRoomForItsBoxes) {
  struct Case {
    Corners a, b;
    bool meets;
  } cases[] = {
      {star(40, 0, 0, 100, 80), star(40, 145, 145, 100, 80), false},
      {star(40, 0, 0, 100, 80), star(40, 106, 106, 100, 80), true},
      {star(40, 0, 0, 100, 80), star(40, 0, 0, 50, 40), true},
  };
  for (const Case& c : cases) {
    Value a = polygon(c.a), b = polygon(c.b);
    EXPECT_EQ(h().call(a, "Intersects", {b}).asBoolean(), c.meets);
    FailingAllocator failing(library(), true);
    EXPECT_EQ(h().call(a, "Intersects", {b}).asBoolean(), c.meets);
    EXPECT_EQ(failing.calls(), 1);
  }
}

} // namespace
} // namespace lines_tests
