// The plug-in libraries as the fuzzers load them. libFuzzer reads the coverage counters of every
// instrumented library after each input, so no library may be unloaded while it runs: each one
// is opened once, never to be closed (RTLD_NODELETE), and the stand-in host, which opens and
// closes it for every host it makes, then only adds and drops references.
//
// A library kept loaded keeps its entry caches from one host to the next. To let a fuzzer try
// hosts that lack entries, every kind of host gets its own copy of each library (`variant`), so
// that a copy's caches only ever see hosts of its kind.
#pragma once

#include <string>

namespace fuzzing {

// The path of the resident copy of `deliverable` for hosts of kind `variant`, for
// host::Host::loadFrom. The copy is made and opened on first use.
std::string residentPlugin(const std::string& deliverable, int variant = 0);

} // namespace fuzzing
