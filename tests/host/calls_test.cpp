// Calling plug-in code as Xojo code does, through HostFixture's classes: every kind of argument
// and result, constructors, properties, assignable methods, references and raised exceptions.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "host_test_support.h"

using host::Value;

namespace {

// HostFixture's Probe data, as the test reads it back through classData.
struct ProbeData {
  double number;
  XojoInteger count;
  XojoInteger marker;
  double slots[3];
  REALobjectStruct* kept;
};

class Calls : public host_tests::FixtureTest {
protected:
  int counter(const char* name) {
    return static_cast<const std::atomic<int>*>(host().symbol("HostFixture", name))->load();
  }
  Value probe(double number) { return host().create("Probe", {number, 0}); }
};

TEST_F(Calls, ArgumentsAndResultsOfEveryKind) {
  const XojoInteger half = std::numeric_limits<XojoInteger>::max() / 2;
  Value token = host().create("Token", {4});
  struct Case {
    const char* method;
    std::vector<Value> args;
    Value result;
  } cases[] = {
      {"Half", {3.0}, 1.5},
      {"Half", {3}, 1.5}, // Integer to Double
      {"Twice", {-21}, -42},
      {"Twice", {half}, half * 2},
      {"Twice", {2.9}, 4}, // Double to Integer, truncated
      {"Twice", {-2.9}, -4},
      {"Invert", {true}, false},
      {"Invert", {false}, true},
      {"Wrap", {"h\xC3\xA9llo"}, "<h\xC3\xA9llo>"},
      {"Wrap", {std::string("a\0b", 3)}, std::string("<a\0b>", 5)},
      {"Wrap", {""}, "<>"},
      {"NoText", {}, Value::nil()},
      {"Describe", {1.5, -3, true, "four", Value::nil()}, "1.5 -3 True 4 Nil"},
      {"Describe", {2, 7.9, false, "", probe(2.5)}, "2 7 False 0 2.5"},
      {"Pick", {1.0}, 1},
      {"Pick", {1}, 2},
      {"Pick", {Value::nil()}, 3},
      {"Pick", {token}, 3},
      {"NoProbe", {}, Value::nil()},
      {"Keep", {Value::nil()}, Value()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(host::callShape(c.method, c.args));
    Value p = host().create("Probe");
    Value result = host().call(p, c.method, c.args);
    EXPECT_EQ(result.kind(), c.result.kind());
    EXPECT_EQ(result.describe(), c.result.describe());
  }
}

TEST_F(Calls, ObjectResultsCarryTheirReference) {
  Value original = probe(6.5);
  Value copy = host().call(original, "Copy");
  EXPECT_EQ(copy.typeName(), "Probe");
  EXPECT_NE(copy.object(), original.object());
  EXPECT_EQ(host().get(copy, "Number").asDouble(), 6.5);
  Value token = host().call(original, "MakeToken", {9});
  EXPECT_EQ(token.typeName(), "Token");
  EXPECT_EQ(host().get(token, "Id").asInteger(), 9);
  EXPECT_EQ(host().liveObjects(), 3u);
  copy = Value();
  token = Value();
  EXPECT_EQ(host().liveObjects(), 1u);
}

// The class constructor runs on every new instance before any Constructor method; the class
// destructor once, when the last reference goes.
TEST_F(Calls, ClassConstructorAndDestructor) {
  {
    Value plain = host().create("Probe");
    Value full = host().create("Probe", {2.5, 3});
    Value converted = host().create("Probe", {1, 2.9});
    Value bare = host().createInstance("Probe");
    EXPECT_EQ(counter("fixtureConstructed"), 4);
    struct Case {
      const Value& probe;
      double number;
      XojoInteger count;
    } cases[] = {{plain, 0, 1}, {full, 2.5, 3}, {converted, 1, 2}, {bare, 0, 0}};
    for (const Case& c : cases) {
      const ProbeData& data = host().data<ProbeData>(c.probe);
      EXPECT_EQ(data.marker, 7);
      EXPECT_EQ(data.number, c.number);
      EXPECT_EQ(data.count, c.count);
    }
    EXPECT_EQ(host().create("Token", {5}).typeName(), "Token");
    EXPECT_EQ(counter("fixtureDestroyed"), 0);
  }
  EXPECT_EQ(counter("fixtureDestroyed"), 4);
}

TEST_F(Calls, ReferencesKeptByPluginCode) {
  Value keeper = host().create("Probe");
  {
    Value kept = probe(1);
    host().call(keeper, "Keep", {kept});
  }
  EXPECT_EQ(host().liveObjects(), 2u) << "the keeper holds a reference";
  host().call(keeper, "Keep", {probe(2)});
  EXPECT_EQ(host().liveObjects(), 2u) << "the first kept probe was given back";
  EXPECT_EQ(counter("fixtureDestroyed"), 1);
  keeper = Value();
  EXPECT_EQ(host().liveObjects(), 0u);
  EXPECT_EQ(counter("fixtureDestroyed"), 3);
}

TEST_F(Calls, Properties) {
  Value p = probe(1.5);
  struct Case {
    const char* property;
    Value assigned; // Nothing: only read
    Value read;
  } cases[] = {
      {"Number", Value(), 1.5},    {"Marker", Value(), 7},
      {"Scaled", Value(), 15.0}, // Number times the accessor parameter 10
      {"Label", Value(), "probe"}, {"Positive", Value(), true},
      {"Count", 2.9, 2}, // stored, truncated
      {"number", -4, -4.0},        {"Scaled", 25, 25.0},
      {"Number", Value(), 2.5}, // written by the Scaled setter
      {"Positive", Value(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.property) + " = " + c.assigned.describe());
    if (!c.assigned.isNothing()) host().set(p, c.property, c.assigned);
    Value read = host().get(p, c.property);
    EXPECT_EQ(read.kind(), c.read.kind());
    EXPECT_EQ(read.describe(), c.read.describe());
  }
  EXPECT_EQ(host().data<ProbeData>(p).count, 2) << "stored in the class data";
}

TEST_F(Calls, AssignableMethod) {
  Value p = host().create("Probe");
  host().assign(p, "Slot", {2}, 7.5);
  host().assign(p, "slot", {3.9}, 4);
  EXPECT_EQ(host().call(p, "Slot", {2}).asDouble(), 7.5);
  EXPECT_EQ(host().call(p, "Slot", {3}).asDouble(), 4.0);
  EXPECT_EQ(host().call(p, "Slot", {1}).asDouble(), 0.0);
}

TEST_F(Calls, ResolvedMethodsCanBeInvokedRepeatedly) {
  const host::ClassInfo* probeClass = host().findClass("Probe");
  const host::MethodInfo* twice = nullptr;
  for (const host::MethodInfo& m : probeClass->methods)
    if (m.declaration.name == "Twice") twice = &m;
  ASSERT_NE(twice, nullptr);
  Value p = host().create("Probe");
  for (XojoInteger i = 0; i < 100; ++i) ASSERT_EQ(host().invoke(p, *twice, {i}).asInteger(), 2 * i);
  EXPECT_THROW(host().invoke(p, *twice, {"1"}), host::Error);
  EXPECT_THROW(host().invoke(host().create("Token", {1}), *twice, {1}), host::Error)
      << "a method of another class";
}

TEST_F(Calls, ErrorsOfTheProgram) {
  Value p = host().create("Probe");
  struct Case {
    std::function<void()> action;
    const char* message;
  } cases[] = {
      {[&] { host().call(p, "Rotate", {"x"}); }, "Probe has no method Rotate(String)"},
      {[&] { host().call(p, "Half", {"x"}); }, "Probe has no method Half(String)"},
      {[&] { host().call(p, "Half"); }, "Probe has no method Half()"},
      {[&] { host().create("Probe", {"x"}); }, "Probe has no constructor Constructor(String)"},
      {[&] { host().create("Token"); }, "Token has no constructor Constructor()"},
      {[&] { host().create("Nowhere"); }, "no class named Nowhere"},
      {[&] { host().call(Value::nil(), "Half", {1.0}); }, "NilObjectException: Half used on Nil"},
      {[&] { host().get(Value::nil(), "Number"); }, "NilObjectException: Number used on Nil"},
      {[&] { host().call(Value(1), "Half"); }, "Half used on 1, not an object"},
      {[&] { host().get(p, "Nope"); }, "Probe has no property Nope"},
      {[&] { host().set(p, "Marker", 1); }, "Probe.Marker is read-only"},
      {[&] { host().set(p, "Label", "x"); }, "Probe.Label is read-only"},
      {[&] { host().set(p, "Number", "x"); }, "Probe.Number cannot take \"x\""},
      {[&] { host().assign(p, "Half", {1.0}, 2.0); }, "Probe has no method Half(Double)"},
      {[&] { host().assign(p, "Slot", {1}, "x"); }, "Probe.Slot(Integer) cannot take \"x\""},
  };
  for (const Case& c : cases) {
    try {
      c.action();
      ADD_FAILURE() << "no error: " << c.message;
    } catch (const host::Error& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

// The host keeps the raised exception until the call is over, then names its class and gives
// it back; the next call starts without one.
TEST_F(Calls, RaisedExceptions) {
  Value p = host().create("Probe");
  EXPECT_TRUE(host().call(p, "Fail").isNothing());
  EXPECT_EQ(host().lastException(), "NilObjectException");
  EXPECT_EQ(host().liveObjects(), 1u) << "the exception object is released";
  host().call(p, "Half", {1.0});
  EXPECT_EQ(host().lastException(), "");
  host().call(p, "Fail");
  EXPECT_THROW(host().call(p, "Nope"), host::Error);
  EXPECT_EQ(host().lastException(), "") << "a call that fails to start raises nothing";
}

TEST_F(Calls, DrawingThroughPluginCode) {
  Value p = host().create("Probe");
  Value g = host().newGraphics();
  host().call(p, "Outline", {g, 2});
  ASSERT_EQ(host().drawLog().size(), 1u);
  const host::DrawCall& call = host().drawLog()[0];
  EXPECT_EQ(call.target, "Graphics");
  EXPECT_EQ(call.declaration, "FillPolygon(point() as Integer)");
  std::vector<std::string> points;
  for (const Value& v : call.array) points.push_back(v.describe());
  EXPECT_EQ(points, (std::vector<std::string>{"Nothing", "10", "11", "20", "21"}));
  EXPECT_EQ(call.arrayType, 11);
  EXPECT_EQ(host().liveObjects(), 2u) << "the point array was released";
}

// Calls from several threads at once: each thread sees its own exceptions.
TEST_F(Calls, ConcurrentCalls) {
#ifdef HOST_TESTS_EMULATED
  // qemu-arm with the cross toolchain's C library (-L) crashes at a program's first
  // pthread_create, whatever the program does.
  GTEST_SKIP() << "no threads under the user-mode emulator";
#endif
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this, t, &failures] {
      for (int i = 0; i < 200; ++i) {
        Value p = host().create("Probe", {double(i), t});
        Value copy = host().call(p, "Copy");
        host().call(copy, "Keep", {p});
        if (host().call(copy, "Wrap", {std::to_string(i)}).asString() !=
            "<" + std::to_string(i) + ">")
          ++failures[t];
        host().call(p, t % 2 ? "Fail" : "NoText");
        if (host().lastException() != (t % 2 ? "NilObjectException" : "")) ++failures[t];
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
  EXPECT_EQ(host().liveObjects(), 0u);
}

} // namespace
