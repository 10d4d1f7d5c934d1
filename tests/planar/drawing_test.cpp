// RectF drawn and filled on desktop and web graphics: which host method each host version gets,
// with which arguments, and what happens when the host cannot draw.
#include "planar_test.h"

using namespace planar_testing;

namespace {

constexpr const char* kDrawInt =
    "DrawRect(x as Integer,y as Integer,width as Integer,height as Integer)";
constexpr const char* kFillInt =
    "FillRect(x as Integer,y as Integer,width as Integer,height as Integer)";
constexpr const char* kDrawDouble =
    "DrawRect(x as Double,y as Double,width as Double,height as Double)";
constexpr const char* kFillDouble =
    "FillRect(x as Double,y as Double,width as Double,height as Double)";
constexpr XojoInteger kMax = std::numeric_limits<XojoInteger>::max();
constexpr XojoInteger kMin = std::numeric_limits<XojoInteger>::min();

std::vector<Value> integers(XojoInteger x, XojoInteger y, XojoInteger w, XojoInteger h) {
  return {Value(x), Value(y), Value(w), Value(h)};
}

void expectCall(const host::DrawCall& call, const char* target, const char* declaration,
                const std::vector<Value>& args) {
  EXPECT_EQ(call.target, target);
  EXPECT_EQ(call.declaration, declaration);
  ASSERT_EQ(call.args.size(), args.size());
  for (size_t i = 0; i < args.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(call.args[i].kind(), args[i].kind()) << call.args[i].describe();
    if (args[i].kind() == Value::Kind::Integer)
      EXPECT_EQ(call.args[i].asInteger(), args[i].asInteger());
    else
      EXPECT_TRUE(same(call.args[i].asDouble(), args[i].asDouble()))
          << call.args[i].describe() << " expected " << args[i].describe();
  }
}

class Drawing : public PlanarTest {
protected:
  // Draws and fills `r` on a fresh desktop and a fresh web graphics object.
  void drawEverywhere(const Value& r) {
    Value g = host().newGraphics(), web = host().newWebGraphics();
    call(r, "Draw", {g});
    call(r, "Fill", {g});
    call(r, "Draw", {web});
    call(r, "Fill", {web});
  }
};

// The Double form from 2018.02 on; the Integer form before and for 100. Web graphics always
// take Integers.
TEST_F(Drawing, FormFollowsTheHostVersion) {
  struct Case {
    double version;
    bool doubles;
  };
  for (const Case& c : {Case{2015.0, false}, Case{2018.0199, false}, Case{100.0, false},
                        Case{2018.02, true}, Case{2021.0, true}}) {
    SCOPED_TRACE(c.version);
    host::Host& h = startPlanar(c.version);
    drawEverywhere(rect({0.9, 1.9, 10.5, 3.2}));
    const std::vector<host::DrawCall>& log = h.drawLog();
    ASSERT_EQ(log.size(), 4u);
    std::vector<Value> truncated = integers(0, 1, 9, 1); // trunc(0.9, 1.9, 9.6, 1.3)
    if (c.doubles) {
      std::vector<Value> exact = {0.9, 1.9, 10.5 - 0.9, 3.2 - 1.9};
      expectCall(log[0], "Graphics", kDrawDouble, exact);
      expectCall(log[1], "Graphics", kFillDouble, exact);
    } else {
      expectCall(log[0], "Graphics", kDrawInt, truncated);
      expectCall(log[1], "Graphics", kFillInt, truncated);
    }
    expectCall(log[2], "WebGraphics", kDrawInt, truncated);
    expectCall(log[3], "WebGraphics", kFillInt, truncated);
  }
}

// Each value is truncated toward zero after the subtraction; beyond the Integer range it
// saturates and NaN gives 0.
TEST_F(Drawing, IntegerFormTruncatesTowardZero) {
  struct Case {
    Rect r;
    std::vector<Value> args;
  };
  const Case cases[] = {
      {{-0.5, -1.5, 2, 2}, integers(0, -1, 2, 3)},
      {{0.9, 0.9, 1.1, 1.1}, integers(0, 0, 0, 0)}, // not trunc(1.1) - trunc(0.9)
      {{-1e300, 1e300, 0, kInf}, integers(kMin, kMax, kMax, kMax)},
      {{kNaN, 0, 5, kNaN}, integers(0, 0, 0, 0)},
      {{0, 0, 9.2233720368547758e18, -9.2233720368547758e18}, integers(0, 0, kMax, kMin)},
  };
  host::Host& h = startPlanar(2015.0);
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.r));
    h.clearDrawLog();
    drawEverywhere(storedRect(c.r));
    ASSERT_EQ(h.drawLog().size(), 4u);
    for (const host::DrawCall& call : h.drawLog()) {
      SCOPED_TRACE(call.target + " " + call.declaration);
      expectCall(call, call.target.c_str(), call.declaration.c_str(), c.args);
    }
  }
}

