#include <gtest/gtest.h>

#include "deliverables.h"

#include <algorithm>
#include <sstream>

namespace testing_support {

const std::vector<Deliverable>& allDeliverables() {
  static const std::vector<Deliverable> all = {
      {"Tessaline1", kIos},      {"Tessaline2", kIos},        {"Tessaline3", kIos},
      {"Tessaline3Mac", kMacos}, {"Tessaline3Linux", kLinux},
  };
  return all;
}

bool isBuilt(const std::string& name) {
  std::istringstream built(TESSALINE_BUILT_DELIVERABLES); // ";"-separated, set by the build
  for (std::string item; std::getline(built, item, ';');)
    if (item == name) return true;
  return false;
}

std::vector<Deliverable> builtDeliverables() {
  std::vector<Deliverable> built;
  for (const Deliverable& d : allDeliverables())
    if (isBuilt(d.name)) built.push_back(d);
  return built;
}

std::vector<Deliverable> builtVectorDeliverables() {
  std::vector<Deliverable> vectors;
  for (const Deliverable& d : builtDeliverables())
    if (d.name.rfind("Tessaline3", 0) == 0) vectors.push_back(d);
  return vectors;
}

} // namespace testing_support
