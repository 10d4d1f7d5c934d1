// Lazy binding of host entries by name, and the calling variants that the wrapper tables use.
//
// Every wrapper owns one EntryCache. The first call asks the resolver for the entry and keeps the
// answer, a miss included; a cache that is still empty asks again on the next call, so no failure
// is remembered and an entry the host offers later is picked up. A found entry is never asked for
// again.
#pragma once

#include "convert.h"
#include "plugin_types.h"

extern "C" TL_EXPORT REALresolver gResolver;

namespace tl {

// The name an entry is bound by and, in the Linux flavour only, a second name asked for when the
// host has no entry of the first.
struct EntryNames {
  const char* name;
  const char* fallback = nullptr;

  constexpr EntryNames(const char* entry) : name(entry) {}
  constexpr EntryNames(const char* entry, const char* linuxFallback)
      : name(entry), fallback(TESSALINE_APPLE_FLAVOUR ? nullptr : linuxFallback) {}
};

class EntryCache {
public:
  constexpr EntryCache() = default;

  // Whichever of the two names is found is kept; while both are missing, both are asked again
  // on every call.
  REALproc bind(EntryNames names) noexcept {
    REALproc fn = fn_.load();
    if (!fn) {
      fn = ask(names.name);
      if (!fn && names.fallback) fn = ask(names.fallback);
      fn_.store(fn);
    }
    return fn;
  }

private:
  // Before the host has handed over its resolver nothing can be bound.
  static REALproc ask(const char* entry) noexcept { return gResolver ? gResolver(entry) : nullptr; }

  plat::Relaxed<REALproc> fn_;
};

template <class T> struct IsVoid { static constexpr bool value = false; };
template <> struct IsVoid<void> { static constexpr bool value = true; };

template <class T> struct IsFloating { static constexpr bool value = false; };
template <> struct IsFloating<float> { static constexpr bool value = true; };
template <> struct IsFloating<double> { static constexpr bool value = true; };

template <class Fn> inline Fn as(REALproc fn) {
  return reinterpret_cast<Fn>(fn);
}

// The result of a wrapper whose entry is missing, unless its table row names another: 0, 0.0,
// false or null of the result type.
struct Zero {
  template <class T> constexpr operator T() const { return T{}; }
};

// How a value crosses between a wrapper and its host entry when their types differ: a truth
// value of any width becomes exactly 0 or 1 as bool, an integer keeps the low bytes that fit (a
// signed byte, a low byte), a double becomes an integer by truncation toward zero (saturating,
// NaN gives 0), an integer becomes a double, and a pointer to const loses its const for a host
// that takes it without.
template <class To, class From> struct Convert {
  static constexpr To from(From value) { return static_cast<To>(value); }
};
template <class To> struct Convert<To, double> {
  static constexpr To from(double value) {
    if constexpr (IsFloating<To>::value)
      return static_cast<To>(value);
    else
      return saturatingTrunc<To>(value);
  }
};
template <class T> struct Convert<T*, const T*> {
  static constexpr T* from(const T* value) { return const_cast<T*>(value); }
};
template <class To, class From> constexpr To to(From value) {
  return Convert<To, From>::from(value);
}

// A call of a bound host entry of the given signature with a wrapper's arguments, each converted
// to the entry's parameter type, and the entry's answer converted to the wrapper's result.
// `missing` is returned, and nothing called, when `fn` is null.
template <class HostSignature> struct Entry;
template <class HostResult, class... HostArgs> struct Entry<HostResult(HostArgs...)> {
  using Fn = HostResult (*)(HostArgs...);

  template <class R, class Missing, class... Args>
  static R call(REALproc fn, Missing missing, Args... args) {
    if constexpr (IsVoid<R>::value) {
      (void)missing;
      if (fn) as<Fn>(fn)(to<HostArgs>(args)...);
    } else {
      if (!fn) return static_cast<R>(missing);
      return to<R>(as<Fn>(fn)(to<HostArgs>(args)...));
    }
  }
};

// Two-stage element access to the arrays of one element type. Each of the three kinds binds an
// entry that maps an array to the element function for that array; the element function is
// fetched on every call and never kept. In the Linux flavour a kind whose own entry is missing
// may bind the host's generic entry of that kind instead.
template <class Value> class ElementAccess {
public:
  constexpr ElementAccess(const char* insertEntry, const char* getEntry, const char* setEntry,
                          bool generic)
      : insertNames_(insertEntry, generic ? "RuntimeArrayDirectGetInsertProc" : nullptr),
        getNames_(getEntry, generic ? "RuntimeArrayDirectGetGetProc" : nullptr),
        setNames_(setEntry, generic ? "RuntimeArrayDirectGetSetProc" : nullptr) {}

  template <class T> void insert(REALarrayStruct* array, XojoInteger index, T value) {
    using Inserter = void (*)(REALarrayStruct*, XojoInteger, Value);
    if (REALproc fn = element(insert_, insertNames_, array))
      as<Inserter>(fn)(array, index, to<Value>(value));
  }

  // The element setter takes the value before the index.
  template <class T> void set(REALarrayStruct* array, XojoInteger index, T value) {
    using Setter = void (*)(REALarrayStruct*, Value, XojoInteger);
    if (REALproc fn = element(set_, setNames_, array))
      as<Setter>(fn)(array, to<Value>(value), index);
  }

  // The element function is fetched even for a null out pointer; the element is read only for a
  // caller that can take it, and stored in the caller's type.
  template <class T> void get(REALarrayStruct* array, XojoInteger index, T* out) {
    using Getter = Value (*)(REALarrayStruct*, XojoInteger);
    REALproc fn = element(get_, getNames_, array);
    if (fn && out) *out = to<T>(as<Getter>(fn)(array, index));
  }

private:
  static REALproc element(EntryCache& cache, EntryNames names, REALarrayStruct* array) {
    using Lookup = REALproc (*)(REALarrayStruct*);
    REALproc lookup = cache.bind(names);
    return lookup ? as<Lookup>(lookup)(array) : nullptr;
  }

  EntryNames insertNames_, getNames_, setNames_;
  EntryCache insert_, get_, set_;
};

} // namespace tl
