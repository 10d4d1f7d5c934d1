// Loads each plug-in named on the command line into the stand-in host, prints the classes it
// registered with their properties and methods as the host sees them, and runs a short session
// with the classes it knows.
#include <cstdio>
#include <string>
#include <vector>

#include "host/host.h"

namespace {

using host::Value;

void listClasses(host::Host& h, const std::string& library) {
  for (const host::ClassInfo* c : h.registrationOrder()) {
    if (c->library != library) continue;
    std::printf("  class %s (%ld bytes of data)\n", c->name.c_str(), long(c->dataSize));
    for (const host::PropertyInfo& p : c->properties)
      std::printf("    property %s as %s%s\n", p.name.c_str(), p.type.c_str(),
                  p.readOnly() ? " (read-only)" : "");
    for (const host::MethodInfo& m : c->methods)
      std::printf("    method   %s%s\n", m.declaration.text.c_str(),
                  m.setter ? " (assignable)" : "");
  }
}

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

} // namespace

int main(int argc, char** argv) {
  std::vector<std::string> libraries(argv + 1, argv + argc);
  if (libraries.empty()) {
    std::fprintf(stderr, "usage: tessaline_demo LIBRARY...\n");
    return 2;
  }
  try {
    for (const std::string& library : libraries) {
      host::Host h;
      h.load(library);
      std::printf("%s (%s)\n", library.c_str(), host::Host::pluginPath(library).c_str());
      listClasses(h, library);
      if (h.findClass("VectorF_3D")) vectorSession(h);
      std::printf("\n");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessaline_demo: %s\n", e.what());
    return 1;
  }
  return 0;
}
