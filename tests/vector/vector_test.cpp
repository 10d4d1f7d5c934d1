// VectorF_3D in its three builds, through the stand-in host as Xojo code uses it.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/deliverables.h"
#include "support/plugin_test.h"

using namespace testing_support;
using host::Value;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct V {
  double x, y, z;
};

// Bit-for-bit equality, so that -0 differs from +0 and NaN equals NaN.
bool same(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}
bool sameOrBothNaN(double a, double b) {
  return same(a, b) || (std::isnan(a) && std::isnan(b));
}
std::string show(const V& v) {
  char text[128];
  std::snprintf(text, sizeof text, "(%.17g, %.17g, %.17g)", v.x, v.y, v.z);
  return text;
}

class Vector : public PluginTest, public ::testing::WithParamInterface<Deliverable> {
protected:
  void SetUp() override { start({GetParam().name.c_str()}); }
  bool apple() const { return GetParam().appleFlavour(); }

  Value make(V v) { return host().create("VectorF_3D", {v.x, v.y, v.z}); }
  V read(const Value& v) {
    return {host().get(v, "x").asDouble(), host().get(v, "y").asDouble(),
            host().get(v, "z").asDouble()};
  }
  Value call(const Value& self, const char* method, const std::vector<Value>& args = {}) {
    return host().call(self, method, args);
  }
  void expectVector(const Value& v, V expected) {
    ASSERT_TRUE(v.isObject());
    V actual = read(v);
    EXPECT_TRUE(sameOrBothNaN(actual.x, expected.x) && sameOrBothNaN(actual.y, expected.y) &&
                sameOrBothNaN(actual.z, expected.z))
        << show(actual) << " expected " << show(expected);
  }
};

TEST_P(Vector, RegistersOneClassWithItsDeclarations) {
  const host::ClassInfo* c = host().findClass("VectorF_3D");
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(host().registrationOrder().size(), 1u);
  const char* declarations[] = {
      "Constructor()",
      "Constructor(x as Double,y as Double,z as Double)",
      "Abs()",
      "Clamp(minimum as Double, maximum as Double)",
      "Set(x as Double,y as Double,z as Double)",
      "Scale(factor as Double)",
      "Operator_Add(rval as VectorF_3D) as VectorF_3D",
      "Operator_Subtract(rval as VectorF_3D) as VectorF_3D",
      "Operator_Multiply(rval as VectorF_3D) as VectorF_3D",
      "Operator_Multiply(rval as Double) as VectorF_3D",
      "Operator_Divide(rval as VectorF_3D) as VectorF_3D",
      "Operator_Negate() as VectorF_3D",
      "Angle(v as VectorF_3D) as Double",
      "Equal(v as VectorF_3D) as Boolean",
      "Length() as Double",
      "Normalize()",
      "Distance(v as VectorF_3D) as Double",
      "Operator_Compare(rval as VectorF_3D) as Integer",
      "Pitch() as Double",
      "Yew() as Double",
      "Roll() as Double",
  };
  ASSERT_EQ(c->methods.size(), std::size(declarations));
  for (size_t i = 0; i < c->methods.size(); ++i) {
    EXPECT_EQ(c->methods[i].declaration.text, declarations[i]);
    EXPECT_EQ(c->methods[i].flags, 4);
    EXPECT_EQ(c->methods[i].setter, nullptr);
  }
  const char* properties[][2] = {
      {"x", "Double"}, {"y", "Double"}, {"z", "Double"}, {"Clone", "VectorF_3D"}};
  ASSERT_EQ(c->properties.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(c->properties[i].name, properties[i][0]);
    EXPECT_EQ(c->properties[i].type, properties[i][1]);
  }
  EXPECT_TRUE(c->properties[3].readOnly());
}

TEST_P(Vector, ConstructorsAndStoredFields) {
  Value zero = host().create("VectorF_3D");
  expectVector(zero, {0.0, 0.0, 0.0});
  EXPECT_EQ(call(zero, "Length").asDouble(), 0.0);

  Value v = make({1, 2, 3});
  host().set(v, "y", 7.5);
  expectVector(v, {1, 7.5, 3});
  EXPECT_EQ(host().data<V>(v).y, 7.5) << "y is stored at offset 8 of the class data";
  call(v, "Set", {-1.0, -2.0, -3.0});
  expectVector(v, {-1, -2, -3});
}

