#include "macho_image.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace targets {
namespace {

// Load commands and record layouts, as the Mach-O format defines them.
constexpr uint32_t kMagic64 = 0xfeedfacf;
constexpr uint32_t kReqDyld = 0x80000000;
constexpr uint32_t kSymtab = 0x2;
constexpr uint32_t kLoadDylib = 0xc;
constexpr uint32_t kLoadWeakDylib = 0x18 | kReqDyld;
constexpr uint32_t kReexportDylib = 0x1f | kReqDyld;
constexpr uint32_t kLazyLoadDylib = 0x20;
constexpr uint32_t kLoadUpwardDylib = 0x23 | kReqDyld;
constexpr uint32_t kDyldInfo = 0x22;
constexpr uint32_t kDyldInfoOnly = 0x22 | kReqDyld;
constexpr uint32_t kDyldExportsTrie = 0x33 | kReqDyld;
constexpr uint32_t kBuildVersion = 0x32;
constexpr uint32_t kVersionMinMacOSX = 0x24;
constexpr uint32_t kVersionMinIPhoneOS = 0x25;
constexpr uint32_t kCodeSignature = 0x1d;

constexpr uint8_t kStab = 0xe0; // debugger entries
constexpr uint8_t kTypeMask = 0x0e;
constexpr uint8_t kUndefined = 0x0;
constexpr uint8_t kExternal = 0x01;

struct Header {
  uint32_t magic, cpuType, cpuSubtype, fileType, commandCount, commandBytes, flags, reserved;
};
struct Command {
  uint32_t cmd, size;
};
struct SymtabCommand {
  uint32_t cmd, size, symbolOffset, symbolCount, stringOffset, stringBytes;
};
struct DylibCommand {
  uint32_t cmd, size, nameOffset, timestamp, currentVersion, compatibilityVersion;
};
struct DyldInfoCommand {
  uint32_t cmd, size, rebaseOffset, rebaseBytes, bindOffset, bindBytes, weakBindOffset,
      weakBindBytes, lazyBindOffset, lazyBindBytes, exportOffset, exportBytes;
};
struct LinkeditDataCommand {
  uint32_t cmd, size, dataOffset, dataBytes;
};
struct BuildVersionCommand {
  uint32_t cmd, size, platform, minimumOs, sdk, toolCount;
};
struct VersionMinCommand {
  uint32_t cmd, size, version, sdk;
};
struct Symbol {
  uint32_t nameOffset;
  uint8_t type, section;
  uint16_t description;
  uint64_t value;
};
static_assert(sizeof(Header) == 32 && sizeof(Symbol) == 16);

// The file's bytes with bounds-checked reads.
class Bytes {
public:
  explicit Bytes(std::vector<char> data) : data_(std::move(data)) {}

  template <class T> T read(size_t offset) const {
    T value;
    std::memcpy(&value, at(offset, sizeof value), sizeof value);
    return value;
  }
  const uint8_t* at(size_t offset, size_t size) const {
    if (offset > data_.size() || size > data_.size() - offset)
      throw std::runtime_error("Mach-O file truncated or malformed");
    return reinterpret_cast<const uint8_t*>(data_.data()) + offset;
  }
  // A NUL-terminated string inside [offset, end).
  std::string string(size_t offset, size_t end) const {
    if (end > data_.size()) end = data_.size();
    if (offset > end) throw std::runtime_error("string outside its Mach-O table");
    const uint8_t* begin = at(offset, 0);
    const void* nul = std::memchr(begin, 0, end - offset);
    if (!nul) throw std::runtime_error("unterminated string in Mach-O file");
    return std::string(reinterpret_cast<const char*>(begin),
                       static_cast<const uint8_t*>(nul) - begin);
  }

private:
  std::vector<char> data_;
};

uint64_t readUleb(const uint8_t* trie, size_t size, size_t& offset) {
  uint64_t value = 0;
  for (unsigned shift = 0;; shift += 7) {
    if (offset >= size || shift > 63) throw std::runtime_error("bad number in export trie");
    uint8_t byte = trie[offset++];
    value |= uint64_t(byte & 0x7f) << shift;
    if (!(byte & 0x80)) return value;
  }
}

// Every name of the trie: a node is a terminal (its size, then the export's flags and address)
// followed by its edges (a label and the offset of the child node).
void walkTrie(const uint8_t* trie, size_t size, size_t node, const std::string& prefix,
              std::set<std::string>& names, unsigned depth) {
  if (depth > 512) throw std::runtime_error("export trie too deep");
  size_t offset = node;
  uint64_t terminalBytes = readUleb(trie, size, offset);
  if (terminalBytes) names.insert(prefix);
  if (terminalBytes > size - offset) throw std::runtime_error("bad export trie terminal");
  offset += terminalBytes;
  if (offset >= size) throw std::runtime_error("export trie truncated");
  unsigned children = trie[offset++];
  for (unsigned i = 0; i < children; ++i) {
    const void* nul = std::memchr(trie + offset, 0, size - offset);
    if (!nul) throw std::runtime_error("unterminated export trie edge");
    std::string label(reinterpret_cast<const char*>(trie + offset),
                      static_cast<const uint8_t*>(nul) - (trie + offset));
    offset += label.size() + 1;
    size_t child = readUleb(trie, size, offset);
    if (child >= size) throw std::runtime_error("export trie edge out of range");
    walkTrie(trie, size, child, prefix + label, names, depth + 1);
  }
}

std::string libraryOf(uint8_t ordinal, const std::vector<std::string>& libraries) {
  switch (ordinal) {
  case 0:
    return "self";
  case 0xfe:
    return "flat";
  case 0xff:
    return "main executable";
  default:
    return ordinal <= libraries.size() ? libraries[ordinal - 1] : "bad ordinal";
  }
}

} // namespace

