// The resolver: what it serves, what it counts, and how tests change its answers.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host_test_support.h"

using host::Host;

namespace {

class Resolver : public testing_support::PluginTest {};

void standIn() {}
REALproc standInEntry() {
  return reinterpret_cast<REALproc>(&standIn);
}

TEST_F(Resolver, ServesEveryEntryThePluginsUse) {
  start({});
  const char* entries[] = {
      "RegisterPluginVersion",
      "PluginRegisterClass",
      "pluginObjectType",
      "CreateInstance",
      "PluginNewInstanceOfClass",
      "PluginGetPluginData",
      "REALGetRBVersion",
      "REALLockObject",
      "REALUnlockObject",
      "RuntimeRaiseException",
      "REALBuildString",
      "RuntimeAddString",
      "REALLockString",
      "REALUnlockString",
      "StringStr",
      "REALLoadGlobalMethod",
      "REALLoadObjectMethod",
      "RuntimeGraphicsDrawRect",
      "RuntimeGraphicsFillRect",
      "RuntimeGraphicsDrawLine",
      "graphicsDrawPolygon",
      "graphicsFillPolygon",
      "RuntimeArrayCreateSingleDimBoundedArray",
      "PluginDoubleArraySetProc",
      "PluginIntegerArraySetProc",
      "REALGetPropValueDouble",
  };
  for (const char* name : entries) EXPECT_NE(Host::resolve(name), nullptr) << name;
  EXPECT_EQ(Host::resolve("REALinRuntime"), nullptr);
  EXPECT_EQ(Host::resolve("createinstance"), nullptr) << "entry names are exact";
}

TEST_F(Resolver, CountsAndLogsEveryLookupMissesIncluded) {
  Host& h = start({});
  Host::resolve("CreateInstance");
  Host::resolve("NoSuchEntry");
  Host::resolve("CreateInstance");
  EXPECT_EQ(h.lookups("CreateInstance"), 2);
  EXPECT_EQ(h.lookups("NoSuchEntry"), 1);
  EXPECT_EQ(h.lookups("REALLockObject"), 0);
  EXPECT_EQ(h.lookupLog(),
            (std::vector<std::string>{"CreateInstance", "NoSuchEntry", "CreateInstance"}));
  h.clearLookups();
  EXPECT_EQ(h.lookups("CreateInstance"), 0);
  EXPECT_TRUE(h.lookupLog().empty());
}

TEST_F(Resolver, EntriesCanBeRemovedReplacedAndRestored) {
  Host& h = start({});
  const REALproc own = Host::resolve("CreateInstance");
  h.removeEntry("CreateInstance");
  EXPECT_EQ(Host::resolve("CreateInstance"), nullptr);
  h.offerEntry("CreateInstance", standInEntry());
  EXPECT_EQ(Host::resolve("CreateInstance"), standInEntry());
  h.restoreEntry("CreateInstance");
  EXPECT_EQ(Host::resolve("CreateInstance"), own);

  h.offerEntry("GetRBScriptResolver", standInEntry());
  EXPECT_EQ(Host::resolve("GetRBScriptResolver"), standInEntry()) << "new names can be offered";
  h.removeEntry("GetRBScriptResolver");
  EXPECT_EQ(Host::resolve("GetRBScriptResolver"), nullptr);
}

TEST_F(Resolver, VersionEntry) {
  using Version = double (*)();
  struct Case {
    std::optional<double> version;
    bool served;
  } cases[] = {{2019.0, true}, {2018.02, true}, {100.0, true}, {std::nullopt, false}};
  for (const Case& c : cases) {
    start({}, host::Options{c.version});
    auto version = host_tests::entry<Version>("REALGetRBVersion");
    ASSERT_EQ(version != nullptr, c.served);
    if (version) EXPECT_EQ(version(), *c.version);
  }
  Host& h = start({});
  EXPECT_EQ(host_tests::entry<Version>("REALGetRBVersion")(), 2019.0) << "the default";
  h.setVersion(2007.02);
  EXPECT_EQ(host_tests::entry<Version>("REALGetRBVersion")(), 2007.02);
  h.setVersion(std::nullopt);
  EXPECT_EQ(Host::resolve("REALGetRBVersion"), nullptr);
}

TEST_F(Resolver, HostMethodsByDeclaration) {
  Host& h = start({});
  using LoadGlobal = REALproc (*)(void*, const char*);
  using LoadMethod = REALproc (*)(REALobjectStruct*, const char*);
  auto loadGlobal = host_tests::entry<LoadGlobal>("REALLoadGlobalMethod");
  auto loadMethod = host_tests::entry<LoadMethod>("REALLoadObjectMethod");
  const REALproc str = loadGlobal(nullptr, "Str(number as Double) as String");
  ASSERT_NE(str, nullptr);
  EXPECT_EQ(loadGlobal(nullptr, "STR(value AS double) As String"), str) << "by parsed form";
  EXPECT_NE(loadGlobal(nullptr, "LenB( s as string ) as integer"), nullptr);
  EXPECT_EQ(loadGlobal(nullptr, "Str(number as Integer) as String"), nullptr);
  EXPECT_EQ(loadGlobal(nullptr, "Str(number as Double)"), nullptr);
  h.removeGlobalMethod("Str(n as Double) as String");
  EXPECT_EQ(loadGlobal(nullptr, "Str(number as Double) as String"), nullptr);
  EXPECT_NE(loadGlobal(nullptr, "LenB( s as string ) as integer"), nullptr);

  host::Value g = h.newGraphics(), web = h.newWebGraphics();
  const char* drawRect = "DrawRect(x as Integer,y as Integer,width as Integer,height as Integer)";
  EXPECT_NE(loadMethod(web.object(), drawRect), nullptr);
  h.removeObjectMethod("WebGraphics", "drawrect(a as integer, b as integer, c as integer, "
                                      "d as integer)");
  EXPECT_EQ(loadMethod(web.object(), drawRect), nullptr);
  EXPECT_NE(loadMethod(g.object(), drawRect), nullptr) << "only the web graphics lost it";
  EXPECT_EQ(loadMethod(g.object(), "DrawOval(x as Integer,y as Integer)"), nullptr);
  EXPECT_EQ(loadMethod(h.newCoreObject("Xojo.Core.Point", {}).object(), drawRect), nullptr);
}

} // namespace
