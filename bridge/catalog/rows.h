// Turns the rows of the wrapper tables (the .def files beside this header) into exported
// wrappers. The includer defines TL_BODY(...) and TL_DEFINE(...): both as their arguments to
// generate the wrappers, or TL_BODY as `;` and TL_DEFINE as nothing to declare them.
//
// A row names the wrapper, the builds that export it, the host entry it binds, its result and
// argument types; its kind is the row's macro. The general row
//
//   TL_WRAP(wrapper, builds, entry, result, (arguments), host result, (host arguments), missing)
//       binds the entry on first use, calls it with the arguments converted to the host's types
//       and returns its answer converted to the wrapper's result (tl::Convert); `missing` when the
//       entry is missing. TL_WRAP_CXX is the same with C++ linkage (an overload of that name).
//
// has the shorthands of kinds.h: TL_PLAIN, TL_PLAIN_CXX, TL_DEFAULT, TL_CONVERT, TL_BOOL,
// TL_BOOL_WORD and TL_LOW_BYTE. The other kinds:
//
//   TL_VERSIONED(wrapper, builds, entry, since, result, (arguments),
//                current result, (current arguments), legacy result, (legacy arguments))
//       Apple flavour: hosts of version `since` or later (read through REALGetRBVersion) get the
//       current calling convention, older hosts and hosts without a version the legacy one; one
//       entry cache per convention. Linux flavour: a plain wrapper of the legacy signature.
//   TL_ELEMENTS(suffix, builds, element type, Linux generic fallback YES/NO)
//       REALInsertArrayValue<suffix>, REALGetArrayValue<suffix> and REALSetArrayValue<suffix>,
//       two-stage access through "Plugin<suffix>ArrayInsertProc", "...GetProc", "...SetProc".
//   TL_ARRAY_OVERLOADS(T, suffix, insert YES/NO, get YES/NO, set YES/NO, builds)
//       REALInsertArrayValue, REALGetArrayValue and REALSetArrayValue overloaded for T, sharing
//       the suffix's element access.
//   TL_OVERLOAD(wrapper, builds, result, (arguments), mirrored wrapper)
//       a C++ overload that calls the named wrapper it mirrors, sharing its cache.
//   TL_GET_THROUGH(wrapper, builds, T, temporary type, mirrored getter)
//       a property getter overload for T that reads through a temporary of the mirrored
//       getter's type and copies it out only when the low byte of the answer is non-zero.
//   TL_SPECIAL(wrapper, builds, result, (arguments))
//       written by hand in the bridge (a variant with one member); declared from the row.
//
// builds: ALL (macOS, iOS, Linux), APPLE (macOS, iOS), MACOS, LINUX, MACOS_LINUX.
// Entries: "name"; TL_BY_FLAVOUR("Apple name", "Linux name"); TL_THEN("name", "Linux fallback").
// Types that differ by flavour: TL_FLAVOURED(Apple type, Linux type).
#pragma once

#include "../binding.h"
#include "kinds.h"

#define TL_CAT(a, b)   TL_CAT_I(a, b)
#define TL_CAT_I(a, b) a##b

#define TL_NARGS(...)                                      TL_NARGS_I(__VA_OPT__(__VA_ARGS__, ) 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define TL_NARGS_I(_1, _2, _3, _4, _5, _6, _7, _8, N, ...) N

// (A, B) -> A a1, B a2
#define TL_DECLARE(...) TL_CAT(TL_DECLARE_, TL_NARGS(__VA_ARGS__))(__VA_ARGS__)
#define TL_DECLARE_0()
#define TL_DECLARE_1(A)                      A a1
#define TL_DECLARE_2(A, B)                   TL_DECLARE_1(A), B a2
#define TL_DECLARE_3(A, B, C)                TL_DECLARE_2(A, B), C a3
#define TL_DECLARE_4(A, B, C, D)             TL_DECLARE_3(A, B, C), D a4
#define TL_DECLARE_5(A, B, C, D, E)          TL_DECLARE_4(A, B, C, D), E a5
#define TL_DECLARE_6(A, B, C, D, E, F)       TL_DECLARE_5(A, B, C, D, E), F a6
#define TL_DECLARE_7(A, B, C, D, E, F, G)    TL_DECLARE_6(A, B, C, D, E, F), G a7
#define TL_DECLARE_8(A, B, C, D, E, F, G, H) TL_DECLARE_7(A, B, C, D, E, F, G), H a8

