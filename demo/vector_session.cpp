// VectorF_3D: operators, measures and a normalisation.
#include <cstdio>
#include <string>

#include "session.h"

namespace {

using host::Value;

std::string show(host::Host& h, const Value& v) {
  char text[160];
  std::snprintf(text, sizeof text, "(%g, %g, %g)", h.get(v, "x").asDouble(),
                h.get(v, "y").asDouble(), h.get(v, "z").asDouble());
  return text;
}

void vectorSession(host::Host& h) {
  Value a = h.create("VectorF_3D", {3.0, 4.0, 0.0});
  Value b = h.create("VectorF_3D", {0.0, 5.0, 1.0});
  std::printf("  a = %s, b = %s\n", show(h, a).c_str(), show(h, b).c_str());
  std::printf("  a + b = %s\n", show(h, h.call(a, "Operator_Add", {b})).c_str());
  std::printf("  a * 2 = %s\n", show(h, h.call(a, "Operator_Multiply", {2.0})).c_str());
  std::printf("  a.Length = %.17g\n", h.call(a, "Length").asDouble());
  std::printf("  a.Angle(b) = %.17g rad\n", h.call(a, "Angle", {b}).asDouble());
  std::printf("  b.Yew = %.17g degrees\n", h.call(b, "Yew").asDouble());
  std::printf("  a compared with b: %ld\n", long(h.call(a, "Operator_Compare", {b}).asInteger()));
  h.call(a, "Normalize");
  std::printf("  a normalised = %s\n", show(h, a).c_str());
}

DemoSession session("VectorF_3D", &vectorSession);

} // namespace
