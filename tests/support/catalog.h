// The bridge's wrapper tables as data for the tests: the same .def rows the wrappers are
// generated from, each with what it takes to check a built library against it.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bridge/plugin_types.h"
#include "deliverables.h"

namespace testing_support {

enum class Kind {
  Wrapper,    // TL_WRAP and its shorthands, TL_WRAP_CXX
  Versioned,  // TL_VERSIONED
  Element,    // one of the three wrappers of a TL_ELEMENTS row
  Overload,   // TL_OVERLOAD, or a form of TL_ARRAY_OVERLOADS
  GetThrough, // TL_GET_THROUGH
  Special,    // TL_SPECIAL: written by hand, checked by its own tests
};

// What a host function received, argument by argument: integers sign- or zero-extended as their
// type is, pointers as addresses, floating-point values as the bits of a double.
using Images = std::vector<uint64_t>;

// Every call of a probe entry (or of an element function it handed out) made by this thread,
// in order.
std::vector<Images>& probeCalls();

// Sample arguments: Distinct ones differ by position and carry high bits and signs, so that a
// lost or swapped argument, a truncation or a lost sign extension shows; Portable ones are small
// positive values that every integer type holds, for comparing overloads across types.
enum class Samples { Distinct, Portable };

// One way of exercising a wrapper in one flavour: on a host of `version`, the wrapper binds
// `entry` (in the Linux flavour then `fallback`, if any); `probe` is a recording entry to offer
// for it. `call` calls the wrapper with sample arguments and gives the image of its result
// (for a getter of array elements, of the element it stored). With Distinct samples, one call
// makes the probe see `expected` and returns `answered`; with no entry it returns `missing`.
struct Scenario {
  std::optional<double> version = 2019.0;
  std::string entry;
  std::string fallback; // "" when there is none
  REALproc probe = nullptr;
  uint64_t (*call)(void* address, Samples samples) = nullptr;
  std::vector<Images> expected;
  uint64_t missing = 0;
  uint64_t answered = 0;
  // For an overload: its result, given the image of the mirrored wrapper's result.
  uint64_t (*fromMirrored)(uint64_t image) = nullptr;
};

struct WrapperRow {
  std::string wrapper;
  unsigned builds = 0; // Profile bits
  std::string symbol;  // as exported: the plain name, or the mangled name of an overload
  Kind kind = Kind::Wrapper;
  std::string mirrors; // overloads: the named wrapper they behave as
  // Empty for the kinds that their own tests check.
  std::vector<Scenario> appleScenarios, linuxScenarios;

  bool in(Profile p) const { return (builds & p) != 0; }
  const std::vector<Scenario>& scenarios(bool apple) const {
    return apple ? appleScenarios : linuxScenarios;
  }
};

const std::vector<WrapperRow>& catalogRows();

// The named row `wrapper` that a library of `profile` exports; null if it has none.
const WrapperRow* findRow(const std::string& wrapper, Profile profile);

// Every symbol a library of `profile` must export, and nothing else.
std::set<std::string> expectedExports(Profile profile);

} // namespace testing_support
