// The base of every test that loads plug-ins: a fresh stand-in host per test, and the check that
// the test leaves no live host object or string behind and never misused the host.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "host/host.h"

namespace testing_support {

class PluginTest : public ::testing::Test {
protected:
  // A new host of the given options with `deliverables` loaded, in order.
  host::Host& start(std::initializer_list<const char*> deliverables, host::Options options = {}) {
    host_.reset();
    host_ = std::make_unique<host::Host>(options);
    for (const char* d : deliverables) host_->load(d);
    return *host_;
  }
  host::Host& host() { return *host_; }

  void TearDown() override {
    if (!host_) return;
    EXPECT_EQ(host_->liveObjects(), 0u) << "host objects left alive";
    EXPECT_EQ(host_->liveStrings(), 0u) << "host strings left alive";
    for (const std::string& v : host_->violations()) ADD_FAILURE() << "host misuse: " << v;
    host_.reset();
  }

private:
  std::unique_ptr<host::Host> host_;
};

} // namespace testing_support