// Mutators change the instance in place.
TEST_P(Vector, Mutators) {
  struct Case {
    V start;
    const char* method;
    std::vector<Value> args;
    V expected;
  } cases[] = {
      {{-1, 0.5, 2}, "Clamp", {0.0, 1.0}, {0, 0.5, 1}},
      {{-1, 0.5, 2}, "Clamp", {1.0, 0.0}, {1, 1, 0}}, // minimum above maximum: minimum wins
      {{kNaN, -3, 3}, "Clamp", {kNaN, 0.0}, {kNaN, -3, 0}},
      {{-0.0, -1, kNaN}, "Abs", {}, {0.0, 1, kNaN}},
      {{1, -2, 0.5}, "Scale", {4.0}, {4, -8, 2}},
      {{3, 4, 0}, "Normalize", {}, {0.6000000000000001, 0.8, 0}}, // times 1/5, not over 5
      {{0, 0, 0}, "Normalize", {}, {kNaN, kNaN, kNaN}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.method) + show(c.start));
    Value v = make(c.start);
    EXPECT_TRUE(call(v, c.method, c.args).isNothing());
    expectVector(v, c.expected);
  }
}

// Operators return a new vector and leave both operands unchanged.
TEST_P(Vector, OperatorsMakeNewVectors) {
  struct Case {
    const char* method;
    V right;
    V expected;
  } cases[] = {
      {"Operator_Add", {1, -2, 0.5}, {3, 1, 4.5}},
      {"Operator_Subtract", {1, -2, 0.5}, {1, 5, 3.5}},
      {"Operator_Multiply", {2, -1, 4}, {4, -3, 16}},
      {"Operator_Divide", {0, 1, 1}, {kInf, 3, 4}},
      {"Operator_Divide", {4, 6, 8}, {0.5, 0.5, 0.5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    Value left = make({2, 3, 4}), right = make(c.right);
    Value result = call(left, c.method, {right});
    expectVector(result, c.expected);
    EXPECT_NE(result.object(), left.object());
    expectVector(left, {2, 3, 4});
    expectVector(right, c.right);
  }
  Value v = make({0, 1, -2});
  expectVector(call(v, "Operator_Multiply", {2.5}), {0, 2.5, -5});
  expectVector(call(v, "Operator_Negate"), {-0.0, -1, 2});
  expectVector(v, {0, 1, -2});
}

TEST_P(Vector, DivisionByZeroComponents) {
  Value divisor = make({0, 1, 1});
  expectVector(call(make({-3, 1, 1}), "Operator_Divide", {divisor}), {-kInf, 1, 1});
  expectVector(call(make({0, 1, 1}), "Operator_Divide", {divisor}), {kNaN, 1, 1});
}

TEST_P(Vector, Measures) {
  EXPECT_EQ(call(make({2, 3, 6}), "Length").asDouble(), 7.0);
  EXPECT_EQ(call(make({1, 1, 1}), "Distance", {make({3, 4, 7})}).asDouble(), 7.0);
  // The last bit shows how the sum of squares is rounded.
  EXPECT_EQ(call(make({0, 9.6, 5.4}), "Length").asDouble(),
            apple() ? 11.014535850411493 : 11.014535850411491);
}

TEST_P(Vector, Angles) {
  struct Case {
    V a, b;
    double radians;
  } cases[] = {
      {{1, 0, 0}, {0, 1, 0}, 1.5707963267948966},
      {{1, 1, 0}, {1, 1, 0}, 2.1073424255447017e-08}, // not 0: the quotient rounds below 1
      {{1, 1, 1}, {1, 1, 1}, kNaN},                   // the quotient rounds above 1
      {{0, 0, 0}, {1, 0, 0}, kNaN},
      {{1, 0, 0}, {0, 0, 0}, kNaN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.a) + show(c.b));
    EXPECT_TRUE(sameOrBothNaN(call(make(c.a), "Angle", {make(c.b)}).asDouble(), c.radians));
  }
}

TEST_P(Vector, Tilts) {
  struct Case {
    const char* method;
    V v;
    double degrees;
  } cases[] = {
      {"Pitch", {1, 0, 0}, 90},
      {"Pitch", {1, 1, 0}, 45},
      {"Pitch", {0, 0, 0}, kNaN},
      {"Yew", {3, 4, 5}, 45},
      {"Yew", {0, 5, 1}, 11.309932474020213},
      {"Yew", {0, 0, 1}, 90},
      {"Roll", {0, -1, 0}, -90},
      {"Roll", {3, 5, 4}, 45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.method) + show(c.v));
    EXPECT_TRUE(sameOrBothNaN(call(make(c.v), c.method).asDouble(), c.degrees));
  }
}

