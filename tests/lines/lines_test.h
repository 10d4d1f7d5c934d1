// The fixture of the Tessaline2 suites: a stand-in host with Tessaline1 and Tessaline2 loaded,
// and short ways to build and read points, lines and polygons.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "lines/polygon_data.h"
#include "support/plugin_test.h"

namespace lines_tests {

using host::Value;

struct XY {
  double x, y;
  bool operator==(const XY& o) const { return x == o.x && y == o.y; }
};
inline std::ostream& operator<<(std::ostream& out, const XY& p) {
  return out << "(" << p.x << ", " << p.y << ")";
}
using Corners = std::vector<XY>;

struct Edges {
  double Left, Top, Right, Bottom;
  bool operator==(const Edges& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
};
inline std::ostream& operator<<(std::ostream& out, const Edges& r) {
  return out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

class LinesTest : public testing_support::PluginTest {
protected:
  // Both libraries, Tessaline1 first, in a host of the given options.
  void SetUp() override { startLines(); }
  host::Host& startLines(host::Options options = {}) {
    return start({"Tessaline1", "Tessaline2"}, options);
  }
  host::Host& h() { return host(); }

  Value point(double x, double y) { return h().create("PointF", {x, y}); }
  Value line(double x1, double y1, double x2, double y2) {
    return h().create("LineF", {x1, y1, x2, y2});
  }
  Value rect(double left, double top, double right, double bottom) {
    return h().create("RectF", {left, top, right, bottom});
  }
  Value polygon(const Corners& corners) {
    Value p = h().create("PolygonF");
    for (const XY& c : corners) h().call(p, "Add", {c.x, c.y});
    return p;
  }

  XY xy(const Value& point) {
    return {h().get(point, "x").asDouble(), h().get(point, "y").asDouble()};
  }
  Corners ends(const Value& line) {
    return {{h().get(line, "x1").asDouble(), h().get(line, "y1").asDouble()},
            {h().get(line, "x2").asDouble(), h().get(line, "y2").asDouble()}};
  }
  Edges edges(const Value& rect) {
    return {h().get(rect, "Left").asDouble(), h().get(rect, "Top").asDouble(),
            h().get(rect, "Right").asDouble(), h().get(rect, "Bottom").asDouble()};
  }
  const lines::PolygonFData& data(const Value& polygon) {
    return h().data<lines::PolygonFData>(polygon);
  }
  // The corners as Xojo code reads them, through PointX and PointY.
  Corners corners(const Value& polygon) {
    Corners out;
    XojoInteger n = h().get(polygon, "CornerCount").asInteger();
    for (XojoInteger k = 1; k <= n; ++k)
      out.push_back({h().call(polygon, "PointX", {k}).asDouble(),
                     h().call(polygon, "PointY", {k}).asDouble()});
    return out;
  }

  // A method of a class by its exact declaration, for calls that overloading cannot tell apart
  // (a Nil argument to Draw(g as Graphics) or Draw(g as WebGraphics)).
  const host::MethodInfo& method(const std::string& cls, const std::string& declaration) {
    for (const host::MethodInfo& m : h().findClass(cls)->methods)
      if (m.declaration.text == declaration) return m;
    throw std::logic_error("no " + cls + "." + declaration);
  }
};

// Corners equal within `tolerance`.
inline void expectNear(const Corners& actual, const Corners& expected, double tolerance) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].x, expected[i].x, tolerance) << "corner " << i + 1;
    EXPECT_NEAR(actual[i].y, expected[i].y, tolerance) << "corner " << i + 1;
  }
}

} // namespace lines_tests
