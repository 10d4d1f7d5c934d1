// Which plug-in libraries a session loads into the stand-in host, and the listing of the classes
// they register.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "host/host.h"

namespace script {

// The VectorF_3D build loaded unless another is chosen. Every build registers the same class
// name, so one host holds only one of them.
inline constexpr const char* kDefaultVectorLibrary = "Tessaline3";

// Tessaline1 and Tessaline2, and `vectorLibrary` ("none": no vector build), each when it was
// built. Throws std::runtime_error for a vector library that is not a VectorF_3D build or was
// not built.
std::vector<std::string> librariesToLoad(const std::string& vectorLibrary);

// Every class the host has registered, with its properties and method declarations as the host
// sees them.
void listClasses(const host::Host& host, std::ostream& out);

} // namespace script
