// The bridge's wrapper tables as data for the tests: the same .def rows the wrappers are
// generated from, each with probes that check its variant against a built library.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "bridge/plugin_types.h"
#include "deliverables.h"

namespace testing_support {

enum class Variant { Plain, Default, Bool, BoolWord, ElementSet, Overload, Special };

// What a host function received, argument by argument: integers sign-extended, pointers as
// addresses, floating-point values as the bits of a double.
using Images = std::vector<uint64_t>;

// Every call of a probe entry (or of an element function it handed out), in order.
std::vector<Images>& probeCalls();

struct WrapperRow {
  const char* wrapper;
  unsigned builds; // Profile bits
  const char* entry;
  Variant variant;
  std::string symbol; // as exported: the plain name, or the mangled name of an overload

  // Table rows of the generated variants carry these; overloads and hand-written wrappers do not.
  REALproc probe = nullptr; // an entry that records its calls and answers
  // Calls the wrapper at `address` with sample arguments; the image of its result (0 if none).
  uint64_t (*call)(void* address, bool appleFlavour) = nullptr;
  std::vector<Images> expectedCalls;  // what the probe must see for one wrapper call
  uint64_t missingResult = 0;         // the wrapper's result when the entry is missing
  uint64_t (*answeredResult)(bool appleFlavour) = nullptr; // its result when the probe answers

  bool in(Profile p) const { return (builds & p) != 0; }
};

const std::vector<WrapperRow>& catalogRows();

// Every symbol a library of `profile` must export, and nothing else.
std::set<std::string> expectedExports(Profile profile);

} // namespace testing_support