// The tolerant order: the first component, in x, y, z order, that differs by more than 1e-6.
TEST_P(Vector, CompareAndEqual) {
  struct Case {
    V a, b;
    XojoInteger compare;
    bool equal;
  } cases[] = {
      {{0, 0, 0}, {0.000001, 0, 0}, 0, false},   {{0, 0, 0}, {0.0000001, 0, 0}, 0, false},
      {{0, 0, 0}, {0, 0, 0.0000011}, -1, false}, {{0, 0, 0.0000011}, {0, 0, 0}, 1, false},
      {{1, 5, 5}, {2, 0, 0}, -1, false},         {{2, 0, 0}, {1, 5, 5}, 1, false},
      {{0, 1, 0}, {0, 2, 0}, -1, false},         {{kNaN, 0, 0}, {0, 0, 0}, 1, false},
      {{0, 0, 0}, {kNaN, 0, 0}, 1, false},       {{0, 0, 0}, {-0.0, -0.0, -0.0}, 0, true},
      {{1, 2, 3}, {1, 2, 3}, 0, true},           {{kNaN, 0, 0}, {kNaN, 0, 0}, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.a) + " vs " + show(c.b));
    Value a = make(c.a), b = make(c.b);
    EXPECT_EQ(call(a, "Operator_Compare", {b}).asInteger(), c.compare);
    EXPECT_EQ(call(a, "Equal", {b}).asBoolean(), c.equal);
  }
  Value nan = make({kNaN, 1, 2});
  EXPECT_FALSE(call(nan, "Equal", {nan}).asBoolean());
}

TEST_P(Vector, CloneIsADistinctBitCopy) {
  const double payload = std::bit_cast<double>(uint64_t{0x7FF8000000ABCDEF});
  Value v = make({payload, -0.0, 5});
  Value clone = host().get(v, "Clone");
  ASSERT_TRUE(clone.isObject());
  EXPECT_NE(clone.object(), v.object());
  V copy = read(clone);
  EXPECT_TRUE(same(copy.x, payload));
  EXPECT_TRUE(same(copy.y, -0.0));
  host().set(clone, "x", 1.0);
  EXPECT_TRUE(same(read(v).x, payload));
}

// The class reference and the host's entries are found once and then kept.
TEST_P(Vector, ResultVectorsLookUpTheirClassOnce) {
  host().clearLookups();
  Value a = make({1, 2, 3});
  for (int i = 0; i < 5; ++i) Value sum = call(a, "Operator_Add", {a});
  Value clone = host().get(a, "Clone");
  EXPECT_EQ(host().lookups("pluginObjectType"), 1);
  EXPECT_EQ(host().lookups("CreateInstance"), 1);
}

// A nil vector argument raises the host's NilObjectException; the method returns its neutral
// value and changes nothing.
TEST_P(Vector, NilArgumentsRaiseNilObjectException) {
  struct Case {
    const char* method;
    Value neutral;
  } cases[] = {
      {"Operator_Add", Value::nil()},
      {"Operator_Subtract", Value::nil()},
      {"Operator_Multiply", Value::nil()},
      {"Operator_Divide", Value::nil()},
      {"Angle", 0.0},
      {"Equal", false},
      {"Distance", 0.0},
      {"Operator_Compare", 0},
  };
  Value v = make({1, 2, 3});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    Value result = call(v, c.method, {Value::nil()});
    EXPECT_EQ(host().lastException(), "NilObjectException");
    EXPECT_EQ(result.kind(), c.neutral.kind());
    EXPECT_EQ(result.describe(), c.neutral.describe());
    expectVector(v, {1, 2, 3});
  }
}

// Without a NilObjectException to raise, the method still returns its neutral value.
TEST_P(Vector, NilArgumentOnAHostThatCannotRaise) {
  host().removeEntry("RuntimeRaiseException");
  Value v = make({1, 2, 3});
  EXPECT_TRUE(call(v, "Operator_Add", {Value::nil()}).isNil());
  EXPECT_EQ(host().lastException(), "");
}

// A result vector the host cannot make gives Nil; nothing is written.
TEST_P(Vector, ResultThatCannotBeCreatedIsNil) {
  for (const char* entry : {"CreateInstance", "pluginObjectType"}) {
    SCOPED_TRACE(entry);
    start({GetParam().name.c_str()});
    Value v = make({1, 2, 3});
    host().removeEntry(entry);
    EXPECT_TRUE(call(v, "Operator_Negate").isNil());
    EXPECT_TRUE(host().get(v, "Clone").isNil());
    EXPECT_TRUE(call(v, "Operator_Add", {v}).isNil());
    expectVector(v, {1, 2, 3});
    host().restoreEntry(entry);
    expectVector(call(v, "Operator_Negate"), {-1, -2, -3}); // picked up once offered
  }
}

INSTANTIATE_TEST_SUITE_P(Builds, Vector, ::testing::ValuesIn(builtVectorDeliverables()),
                         DeliverableName());

} // namespace