MachOImage readMachO(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  Bytes file(std::vector<char>((std::istreambuf_iterator<char>(in)), {}));

  auto header = file.read<Header>(0);
  if (header.magic != kMagic64) throw std::runtime_error(path + " is not a 64-bit Mach-O file");
  MachOImage image;
  image.cpuType = header.cpuType;
  image.fileType = header.fileType;

  SymtabCommand symtab{};
  size_t trieOffset = 0, trieBytes = 0;
  size_t offset = sizeof(Header);
  for (uint32_t i = 0; i < header.commandCount; ++i) {
    auto command = file.read<Command>(offset);
    if (command.size < sizeof(Command)) throw std::runtime_error("bad load command size");
    switch (command.cmd) {
    case kSymtab:
      symtab = file.read<SymtabCommand>(offset);
      break;
    case kLoadDylib:
    case kLoadWeakDylib:
    case kReexportDylib:
    case kLazyLoadDylib:
    case kLoadUpwardDylib: {
      auto dylib = file.read<DylibCommand>(offset);
      image.loadedLibraries.push_back(
          file.string(offset + dylib.nameOffset, offset + command.size));
      break;
    }
    case kDyldInfo:
    case kDyldInfoOnly: {
      auto info = file.read<DyldInfoCommand>(offset);
      trieOffset = info.exportOffset;
      trieBytes = info.exportBytes;
      break;
    }
    case kDyldExportsTrie: {
      auto data = file.read<LinkeditDataCommand>(offset);
      trieOffset = data.dataOffset;
      trieBytes = data.dataBytes;
      break;
    }
    case kBuildVersion: {
      auto version = file.read<BuildVersionCommand>(offset);
      image.platform = version.platform;
      image.minimumOs = version.minimumOs;
      break;
    }
    case kCodeSignature:
      image.codeSignature = true;
      break;
    case kVersionMinMacOSX:
    case kVersionMinIPhoneOS:
      image.platform = command.cmd == kVersionMinMacOSX ? kPlatformMacOS : kPlatformIOS;
      image.minimumOs = file.read<VersionMinCommand>(offset).version;
      break;
    }
    offset += command.size;
  }

  if (trieBytes) walkTrie(file.at(trieOffset, trieBytes), trieBytes, 0, "", image.exports, 0);

  for (uint32_t i = 0; i < symtab.symbolCount; ++i) {
    auto symbol = file.read<Symbol>(symtab.symbolOffset + size_t{i} * sizeof(Symbol));
    if ((symbol.type & kStab) || (symbol.type & kTypeMask) != kUndefined ||
        !(symbol.type & kExternal))
      continue;
    size_t strings = symtab.stringOffset;
    std::string name = file.string(strings + symbol.nameOffset, strings + symtab.stringBytes);
    image.imports[name] = libraryOf(symbol.description >> 8, image.loadedLibraries);
  }
  return image;
}

std::string versionText(uint32_t version) {
  std::string text = std::to_string(version >> 16) + "." + std::to_string((version >> 8) & 0xff);
  if (version & 0xff) text += "." + std::to_string(version & 0xff);
  return text;
}

} // namespace targets
