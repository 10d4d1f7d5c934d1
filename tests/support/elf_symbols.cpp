#include "elf_symbols.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace testing_support {
namespace {

// A sanitizer build compares the types of indirect calls through type information of function
// types ("_ZTIFvvE" and their names "_ZTSFvvE"), which the compiler emits with default visibility.
bool sanitizerTypeInfo(const char* name) {
#if defined(TESSALINE_SANITIZED)
  return std::strncmp(name, "_ZTIF", 5) == 0 || std::strncmp(name, "_ZTSF", 5) == 0;
#else
  (void)name;
  return false;
#endif
}

template <class Ehdr, class Shdr, class Sym, unsigned char (*Bind)(unsigned char)>
std::set<std::string> readDynsym(const std::vector<char>& file) {
  auto at = [&](size_t offset, size_t size) {
    if (offset > file.size() || size > file.size() - offset)
      throw std::runtime_error("truncated ELF file");
    return file.data() + offset;
  };
  Ehdr header;
  std::memcpy(&header, at(0, sizeof header), sizeof header);
  std::vector<Shdr> sections(header.e_shnum);
  for (size_t i = 0; i < sections.size(); ++i)
    std::memcpy(&sections[i], at(header.e_shoff + i * header.e_shentsize, sizeof(Shdr)),
                sizeof(Shdr));

  std::set<std::string> names;
  for (const Shdr& section : sections) {
    if (section.sh_type != SHT_DYNSYM) continue;
    const Shdr& strings = sections.at(section.sh_link);
    const char* table = at(strings.sh_offset, strings.sh_size);
    for (size_t offset = 0; offset + sizeof(Sym) <= section.sh_size; offset += sizeof(Sym)) {
      Sym symbol;
      std::memcpy(&symbol, at(section.sh_offset + offset, sizeof symbol), sizeof symbol);
      unsigned char binding = Bind(symbol.st_info);
      unsigned char visibility = symbol.st_other & 3;
      bool global = binding == STB_GLOBAL || binding == STB_WEAK;
      bool visible = visibility == STV_DEFAULT || visibility == STV_PROTECTED;
      if (symbol.st_shndx == SHN_UNDEF || !global || !visible || symbol.st_name == 0) continue;
      if (sanitizerTypeInfo(table + symbol.st_name)) continue;
      names.insert(table + symbol.st_name);
    }
  }
  return names;
}

unsigned char bind32(unsigned char info) {
  return ELF32_ST_BIND(info);
}
unsigned char bind64(unsigned char info) {
  return ELF64_ST_BIND(info);
}

} // namespace

std::set<std::string> exportedSymbols(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (file.size() < EI_NIDENT || std::memcmp(file.data(), ELFMAG, SELFMAG) != 0)
    throw std::runtime_error(path + " is not an ELF file");
  if (file[EI_CLASS] == ELFCLASS64)
    return readDynsym<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym, bind64>(file);
  return readDynsym<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym, bind32>(file);
}

} // namespace testing_support
