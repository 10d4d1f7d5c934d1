#include "catalog.h"

#include <bit>
#include <cstring>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "bridge/class_records.h"

namespace testing_support {

std::vector<Images>& probeCalls() {
  static std::vector<Images> calls;
  return calls;
}

namespace {

constexpr unsigned kAll = kIos | kMacos | kLinux;
constexpr unsigned kApple = kIos | kMacos;

template <class T> uint64_t image(T value) {
  if constexpr (std::is_pointer_v<T>)
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(value));
  else if constexpr (std::is_floating_point_v<T>)
    return std::bit_cast<uint64_t>(static_cast<double>(value));
  else if constexpr (std::is_signed_v<T>)
    return static_cast<uint64_t>(static_cast<int64_t>(value));
  else
    return static_cast<uint64_t>(value);
}

// A distinct value of type T for argument `position`; integers are negative so that a lost
// sign extension shows.
template <class T> T sample(int position) {
  if constexpr (std::is_pointer_v<T>)
    return reinterpret_cast<T>(static_cast<uintptr_t>(0x10000 * (position + 1) + 0x1230));
  else if constexpr (std::is_floating_point_v<T>)
    return static_cast<T>(1.5 + position);
  else if constexpr (std::is_signed_v<T>)
    return static_cast<T>(-(0x21 * (position + 1)));
  else
    return static_cast<T>(0x42 * (position + 1));
}

// What a probe entry answers: an answer of 0x100 tells a normalised truth value (1) from one
// passed on (0x100) and from one cut to its low byte (0).
template <class R> R answer() {
  if constexpr (std::is_pointer_v<R>)
    return reinterpret_cast<R>(static_cast<uintptr_t>(0xABC0));
  else if constexpr (std::is_floating_point_v<R>)
    return static_cast<R>(2.75);
  else
    return static_cast<R>(0x100);
}

template <class Signature> struct Probe;
template <class R, class... A> struct Probe<R(A...)> {
  static R answerCall(A... a) {
    probeCalls().push_back({image(a)...});
    if constexpr (!std::is_void_v<R>) return answer<R>();
  }
  static Images samples() {
    return [&]<size_t... I>(std::index_sequence<I...>) {
      return Images{image(sample<A>(I))...};
    }(std::index_sequence_for<A...>{});
  }
};

template <class R, class... A> uint64_t callWith(void* address) {
  auto wrapper = reinterpret_cast<R (*)(A...)>(address);
  return [&]<size_t... I>(std::index_sequence<I...>) -> uint64_t {
    if constexpr (std::is_void_v<R>) {
      wrapper(sample<A>(I)...);
      return 0;
    } else {
      return image(wrapper(sample<A>(I)...));
    }
  }(std::index_sequence_for<A...>{});
}

template <class Signature> struct Plain;
template <class R, class... A> struct Plain<R(A...)> {
  static uint64_t call(void* address, bool) { return callWith<R, A...>(address); }
  static uint64_t answered(bool) {
    if constexpr (std::is_void_v<R>) return 0;
    else return image(answer<R>());
  }
};

// Truth values: the Apple flavour returns bool, the Linux flavour the host's 32-bit answer, or
// the low byte (signed) of a pointer-size answer.
template <class HostAnswer, class LinuxResult, class Signature> struct Truth;
template <class HostAnswer, class LinuxResult, class... A>
struct Truth<HostAnswer, LinuxResult, void(A...)> {
  static uint64_t call(void* address, bool apple) {
    return apple ? callWith<bool, A...>(address) : callWith<LinuxResult, A...>(address);
  }
  static uint64_t answered(bool apple) {
    return apple ? 1 : image(static_cast<LinuxResult>(answer<HostAnswer>()));
  }
};

template <class Value> struct ElementSet {
  static REALproc elementSetter(REALarrayStruct*) {
    return reinterpret_cast<REALproc>(
        &Probe<void(REALarrayStruct*, Value, XojoInteger)>::answerCall);
  }
  static REALproc lookup(REALarrayStruct* array) {
    probeCalls().push_back({image(array)});
    return elementSetter(array);
  }
  static uint64_t call(void* address, bool) {
    return callWith<void, REALarrayStruct*, XojoInteger, Value>(address);
  }
  static uint64_t answered(bool) { return 0; }
  // The element setter gets the value before the index.
  static std::vector<Images> expected() {
    auto array = sample<REALarrayStruct*>(0);
    return {{image(array)},
            {image(array), image(sample<Value>(2)), image(sample<XojoInteger>(1))}};
  }
};

// The mangled name of an overload: _Z <length> <name> <parameter types>. The parameter types are
// taken from the mangled name of the function type void(A...), "Fv...E".
template <class Signature> std::string mangled(const char* name) {
  std::string type = typeid(Signature).name();
  std::string params = type.substr(2, type.size() - 3);
  return "_Z" + std::to_string(std::strlen(name)) + name + params;
}

#define TL_MASK(builds) TL_MASK_##builds
#define TL_MASK_ALL kAll
#define TL_MASK_APPLE kApple
#define TL_MASK_MACOS kMacos
#define TL_MASK_LINUX kLinux
#define TL_MASK_MACOS_LINUX (kMacos | kLinux)

#define TL_UNPAREN(...) __VA_ARGS__

#define TL_PLAIN(wrapper, builds, entry, result, params)                                           \
  rows.push_back({#wrapper, TL_MASK(builds), entry, Variant::Plain, #wrapper,                      \
                  reinterpret_cast<REALproc>(&Probe<result params>::answerCall),                       \
                  &Plain<result params>::call,                                                     \
                  {Probe<result params>::samples()},                                               \
                  0,                                                                               \
                  &Plain<result params>::answered});
#define TL_DEFAULT(wrapper, builds, entry, result, params, missing)                                \
  rows.push_back({#wrapper, TL_MASK(builds), entry, Variant::Default, #wrapper,                    \
                  reinterpret_cast<REALproc>(&Probe<result params>::answerCall),                       \
                  &Plain<result params>::call,                                                     \
                  {Probe<result params>::samples()},                                               \
                  image(static_cast<result>(missing)),                                             \
                  &Plain<result params>::answered});
#define TL_BOOL(wrapper, builds, entry, params)                                                    \
  rows.push_back({#wrapper, TL_MASK(builds), entry, Variant::Bool, #wrapper,                       \
                  reinterpret_cast<REALproc>(&Probe<int32_t params>::answerCall),                      \
                  &Truth<int32_t, int32_t, void params>::call,                                     \
                  {Probe<int32_t params>::samples()},                                              \
                  0,                                                                               \
                  &Truth<int32_t, int32_t, void params>::answered});
#define TL_BOOL_WORD(wrapper, builds, entry, params)                                               \
  rows.push_back({#wrapper, TL_MASK(builds), entry, Variant::BoolWord, #wrapper,                   \
                  reinterpret_cast<REALproc>(&Probe<XojoInteger params>::answerCall),                  \
                  &Truth<XojoInteger, signed char, void params>::call,                             \
                  {Probe<XojoInteger params>::samples()},                                          \
                  0,                                                                               \
                  &Truth<XojoInteger, signed char, void params>::answered});
#define TL_ELEMENT_SET(wrapper, builds, entry, type, fallback)                                     \
  rows.push_back({#wrapper, TL_MASK(builds), entry, Variant::ElementSet, #wrapper,                 \
                  reinterpret_cast<REALproc>(&ElementSet<type>::lookup),                           \
                  &ElementSet<type>::call,                                                         \
                  ElementSet<type>::expected(),                                                    \
                  0,                                                                               \
                  &ElementSet<type>::answered});
#define TL_OVERLOAD(wrapper, builds, result, params, mirrors)                                      \
  rows.push_back({#wrapper, TL_MASK(builds), "", Variant::Overload,                                \
                  mangled<void params>(#wrapper)});
#define TL_SPECIAL(wrapper, builds)                                                                \
  rows.push_back({#wrapper, TL_MASK(builds), "", Variant::Special, #wrapper});

std::vector<WrapperRow> readTables() {
  std::vector<WrapperRow> rows;
#include "bridge/catalog/all.def"
  return rows;
}

} // namespace

const std::vector<WrapperRow>& catalogRows() {
  static const std::vector<WrapperRow> rows = readTables();
  return rows;
}

std::set<std::string> expectedExports(Profile profile) {
  std::set<std::string> names = {"PluginEntry", "gResolver"};
  for (const WrapperRow& row : catalogRows())
    if (row.in(profile)) names.insert(row.symbol);
  return names;
}

} // namespace testing_support
