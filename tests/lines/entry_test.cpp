// The start-up of Tessaline2: entry points bound by host version, the registration it makes,
// and its life beside Tessaline1, loaded in either order or not at all.
#include <algorithm>
#include <optional>

#include "lines_test.h"

namespace lines_tests {
namespace {

using Entry = LinesTest;

// The names Tessaline2's own start-up asks the resolver for, in order.
std::vector<std::string> startUpLookups(host::Host& h) {
  const std::vector<std::string> own = {
      "REALUnlockObject",    "REALLoadObjectMethod",    "graphicsDrawPolygon",
      "graphicsFillPolygon", "RuntimeGraphicsDrawLine",
  };
  std::vector<std::string> out;
  for (const std::string& name : h.lookupLog())
    if (std::find(own.begin(), own.end(), name) != own.end()) out.push_back(name);
  return out;
}

TEST_F(Entry, LegacyDrawingEntriesOnlyForOldHosts) {
  const std::vector<std::string> current = {"REALUnlockObject", "REALLoadObjectMethod"};
  const std::vector<std::string> old = {"REALUnlockObject", "REALLoadObjectMethod",
                                        "graphicsDrawPolygon", "graphicsFillPolygon",
                                        "RuntimeGraphicsDrawLine"};
  struct Case {
    std::optional<double> version;
    std::vector<std::string> lookups;
  } cases[] = {
      {2019.0, current}, {2010.04, current}, {100.0, current},
      {2010.03, old},    {2007.02, old},     {std::nullopt, old},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version ? std::to_string(*c.version) : "no version");
    start({"Tessaline2"}, host::Options{c.version});
    EXPECT_EQ(startUpLookups(h()), c.lookups);
  }
}

TEST_F(Entry, RegistersLineThenPolygon) {
  start({"Tessaline2"});
  std::vector<std::string> names;
  for (const host::ClassInfo* c : h().registrationOrder()) {
    names.push_back(c->name);
    EXPECT_EQ(c->flagsAtRegistration, 4u) << c->name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"LineF", "PolygonF"}));
  EXPECT_EQ(h().findClass("LineF")->methods.size(), 17u);
  EXPECT_EQ(h().findClass("PolygonF")->methods.size(), 29u);
  const host::MethodInfo& pointX = method("PolygonF", "PointX(index as Integer) as Double");
  EXPECT_NE(pointX.setter, nullptr) << "PointX is assignable";
  EXPECT_NE(method("PolygonF", "PointY(index as Integer) as Double").setter, nullptr);
}

// Tessaline1 is reached by class name on first use, so it may be loaded before or after.
TEST_F(Entry, PointsAndRectanglesWorkInEitherLoadOrder) {
  for (bool linesFirst : {false, true}) {
    SCOPED_TRACE(linesFirst ? "Tessaline2 first" : "Tessaline1 first");
    if (linesFirst)
      start({"Tessaline2", "Tessaline1"});
    else
      start({"Tessaline1", "Tessaline2"});
    Value p = h().create("PolygonF", {rect(1, 2, 3, 4)});
    h().call(p, "Add", {point(0, 9)});
    EXPECT_EQ(edges(h().call(p, "Bounds")), (Edges{0, 2, 3, 9}));
    EXPECT_EQ(xy(h().call(line(0, 0, 4, 2), "GetCenter")), (XY{2, 1}));
    EXPECT_TRUE(
        h().call(line(0, 0, 4, 0), "Intersects", {line(2, -1, 2, 1), point(0, 0)}).asBoolean());
  }
}

// Without Tessaline1 there is no PointF or RectF: what needs them gives its neutral value and
// reads through no null pointer; the rest works.
TEST_F(Entry, WithoutTessaline1) {
  start({"Tessaline2"});
  Value p = polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  Value l = line(0, 0, 10, 0);
  EXPECT_TRUE(h().call(p, "Bounds").isNil());
  EXPECT_TRUE(h().call(p, "VecNorm", {Value::nil()}).isNil());
  EXPECT_TRUE(h().call(p, "FindCentroid").isNil());
  EXPECT_TRUE(h().call(l, "GetCenter").isNil());
  h().call(p, "Rotate", {90.0});
  EXPECT_EQ(corners(p), (Corners{{0, 0}, {10, 0}, {10, 10}, {0, 10}})) << "no centre, no turn";
  EXPECT_EQ(h().call(p, "Area").asDouble(), -100.0);
  EXPECT_TRUE(h().call(p, "Intersects", {line(5, 5, 20, 5)}).asBoolean());
  EXPECT_TRUE(h().call(l, "Contains", {5.0, 1.0, 2.0}).asBoolean());
  EXPECT_EQ(ends(h().call(l, "ExtendLine", {1.0})), (Corners{{-1, 0}, {11, 0}}));
}

} // namespace
} // namespace lines_tests
