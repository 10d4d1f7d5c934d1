// How the fuzzers report a broken invariant: a message naming it, then abort, which libFuzzer
// records as a crash together with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzing {

[[noreturn]] inline void fail(const std::string& what) {
  std::fprintf(stderr, "broken invariant: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

} // namespace fuzzing
