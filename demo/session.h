// A part of the demo that shows one class at work. Each session registers itself and runs in
// every host where its class is registered.
#pragma once

#include <vector>

#include "host/host.h"

struct DemoSession {
  const char* className;
  void (*run)(host::Host&);

  DemoSession(const char* cls, void (*fn)(host::Host&)) : className(cls), run(fn) {
    all().push_back(this);
  }
  static std::vector<DemoSession*>& all() {
    static std::vector<DemoSession*> sessions;
    return sessions;
  }
};
