// Loading libraries, registering their classes, and unloading them with the host.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "host_test_support.h"
#include "support/deliverables.h"

using host::Host;
using host::Value;
using host_tests::loadFixture;

namespace {

class Loading : public testing_support::PluginTest {};

TEST_F(Loading, RegistersTheFixturesClassesFromTheirRecords) {
  Host& h = start({});
  loadFixture(h);
  EXPECT_EQ(h.announcedVersion("HostFixture"), 13);
  EXPECT_EQ(h.announcedVersion("Tessaline1"), 0) << "not loaded";

  std::vector<const host::ClassInfo*> order = h.registrationOrder();
  ASSERT_EQ(order.size(), 2u);
  const host::ClassInfo& probe = *order[0];
  EXPECT_EQ(probe.name, "Probe");
  EXPECT_EQ(order[1]->name, "Token");
  EXPECT_EQ(probe.library, "HostFixture");
  EXPECT_EQ(probe.dataOffset, 48);
  EXPECT_EQ(probe.record->dataOffset, 48) << "written into the plug-in's record";
  EXPECT_EQ(probe.methods.size(), 18u);
  EXPECT_EQ(probe.methods[1].declaration.params[1].type, "Integer");
  EXPECT_NE(probe.methods[15].setter, nullptr) << "Slot is assignable";
  ASSERT_EQ(probe.properties.size(), 6u);
  EXPECT_TRUE(probe.properties[0].directGet() && probe.properties[0].directSet());
  EXPECT_TRUE(probe.properties[2].readOnly());
  EXPECT_EQ(probe.properties[3].param, 10);

  EXPECT_EQ(h.findClass("pRoBe"), &probe) << "class names ignore case";
  const host::ClassInfo* graphics = h.findClass("Graphics");
  ASSERT_NE(graphics, nullptr);
  EXPECT_EQ(graphics->record, nullptr);
  EXPECT_EQ(graphics->library, "");
  EXPECT_EQ(h.findClass("Nope"), nullptr);
  EXPECT_NE(h.symbol("HostFixture", "fixtureConstructed"), nullptr);
  EXPECT_EQ(h.symbol("HostFixture", "noSuchSymbol"), nullptr);
  EXPECT_EQ(h.symbol("Elsewhere", "fixtureConstructed"), nullptr);
}

TEST_F(Loading, ClassReferencesForPluginAndHostClasses) {
  Host& h = start({});
  loadFixture(h);
  auto objectType = host_tests::entry<REALclassRefStruct* (*)(const char*)>("pluginObjectType");
  for (const char* name : {"Probe", "TOKEN", "Graphics", "WebGraphics", "NilObjectException",
                           "Xojo.Core.Point", "Xojo.Core.Size", "Xojo.Core.Rect"})
    EXPECT_EQ(reinterpret_cast<const host::ClassInfo*>(objectType(name)), h.findClass(name))
        << name;
  EXPECT_EQ(objectType("PointF"), nullptr);
}

TEST_F(Loading, FailuresToLoad) {
  Host& h = start({});
  EXPECT_THROW(h.loadFrom("/nonexistent/Library.so", "Library"), std::runtime_error);
  EXPECT_THROW(h.load("NoSuchDeliverable"), std::runtime_error);
  loadFixture(h);
  EXPECT_THROW(loadFixture(h), std::runtime_error) << "a library is loaded once";
}

TEST(PluginPath, TheEnvironmentOverridesTheBuildsDirectory) {
  const char* saved = std::getenv("TESSALINE_PLUGIN_DIR");
  const std::string restore = saved ? saved : "";
  ::unsetenv("TESSALINE_PLUGIN_DIR");
  EXPECT_TRUE(Host::pluginPath("Tessaline3").ends_with("/plugins/Tessaline3.so"))
      << Host::pluginPath("Tessaline3");
  ::setenv("TESSALINE_PLUGIN_DIR", "/opt/plugins", 1);
  EXPECT_EQ(Host::pluginPath("Tessaline3"), "/opt/plugins/Tessaline3.so");
  if (saved)
    ::setenv("TESSALINE_PLUGIN_DIR", restore.c_str(), 1);
  else
    ::unsetenv("TESSALINE_PLUGIN_DIR");
}

// Destroying the host unloads its libraries: a new host loads them with every lazily bound
// entry and every global of the library back at its start.
TEST_F(Loading, EachHostLoadsLibrariesAfresh) {
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    Host& h = start({});
    loadFixture(h);
    auto* constructed =
        static_cast<const std::atomic<int>*>(h.symbol("HostFixture", "fixtureConstructed"));
    ASSERT_NE(constructed, nullptr);
    EXPECT_EQ(constructed->load(), 0);
    Value probe = h.create("Probe");
    EXPECT_EQ(h.call(probe, "Wrap", {"x"}).asString(), "<x>");
    EXPECT_EQ(h.call(probe, "Wrap", {"y"}).asString(), "<y>");
    EXPECT_EQ(constructed->load(), 1);
    EXPECT_EQ(h.lookups("RuntimeAddString"), 1) << "bound again after the reload";
  }
}

// The host destroys objects still alive at its end, running their class destructors while the
// libraries are loaded; what those destructors give back is no misuse.
REALproc gHostUnlock = nullptr;
int gUnlocks = 0;
void countingUnlock(REALobjectStruct* object) {
  ++gUnlocks;
  reinterpret_cast<void (*)(REALobjectStruct*)>(gHostUnlock)(object);
}

TEST(Teardown, DestroysObjectsStillAlive) {
  auto h = std::make_unique<Host>();
  gHostUnlock = Host::resolve("REALUnlockObject");
  gUnlocks = 0;
  h->offerEntry("REALUnlockObject", reinterpret_cast<REALproc>(&countingUnlock));
  loadFixture(*h);
  {
    Value keeper = h->create("Probe"), kept = h->create("Probe");
    h->call(keeper, "Keep", {kept});
    host_tests::entry<void (*)(REALobjectStruct*)>("REALLockObject")(keeper.object());
  }
  EXPECT_EQ(h->liveObjects(), 2u);
  EXPECT_EQ(gUnlocks, 0);
  h.reset();
  EXPECT_EQ(gUnlocks, 1) << "the keeper's destructor gave back its reference";
}

// The product's vector class, as a check that the host serves a real deliverable.
TEST_F(Loading, ServesABuiltVectorDeliverable) {
  std::vector<testing_support::Deliverable> vectors = testing_support::builtVectorDeliverables();
  if (vectors.empty()) GTEST_SKIP() << "no vector deliverable built";
  Host& h = start({vectors[0].name.c_str()});
  Value v = h.create("VectorF_3D", {3, 4, 0});
  EXPECT_EQ(h.call(v, "Length").asDouble(), 5.0);
  Value sum = h.call(v, "Operator_Add", {h.get(v, "Clone")});
  EXPECT_EQ(h.get(sum, "y").asDouble(), 8.0);
  EXPECT_TRUE(h.call(v, "Operator_Add", {Value::nil()}).isNil());
  EXPECT_EQ(h.lastException(), "NilObjectException");
}

} // namespace