// (A, B) -> a1, a2
#define TL_FORWARD(...) TL_CAT(TL_FORWARD_, TL_NARGS(__VA_ARGS__))
#define TL_FORWARD_0
#define TL_FORWARD_1 a1
#define TL_FORWARD_2 TL_FORWARD_1, a2
#define TL_FORWARD_3 TL_FORWARD_2, a3
#define TL_FORWARD_4 TL_FORWARD_3, a4
#define TL_FORWARD_5 TL_FORWARD_4, a5
#define TL_FORWARD_6 TL_FORWARD_5, a6
#define TL_FORWARD_7 TL_FORWARD_6, a7
#define TL_FORWARD_8 TL_FORWARD_7, a8

// (A, B) -> , a1, a2      () -> nothing
#define TL_COMMA_FORWARD(...) __VA_OPT__(, TL_FORWARD(__VA_ARGS__))
// (A, B) -> A, B
#define TL_TYPES(...)         __VA_ARGS__

#define TL_IF_YES(...) __VA_ARGS__
#define TL_IF_NO(...)
#define TL_FLAG_YES true
#define TL_FLAG_NO  false

// Builds: which rows this profile exports.
#if defined(TESSALINE_PROFILE_IOS)
#define TL_IN_ALL(...)   __VA_ARGS__
#define TL_IN_APPLE(...) __VA_ARGS__
#define TL_IN_MACOS(...)
#define TL_IN_LINUX(...)
#define TL_IN_MACOS_LINUX(...)
#elif defined(TESSALINE_PROFILE_MACOS)
#define TL_IN_ALL(...)   __VA_ARGS__
#define TL_IN_APPLE(...) __VA_ARGS__
#define TL_IN_MACOS(...) __VA_ARGS__
#define TL_IN_LINUX(...)
#define TL_IN_MACOS_LINUX(...) __VA_ARGS__
#elif defined(TESSALINE_PROFILE_LINUX)
#define TL_IN_ALL(...) __VA_ARGS__
#define TL_IN_APPLE(...)
#define TL_IN_MACOS(...)
#define TL_IN_LINUX(...)       __VA_ARGS__
#define TL_IN_MACOS_LINUX(...) __VA_ARGS__
#else
#error "no build profile"
#endif

// What differs by flavour.
#if TESSALINE_APPLE_FLAVOUR
#define TL_FLAVOURED(appleType, linuxType)    appleType
#define TL_BY_FLAVOUR(appleEntry, linuxEntry) appleEntry
#else
#define TL_FLAVOURED(appleType, linuxType)    linuxType
#define TL_BY_FLAVOUR(appleEntry, linuxEntry) linuxEntry
#endif
#define TL_THEN(entry, linuxFallback) tl::EntryNames(entry, linuxFallback)
#define TL_ZERO                       tl::Zero()

#define TL_WRAP_LINKED(linkage, wrapper, builds, entry, result, params, hostResult, hostParams,    \
                       missing)                                                                    \
  TL_IN_##builds(linkage TL_EXPORT result wrapper(TL_DECLARE params) TL_BODY({                     \
    static tl::EntryCache cache;                                                                   \
    return tl::Entry<hostResult(TL_TYPES hostParams)>::call<result>(                               \
        cache.bind(entry), missing TL_COMMA_FORWARD params);                                       \
  }))

#define TL_WRAP(...)     TL_WRAP_LINKED(extern "C", __VA_ARGS__)
#define TL_WRAP_CXX(...) TL_WRAP_LINKED(, __VA_ARGS__)

