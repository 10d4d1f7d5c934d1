// The one door from product code to the C library and to atomics.
//
// Hosted builds include the standard headers. An Apple target compiled here without an SDK
// (TESSALINE_FREESTANDING) has no system headers at all: it declares the handful of C library
// functions the classes use, takes the integer types from the compiler's own headers, and uses
// compiler builtins for atomics. Everything else in the product goes through namespace plat.
#pragma once

#if defined(TESSALINE_FREESTANDING)
#include <stddef.h> // compiler-provided, no SDK needed
#include <stdint.h>

extern "C" {
double sin(double);
double cos(double);
double atan(double);
double acos(double);
void* malloc(size_t);
void* realloc(void*, size_t);
void free(void*);
}
#else
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#endif

namespace plat {

#if defined(TESSALINE_FREESTANDING)
inline double sqrt(double x) {
  return __builtin_sqrt(x);
}
inline double fma(double a, double b, double c) {
  return __builtin_fma(a, b, c);
}
inline double sin(double x) {
  return ::sin(x);
}
inline double cos(double x) {
  return ::cos(x);
}
inline double atan(double x) {
  return ::atan(x);
}
inline double acos(double x) {
  return ::acos(x);
}
inline double fabs(double x) {
  return __builtin_fabs(x);
}
inline double copysign(double x, double s) {
  return __builtin_copysign(x, s);
}
inline bool isnan(double x) {
  return __builtin_isnan(x);
}
inline void* malloc(size_t n) {
  return ::malloc(n);
}
inline void* realloc(void* p, size_t n) {
  return ::realloc(p, n);
}
inline void free(void* p) {
  ::free(p);
}
#else
using std::acos;
using std::atan;
using std::copysign;
using std::cos;
using std::fabs;
using std::fma;
using std::free;
using std::isnan;
using std::malloc;
using std::realloc;
using std::sin;
using std::sqrt;
#endif

// Stores `count` copies of a 32-bit word from byte `to` on, in 16-byte stores that every target
// has (compilers do not turn a plain loop of 32-bit stores into wide stores at -O2); the last
// store of a run may overlap the one before it. A caller's words need not be aligned, so every
// store is one that may fall at any byte: on the targets built here it is the same plain store.
// Hosted builds hand long aligned runs to wmemset, which picks the widest stores of the machine
// it runs on (wchar_t is 32-bit on Linux and Apple systems).
inline void fill32(void* to, uint32_t value, size_t count) {
  typedef uint32_t Quad __attribute__((vector_size(16)));
  unsigned char* const bytes = static_cast<unsigned char*>(to);
#if !defined(TESSALINE_FREESTANDING)
  if (sizeof(wchar_t) == 4 && count >= 256 && reinterpret_cast<uintptr_t>(to) % 4 == 0) {
    std::wmemset(static_cast<wchar_t*>(to), static_cast<wchar_t>(value), count);
    return;
  }
#endif
  if (count < 4) {
    for (size_t i = 0; i < count; ++i) __builtin_memcpy(bytes + 4 * i, &value, sizeof value);
    return;
  }
  const Quad quad = {value, value, value, value};
  size_t i = 0;
  for (; i + 8 < count; i += 8) {
    __builtin_memcpy(bytes + 4 * i, &quad, sizeof quad);
    __builtin_memcpy(bytes + 4 * (i + 4), &quad, sizeof quad);
  }
  if (i + 4 < count) __builtin_memcpy(bytes + 4 * i, &quad, sizeof quad);
  __builtin_memcpy(bytes + 4 * (count - 4), &quad, sizeof quad);
}

// A word shared between host threads without ordering: relaxed loads and stores compile to
// plain moves, and concurrent first uses that store the same value are not a data race.
template <class T> class Relaxed {
public:
  constexpr Relaxed() = default;
#if defined(TESSALINE_FREESTANDING)
  T load() const noexcept {
    return __atomic_load_n(&value_, __ATOMIC_RELAXED);
  }
  void store(T v) noexcept {
    __atomic_store_n(&value_, v, __ATOMIC_RELAXED);
  }

private:
  T value_{};
#else
  T load() const noexcept {
    return value_.load(std::memory_order_relaxed);
  }
  void store(T v) noexcept {
    value_.store(v, std::memory_order_relaxed);
  }

private:
  std::atomic<T> value_{};
#endif
};

// A value computed once per process under a lock: the first caller runs the initialiser while
// later callers wait for it, and every caller then reads the stored value with acquire order.
template <class T> class Once {
public:
  constexpr Once() = default;

  template <class Init> T get(Init init) noexcept {
    if (loadState() != kReady) {
      int expected = kEmpty;
      if (claim(expected)) {
        value_ = init();
        storeState(kReady);
      } else {
        while (loadState() != kReady) {
        }
      }
    }
    return value_;
  }

private:
  enum : int { kEmpty, kBusy, kReady };
#if defined(TESSALINE_FREESTANDING)
  int loadState() const noexcept {
    return __atomic_load_n(&state_, __ATOMIC_ACQUIRE);
  }
  void storeState(int s) noexcept {
    __atomic_store_n(&state_, s, __ATOMIC_RELEASE);
  }
  bool claim(int& expected) noexcept {
    return __atomic_compare_exchange_n(&state_, &expected, kBusy, false, __ATOMIC_ACQUIRE,
                                       __ATOMIC_ACQUIRE);
  }
  int state_ = kEmpty;
#else
  int loadState() const noexcept {
    return state_.load(std::memory_order_acquire);
  }
  void storeState(int s) noexcept {
    state_.store(s, std::memory_order_release);
  }
  bool claim(int& expected) noexcept {
    return state_.compare_exchange_strong(expected, kBusy, std::memory_order_acquire);
  }
  std::atomic<int> state_{kEmpty};
#endif
  T value_{};
};

} // namespace plat
