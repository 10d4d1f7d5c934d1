// The host's services called as a plug-in calls them: strings, global methods, arrays, drawing
// on graphics objects, and Double properties by name.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "host_test_support.h"

using host::Host;
using host::Value;
using host_tests::entry;

namespace {

using BuildString = REALstringStruct* (*)(const char*, int);
using AddString = REALstringStruct* (*)(REALstringStruct*, REALstringStruct*);
using StringOp = void (*)(REALstringStruct*);
using LoadGlobal = REALproc (*)(void*, const char*);
using LoadMethod = REALproc (*)(REALobjectStruct*, const char*);
using CreateArray = REALarrayStruct* (*)(int32_t, XojoInteger);
using SetProc = REALproc (*)(REALarrayStruct*);
using SetDouble = void (*)(REALarrayStruct*, double, XojoInteger);
using SetInteger = void (*)(REALarrayStruct*, XojoInteger, XojoInteger);
using Unlock = void (*)(REALobjectStruct*);

class Services : public testing_support::PluginTest {
protected:
  void SetUp() override { start({}); }
};

TEST_F(Services, StringsAreCountedByteStrings) {
  auto build = entry<BuildString>("REALBuildString");
  auto add = entry<AddString>("RuntimeAddString");
  auto lock = entry<StringOp>("REALLockString");
  auto unlock = entry<StringOp>("REALUnlockString");

  REALstringStruct* a = build("a\0b", 3);
  REALstringStruct* e = host().newString("\xC3\xA9");
  REALstringStruct* empty = build(nullptr, 0);
  REALstringStruct* joined = add(a, e);
  EXPECT_EQ(Host::text(joined), std::string("a\0b\xC3\xA9", 5));
  EXPECT_EQ(Host::text(empty), "");
  REALstringStruct* withNull = add(nullptr, a);
  EXPECT_EQ(Host::text(withNull), std::string("a\0b", 3)) << "a null string is empty";
  EXPECT_EQ(host().liveStrings(), 5u);

  lock(a);
  unlock(a);
  EXPECT_EQ(Host::text(a), std::string("a\0b", 3)) << "one reference left";
  for (REALstringStruct* s : {a, e, empty, withNull}) unlock(s);
  EXPECT_EQ(host().liveStrings(), 1u);
  EXPECT_EQ(Host::text(joined), std::string("a\0b\xC3\xA9", 5)) << "a copy of its parts";
  unlock(joined);
}

TEST_F(Services, StrFormatsAsPrintfSevenDigits) {
  auto load = entry<LoadGlobal>("REALLoadGlobalMethod");
  using Str = REALstringStruct* (*)(double);
  auto str = reinterpret_cast<Str>(load(nullptr, "Str(number as Double) as String"));
  auto legacy = entry<Str>("StringStr");
  struct Case {
    double number;
    const char* text;
  } cases[] = {
      {1.5, "1.5"},
      {-2, "-2"},
      {0.1 + 0.2, "0.3"},
      {1e7, "1e+07"},
      {-0.0, "-0"},
      {1234567, "1234567"},
      {123456789, "1.234568e+08"},
      {1.0 / 3, "0.3333333"},
      {std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const Case& c : cases) {
    for (Str format : {str, legacy}) {
      REALstringStruct* s = format(c.number);
      EXPECT_EQ(Host::text(s), c.text);
      host().unlockString(s);
    }
  }
}

TEST_F(Services, LenBCountsBytes) {
  using LenB = XojoInteger (*)(REALstringStruct*);
  auto lenB = reinterpret_cast<LenB>(
      entry<LoadGlobal>("REALLoadGlobalMethod")(nullptr, "LenB( s as string ) as integer"));
  for (std::string text :
       {std::string(""), std::string("abc"), std::string("h\xC3\xA9llo"), std::string("a\0b", 3)}) {
    REALstringStruct* s = host().newString(text);
    EXPECT_EQ(lenB(s), static_cast<XojoInteger>(text.size()));
    host().unlockString(s);
  }
  EXPECT_EQ(lenB(nullptr), 0) << "a null string is empty";
}

// Every drawing method of Graphics and WebGraphics records the call on the object it was
// loaded from.
TEST_F(Services, GraphicsMethodsRecordTheirCalls) {
  using FourIntegers =
      void (*)(REALobjectStruct*, XojoInteger, XojoInteger, XojoInteger, XojoInteger);
  using FourDoubles = void (*)(REALobjectStruct*, double, double, double, double);
  const char* integerMethods[] = {
      "DrawRect(x as Integer,y as Integer,width as Integer,height as Integer)",
      "FillRect(x as Integer,y as Integer,width as Integer,height as Integer)",
      "DrawLine(x1 as Integer,y1 as Integer,x2 as Integer,y2 as Integer)",
  };
  const char* doubleMethods[] = {
      "DrawRect(x as Double,y as Double,width as Double,height as Double)",
      "FillRect(x as Double,y as Double,width as Double,height as Double)",
      "DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double)",
  };
  auto load = entry<LoadMethod>("REALLoadObjectMethod");
  const XojoInteger big = std::numeric_limits<XojoInteger>::max();
  for (Value g : {host().newGraphics(), host().newWebGraphics()}) {
    host().clearDrawLog();
    for (const char* d : integerMethods)
      reinterpret_cast<FourIntegers>(load(g.object(), d))(g.object(), -1, 2, big, 0);
    for (const char* d : doubleMethods)
      reinterpret_cast<FourDoubles>(load(g.object(), d))(g.object(), 0.5, -1.5, 1e300, 0);
    const std::vector<host::DrawCall>& log = host().drawLog();
    ASSERT_EQ(log.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
      const host::DrawCall& call = log[i];
      EXPECT_EQ(call.target, g.typeName());
      EXPECT_EQ(call.declaration, i < 3 ? integerMethods[i] : doubleMethods[i - 3]);
      std::vector<std::string> args;
      for (const Value& a : call.args) args.push_back(a.typeName() + " " + a.describe());
      const std::vector<std::string> integers = {"Integer -1", "Integer 2",
                                                 "Integer " + std::to_string(big), "Integer 0"};
      const std::vector<std::string> doubles = {"Double 0.5", "Double -1.5", "Double 1e+300",
                                                "Double 0"};
      EXPECT_EQ(args, i < 3 ? integers : doubles);
      EXPECT_TRUE(call.array.empty());
    }
  }
}

// A point array as the product builds it: element 0 never set.
TEST_F(Services, PolygonsRecordTheirPointArrays) {
  using Polygon = void (*)(REALobjectStruct*, REALarrayStruct*);
  auto create = entry<CreateArray>("RuntimeArrayCreateSingleDimBoundedArray");
  auto doubles = entry<SetProc>("PluginDoubleArraySetProc");
  auto integers = entry<SetProc>("PluginIntegerArraySetProc");
  auto unlock = entry<Unlock>("REALUnlockObject");
  auto load = entry<LoadMethod>("REALLoadObjectMethod");

  REALarrayStruct* d = create(2, 4);
  auto setDouble = reinterpret_cast<SetDouble>(doubles(d));
  setDouble(d, 1.5, 1);
  setDouble(d, -2.5, 2);
  setDouble(d, 3, 4);
  REALarrayStruct* i = create(11, 2);
  reinterpret_cast<SetInteger>(integers(i))(i, 7, 2);
  REALarrayStruct* none = create(2, -1);

  Value g = host().newGraphics();
  struct Case {
    const char* method; // a declaration, or the name of a legacy entry
    REALarrayStruct* points;
    std::vector<std::string> contents;
    int type;
  } cases[] = {
      {"DrawPolygon(point() as Double)", d, {"Nothing", "1.5", "-2.5", "Nothing", "3"}, 2},
      {"FillPolygon(point() as Double)", d, {"Nothing", "1.5", "-2.5", "Nothing", "3"}, 2},
      {"DrawPolygon(point() as Integer)", i, {"Nothing", "Nothing", "7"}, 11},
      {"FillPolygon(point() as Integer)", none, {}, 2},
      {"graphicsDrawPolygon", i, {"Nothing", "Nothing", "7"}, 11},
      {"graphicsFillPolygon", d, {"Nothing", "1.5", "-2.5", "Nothing", "3"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    host().clearDrawLog();
    auto draw = reinterpret_cast<Polygon>(std::string(c.method).find('(') == std::string::npos
                                              ? Host::resolve(c.method)
                                              : load(g.object(), c.method));
    draw(g.object(), c.points);
    ASSERT_EQ(host().drawLog().size(), 1u);
    const host::DrawCall& call = host().drawLog()[0];
    EXPECT_EQ(call.target, "Graphics");
    EXPECT_EQ(call.declaration, c.method);
    EXPECT_TRUE(call.args.empty());
    std::vector<std::string> contents;
    for (const Value& v : call.array) contents.push_back(v.describe());
    EXPECT_EQ(contents, c.contents);
    EXPECT_EQ(call.arrayType, c.type);
  }
  EXPECT_EQ(host().liveObjects(), 4u) << "three arrays and the graphics object";
  for (REALarrayStruct* a : {d, i, none}) unlock(reinterpret_cast<REALobjectStruct*>(a));
  EXPECT_EQ(host().liveObjects(), 1u);
}

TEST_F(Services, LegacyDrawingEntries) {
  using FourIntegers =
      void (*)(REALobjectStruct*, XojoInteger, XojoInteger, XojoInteger, XojoInteger);
  Value g = host().newWebGraphics();
  for (const char* name :
       {"RuntimeGraphicsDrawRect", "RuntimeGraphicsFillRect", "RuntimeGraphicsDrawLine"}) {
    host().clearDrawLog();
    entry<FourIntegers>(name)(g.object(), 1, 2, 3, -4);
    ASSERT_EQ(host().drawLog().size(), 1u);
    const host::DrawCall& call = host().drawLog()[0];
    EXPECT_EQ(call.target, "WebGraphics");
    EXPECT_EQ(call.declaration, name);
    ASSERT_EQ(call.args.size(), 4u);
    EXPECT_EQ(call.args[3].asInteger(), -4);
  }
}

TEST_F(Services, DoublePropertiesByName) {
  using GetDouble = XojoInteger (*)(REALobjectStruct*, const char*, double*);
  auto get = entry<GetDouble>("REALGetPropValueDouble");
  Value point = host().newCoreObject("Xojo.Core.Point", {{"X", 1.5}, {"Y", -2}});
  host_tests::loadFixture(host());
  Value probe = host().create("Probe", {2.5, 3});
  struct Case {
    const Value& object;
    const char* name;
    XojoInteger found;
    double value;
  } cases[] = {
      {point, "X", 1, 1.5},      {point, "y", 1, -2},     {point, "Z", 0, 99},
      {probe, "Number", 1, 2.5}, {probe, "Count", 0, 99}, // an Integer
      {probe, "Scaled", 0, 99},                           // computed, not stored
  };
  for (const Case& c : cases) {
    double out = 99;
    EXPECT_EQ(get(c.object.object(), c.name, &out), c.found) << c.name;
    EXPECT_EQ(out, c.value) << c.name;
  }
  EXPECT_THROW(host().newCoreObject("Probe", {}), host::Error) << "not a host class";
}

} // namespace
