#include "catalog.h"

#include <bit>
#include <cstring>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "bridge/class_records.h"

namespace testing_support {

// One record per thread, so that threads calling wrappers at once each see their own calls.
std::vector<Images>& probeCalls() {
  static thread_local std::vector<Images> calls;
  return calls;
}

namespace {

constexpr unsigned kAll = kIos | kMacos | kLinux;
constexpr unsigned kApple = kIos | kMacos;

// ---- types that differ by flavour -------------------------------------------------------------

// TL_FLAVOURED(A, L) in a table: A in the Apple flavour, L in the Linux flavour.
template <class Pair> struct Flavoured;

template <bool Apple, class T> struct ResolveT { using type = T; };
template <bool Apple, class A, class L> struct ResolveT<Apple, Flavoured<void(A, L)>> {
  using type = std::conditional_t<Apple, A, L>;
};
template <bool Apple, class T> struct ResolveT<Apple, T*> {
  using type = typename ResolveT<Apple, T>::type*;
};
template <bool Apple, class R, class... A> struct ResolveT<Apple, R(A...)> {
  using type = typename ResolveT<Apple, R>::type(typename ResolveT<Apple, A>::type...);
};
template <bool Apple, class T> using Resolve = typename ResolveT<Apple, T>::type;

// An entry column: one name, a name per flavour, or a name with a Linux fallback.
struct FlavouredEntry {
  std::string appleName, linuxName, linuxFallback;
  FlavouredEntry(const char* name) : appleName(name), linuxName(name) {}
  FlavouredEntry(const char* apple, const char* linuxEntry, const char* fallback)
      : appleName(apple), linuxName(linuxEntry), linuxFallback(fallback ? fallback : "") {}
};

// A missing-entry result of "0 of the result type".
struct Zero {
  template <class T> operator T() const { return T{}; }
};

// ---- values ----------------------------------------------------------------------------------

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

// What the bridge is meant to do to a value crossing between the wrapper's type and the host's
// (the samples are chosen so that every double in them truncates within range).
template <class To, class From> To converted(From value) {
  if constexpr (std::is_pointer_v<To> && std::is_pointer_v<From>)
    return (To)value; // const and pointee type are the host's business
  else
    return static_cast<To>(value);
}

template <class R, class Value> uint64_t resultImage(Value value) {
  if constexpr (std::is_void_v<R>)
    return 0;
  else
    return image(converted<R>(value));
}

// Pointer arguments point into this block, so that a wrapper that reads or writes through one
// touches memory of the test's.
alignas(16) unsigned char scratch[16][64];

template <class T> T sample(size_t position, Samples samples) {
  if constexpr (std::is_pointer_v<T>)
    return reinterpret_cast<T>(reinterpret_cast<uintptr_t>(&scratch[position][0]));
  else if constexpr (std::is_floating_point_v<T>)
    return static_cast<T>(1.5 + static_cast<double>(position));
  else if constexpr (std::is_same_v<T, bool>)
    return true;
  else if (samples == Samples::Portable)
    return static_cast<T>(0x0F * (position + 1));
  else if constexpr (std::is_signed_v<T>)
    return static_cast<T>(-static_cast<int64_t>(0x100000021ull * (position + 1)));
  else
    return static_cast<T>(0x200000042ull * (position + 1));
}

// What a probe entry answers. An integer answer of 0x100 (with a high word where the type has
// one) tells a truth value normalised to 1 from one passed on, from one cut to its low byte (0),
// and from one cut to 32 bits.
template <class R> R answer() {
  if constexpr (std::is_pointer_v<R>)
    return reinterpret_cast<R>(static_cast<uintptr_t>(0x50000ABC0ull));
  else if constexpr (std::is_floating_point_v<R>)
    return static_cast<R>(2.75);
  else if constexpr (std::is_same_v<R, bool>)
    return true;
  else
    return static_cast<R>(0x500000100ull);
}

// What an element getter answers: non-zero in every width.
template <class V> V elementAnswer() {
  if constexpr (std::is_pointer_v<V>)
    return reinterpret_cast<V>(static_cast<uintptr_t>(0x60000DEF0ull));
  else if constexpr (std::is_floating_point_v<V>)
    return static_cast<V>(3.25);
  else
    return static_cast<V>(0x5A5A5A5A5A5A5A5Bull);
}

template <class... T> struct Types {};

// ---- probes and calls ------------------------------------------------------------------------

template <class Signature> struct Probe;
template <class R, class... A> struct Probe<R(A...)> {
  static R answerCall(A... a) {
    probeCalls().push_back({image(a)...});
    if constexpr (!std::is_void_v<R>) return answer<R>();
  }
  static REALproc entry() { return reinterpret_cast<REALproc>(&answerCall); }
};

template <class Signature> struct Caller;
template <class R, class... A> struct Caller<R(A...)> {
  static uint64_t call(void* address, Samples samples) {
    auto wrapper = reinterpret_cast<R (*)(A...)>(address);
    return [&]<size_t... I>(std::index_sequence<I...>)->uint64_t {
      if constexpr (std::is_void_v<R>) {
        wrapper(sample<A>(I, samples)...);
        return 0;
      } else {
        return image(wrapper(sample<A>(I, samples)...));
      }
    }
    (std::index_sequence_for<A...>{});
  }
};

// The images a host entry of parameters HA... sees for a call of a wrapper of parameters A...
template <class... HA, class... A> Images hostSees(Types<HA...>, Types<A...>) {
  static_assert(sizeof...(HA) == sizeof...(A));
  return []<size_t... I>(std::index_sequence<I...>) {
    return Images{image(converted<HA>(sample<A>(I, Samples::Distinct)))...};
  }
  (std::index_sequence_for<A...>{});
}

WrapperRow makeRow(std::string wrapper, unsigned builds, std::string symbol, Kind kind,
                   std::string mirrors = "") {
  WrapperRow row;
  row.wrapper = std::move(wrapper);
  row.builds = builds;
  row.symbol = std::move(symbol);
  row.kind = kind;
  row.mirrors = std::move(mirrors);
  return row;
}

// ---- scenarios -------------------------------------------------------------------------------

template <class WrapperSignature, class HostSignature> struct WrapScenario;
template <class R, class... A, class HR, class... HA> struct WrapScenario<R(A...), HR(HA...)> {
  template <class Missing> static Scenario make(std::optional<double> version, Missing missing) {
    Scenario s;
    s.version = version;
    s.probe = Probe<HR(HA...)>::entry();
    s.call = &Caller<R(A...)>::call;
    s.expected = {hostSees(Types<HA...>{}, Types<A...>{})};
    s.missing = resultImage<R>(missing);
    if constexpr (!std::is_void_v<HR>) s.answered = resultImage<R>(answer<HR>());
    return s;
  }
};

template <bool Apple> void nameEntries(Scenario& s, const FlavouredEntry& entry) {
  s.entry = Apple ? entry.appleName : entry.linuxName;
  s.fallback = Apple ? "" : entry.linuxFallback;
}

template <class WrapperSignature, class HostSignature, class Missing>
WrapperRow wrapRow(const char* wrapper, unsigned builds, std::string symbol,
                   const FlavouredEntry& entry, Missing missing) {
  WrapperRow row = makeRow(wrapper, builds, std::move(symbol), Kind::Wrapper);
  auto flavour = [&]<bool Apple>() {
    using W = Resolve<Apple, WrapperSignature>;
    using H = Resolve<Apple, HostSignature>;
    Scenario s = WrapScenario<W, H>::make(2019.0, missing);
    nameEntries<Apple>(s, entry);
    return std::vector<Scenario>{s};
  };
  row.appleScenarios = flavour.template operator()<true>();
  row.linuxScenarios = flavour.template operator()<false>();
  return row;
}

// Apple flavour: the current convention on a host of 2019, the legacy one on a host just below
// the threshold. Linux flavour: the legacy signature, plain.
template <class Wrapper, class Current, class Legacy>
WrapperRow versionedRow(const char* wrapper, unsigned builds, const char* entry, double since) {
  WrapperRow row = makeRow(wrapper, builds, wrapper, Kind::Versioned);
  Scenario current = WrapScenario<Wrapper, Current>::make(2019.0, Zero{});
  Scenario legacy = WrapScenario<Wrapper, Legacy>::make(since - 1.0, Zero{});
  Scenario plain = WrapScenario<Legacy, Legacy>::make(2019.0, Zero{});
  for (Scenario* s : {&current, &legacy, &plain}) s->entry = entry;
  row.appleScenarios = {current, legacy};
  row.linuxScenarios = {plain};
  return row;
}

// Two-stage element access: the probe entry records the array and hands out an element
// function of the kind, which records its own call.
enum class ElementKind { Insert, Get, Set };

template <class V> struct ElementProbe {
  static void insert(REALarrayStruct* a, XojoInteger i, V v) {
    probeCalls().push_back({image(a), image(i), image(v)});
  }
  static void set(REALarrayStruct* a, V v, XojoInteger i) {
    probeCalls().push_back({image(a), image(v), image(i)});
  }
  static V get(REALarrayStruct* a, XojoInteger i) {
    probeCalls().push_back({image(a), image(i)});
    return elementAnswer<V>();
  }
  template <ElementKind K> static REALproc lookup(REALarrayStruct* a) {
    probeCalls().push_back({image(a)});
    if constexpr (K == ElementKind::Insert)
      return reinterpret_cast<REALproc>(&insert);
    else if constexpr (K == ElementKind::Get)
      return reinterpret_cast<REALproc>(&get);
    else
      return reinterpret_cast<REALproc>(&set);
  }
};

// A getter of array elements, called with a local out value: the image of what it stored.
template <class T> struct ElementGetCaller {
  static uint64_t call(void* address, Samples samples) {
    auto getter = reinterpret_cast<void (*)(REALarrayStruct*, XojoInteger, T*)>(address);
    T value{};
    getter(sample<REALarrayStruct*>(0, samples), sample<XojoInteger>(1, samples), &value);
    return image(value);
  }
};

template <class V, ElementKind K> Scenario elementScenario() {
  Scenario s;
  s.probe = reinterpret_cast<REALproc>(&ElementProbe<V>::template lookup<K>);
  auto array = image(sample<REALarrayStruct*>(0, Samples::Distinct));
  auto index = image(sample<XojoInteger>(1, Samples::Distinct));
  auto value = image(sample<V>(2, Samples::Distinct));
  if constexpr (K == ElementKind::Get) {
    s.call = &ElementGetCaller<V>::call;
    s.expected = {{array}, {array, index}};
    s.answered = image(elementAnswer<V>());
  } else {
    s.call = &Caller<void(REALarrayStruct*, XojoInteger, V)>::call;
    if constexpr (K == ElementKind::Insert)
      s.expected = {{array}, {array, index, value}};
    else
      s.expected = {{array}, {array, value, index}};
  }
  return s;
}

const char* const kElementWrapper[] = {"REALInsertArrayValue", "REALGetArrayValue",
                                       "REALSetArrayValue"};
const char* const kElementEntry[] = {"Insert", "Get", "Set"};

template <class V, ElementKind K>
WrapperRow elementRow(const char* suffix, unsigned builds, bool generic) {
  int k = static_cast<int>(K);
  std::string wrapper = std::string(kElementWrapper[k]) + suffix;
  WrapperRow row = makeRow(wrapper, builds, wrapper, Kind::Element);
  Scenario s = elementScenario<V, K>();
  s.entry = std::string("Plugin") + suffix + "Array" + kElementEntry[k] + "Proc";
  row.appleScenarios = {s};
  if (generic) s.fallback = std::string("RuntimeArrayDirectGet") + kElementEntry[k] + "Proc";
  row.linuxScenarios = {s};
  return row;
}

template <class V>
void elementRows(std::vector<WrapperRow>& rows, const char* suffix, unsigned builds, bool generic) {
  rows.push_back(elementRow<V, ElementKind::Insert>(suffix, builds, generic));
  rows.push_back(elementRow<V, ElementKind::Get>(suffix, builds, generic));
  rows.push_back(elementRow<V, ElementKind::Set>(suffix, builds, generic));
}

// ---- overloads -------------------------------------------------------------------------------

// The mangled name of an overload: _Z <length> <name> <parameter types>. The parameter types are
// taken from the mangled name of the function type void(A...), "Fv...E".
template <class Signature> std::string mangled(const char* name) {
  std::string type = typeid(Signature).name();
  std::string params = type.substr(2, type.size() - 3);
  return "_Z" + std::to_string(std::strlen(name)) + name + params;
}

// An overload's result from the mirrored wrapper's: the same value in the overload's type.
template <class R> uint64_t fromMirrored(uint64_t mirrored) {
  if constexpr (std::is_void_v<R>)
    return 0;
  else if constexpr (std::is_integral_v<R>)
    return image(static_cast<R>(mirrored));
  else
    return mirrored;
}

template <class Signature> struct OverloadScenario;
template <class R, class... A> struct OverloadScenario<R(A...)> {
  static Scenario make() {
    Scenario s;
    s.call = &Caller<R(A...)>::call;
    s.fromMirrored = &fromMirrored<R>;
    return s;
  }
};

template <class Signature>
WrapperRow overloadRow(const char* wrapper, unsigned builds, std::string symbol,
                       std::string mirrors) {
  WrapperRow row = makeRow(wrapper, builds, std::move(symbol), Kind::Overload, std::move(mirrors));
  row.appleScenarios = {OverloadScenario<Resolve<true, Signature>>::make()};
  row.linuxScenarios = {OverloadScenario<Resolve<false, Signature>>::make()};
  return row;
}

template <class T>
void arrayOverloadRows(std::vector<WrapperRow>& rows, const char* suffix, bool inserts, bool gets,
                       bool sets, unsigned builds) {
  using Store = void(REALarrayStruct*, XojoInteger, T);
  using Load = void(REALarrayStruct*, XojoInteger, T*);
  auto add = [&](const char* wrapper, std::string symbol, uint64_t (*call)(void*, Samples)) {
    WrapperRow row =
        makeRow(wrapper, builds, std::move(symbol), Kind::Overload, std::string(wrapper) + suffix);
    Scenario s;
    s.call = call;
    s.fromMirrored = [](uint64_t image) { return image; };
    row.appleScenarios = row.linuxScenarios = {s};
    rows.push_back(row);
  };
  if (inserts)
    add("REALInsertArrayValue", mangled<Store>("REALInsertArrayValue"), &Caller<Store>::call);
  if (gets)
    add("REALGetArrayValue", mangled<Load>("REALGetArrayValue"), &ElementGetCaller<T>::call);
  if (sets) add("REALSetArrayValue", mangled<Store>("REALSetArrayValue"), &Caller<Store>::call);
}

// ---- the tables ------------------------------------------------------------------------------

#define TL_MASK(builds)     TL_MASK_##builds
#define TL_MASK_ALL         kAll
#define TL_MASK_APPLE       kApple
#define TL_MASK_MACOS       kMacos
#define TL_MASK_LINUX       kLinux
#define TL_MASK_MACOS_LINUX (kMacos | kLinux)
#define TL_FLAG_YES         true
#define TL_FLAG_NO          false

#define TL_FLAVOURED(appleType, linuxType)    Flavoured<void(appleType, linuxType)>
#define TL_BY_FLAVOUR(appleEntry, linuxEntry) FlavouredEntry(appleEntry, linuxEntry, nullptr)
#define TL_THEN(entry, linuxFallback)         FlavouredEntry(entry, entry, linuxFallback)
#define TL_ZERO                               Zero()

#define TL_WRAP(wrapper, builds, entry, result, params, hostResult, hostParams, missing)           \
  rows.push_back(wrapRow<result params, hostResult hostParams>(                                    \
      #wrapper, TL_MASK(builds), #wrapper, FlavouredEntry(entry), missing));
#define TL_WRAP_CXX(wrapper, builds, entry, result, params, hostResult, hostParams, missing)       \
  rows.push_back(wrapRow<result params, hostResult hostParams>(                                    \
      #wrapper, TL_MASK(builds), mangled<void params>(#wrapper), FlavouredEntry(entry), missing));
#define TL_VERSIONED(wrapper, builds, entry, since, result, params, currentResult, currentParams,  \
                     legacyResult, legacyParams)                                                   \
  rows.push_back(                                                                                  \
      versionedRow<result params, currentResult currentParams, legacyResult legacyParams>(         \
          #wrapper, TL_MASK(builds), entry, since));
#define TL_ELEMENTS(suffix, builds, type, generic)                                                 \
  elementRows<type>(rows, #suffix, TL_MASK(builds), TL_FLAG_##generic);
#define TL_ARRAY_OVERLOADS(T, suffix, inserts, gets, sets, builds)                                 \
  arrayOverloadRows<T>(rows, #suffix, TL_FLAG_##inserts, TL_FLAG_##gets, TL_FLAG_##sets,           \
                       TL_MASK(builds));
#define TL_OVERLOAD(wrapper, builds, result, params, mirrors)                                      \
  rows.push_back(overloadRow<result params>(#wrapper, TL_MASK(builds),                             \
                                            mangled<void params>(#wrapper), #mirrors));
#define TL_GET_THROUGH(wrapper, builds, T, temporary, mirrors)                                     \
  rows.push_back(makeRow(#wrapper, TL_MASK(builds),                                                \
                         mangled<void(REALobjectStruct*, const char*, T*)>(#wrapper),              \
                         Kind::GetThrough, #mirrors));
#define TL_SPECIAL(wrapper, builds, result, params)                                                \
  rows.push_back(makeRow(#wrapper, TL_MASK(builds), #wrapper, Kind::Special));

#include "bridge/catalog/kinds.h"

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

const WrapperRow* findRow(const std::string& wrapper, Profile profile) {
  for (const WrapperRow& row : catalogRows())
    if (row.wrapper == wrapper && row.in(profile) && row.kind != Kind::Overload &&
        row.kind != Kind::GetThrough)
      return &row;
  return nullptr;
}

std::set<std::string> expectedExports(Profile profile) {
  std::set<std::string> names = {"PluginEntry", "gResolver"};
  for (const WrapperRow& row : catalogRows())
    if (row.in(profile)) names.insert(row.symbol);
  return names;
}

} // namespace testing_support
