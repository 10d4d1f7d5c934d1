#include "plugins.h"

#include <filesystem>
#include <stdexcept>

namespace script {

namespace {

constexpr const char* kClassLibraries[] = {"Tessaline1", "Tessaline2"};
constexpr const char* kVectorLibraries[] = {"Tessaline3", "Tessaline3Mac", "Tessaline3Linux"};

bool built(const std::string& library) {
  return std::filesystem::exists(host::Host::pluginPath(library));
}

} // namespace

std::vector<std::string> librariesToLoad(const std::string& vectorLibrary) {
  std::vector<std::string> libraries;
  for (const char* l : kClassLibraries)
    if (built(l)) libraries.push_back(l);
  if (vectorLibrary == "none") return libraries;
  bool known = false;
  for (const char* l : kVectorLibraries) known = known || vectorLibrary == l;
  if (!known)
    throw std::runtime_error(vectorLibrary + " is not a build of VectorF_3D (Tessaline3, "
                                             "Tessaline3Mac or Tessaline3Linux)");
  if (built(vectorLibrary))
    libraries.push_back(vectorLibrary);
  else if (vectorLibrary != kDefaultVectorLibrary)
    throw std::runtime_error(vectorLibrary + " was not built: no " +
                             host::Host::pluginPath(vectorLibrary));
  return libraries;
}

void listClasses(const host::Host& host, std::ostream& out) {
  const std::vector<const host::ClassInfo*> classes = host.registrationOrder();
  for (const host::ClassInfo* c : classes) {
    if (c != classes.front()) out << "\n";
    out << c->name << " (from " << c->library << ", " << c->dataSize << " bytes of data)\n";
    for (const host::PropertyInfo& p : c->properties)
      out << "  property " << p.name << " As " << p.type << (p.readOnly() ? ", read-only" : "")
          << "\n";
    for (const host::MethodInfo& m : c->methods)
      out << "  method   " << m.declaration.text << (m.setter ? ", assignable" : "") << "\n";
  }
}

} // namespace script