#if TESSALINE_APPLE_FLAVOUR
#define TL_VERSIONED(wrapper, builds, entry, since, result, params, currentResult, currentParams,  \
                     legacyResult, legacyParams)                                                   \
  TL_IN_##builds(extern "C" TL_EXPORT result wrapper(TL_DECLARE params) TL_BODY({                  \
    static tl::EntryCache current;                                                                 \
    static tl::EntryCache legacy;                                                                  \
    if (REALGetRBVersion() >= since)                                                               \
      return tl::Entry<currentResult(TL_TYPES currentParams)>::call<result>(                       \
          current.bind(entry), TL_ZERO TL_COMMA_FORWARD params);                                   \
    return tl::Entry<legacyResult(TL_TYPES legacyParams)>::call<result>(                           \
        legacy.bind(entry), TL_ZERO TL_COMMA_FORWARD params);                                      \
  }))
#else
#define TL_VERSIONED(wrapper, builds, entry, since, result, params, currentResult, currentParams,  \
                     legacyResult, legacyParams)                                                   \
  TL_PLAIN(wrapper, builds, entry, legacyResult, legacyParams)
#endif

// clang-format off
#define TL_ELEMENTS(suffix, builds, type, generic)                                                 \
  TL_IN_##builds(                                                                                  \
    TL_DEFINE(namespace {                                                                          \
      constinit tl::ElementAccess<type> elements##suffix(                                          \
          "Plugin" #suffix "ArrayInsertProc", "Plugin" #suffix "ArrayGetProc",                     \
          "Plugin" #suffix "ArraySetProc", TL_FLAG_##generic);                                     \
    })                                                                                             \
    extern "C" TL_EXPORT void REALInsertArrayValue##suffix(                                        \
        REALarrayStruct* array, XojoInteger index, type value)                                     \
        TL_BODY({ elements##suffix.insert(array, index, value); })                                 \
    extern "C" TL_EXPORT void REALGetArrayValue##suffix(                                           \
        REALarrayStruct* array, XojoInteger index, type* out)                                      \
        TL_BODY({ elements##suffix.get(array, index, out); })                                      \
    extern "C" TL_EXPORT void REALSetArrayValue##suffix(                                           \
        REALarrayStruct* array, XojoInteger index, type value)                                     \
        TL_BODY({ elements##suffix.set(array, index, value); }))

#define TL_ARRAY_OVERLOADS(T, suffix, inserts, gets, sets, builds)                                 \
  TL_IN_##builds(                                                                                  \
    TL_IF_##inserts(TL_EXPORT void REALInsertArrayValue(                                           \
        REALarrayStruct* array, XojoInteger index, T value)                                        \
        TL_BODY({ elements##suffix.insert(array, index, value); }))                                \
    TL_IF_##gets(TL_EXPORT void REALGetArrayValue(                                                 \
        REALarrayStruct* array, XojoInteger index, T* out)                                         \
        TL_BODY({ elements##suffix.get(array, index, out); }))                                     \
    TL_IF_##sets(TL_EXPORT void REALSetArrayValue(                                                 \
        REALarrayStruct* array, XojoInteger index, T value)                                        \
        TL_BODY({ elements##suffix.set(array, index, value); })))
// clang-format on

#define TL_OVERLOAD(wrapper, builds, result, params, mirrors)                                      \
  TL_IN_##builds(TL_EXPORT result wrapper(TL_DECLARE params)                                       \
                     TL_BODY({ return mirrors(TL_FORWARD params); }))

#define TL_GET_THROUGH(wrapper, builds, T, temporary, mirrors)                                     \
  TL_IN_##builds(TL_EXPORT unsigned char wrapper(REALobjectStruct* object, const char* name,       \
                                                 T* out) TL_BODY({                                 \
    temporary value = 0;                                                                           \
    unsigned char found = static_cast<unsigned char>(mirrors(object, name, &value));               \
    if (found && out) *out = value;                                                                \
    return found;                                                                                  \
  }))

#define TL_SPECIAL(wrapper, builds, result, params)                                                \
  TL_IN_##builds(extern "C" TL_EXPORT result wrapper(TL_DECLARE params);)
