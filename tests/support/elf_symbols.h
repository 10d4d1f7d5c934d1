// The symbols a shared library exports, read from its dynamic symbol table (ELF32 or ELF64).
#pragma once

#include <set>
#include <string>

namespace testing_support {

// Defined global or weak symbols of default or protected visibility in .dynsym.
std::set<std::string> exportedSymbols(const std::string& path);

} // namespace testing_support
