// The bridge's entry and the core services written by hand: start-up, guarded and fallback
// instance creation, the shared global-method loader, class data and flags, and the wrappers
// that ask a second resolver.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/class_records.h"
#include "support/deliverables.h"
#include "support/plugin_test.h"

using namespace testing_support;

namespace {

class Core : public PluginTest, public ::testing::WithParamInterface<Deliverable> {
protected:
  host::Host& startWith(host::Options options = {}) {
    host::Host& h = start({}, options);
    h.load(GetParam().name);
    h.clearLookups();
    return h;
  }
  template <class Fn> Fn wrapper(const char* name) {
    void* address = host().symbol(GetParam().name, name);
    EXPECT_NE(address, nullptr) << name;
    return reinterpret_cast<Fn>(address);
  }
  bool apple() const { return GetParam().appleFlavour(); }
};

TEST_P(Core, StartUpAnnouncesInterfaceVersionAndRegisters) {
  host::Host& h = startWith();
  EXPECT_EQ(h.announcedVersion(GetParam().name), 13);
  EXPECT_FALSE(h.registrationOrder().empty());
}

// A host that cannot take the version announcement is not called for it; the deliverable
// still registers its classes.
TEST_P(Core, StartUpWithoutVersionAnnouncement) {
  host::Host& h = start({});
  h.removeEntry("RegisterPluginVersion");
  h.load(GetParam().name);
  EXPECT_EQ(h.announcedVersion(GetParam().name), 0);
  EXPECT_FALSE(h.registrationOrder().empty());
}

// A host may start a library again that it could not unload (the image stays, and its state
// with it): the new start asks for every class afresh, the NilObjectException the bridge raises
// included, so that no reference into the earlier host reaches the new one.
TEST_P(Core, StartingAgainWithoutUnloadingAsksForClassesAfresh) {
  const std::string path = host::Host::pluginPath(GetParam().name);
  void* stillLoaded = nullptr;
  {
    host::Host& first = startWith();
    stillLoaded = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(stillLoaded, nullptr);
    first.call(first.create("VectorF_3D"), "Distance", {host::Value::nil()});
    EXPECT_EQ(first.lastException(), "NilObjectException");
  }
  host::Host& second = startWith();
  host::Value v = second.create("VectorF_3D", {1.0, 2.0, 3.0});
  second.call(v, "Distance", {host::Value::nil()});
  EXPECT_EQ(second.lastException(), "NilObjectException");
  host::Value sum = second.call(v, "Operator_Add", {v});
  EXPECT_EQ(sum.typeName(), "VectorF_3D");
  EXPECT_TRUE(second.violations().empty());
  dlclose(stillLoaded);
}

TEST_P(Core, CallResolverAsksTheHostEveryTime) {
  host::Host& h = startWith();
  auto resolve = wrapper<REALproc (*)(const char*)>("HCallResolver");
  EXPECT_NE(resolve("CreateInstance"), nullptr);
  EXPECT_NE(resolve("CreateInstance"), nullptr);
  EXPECT_EQ(resolve("NoSuchEntry"), nullptr);
  EXPECT_EQ(h.lookups("CreateInstance"), 2);
  EXPECT_EQ(h.lookups("NoSuchEntry"), 1);
}

TEST_P(Core, NewInstanceWithNullClassStillBindsCreateInstance) {
  host::Host& h = startWith();
  auto newWithClass =
      wrapper<REALobjectStruct* (*)(REALclassRefStruct*)>("REALnewInstanceWithClass");
  auto getClassRef = wrapper<REALclassRefStruct* (*)(const char*)>("REALGetClassRef");
  EXPECT_EQ(newWithClass(nullptr), nullptr);
  EXPECT_EQ(h.lookups("CreateInstance"), 1);

  host::Value made = host::Value::adopt(newWithClass(getClassRef("VectorF_3D")));
  EXPECT_EQ(made.typeName(), "VectorF_3D");
  // The overload shares the cache: no further lookup.
  auto overload = wrapper<REALobjectStruct* (*)(REALclassRefStruct*)>(
      "_Z15REALnewInstanceP18REALclassRefStruct");
  host::Value again = host::Value::adopt(overload(getClassRef("VectorF_3D")));
  EXPECT_EQ(again.typeName(), "VectorF_3D");
  EXPECT_EQ(h.lookups("CreateInstance"), 1);
}

// Without the host's own entry, the Linux flavour makes the instance from the class name in the
// definition; the Apple flavour gives nil. The host's entry is asked for again on every call.
TEST_P(Core, NewInstanceOfClassFallsBackByNameInLinuxFlavour) {
  host::Host& h = start({});
  h.removeEntry("PluginNewInstanceOfClass");
  h.load(GetParam().name);
  auto newOfClass = wrapper<REALobjectStruct* (*)(REALclassDefinition*)>("REALnewInstanceOfClass");
  REALclassDefinition* vector = h.findClass("VectorF_3D")->record;
  for (int call = 1; call <= 2; ++call) {
    host::Value made = host::Value::adopt(newOfClass(vector));
    EXPECT_EQ(made.typeName(), apple() ? "Nil" : "VectorF_3D");
    EXPECT_EQ(made.isNil(), apple());
    EXPECT_EQ(h.lookups("PluginNewInstanceOfClass"), call); // asked again at each call
  }
}

TEST_P(Core, NewInstanceOfClassUsesTheHostsEntry) {
  host::Host& h = startWith();
  auto newOfClass = wrapper<REALobjectStruct* (*)(REALclassDefinition*)>("REALnewInstanceOfClass");
  host::Value made = host::Value::adopt(newOfClass(h.findClass("VectorF_3D")->record));
  EXPECT_EQ(made.typeName(), "VectorF_3D");
  EXPECT_EQ(h.lookups("pluginObjectType"), 0);
}

std::vector<std::pair<void*, std::string>> loaderCalls;
REALproc recordingLoader(void* first, const char* declaration) {
  loaderCalls.emplace_back(first, declaration);
  return reinterpret_cast<REALproc>(&recordingLoader);
}

TEST_P(Core, GlobalMethodLoadersShareOneBindingAndPassNull) {
  host::Host& h = startWith();
  loaderCalls.clear();
  h.offerEntry("REALLoadGlobalMethod", reinterpret_cast<REALproc>(&recordingLoader));
  auto framework = wrapper<REALproc (*)(const char*)>("REALLoadFrameworkMethod");
  auto global = wrapper<REALproc (*)(void*, const char*)>("REALLoadGlobalMethod");
  EXPECT_NE(framework("A() as Integer"), nullptr);
  EXPECT_NE(global(reinterpret_cast<void*>(0x1234), "B()"), nullptr);
  EXPECT_EQ(h.lookups("REALLoadGlobalMethod"), 1);
  ASSERT_EQ(loaderCalls.size(), 2u);
  EXPECT_EQ(loaderCalls[0],
            std::make_pair(static_cast<void*>(nullptr), std::string("A() as Integer")));
  EXPECT_EQ(loaderCalls[1], std::make_pair(static_cast<void*>(nullptr), std::string("B()")));
}

TEST_P(Core, GlobalMethodLoaderMissing) {
  host::Host& h = startWith();
  h.removeEntry("REALLoadGlobalMethod");
  auto framework = wrapper<REALproc (*)(const char*)>("REALLoadFrameworkMethod");
  EXPECT_EQ(framework("Str(number as Double) as String"), nullptr);
  EXPECT_EQ(framework("Str(number as Double) as String"), nullptr);
  EXPECT_EQ(h.lookups("REALLoadGlobalMethod"), 2);
}

TEST_P(Core, ClassDataIsInstancePlusTheOffsetTheHostWrote) {
  host::Host& h = startWith();
  auto classData = wrapper<void* (*)(REALobjectStruct*, REALclassDefinition*)>("REALGetClassData");
  host::Value v = h.create("VectorF_3D");
  const host::ClassInfo* info = h.findClass("VectorF_3D");
  EXPECT_EQ(info->record->dataOffset, 48);
  char* base = reinterpret_cast<char*>(v.object());
  EXPECT_EQ(classData(v.object(), info->record), base + 48);
  EXPECT_EQ(classData(v.object(), info->record), h.classData(v));

  REALclassDefinition unregistered{};
  EXPECT_EQ(classData(v.object(), &unregistered), base);
  EXPECT_EQ(h.lookupLog().size(), 0u) << "class data needs no host call";
}

TEST_P(Core, ClassFlags) {
  startWith();
  auto consoleSafe = wrapper<void (*)(REALclassDefinition*)>("SetClassConsoleSafe");
  auto webOnly = wrapper<void (*)(REALclassDefinition*)>("SetClassWebOnly");
  struct Case {
    void (*set)(REALclassDefinition*);
    uint32_t before, after;
  } cases[] = {
      {consoleSafe, 0x0, 0x4}, {consoleSafe, 0x109, 0x10D}, {consoleSafe, 0x4, 0x4},
      {webOnly, 0x0C, 0x104},  {webOnly, 0x0, 0x100},       {webOnly, 0xFFFFFFFF, 0xFFFFFFF7},
  };
  for (const Case& c : cases) {
    REALclassDefinition definition{};
    definition.flags = c.before;
    c.set(&definition);
    EXPECT_EQ(definition.flags, c.after) << std::hex << c.before;
  }
}

// The second resolver: a host resolver of its own, asked once per process for each wrapper.
int secondResolverCalls = 0;
std::vector<std::string> secondLookups;
bool offerCount = true, offerClassOf = true;
void* classOfAnswer = reinterpret_cast<void*>(0xC1A55);
void* probeClassOf(REALobjectStruct*) {
  return classOfAnswer;
}
XojoInteger probeCount(void* cls) {
  return cls == reinterpret_cast<void*>(0xC1A55) ? 7 : -1;
}
XojoInteger probeGetProperty(void* cls, void* a1, void* a2, void* a3, void* a4, void* a5) {
  return cls == reinterpret_cast<void*>(0xC1A55) &&
         reinterpret_cast<uintptr_t>(a1) + reinterpret_cast<uintptr_t>(a5) == 6 &&
         a2 == reinterpret_cast<void*>(2) && a3 == reinterpret_cast<void*>(3) &&
         a4 == reinterpret_cast<void*>(4);
}
REALproc secondResolver(const char* name) {
  ++secondResolverCalls;
  secondLookups.push_back(name);
  std::string n = name;
  if (n == "RuntimeClassOf" && offerClassOf) return reinterpret_cast<REALproc>(&probeClassOf);
  if (n == "REALCountClassProperties" && offerCount) return reinterpret_cast<REALproc>(&probeCount);
  if (n == "REALGetClassProperty" && offerCount)
    return reinterpret_cast<REALproc>(&probeGetProperty);
  return nullptr;
}

class SecondResolver : public Core {
protected:
  void SetUp() override {
    secondResolverCalls = 0;
    secondLookups.clear();
    offerCount = offerClassOf = true;
    classOfAnswer = reinterpret_cast<void*>(0xC1A55);
  }
};

TEST_P(SecondResolver, MissingIsAskedForOnce) {
  host::Host& h = startWith();
  auto count = wrapper<XojoInteger (*)(REALobjectStruct*)>("REALCountClassProperties");
  EXPECT_EQ(count(nullptr), 0);
  EXPECT_EQ(count(nullptr), 0);
  EXPECT_EQ(h.lookups("GetRBScriptResolver"), 1);
}

TEST_P(SecondResolver, CountsAndReadsThroughTheObjectsClass) {
  host::Host& h = startWith();
  h.offerEntry("GetRBScriptResolver", reinterpret_cast<REALproc>(&secondResolver));
  auto count = wrapper<XojoInteger (*)(REALobjectStruct*)>("REALCountClassProperties");
  auto property = wrapper<XojoInteger (*)(REALobjectStruct*, void*, void*, void*, void*, void*)>(
      "REALGetClassProperty");
  auto* object = reinterpret_cast<REALobjectStruct*>(0x1000);
  EXPECT_EQ(count(object), 7);
  EXPECT_EQ(count(object), 7);
  EXPECT_EQ(property(object, reinterpret_cast<void*>(1), reinterpret_cast<void*>(2),
                     reinterpret_cast<void*>(3), reinterpret_cast<void*>(4),
                     reinterpret_cast<void*>(5)),
            1);
  EXPECT_EQ(secondLookups, (std::vector<std::string>{"REALCountClassProperties", "RuntimeClassOf",
                                                     "REALGetClassProperty", "RuntimeClassOf"}));
  classOfAnswer = nullptr;
  EXPECT_EQ(count(object), 0) << "an object without a class";
}

TEST_P(SecondResolver, OneEntryMissingStopsFurtherLookups) {
  host::Host& h = startWith();
  h.offerEntry("GetRBScriptResolver", reinterpret_cast<REALproc>(&secondResolver));
  offerCount = false;
  auto count = wrapper<XojoInteger (*)(REALobjectStruct*)>("REALCountClassProperties");
  EXPECT_EQ(count(nullptr), 0);
  offerCount = true;
  EXPECT_EQ(count(nullptr), 0) << "only one of the two was found: neither is asked again";
  EXPECT_EQ(secondLookups,
            (std::vector<std::string>{"REALCountClassProperties", "RuntimeClassOf"}));
}

INSTANTIATE_TEST_SUITE_P(Built, Core, ::testing::ValuesIn(builtVectorDeliverables()),
                         DeliverableName());
INSTANTIATE_TEST_SUITE_P(Built, SecondResolver, ::testing::ValuesIn(builtVectorDeliverables()),
                         DeliverableName());

} // namespace
