// Strings, texts and encodings.
#include "generate.h"

#include "../catalog/strings.def"

namespace {

// The host measures a string's bytes with its global method LenB, looked up by declaration
// through the loader binding that REALLoadFrameworkMethod keeps. A found method is kept; while
// the host cannot give one it is asked for again.
constexpr const char* kLenBDeclaration = "LenB( s as string ) as integer";
using LenB = XojoInteger (*)(REALstringStruct*);

REALproc bindLenB(plat::Relaxed<REALproc>& cache) {
  REALproc lenB = cache.load();
  if (!lenB) {
    lenB = REALLoadFrameworkMethod(kLenBDeclaration);
    cache.store(lenB);
  }
  return lenB;
}

} // namespace

extern "C" {

// The bytes of `string` and, when asked for and the host can measure it, its length. A null
// string gives null without any host call.
TL_EXPORT const char* REALGetStringContents(REALstringStruct* string, XojoInteger* length) {
  static tl::EntryCache cString;
  static plat::Relaxed<REALproc> lenB;
  if (!string) return nullptr;
  REALproc bytes = cString.bind("StringGetCString");
  REALproc measure = bindLenB(lenB);
  if (length && measure) *length = tl::as<LenB>(measure)(string);
  return bytes ? tl::as<const char* (*)(REALstringStruct*)>(bytes)(string) : nullptr;
}

// Keeps a LenB of its own, apart from REALGetStringContents'.
TL_EXPORT XojoInteger REALStringLength(REALstringStruct* string) {
  static plat::Relaxed<REALproc> lenB;
  REALproc measure = bindLenB(lenB);
  return measure ? tl::as<LenB>(measure)(string) : 0;
}

#if defined(TESSALINE_PROFILE_MACOS)
// REALGetStringCFString with a false flag, bound into a cache of its own.
TL_EXPORT CFStringRef REALCopyStringCFString(REALstringStruct* string) {
  static tl::EntryCache cache;
  return tl::Entry<CFStringRef(REALstringStruct*, signed char)>::call<CFStringRef>(
      cache.bind("REALGetStringCFString"), tl::Zero{}, string, 0);
}
#endif

} // extern "C"
