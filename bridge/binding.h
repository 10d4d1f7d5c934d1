// Lazy binding of host entries by name, and the calling variants that the wrapper tables use.
//
// Every wrapper owns one EntryCache. The first call asks the resolver for the entry and keeps the
// answer, a miss included; a cache that is still empty asks again on the next call, so no failure
// is remembered and an entry the host offers later is picked up. A found entry is never asked for
// again.
#pragma once

#include "plugin_types.h"

extern "C" TL_EXPORT REALresolver gResolver;

namespace tl {

class EntryCache {
public:
  constexpr EntryCache() = default;

  REALproc bind(const char* entry) noexcept {
    REALproc fn = fn_.load();
    if (!fn) {
      fn = ask(entry);
      fn_.store(fn);
    }
    return fn;
  }

  // The Linux flavour's fallback: when the first name is missing the second is asked, and
  // whichever is found is kept. Both are asked again on every call while both are missing.
  REALproc bind(const char* entry, const char* fallback) noexcept {
    REALproc fn = bind(entry);
    if (!fn && fallback) {
      fn = ask(fallback);
      fn_.store(fn);
    }
    return fn;
  }

private:
  // Before the host has handed over its resolver nothing can be bound.
  static REALproc ask(const char* entry) noexcept { return gResolver ? gResolver(entry) : nullptr; }

  plat::Relaxed<REALproc> fn_;
};

template <class T> struct IsVoid {
  static constexpr bool value = false;
};
template <> struct IsVoid<void> {
  static constexpr bool value = true;
};

template <class Fn> inline Fn as(REALproc fn) { return reinterpret_cast<Fn>(fn); }

// A host Boolean answer as the flavour returns it: exactly 0 or 1 in the Apple builds, tested
// over the width of the host's answer.
template <class HostResult> inline bool normalised(HostResult r) { return r != 0; }

template <class Signature> struct Call;

template <class R, class... A> struct Call<R(A...)> {
  using Entry = R (*)(A...);

  // Plain: the arguments pass unchanged; a missing entry gives `missing` and calls nothing.
  static R plain(EntryCache& cache, const char* entry, A... a) {
    if (REALproc fn = cache.bind(entry)) return as<Entry>(fn)(a...);
    if constexpr (!IsVoid<R>::value) return R{};
  }

  template <class Missing>
  static R withDefault(EntryCache& cache, const char* entry, Missing missing, A... a) {
    if (REALproc fn = cache.bind(entry)) return as<Entry>(fn)(a...);
    return missing;
  }

  static R withFallback(EntryCache& cache, const char* entry, const char* fallback, A... a) {
    if (REALproc fn = cache.bind(entry, fallback)) return as<Entry>(fn)(a...);
    if constexpr (!IsVoid<R>::value) return R{};
  }
};

// Two-stage element access: the bound entry maps an array to the element function for that
// array, fetched on every call and never kept.
template <class Value> struct Element {
  using Setter = void (*)(REALarrayStruct*, Value, XojoInteger);
  using Getter = Value (*)(REALarrayStruct*, XojoInteger);
  using Inserter = void (*)(REALarrayStruct*, XojoInteger, Value);
  using Lookup = REALproc (*)(REALarrayStruct*);

  static REALproc element(EntryCache& cache, const char* entry, const char* fallback,
                          REALarrayStruct* array) {
    REALproc lookup = cache.bind(entry, fallback);
    return lookup ? as<Lookup>(lookup)(array) : nullptr;
  }

  // The element setter takes the value before the index.
  static void set(EntryCache& cache, const char* entry, const char* fallback,
                  REALarrayStruct* array, XojoInteger index, Value value) {
    if (REALproc fn = element(cache, entry, fallback, array)) as<Setter>(fn)(array, value, index);
  }

  static void insert(EntryCache& cache, const char* entry, const char* fallback,
                     REALarrayStruct* array, XojoInteger index, Value value) {
    if (REALproc fn = element(cache, entry, fallback, array))
      as<Inserter>(fn)(array, index, value);
  }

  // The element lookup is made even for a null out pointer; the element is read only for a
  // caller that can take it.
  static void get(EntryCache& cache, const char* entry, const char* fallback,
                  REALarrayStruct* array, XojoInteger index, Value* out) {
    REALproc fn = element(cache, entry, fallback, array);
    if (fn && out) *out = as<Getter>(fn)(array, index);
  }
};

} // namespace tl
