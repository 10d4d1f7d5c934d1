// Nil where Xojo code passes an object: methods that need the object raise NilObjectException
// and return their neutral value, leaving the instance as it was; the conversions from Xojo.Core
// types and the rotation centre take Nil as a defined input and raise nothing. Result objects
// the host cannot make come back as Nil.
#include "planar_test.h"

using namespace planar_testing;

namespace {

class Nil : public PlanarTest {
protected:
  void SetUp() override { startPlanar(); }
};

struct NilCase {
  const char* cls;
  const char* declaration;
  std::vector<Value> args; // Nil stands for the missing object; other objects are made below
  Value neutral;
};

TEST_F(Nil, MethodsThatNeedTheObjectRaise) {
  const Value nil = Value::nil();
  const NilCase cases[] = {
      {"PointF", "Operator_Add(rval as PointF) as PointF", {nil}, nil},
      {"PointF", "Operator_Subtract(rval as PointF) as PointF", {nil}, nil},
      {"PointF", "Distance(p as PointF) as Double", {nil}, 0.0},
      {"PointF", "Equal(v as PointF) as Boolean", {nil}, false},
      {"SizeF", "Operator_Add(rval as SizeF) as SizeF", {nil}, nil},
      {"SizeF", "Operator_Subtract(rval as SizeF) as SizeF", {nil}, nil},
      {"RectF", "Contains(pt as PointF) as Boolean", {nil}, false},
      {"RectF", "EllipseContains(pt as PointF) as Boolean", {nil}, false},
      {"RectF", "Union(r2 as RectF) as RectF", {nil}, nil},
      {"RectF", "Equal(r2 as RectF) as Boolean", {nil}, false},
      {"RectF", "Intersects(value as RectF) as Boolean", {nil}, false},
      {"RectF", "Draw(g as Graphics)", {nil}, Value()},
      {"RectF", "Fill(g as Graphics)", {nil}, Value()},
      {"RectF", "Draw(g as WebGraphics)", {nil}, Value()},
      {"RectF", "Fill(g as WebGraphics)", {nil}, Value()},
  };
  for (const NilCase& c : cases) {
    SCOPED_TRACE(std::string(c.cls) + "." + c.declaration);
    Value self = std::string(c.cls) == "RectF"   ? rect({1, 2, 3, 4})
                 : std::string(c.cls) == "SizeF" ? size(1, 2)
                                                 : point(1, 2);
    Value result = invoke(self, c.cls, c.declaration, c.args);
    EXPECT_EQ(host().lastException(), "NilObjectException");
    EXPECT_EQ(result.kind(), c.neutral.kind()) << result.describe();
    if (c.neutral.kind() == Value::Kind::Double) EXPECT_EQ(result.asDouble(), 0.0);
    if (c.neutral.kind() == Value::Kind::Boolean) EXPECT_FALSE(result.asBoolean());
    if (std::string(c.cls) == "RectF") EXPECT_SAME_RECT(readRect(self), (Rect{1, 2, 3, 4}));
    if (std::string(c.cls) == "PointF") EXPECT_SAME_PAIR(readPoint(self), (Pair{1, 2}));
    if (std::string(c.cls) == "SizeF") EXPECT_SAME_PAIR(readSize(self), (Pair{1, 2}));
  }
  EXPECT_TRUE(host().drawLog().empty());
}

// A constructor with a nil argument raises and leaves the new rectangle at (0, 0, 0, 0), even
// when the other argument is there.
TEST_F(Nil, RectConstructorsWithANilArgument) {
  const Value nil = Value::nil();
  struct Case {
    const char* declaration;
    std::vector<Value> args;
  };
  const Case cases[] = {
      {"Constructor(p1 as PointF,p2 as PointF)", {nil, point(5, 6)}},
      {"Constructor(p1 as PointF,p2 as PointF)", {point(5, 6), nil}},
      {"Constructor(location as PointF,size as SizeF)", {point(5, 6), nil}},
      {"Constructor(location as PointF,size as SizeF)", {nil, size(5, 6)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declaration);
    Value r = host().createInstance("RectF");
    invoke(r, "RectF", c.declaration, c.args);
    EXPECT_EQ(host().lastException(), "NilObjectException");
    EXPECT_SAME_RECT(readRect(r), (Rect{0, 0, 0, 0}));
  }
}

// Without "CreateInstance" no result object can be made: operators, Union and Clone give Nil.
TEST_F(Nil, UncreatableResultsAreNil) {
  host::Host& h = startPlanar(2019.0, [](host::Host& h) { h.removeEntry("CreateInstance"); });
  Value p = point(1, 2), s = size(3, 4), r = rect({1, 2, 3, 4});
  EXPECT_TRUE(call(p, "Operator_Add", {p}).isNil());
  EXPECT_TRUE(call(p, "Operator_Negate").isNil());
  EXPECT_TRUE(h.get(p, "Clone").isNil());
  EXPECT_TRUE(call(s, "Operator_Subtract", {s}).isNil());
  EXPECT_TRUE(h.get(s, "Clone").isNil());
  EXPECT_TRUE(call(r, "Union", {r}).isNil());
  EXPECT_TRUE(h.get(r, "Clone").isNil());
  EXPECT_SAME_PAIR(readPoint(p), (Pair{1, 2}));
  EXPECT_SAME_RECT(readRect(r), (Rect{1, 2, 3, 4}));
}

} // namespace
