// The global methods the host hands out by declaration, and the legacy "StringStr".
#include <cstdio>

#include "state.h"

namespace host {

namespace {

// Str formats a Double as printf's "%.7g" does: 1.5, -2, 1e+07.
REALstringStruct* str(double number) {
  char text[32];
  int length = std::snprintf(text, sizeof text, "%.7g", number);
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  return s.newString(std::string(text, static_cast<size_t>(length)));
}

// A null string is the empty string.
XojoInteger lenB(REALstringStruct* string) {
  if (!string) return 0;
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  StringRecord* r = s.liveString(string, "LenB");
  return r ? static_cast<XojoInteger>(r->bytes.size()) : 0;
}

const Entry kGlobalMethods[] = {
    {"Str(number as Double) as String", TL_PROC(str)},
    {"LenB( s as string ) as integer", TL_PROC(lenB)},
};

REALproc globalMethod(const Declaration& wanted) {
  for (const Entry& m : kGlobalMethods)
    if (sameMethod(*parseDeclaration(m.name), wanted)) return m.function;
  return nullptr;
}

REALproc loadGlobalMethod(void*, const char* declaration) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  std::string error;
  std::optional<Declaration> wanted =
      declaration ? parseDeclaration(declaration, &error) : std::nullopt;
  if (!wanted) {
    s.violation(std::string("REALLoadGlobalMethod: \"") + (declaration ? declaration : "") +
                "\" does not parse: " + error);
    return nullptr;
  }
  for (const Declaration& removed : s.removedGlobalMethods)
    if (sameMethod(removed, *wanted)) return nullptr;
  return globalMethod(*wanted);
}

} // namespace

std::vector<Entry> globalMethodEntries() {
  return {
      {"REALLoadGlobalMethod", TL_PROC(loadGlobalMethod)},
      {"StringStr", TL_PROC(str)},
  };
}

} // namespace host
