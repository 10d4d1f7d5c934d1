// The fixture of the Tessaline1 tests: a host with the library loaded, and the values of its
// classes read back as plain structs.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "support/plugin_test.h"

namespace planar_testing {

using host::Value;

inline const double kNaN = std::numeric_limits<double>::quiet_NaN();
inline const double kInf = std::numeric_limits<double>::infinity();

// Bit-for-bit equality, so that -0 differs from +0 and NaN equals NaN.
inline bool same(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}

struct Pair {
  double a, b;
};
struct Rect {
  double left, top, right, bottom;
};

inline std::string show(const Pair& p) {
  char text[96];
  std::snprintf(text, sizeof text, "(%.17g, %.17g)", p.a, p.b);
  return text;
}
inline std::string show(const Rect& r) {
  char text[160];
  std::snprintf(text, sizeof text, "(%.17g, %.17g, %.17g, %.17g)", r.left, r.top, r.right,
                r.bottom);
  return text;
}
inline bool same(const Pair& x, const Pair& y) {
  return same(x.a, y.a) && same(x.b, y.b);
}
inline bool same(const Rect& x, const Rect& y) {
  return same(x.left, y.left) && same(x.top, y.top) && same(x.right, y.right) &&
         same(x.bottom, y.bottom);
}

inline ::testing::AssertionResult samePair(const char* actualText, const char*, const Pair& actual,
                                           const Pair& expected) {
  if (same(actual, expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << actualText << " is " << show(actual) << ", expected " << show(expected);
}
inline ::testing::AssertionResult sameRect(const char* actualText, const char*, const Rect& actual,
                                           const Rect& expected) {
  if (same(actual, expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << actualText << " is " << show(actual) << ", expected " << show(expected);
}

// Bit-for-bit comparisons of a point, size or rectangle with what is expected.
#define EXPECT_SAME_PAIR(actual, expected)                                                         \
  EXPECT_PRED_FORMAT2(planar_testing::samePair, actual, expected)
#define EXPECT_SAME_RECT(actual, expected)                                                         \
  EXPECT_PRED_FORMAT2(planar_testing::sameRect, actual, expected)

class PlanarTest : public testing_support::PluginTest {
protected:
  // A host of `version` with Tessaline1 loaded; `prepare` runs between the host's creation and
  // the load, for hosts that lack something.
  template <class Prepare> host::Host& startPlanar(std::optional<double> version, Prepare prepare) {
    host::Host& h = start({}, host::Options{version});
    prepare(h);
    h.load("Tessaline1");
    return h;
  }
  host::Host& startPlanar(std::optional<double> version = 2019.0) {
    return startPlanar(version, [](host::Host&) {});
  }

  Value point(double x, double y) { return host().create("PointF", {x, y}); }
  Value size(double w, double h) { return host().create("SizeF", {w, h}); }
  Value rect(const Rect& r) { return host().create("RectF", {r.left, r.top, r.right, r.bottom}); }
  // A RectF with its edges stored as given, unordered.
  Value storedRect(const Rect& r) {
    Value v = host().create("RectF");
    host().set(v, "Left", r.left);
    host().set(v, "Top", r.top);
    host().set(v, "Right", r.right);
    host().set(v, "Bottom", r.bottom);
    return v;
  }

  Pair readPoint(const Value& v) {
    return {host().get(v, "x").asDouble(), host().get(v, "y").asDouble()};
  }
  Pair readSize(const Value& v) {
    return {host().get(v, "Width").asDouble(), host().get(v, "Height").asDouble()};
  }
  Rect readRect(const Value& v) {
    return {host().get(v, "Left").asDouble(), host().get(v, "Top").asDouble(),
            host().get(v, "Right").asDouble(), host().get(v, "Bottom").asDouble()};
  }

  Value call(const Value& self, const char* method, const std::vector<Value>& args = {}) {
    return host().call(self, method, args);
  }
  // A method picked by its exact declaration, for calls that overload resolution cannot
  // tell apart (Nil arguments).
  Value invoke(const Value& self, const char* cls, const char* declaration,
               const std::vector<Value>& args) {
    const host::ClassInfo* c = host().findClass(cls);
    for (const host::MethodInfo& m : c->methods)
      if (m.declaration.text == declaration) return host().invoke(self, m, args);
    ADD_FAILURE() << cls << " does not declare " << declaration;
    return Value();
  }
};

} // namespace planar_testing
