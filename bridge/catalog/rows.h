// Turns the rows of the wrapper tables (the .def files beside this header) into exported
// wrappers. The includer defines TL_BODY(...): as its arguments to generate the wrappers, or as
// `;` to declare them.
//
// A row names the wrapper, the builds that export it, the host entry it binds, the result and
// the argument types, and its variant is the row's macro:
//
//   TL_PLAIN(wrapper, builds, "entry", result, (arguments))
//       bind the entry, pass the arguments on unchanged, return the host's result; 0 or null
//       when the entry is missing.
//   TL_DEFAULT(wrapper, builds, "entry", result, (arguments), missing)
//       as plain, but `missing` when the entry is missing.
//   TL_BOOL(wrapper, builds, "entry", (arguments))
//       the host answers a 32-bit truth value: exactly 0 or 1 in the Apple flavour, passed on
//       unchanged in the Linux flavour; false when missing.
//   TL_BOOL_WORD(wrapper, builds, "entry", (arguments))
//       the host answers a pointer-size truth value, tested whole in the Apple flavour and
//       reduced to its low byte, signed, in the Linux flavour.
//   TL_ELEMENT_SET(wrapper, builds, "entry", value type, Linux fallback entry or nullptr)
//       two-stage element setter (array, index, value); the element setter gets
//       (array, value, index).
//   TL_OVERLOAD(wrapper, builds, result, (arguments), mirrored wrapper)
//       a C++ overload that is the named wrapper it mirrors, sharing its cache.
//   TL_SPECIAL(wrapper, builds)
//       written by hand in the bridge (a variant with one member); listed so that the tables
//       name every export.
//
// builds: ALL (macOS, iOS, Linux), APPLE (macOS, iOS), MACOS, LINUX, MACOS_LINUX.
#pragma once

#include "../binding.h"

#define TL_CAT(a, b) TL_CAT_I(a, b)
#define TL_CAT_I(a, b) a##b

#define TL_NARGS(...) TL_NARGS_I(__VA_OPT__(__VA_ARGS__, ) 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define TL_NARGS_I(_1, _2, _3, _4, _5, _6, _7, _8, N, ...) N

// (A, B) -> A a1, B a2
#define TL_DECLARE(...) TL_CAT(TL_DECLARE_, TL_NARGS(__VA_ARGS__))(__VA_ARGS__)
#define TL_DECLARE_0()
#define TL_DECLARE_1(A) A a1
#define TL_DECLARE_2(A, B) TL_DECLARE_1(A), B a2
#define TL_DECLARE_3(A, B, C) TL_DECLARE_2(A, B), C a3
#define TL_DECLARE_4(A, B, C, D) TL_DECLARE_3(A, B, C), D a4
#define TL_DECLARE_5(A, B, C, D, E) TL_DECLARE_4(A, B, C, D), E a5
#define TL_DECLARE_6(A, B, C, D, E, F) TL_DECLARE_5(A, B, C, D, E), F a6
#define TL_DECLARE_7(A, B, C, D, E, F, G) TL_DECLARE_6(A, B, C, D, E, F), G a7
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
#define TL_TYPES(...) __VA_ARGS__

// Builds: which rows this profile exports.
#if defined(TESSALINE_PROFILE_IOS)
#define TL_IN_ALL(...) __VA_ARGS__
#define TL_IN_APPLE(...) __VA_ARGS__
#define TL_IN_MACOS(...)
#define TL_IN_LINUX(...)
#define TL_IN_MACOS_LINUX(...)
#elif defined(TESSALINE_PROFILE_MACOS)
#define TL_IN_ALL(...) __VA_ARGS__
#define TL_IN_APPLE(...) __VA_ARGS__
#define TL_IN_MACOS(...) __VA_ARGS__
#define TL_IN_LINUX(...)
#define TL_IN_MACOS_LINUX(...) __VA_ARGS__
#elif defined(TESSALINE_PROFILE_LINUX)
#define TL_IN_ALL(...) __VA_ARGS__
#define TL_IN_APPLE(...)
#define TL_IN_MACOS(...)
#define TL_IN_LINUX(...) __VA_ARGS__
#define TL_IN_MACOS_LINUX(...) __VA_ARGS__
#else
#error "no build profile"
#endif

// Per-flavour Boolean results and fallbacks.
#if TESSALINE_APPLE_FLAVOUR
#define TL_BOOL_RESULT bool
#define TL_BOOL_WORD_RESULT bool
#define TL_BOOL_RETURN(value) tl::normalised(value)
#define TL_BOOL_WORD_RETURN(value) tl::normalised(value)
#define TL_LINUX_FALLBACK(name) nullptr
#else
#define TL_BOOL_RESULT int32_t
#define TL_BOOL_WORD_RESULT signed char
#define TL_BOOL_RETURN(value) (value)
#define TL_BOOL_WORD_RETURN(value) static_cast<signed char>(value)
#define TL_LINUX_FALLBACK(name) name
#endif

#define TL_PLAIN(wrapper, builds, entry, result, params)                                           \
  TL_IN_##builds(extern "C" TL_EXPORT result wrapper(TL_DECLARE params) TL_BODY({                  \
    static tl::EntryCache cache;                                                                   \
    return tl::Call<result(TL_TYPES params)>::plain(cache, entry TL_COMMA_FORWARD params);        \
  }))

#define TL_DEFAULT(wrapper, builds, entry, result, params, missing)                                \
  TL_IN_##builds(extern "C" TL_EXPORT result wrapper(TL_DECLARE params) TL_BODY({                  \
    static tl::EntryCache cache;                                                                   \
    return tl::Call<result(TL_TYPES params)>::withDefault(cache, entry,                            \
                                                          missing TL_COMMA_FORWARD params);        \
  }))

#define TL_BOOL(wrapper, builds, entry, params)                                                    \
  TL_IN_##builds(extern "C" TL_EXPORT TL_BOOL_RESULT wrapper(TL_DECLARE params) TL_BODY({          \
    static tl::EntryCache cache;                                                                   \
    return TL_BOOL_RETURN(                                                                         \
        tl::Call<int32_t(TL_TYPES params)>::plain(cache, entry TL_COMMA_FORWARD params));         \
  }))

#define TL_BOOL_WORD(wrapper, builds, entry, params)                                               \
  TL_IN_##builds(extern "C" TL_EXPORT TL_BOOL_WORD_RESULT wrapper(TL_DECLARE params) TL_BODY({     \
    static tl::EntryCache cache;                                                                   \
    return TL_BOOL_WORD_RETURN(                                                                    \
        tl::Call<XojoInteger(TL_TYPES params)>::plain(cache, entry TL_COMMA_FORWARD params));     \
  }))

#define TL_ELEMENT_SET(wrapper, builds, entry, type, fallback)                                     \
  TL_IN_##builds(extern "C" TL_EXPORT void wrapper(REALarrayStruct* array, XojoInteger index,      \
                                                   type value) TL_BODY({                           \
    static tl::EntryCache cache;                                                                   \
    tl::Element<type>::set(cache, entry, TL_LINUX_FALLBACK(fallback), array, index, value);        \
  }))

#define TL_OVERLOAD(wrapper, builds, result, params, mirrors)                                      \
  TL_IN_##builds(TL_EXPORT result wrapper(TL_DECLARE params)                                       \
                     TL_BODY({ return mirrors(TL_FORWARD params); }))

#define TL_SPECIAL(wrapper, builds)
