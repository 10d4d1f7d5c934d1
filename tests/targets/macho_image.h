// What the checks of the Apple deliverables read from a Mach-O file: its header, its platform,
// the libraries it loads, the names in its export trie and the symbols it imports.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace targets {

constexpr uint32_t kCpuTypeArm64 = 0x0100000c;
constexpr uint32_t kFileTypeDylib = 6;
constexpr uint32_t kFileTypeBundle = 8;
constexpr uint32_t kPlatformMacOS = 1;
constexpr uint32_t kPlatformIOS = 2;

struct MachOImage {
  uint32_t cpuType = 0;
  uint32_t fileType = 0;
  uint32_t platform = 0;      // from LC_BUILD_VERSION (or an older version-minimum command)
  uint32_t minimumOs = 0;     // xxxx.yy.zz in nibbles: 14.0 is 0x000e0000
  bool codeSignature = false; // carries LC_CODE_SIGNATURE
  std::vector<std::string> loadedLibraries; // install names, in load order
  std::set<std::string> exports;            // names in the export trie, leading underscore kept
  // Undefined external symbols, each with the install name of the library it is bound to (or
  // "flat", "self", "main executable" for the special ordinals).
  std::map<std::string, std::string> imports;
};

// Reads a thin little-endian 64-bit Mach-O file. Throws std::runtime_error for any other file or
// a malformed one.
MachOImage readMachO(const std::string& path);

// "14.0" for 0x000e0000.
std::string versionText(uint32_t version);

} // namespace targets
