// Drawing of lines and polygons on the host's recording Graphics and WebGraphics objects: the
// declaration chosen by host version, the coordinates and point arrays passed, and the members
// kept per kind of graphics object.
#include <optional>

#include "lines_test.h"

namespace lines_tests {
namespace {

using host::DrawCall;

constexpr const char* kDrawLineInteger =
    "DrawLine(x1 as Integer,y1 as Integer,x2 as Integer,y2 as Integer)";
constexpr const char* kDrawLineDouble =
    "DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double)";
constexpr const char* kDrawPolygonInteger = "DrawPolygon(point() as Integer)";
constexpr const char* kDrawPolygonDouble = "DrawPolygon(point() as Double)";
constexpr const char* kFillPolygonInteger = "FillPolygon(point() as Integer)";

std::vector<Value> integers(std::initializer_list<XojoInteger> values) {
  return std::vector<Value>(values.begin(), values.end());
}
std::vector<Value> doubles(std::initializer_list<double> values) {
  return std::vector<Value>(values.begin(), values.end());
}

// Values compared by kind and content; an element never set is Nothing.
void expectValues(const std::vector<Value>& actual, const std::vector<Value>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].kind(), expected[i].kind()) << "element " << i;
    EXPECT_EQ(actual[i].describe(), expected[i].describe()) << "element " << i;
  }
}

void expectCall(const DrawCall& call, const char* target, const char* declaration,
                const std::vector<Value>& args) {
  EXPECT_EQ(call.target, target);
  EXPECT_EQ(call.declaration, declaration);
  expectValues(call.args, args);
}

void expectArrayCall(const DrawCall& call, const char* target, const char* declaration,
                     int arrayType, const std::vector<Value>& array) {
  EXPECT_EQ(call.target, target);
  EXPECT_EQ(call.declaration, declaration);
  EXPECT_EQ(call.arrayType, arrayType);
  expectValues(call.array, array);
}

class Drawing : public LinesTest {
protected:
  void SetUp() override {}
  void startAt(std::optional<double> version) { startLines(host::Options{version}); }
};

TEST_F(Drawing, LineByHostVersion) {
  struct Case {
    std::optional<double> version;
    const char* declaration;
    std::vector<Value> args;
  } cases[] = {
      {2018.02, kDrawLineDouble, doubles({0.5, 1.5, 10.7, 20.2})},
      {2019.0, kDrawLineDouble, doubles({0.5, 1.5, 10.7, 20.2})},
      {2018.01, kDrawLineInteger, integers({0, 1, 10, 20})},
      {2010.04, kDrawLineInteger, integers({0, 1, 10, 20})},
      {100.0, kDrawLineInteger, integers({0, 1, 10, 20})},
      {2007.02, "RuntimeGraphicsDrawLine", integers({0, 1, 10, 20})},
      {std::nullopt, "RuntimeGraphicsDrawLine", integers({0, 1, 10, 20})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version ? std::to_string(*c.version) : "no version");
    startAt(c.version);
    Value g = h().newGraphics();
    h().call(line(0.5, 1.5, 10.7, 20.2), "Draw", {g});
    ASSERT_EQ(h().drawLog().size(), 1u);
    expectCall(h().drawLog()[0], "Graphics", c.declaration, c.args);
  }
}

TEST_F(Drawing, IntegersTruncateTowardZeroAndSaturate) {
  startAt(2010.04);
  Value g = h().newGraphics();
  h().call(line(-10.9, 10.9, std::nan(""), 1e300), "Draw", {g});
  h().call(line(-1e300, -0.5, 9.2233720368547758e18, -9.2233720368547758e18), "Draw", {g});
  ASSERT_EQ(h().drawLog().size(), 2u);
  expectCall(h().drawLog()[0], "Graphics", kDrawLineInteger, integers({-10, 10, 0, INT64_MAX}));
  expectCall(h().drawLog()[1], "Graphics", kDrawLineInteger,
             integers({INT64_MIN, 0, INT64_MAX, INT64_MIN}));
}

