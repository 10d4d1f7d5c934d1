// Values: how they name and show themselves, and the references they hold.
#include <gtest/gtest.h>

#include "host_test_support.h"

using host::Value;

namespace {

class Values : public host_tests::FixtureTest {};

TEST_F(Values, TypeNamesAndRenderings) {
  struct Case {
    Value value;
    const char* typeName;
    const char* rendering;
  } cases[] = {
      {Value(), "", "Nothing"},
      {Value::nil(), "Nil", "Nil"},
      {true, "Boolean", "True"},
      {-2, "Integer", "-2"},
      {1.5, "Double", "1.5"},
      {0.1, "Double", "0.1"},
      {"abc", "String", "\"abc\""},
      {host().newCoreObject("Xojo.Core.Point", {}), "Xojo.Core.Point", "<Xojo.Core.Point>"},
      {host().create("Probe"), "Probe", "<Probe>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.value.typeName(), c.typeName);
    EXPECT_EQ(c.value.describe(), c.rendering);
  }
}

TEST_F(Values, AccessorsRefuseOtherKinds) {
  EXPECT_THROW(Value(1).asDouble(), host::Error);
  EXPECT_THROW(Value(1.0).asInteger(), host::Error);
  EXPECT_THROW(Value("True").asBoolean(), host::Error);
  EXPECT_THROW(Value().asString(), host::Error);
  EXPECT_THROW(Value(1).object(), host::Error);
  EXPECT_EQ(Value::nil().object(), nullptr);
}

// Each copy holds a reference of its own; the object dies with the last one.
TEST_F(Values, CopiesShareTheObjectUntilTheLastGoes) {
  Value first = host().create("Probe");
  Value copy = first;
  Value assigned;
  assigned = copy;
  Value moved = std::move(first);
  EXPECT_TRUE(first.isNothing());
  copy = Value();
  assigned = 1;
  EXPECT_EQ(host().liveObjects(), 1u);
  EXPECT_EQ(moved.typeName(), "Probe");
  moved = Value();
  EXPECT_EQ(host().liveObjects(), 0u);
}

TEST_F(Values, RetainAddsAReferenceAdoptTakesOne) {
  Value probe = host().create("Probe");
  Value retained = Value::retain(probe.object());
  probe = Value();
  ASSERT_EQ(host().liveObjects(), 1u);
  host_tests::entry<void (*)(REALobjectStruct*)>("REALLockObject")(retained.object());
  Value adopted = Value::adopt(retained.object());
  retained = Value();
  EXPECT_EQ(host().liveObjects(), 1u);
  adopted = Value();
  EXPECT_EQ(host().liveObjects(), 0u);
  EXPECT_TRUE(Value::adopt(nullptr).isNil());
  EXPECT_TRUE(Value::retain(nullptr).isNil());
}

} // namespace
