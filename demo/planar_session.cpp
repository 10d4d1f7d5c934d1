// PointF, SizeF and RectF: points rotated about a centre, rectangles built, combined and drawn.
#include <cstdio>
#include <string>

#include "session.h"

namespace {

using host::Value;

// The point's own text, written by the host's Str.
std::string text(host::Host& h, const Value& v) {
  return h.call(v, "Operator_Convert").asString();
}

std::string showRect(host::Host& h, const Value& r) {
  char out[160];
  std::snprintf(out, sizeof out, "(%g, %g, %g, %g)", h.get(r, "Left").asDouble(),
                h.get(r, "Top").asDouble(), h.get(r, "Right").asDouble(),
                h.get(r, "Bottom").asDouble());
  return out;
}

void pointSession(host::Host& h) {
  Value centre = h.create("PointF", {1.0, 1.0});
  Value p = h.create("PointF", {3.0, 1.0});
  std::printf("  p = %s, centre = %s\n", text(h, p).c_str(), text(h, centre).c_str());
  for (int step = 1; step <= 4; ++step) {
    h.call(p, "Rotate", {90.0, centre});
    std::printf("  p turned by %3d degrees = %s (x = %.17g)\n", 90 * step, text(h, p).c_str(),
                h.get(p, "x").asDouble());
  }
  Value q = h.call(p, "Operator_Negate");
  std::printf("  -p = %s, distance from p = %.17g\n", text(h, q).c_str(),
              h.call(p, "Distance", {q}).asDouble());
  h.call(q, "Clamp", {0.0, 2.0});
  std::printf("  -p clamped to [0, 2] = %s\n", text(h, q).c_str());
}

void rectSession(host::Host& h) {
  Value a = h.create("RectF", {10.0, 20.0, 0.0, 5.0});
  Value b = h.create("RectF", {h.create("PointF", {8.0, 15.0}), h.create("SizeF", {6.0, 10.0})});
  std::printf("  a = %s (ordered from 10, 20, 0, 5), b = %s\n", showRect(h, a).c_str(),
              showRect(h, b).c_str());
  std::printf("  a.Union(b) = %s\n", showRect(h, h.call(a, "Union", {b})).c_str());
  std::printf("  a.Intersects(b) = %s, a.Area = %g\n",
              h.call(a, "Intersects", {b}).asBoolean() ? "True" : "False",
              h.call(a, "Area").asDouble());
  std::printf("  a.EllipseContains(5, 5) = %s, a.Contains(10, 20) = %s\n",
              h.call(a, "EllipseContains", {5.0, 5.0}).asBoolean() ? "True" : "False",
              h.call(a, "Contains", {10.0, 20.0}).asBoolean() ? "True" : "False");
  h.call(b, "Inset", {1.5, 2.5});
  std::printf("  b inset by (1.5, 2.5) = %s\n", showRect(h, b).c_str());
  h.call(b, "Inset", {5.0, 5.0});
  std::printf("  inset by 5 more, it collapses: %s, IsEmpty = %s\n", showRect(h, b).c_str(),
              h.call(b, "IsEmpty").asBoolean() ? "True" : "False");

  Value g = h.newGraphics();
  h.call(a, "Fill", {g});
  for (const host::DrawCall& call : h.drawLog()) {
    std::printf("  a.Fill(g) called %s with", call.declaration.c_str());
    for (const Value& arg : call.args) std::printf(" %s", arg.describe().c_str());
    std::printf("\n");
  }
  h.clearDrawLog();
}

DemoSession points("PointF", &pointSession);
DemoSession rects("RectF", &rectSession);

} // namespace
