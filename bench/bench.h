// What the benchmark files share: the stand-in host with Tessaline1 and Tessaline2 loaded,
// polygons built through it, and methods called as a native host calls them - through the
// function pointer of the registered method record.
#pragma once

#include <string>

#include "host/host.h"
#include "workloads.h"

namespace bench {

host::Host& theHost();

// A PolygonF with these corners, appended through "Add(x as Double,y as Double)". The object
// lives until the benchmarks end.
REALobjectStruct* makePolygon(const Corners& corners);

// The function of a registered method, found by its exact declaration.
template <class Fn> Fn nativeMethod(const std::string& cls, const std::string& declaration) {
  for (const host::MethodInfo& m : theHost().findClass(cls)->methods)
    if (m.declaration.text == declaration) return reinterpret_cast<Fn>(m.function);
  throw std::logic_error("no " + cls + "." + declaration);
}

void registerFillBenchmarks();
void registerPredicateBenchmarks();

// Facts a benchmark finds while it sets up, printed under the table (e.g. answers that differ
// between contenders).
void note(const std::string& line);

} // namespace bench
