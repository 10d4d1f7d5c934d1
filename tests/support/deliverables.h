// The deliverables this build made, with their profiles, for tests that run on each of them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

enum Profile : unsigned { kIos = 1, kMacos = 2, kLinux = 4 };

struct Deliverable {
  std::string name;
  Profile profile;
  bool appleFlavour() const { return profile != kLinux; }
};

// Every deliverable the project knows, in the order the Overview names them.
const std::vector<Deliverable>& allDeliverables();
// Those this build made (the others are skipped).
std::vector<Deliverable> builtDeliverables();
bool isBuilt(const std::string& name);
// The built deliverables that carry VectorF_3D.
std::vector<Deliverable> builtVectorDeliverables();
// The built deliverables that `keep` accepts, for suites that concern one flavour or profile
// (such a suite may be empty in a build, see GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST).
template <class Keep> std::vector<Deliverable> builtDeliverablesWhere(Keep keep) {
  std::vector<Deliverable> kept;
  for (const Deliverable& d : builtDeliverables())
    if (keep(d)) kept.push_back(d);
  return kept;
}

inline void PrintTo(const Deliverable& d, std::ostream* os) {
  *os << d.name;
}

// For parameterised tests: the deliverable's name as the test's name.
struct DeliverableName {
  std::string operator()(const testing::TestParamInfo<Deliverable>& info) const {
    return info.param.name;
  }
};

} // namespace testing_support
