// Loads the plug-ins into the stand-in host, one host per argument ("Tessaline1+Tessaline2"
// loads both into one host), prints the classes each registered with their properties and
// methods as the host sees them, and runs the demo session of every class it knows.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "session.h"

namespace {

void listClasses(host::Host& h) {
  for (const host::ClassInfo* c : h.registrationOrder()) {
    std::printf("  class %s, from %s (%ld bytes of data)\n", c->name.c_str(), c->library.c_str(),
                long(c->dataSize));
    for (const host::PropertyInfo& p : c->properties)
      std::printf("    property %s as %s%s\n", p.name.c_str(), p.type.c_str(),
                  p.readOnly() ? " (read-only)" : "");
    for (const host::MethodInfo& m : c->methods)
      std::printf("    method   %s%s\n", m.declaration.text.c_str(),
                  m.setter ? " (assignable)" : "");
  }
}

void runGroup(const std::string& group) {
  host::Host h;
  std::istringstream names(group);
  for (std::string library; std::getline(names, library, '+');) {
    h.load(library);
    std::printf("%s loaded from %s\n", library.c_str(), host::Host::pluginPath(library).c_str());
  }
  listClasses(h);
  for (const DemoSession* session : DemoSession::all()) {
    if (!h.findClass(session->className)) continue;
    std::printf("  -- %s at work\n", session->className);
    session->run(h);
  }
  std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tessaline_demo LIBRARY[+LIBRARY...]...\n");
    return 2;
  }
  try {
    for (int i = 1; i < argc; ++i) runGroup(argv[i]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessaline_demo: %s\n", e.what());
    return 1;
  }
  return 0;
}