// A method is loaded once, from the first graphics object, and kept: a host that stops
// offering it afterwards still gets the calls, and desktop and web methods stay apart.
TEST_F(Drawing, MethodsAreLoadedOnFirstUseAndKept) {
  host::Host& h = startPlanar(2019.0);
  Value r = rect({1, 2, 3, 4});
  Value g = h.newGraphics();
  call(r, "Draw", {g});
  h.removeObjectMethod("Graphics", kDrawDouble);
  Value other = h.newGraphics(), web = h.newWebGraphics();
  call(r, "Draw", {other});
  call(r, "Draw", {web});
  call(r, "Draw", {g});
  ASSERT_EQ(h.drawLog().size(), 4u);
  const char* targets[] = {"Graphics", "Graphics", "WebGraphics", "Graphics"};
  const char* declarations[] = {kDrawDouble, kDrawDouble, kDrawInt, kDrawDouble};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(h.drawLog()[i].target, targets[i]) << i;
    EXPECT_EQ(h.drawLog()[i].declaration, declarations[i]) << i;
  }
}

// A host that offers no drawing method gets no call, and is asked again next time.
TEST_F(Drawing, NothingIsDrawnWithoutAHostMethod) {
  host::Host& h = startPlanar(2019.0, [](host::Host& h) {
    h.removeObjectMethod("Graphics", kFillDouble);
    h.removeObjectMethod("WebGraphics", kFillInt);
  });
  Value r = rect({1, 2, 3, 4});
  Value g = h.newGraphics(), web = h.newWebGraphics();
  call(r, "Fill", {g});
  call(r, "Fill", {web});
  EXPECT_TRUE(h.drawLog().empty());
  call(r, "Draw", {web});
  ASSERT_EQ(h.drawLog().size(), 1u);
  EXPECT_EQ(h.drawLog()[0].declaration, kDrawInt);
}

TEST_F(Drawing, NoMethodLoaderMeansNoDrawing) {
  host::Host& h = startPlanar(2019.0, [](host::Host& h) { h.removeEntry("REALLoadObjectMethod"); });
  drawEverywhere(rect({1, 2, 3, 4}));
  EXPECT_TRUE(h.drawLog().empty());
}

// Hosts before 2010.04 draw through the runtime entries bound at start-up; the Graphics method
// is loaded only where such an entry is missing.
TEST_F(Drawing, OldHostsUseTheLegacyEntries) {
  host::Host& h =
      startPlanar(2007.02, [](host::Host& h) { h.removeEntry("RuntimeGraphicsFillRect"); });
  drawEverywhere(rect({0.9, 1.9, 10.5, 3.2}));
  ASSERT_EQ(h.drawLog().size(), 4u);
  std::vector<Value> truncated = integers(0, 1, 9, 1);
  expectCall(h.drawLog()[0], "Graphics", "RuntimeGraphicsDrawRect", truncated);
  expectCall(h.drawLog()[1], "Graphics", kFillInt, truncated);
  expectCall(h.drawLog()[2], "WebGraphics", kDrawInt, truncated);
  expectCall(h.drawLog()[3], "WebGraphics", kFillInt, truncated);
}

} // namespace