TEST_F(Drawing, PolygonPointArrays) {
  std::vector<Value> integerArray = {Value()};
  for (XojoInteger v : {1, 2, 5, 6}) integerArray.push_back(v);
  {
    startAt(2010.04);
    Value g = h().newGraphics();
    Value p = polygon({{1.9, 2.9}, {5, 6}});
    size_t live = h().liveObjects();
    h().call(p, "Draw", {g});
    h().call(p, "Fill", {g});
    h().call(h().create("PolygonF"), "Draw", {g});
    EXPECT_EQ(h().liveObjects(), live) << "every point array is given back";
    ASSERT_EQ(h().drawLog().size(), 3u);
    expectArrayCall(h().drawLog()[0], "Graphics", kDrawPolygonInteger, 11, integerArray);
    expectArrayCall(h().drawLog()[1], "Graphics", kFillPolygonInteger, 11, integerArray);
    expectArrayCall(h().drawLog()[2], "Graphics", kDrawPolygonInteger, 11, {Value()});
  }
  startAt(2018.02);
  Value g = h().newGraphics();
  Value p = polygon({{1.9, 2.9}, {5, 6}});
  h().call(p, "Draw", {g});
  h().call(p, "Fill", {g});
  ASSERT_EQ(h().drawLog().size(), 2u);
  expectArrayCall(h().drawLog()[0], "Graphics", kDrawPolygonDouble, 2,
                  {Value(), 1.9, 2.9, 5.0, 6.0});
  SCOPED_TRACE("filling takes integers on every host");
  expectArrayCall(h().drawLog()[1], "Graphics", kFillPolygonInteger, 11, integerArray);
}

TEST_F(Drawing, LegacyEntriesOnOldHosts) {
  startAt(2007.02);
  Value g = h().newGraphics();
  Value p = polygon({{1.9, 2.9}, {5, 6}, {-3.5, 4}});
  h().call(p, "Draw", {g});
  h().call(p, "Fill", {g});
  h().call(p, "DrawPath", {g});
  ASSERT_EQ(h().drawLog().size(), 4u);
  std::vector<Value> array = {Value()};
  for (XojoInteger v : {1, 2, 5, 6, -3, 4}) array.push_back(v);
  expectArrayCall(h().drawLog()[0], "Graphics", "graphicsDrawPolygon", 11, array);
  expectArrayCall(h().drawLog()[1], "Graphics", "graphicsFillPolygon", 11, array);
  expectCall(h().drawLog()[2], "Graphics", "RuntimeGraphicsDrawLine", integers({1, 2, 5, 6}));
  expectCall(h().drawLog()[3], "Graphics", "RuntimeGraphicsDrawLine", integers({5, 6, -3, 4}));
}

TEST_F(Drawing, PathIsOpen) {
  startAt(2019.0);
  Value g = h().newGraphics();
  h().call(polygon({{0, 0}, {10, 0.5}, {10, 10}}), "DrawPath", {g});
  ASSERT_EQ(h().drawLog().size(), 2u) << "no line back to the first corner";
  expectCall(h().drawLog()[0], "Graphics", kDrawLineDouble, doubles({0, 0, 10, 0.5}));
  expectCall(h().drawLog()[1], "Graphics", kDrawLineDouble, doubles({10, 0.5, 10, 10}));
  h().clearDrawLog();
  h().call(polygon({{1, 1}}), "DrawPath", {g});
  h().call(h().create("PolygonF"), "DrawPath", {g});
  EXPECT_TRUE(h().drawLog().empty());
}

TEST_F(Drawing, WebGraphicsTakeIntegersOnEveryHost) {
  for (double version : {2019.0, 2010.04, 2007.02}) {
    SCOPED_TRACE(version);
    startAt(version);
    Value w = h().newWebGraphics();
    Value p = polygon({{1.9, 2.9}, {5.5, 6.5}, {-7.9, 8}});
    h().call(line(0.5, 1.5, 10.7, 20.2), "Draw", {w});
    h().call(p, "Draw", {w});
    h().call(p, "Fill", {w});
    h().call(p, "DrawPath", {w});
    ASSERT_EQ(h().drawLog().size(), 5u);
    std::vector<Value> array = {Value()};
    for (XojoInteger v : {1, 2, 5, 6, -7, 8}) array.push_back(v);
    expectCall(h().drawLog()[0], "WebGraphics", kDrawLineInteger, integers({0, 1, 10, 20}));
    expectArrayCall(h().drawLog()[1], "WebGraphics", kDrawPolygonInteger, 11, array);
    expectArrayCall(h().drawLog()[2], "WebGraphics", kFillPolygonInteger, 11, array);
    expectCall(h().drawLog()[3], "WebGraphics", kDrawLineInteger, integers({1, 2, 5, 6}));
    expectCall(h().drawLog()[4], "WebGraphics", kDrawLineInteger, integers({5, 6, -7, 8}));
  }
}

