// What the host's own tests share: the test-only plug-in library, and the host's entries called
// the way a plug-in calls them.
#pragma once

#include "host/host.h"
#include "support/plugin_test.h"

namespace host_tests {

// Loads HostFixture, the test-only plug-in with the classes Probe and Token.
inline void loadFixture(host::Host& h) {
  h.loadFrom(HOST_FIXTURE_PATH, "HostFixture");
}

// The entry the resolver hands a plug-in for `name`, typed as the plug-in calls it.
template <class Fn> Fn entry(const char* name) {
  return reinterpret_cast<Fn>(host::Host::resolve(name));
}

// A fresh host with HostFixture loaded, checked for leaks and misuse after each test.
class FixtureTest : public testing_support::PluginTest {
protected:
  void SetUp() override { loadFixture(start({})); }
};

} // namespace host_tests
