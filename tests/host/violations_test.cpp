// Misuse of the host by plug-in code is recorded, never a crash: stale, foreign and null handles,
// references given back twice, data asked of the wrong class, declarations that do not parse.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host_test_support.h"

using host::Host;
using host::Value;
using host_tests::entry;

namespace {

using ObjectOp = void (*)(REALobjectStruct*);
using StringOp = void (*)(REALstringStruct*);

// A handle to an object that has already died.
REALobjectStruct* deadProbe(Host& h) {
  return h.create("Probe").object();
}
REALstringStruct* deadString(Host& h) {
  REALstringStruct* s = h.newString("gone");
  h.unlockString(s);
  return s;
}
REALarrayStruct* array(int32_t type, XojoInteger upperBound) {
  using Create = REALarrayStruct* (*)(int32_t, XojoInteger);
  return entry<Create>("RuntimeArrayCreateSingleDimBoundedArray")(type, upperBound);
}
void release(REALarrayStruct* a) {
  entry<ObjectOp>("REALUnlockObject")(reinterpret_cast<REALobjectStruct*>(a));
}
REALclassRefStruct* classRef(const char* name) {
  return entry<REALclassRefStruct* (*)(const char*)>("pluginObjectType")(name);
}

TEST(Violations, AreRecordedAndHarmless) {
  struct Case {
    const char* misuse;
    std::function<void(Host&)> act;
    std::vector<std::string> recorded; // how each recorded violation begins
  } cases[] = {
      {"release a dead object",
       [](Host& h) { entry<ObjectOp>("REALUnlockObject")(deadProbe(h)); },
       {"REALUnlockObject: a dead Probe"}},
      {"retain a dead object",
       [](Host& h) { entry<ObjectOp>("REALLockObject")(deadProbe(h)); },
       {"REALLockObject: a dead Probe"}},
      {"release null",
       [](Host&) { entry<ObjectOp>("REALUnlockObject")(nullptr); },
       {"REALUnlockObject: a null object"}},
      {"release a foreign handle",
       [](Host&) {
         double notAnObject = 0;
         entry<ObjectOp>("REALUnlockObject")(reinterpret_cast<REALobjectStruct*>(&notAnObject));
       },
       {"REALUnlockObject: not an object of the host"}},
      {"raise a dead object",
       [](Host& h) { entry<ObjectOp>("RuntimeRaiseException")(deadProbe(h)); },
       {"RuntimeRaiseException: a dead Probe"}},
      {"data of another class",
       [](Host& h) {
         using GetData = void* (*)(REALobjectStruct*, REALclassRefStruct*);
         Value token = h.create("Token", {1});
         EXPECT_EQ(entry<GetData>("PluginGetPluginData")(token.object(), classRef("Probe")),
                   nullptr);
       },
       {"PluginGetPluginData: Probe data asked of a Token"}},
      {"data of a dead object",
       [](Host& h) {
         using GetData = void* (*)(REALobjectStruct*, REALclassRefStruct*);
         EXPECT_EQ(entry<GetData>("PluginGetPluginData")(deadProbe(h), classRef("Probe")), nullptr);
       },
       {"PluginGetPluginData: a dead Probe"}},
      {"an instance of no class",
       [](Host&) {
         using Create = REALobjectStruct* (*)(REALclassRefStruct*);
         EXPECT_EQ(entry<Create>("CreateInstance")(nullptr), nullptr);
       },
       {"CreateInstance: not a class reference of the host"}},
      {"release a dead string",
       [](Host& h) { entry<StringOp>("REALUnlockString")(deadString(h)); },
       {"REALUnlockString: a dead string"}},
      {"append a dead string",
       [](Host& h) {
         using Add = REALstringStruct* (*)(REALstringStruct*, REALstringStruct*);
         EXPECT_EQ(entry<Add>("RuntimeAddString")(nullptr, deadString(h)), nullptr);
       },
       {"RuntimeAddString: a dead string"}},
      {"set beyond the bound",
       [](Host&) {
         using SetProc = REALproc (*)(REALarrayStruct*);
         using Set = void (*)(REALarrayStruct*, XojoInteger, XojoInteger);
         REALarrayStruct* a = array(11, 2);
         auto set = reinterpret_cast<Set>(entry<SetProc>("PluginIntegerArraySetProc")(a));
         set(a, 5, 3);
         release(a);
       },
       {"array element setter: index 3 beyond 2"}},
      {"a Double setter for Integers",
       [](Host&) {
         using SetProc = REALproc (*)(REALarrayStruct*);
         REALarrayStruct* a = array(11, 2);
         EXPECT_EQ(entry<SetProc>("PluginDoubleArraySetProc")(a), nullptr);
         release(a);
       },
       {"PluginDoubleArraySetProc: a Integer() is no array of element type 2"}},
      {"an array of an unknown type",
       [](Host&) { EXPECT_EQ(array(5, 2), nullptr); },
       {"RuntimeArrayCreateSingleDimBoundedArray: element type 5"}},
      {"a method of a dead graphics object",
       [](Host& h) {
         using Load = REALproc (*)(REALobjectStruct*, const char*);
         REALobjectStruct* g = h.newGraphics().object();
         EXPECT_EQ(entry<Load>("REALLoadObjectMethod")(g, "DrawPolygon(point() as Integer)"),
                   nullptr);
       },
       {"REALLoadObjectMethod: a dead Graphics"}},
      {"draw on a dead graphics object",
       [](Host& h) {
         using Load = REALproc (*)(REALobjectStruct*, const char*);
         using Line = void (*)(REALobjectStruct*, double, double, double, double);
         Value g = h.newGraphics();
         auto line = reinterpret_cast<Line>(entry<Load>("REALLoadObjectMethod")(
             g.object(), "DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double)"));
         REALobjectStruct* stale = g.object();
         g = Value();
         line(stale, 1, 2, 3, 4);
         EXPECT_TRUE(h.drawLog().empty());
       },
       {"DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double): a dead Graphics"}},
      {"draw on an object that is no graphics",
       [](Host& h) {
         using Rect =
             void (*)(REALobjectStruct*, XojoInteger, XojoInteger, XojoInteger, XojoInteger);
         Value p = h.create("Probe");
         entry<Rect>("RuntimeGraphicsDrawRect")(p.object(), 1, 2, 3, 4);
       },
       {"RuntimeGraphicsDrawRect: a Probe is no graphics object"}},
      {"an unparsable global method",
       [](Host&) {
         using Load = REALproc (*)(void*, const char*);
         EXPECT_EQ(entry<Load>("REALLoadGlobalMethod")(nullptr, "Str(number as Double"), nullptr);
       },
       {"REALLoadGlobalMethod: \"Str(number as Double\" does not parse"}},
      {"call through a stale handle",
       [](Host& h) {
         Value stale = Value::adopt(deadProbe(h));
         EXPECT_THROW(h.call(stale, "Half", {1.0}), host::Error);
       },
       {"Half: a dead Probe", "Value: a dead Probe"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.misuse);
    Host h;
    host_tests::loadFixture(h);
    c.act(h);
    std::vector<std::string> recorded = h.violations();
    ASSERT_EQ(recorded.size(), c.recorded.size());
    for (size_t i = 0; i < recorded.size(); ++i)
      EXPECT_TRUE(recorded[i].starts_with(c.recorded[i])) << recorded[i];
    EXPECT_EQ(h.liveObjects(), 0u);
    EXPECT_EQ(h.liveStrings(), 0u);
  }
}

TEST(Violations, UnparsableDeclarationsAreLeftOut) {
  Host h;
  h.offerEntry("FixtureRegistersBroken", reinterpret_cast<REALproc>(&deadProbe));
  host_tests::loadFixture(h);
  const host::ClassInfo* broken = h.findClass("Broken");
  ASSERT_NE(broken, nullptr);
  ASSERT_EQ(broken->methods.size(), 1u);
  EXPECT_EQ(broken->methods[0].declaration.text, "Fine()");
  ASSERT_EQ(h.violations().size(), 1u);
  EXPECT_EQ(h.violations()[0], "PluginRegisterClass: Broken declares \"Broken(x as)\", which does "
                               "not parse: expected a parameter type at offset 11");
}

// A library whose classes are already registered by another: the first registration stands.
TEST(Violations, ClassesRegisteredTwice) {
  Host h;
  host_tests::loadFixture(h);
  h.loadFrom(HOST_FIXTURE_PATH, "SameFixtureAgain");
  EXPECT_EQ(h.registrationOrder().size(), 2u);
  EXPECT_EQ(h.violations(), (std::vector<std::string>{
                                "PluginRegisterClass: Probe is already registered by HostFixture",
                                "PluginRegisterClass: Token is already registered by HostFixture",
                            }));
}

} // namespace