// Each member is loaded from an object of its own kind: a method the web graphics cannot
// supply is not borrowed from the desktop one loaded before, nor the reverse.
TEST_F(Drawing, WebAndDesktopMembersAreSeparate) {
  {
    startAt(2010.04);
    h().removeObjectMethod("WebGraphics", kDrawLineInteger);
    h().removeObjectMethod("WebGraphics", kFillPolygonInteger);
    Value g = h().newGraphics(), w = h().newWebGraphics();
    Value l = line(1, 2, 3, 4);
    Value p = polygon({{1, 2}, {3, 4}});
    size_t live = h().liveObjects();
    for (const Value* target : {&g, &w, &g}) {
      h().call(l, "Draw", {*target});
      h().call(p, "Fill", {*target});
    }
    EXPECT_EQ(h().liveObjects(), live);
    ASSERT_EQ(h().drawLog().size(), 4u);
    for (const DrawCall& call : h().drawLog()) EXPECT_EQ(call.target, "Graphics");
  }
  startAt(2010.04);
  h().removeObjectMethod("Graphics", kDrawPolygonInteger);
  Value g = h().newGraphics(), w = h().newWebGraphics();
  Value p = polygon({{1, 2}});
  h().call(p, "Draw", {w});
  h().call(p, "Draw", {g});
  h().call(p, "Draw", {w});
  ASSERT_EQ(h().drawLog().size(), 2u);
  for (const DrawCall& call : h().drawLog()) EXPECT_EQ(call.target, "WebGraphics");
}

// A drawing method the host cannot hand out is never called, and is asked for again later.
TEST_F(Drawing, MissingDrawingMethodsAreNotCalled) {
  startAt(2019.0);
  h().removeObjectMethod("Graphics", kDrawLineDouble);
  h().removeObjectMethod("Graphics", kDrawPolygonDouble);
  h().removeObjectMethod("Graphics", kFillPolygonInteger);
  Value g = h().newGraphics();
  Value p = polygon({{1, 2}, {3, 4}});
  size_t live = h().liveObjects();
  h().call(line(1, 2, 3, 4), "Draw", {g});
  h().call(p, "Draw", {g});
  h().call(p, "Fill", {g});
  h().call(p, "DrawPath", {g});
  EXPECT_TRUE(h().drawLog().empty());
  EXPECT_EQ(h().liveObjects(), live) << "the point arrays are given back all the same";
}

TEST_F(Drawing, OldHostWithoutLegacyEntriesLoadsTheMethods) {
  host::Options options{2007.02};
  testing_support::PluginTest::start({}, options);
  h().removeEntry("graphicsDrawPolygon");
  h().removeEntry("RuntimeGraphicsDrawLine");
  h().load("Tessaline1");
  h().load("Tessaline2");
  Value g = h().newGraphics();
  Value p = polygon({{1.5, 2.5}, {3, 4}});
  h().call(p, "Draw", {g});
  h().call(p, "DrawPath", {g});
  h().call(p, "Fill", {g});
  ASSERT_EQ(h().drawLog().size(), 3u);
  EXPECT_EQ(h().drawLog()[0].declaration, kDrawPolygonInteger);
  EXPECT_EQ(h().drawLog()[1].declaration, kDrawLineInteger);
  EXPECT_EQ(h().drawLog()[2].declaration, "graphicsFillPolygon");
}

TEST_F(Drawing, NilGraphics) {
  startAt(2019.0);
  Value l = line(1, 2, 3, 4);
  Value p = polygon({{1, 2}, {3, 4}});
  const char* polygonMethods[] = {"Draw(g as Graphics)",     "Draw(g as WebGraphics)",
                                  "DrawPath(g as Graphics)", "DrawPath(g as WebGraphics)",
                                  "Fill(g as Graphics)",     "Fill(g as WebGraphics)"};
  for (const char* m : polygonMethods) {
    h().invoke(p, method("PolygonF", m), {Value::nil()});
    EXPECT_EQ(h().lastException(), "NilObjectException") << m;
  }
  for (const char* m : {"Draw(g as Graphics)", "Draw(g as WebGraphics)"}) {
    h().invoke(l, method("LineF", m), {Value::nil()});
    EXPECT_EQ(h().lastException(), "NilObjectException") << m;
  }
  EXPECT_TRUE(h().drawLog().empty());
}

} // namespace
} // namespace lines_tests
