// Every table-driven wrapper of every built library, driven from the same tables the wrappers
// are generated from: the exported set, and each row's binding and variant.
#include <gtest/gtest.h>

#include "support/catalog.h"
#include "support/elf_symbols.h"
#include "support/plugin_test.h"

using namespace testing_support;

namespace {

class ExportedSymbols : public ::testing::TestWithParam<Deliverable> {};

TEST_P(ExportedSymbols, AreExactlyTheProfilesWrappers) {
  const Deliverable& d = GetParam();
  std::set<std::string> exported = exportedSymbols(host::Host::pluginPath(d.name));
  std::set<std::string> expected = expectedExports(d.profile);
  for (const std::string& name : expected)
    EXPECT_TRUE(exported.count(name)) << d.name << " does not export " << name;
  for (const std::string& name : exported)
    EXPECT_TRUE(expected.count(name)) << d.name << " exports " << name << " beyond its profile";
}

INSTANTIATE_TEST_SUITE_P(Built, ExportedSymbols, ::testing::ValuesIn(builtDeliverables()),
                         DeliverableName());

struct RowCase {
  Deliverable deliverable;
  const WrapperRow* row;
};

std::vector<RowCase> rowCases() {
  std::vector<RowCase> cases;
  for (const Deliverable& d : builtDeliverables())
    for (const WrapperRow& row : catalogRows())
      if (row.in(d.profile) && row.probe) cases.push_back({d, &row});
  return cases;
}

struct RowCaseName {
  std::string operator()(const ::testing::TestParamInfo<RowCase>& info) const {
    return info.param.deliverable.name + "_" + info.param.row->wrapper;
  }
};

class WrapperRowTest : public PluginTest, public ::testing::WithParamInterface<RowCase> {};

// A missing entry gives the default, calls nothing and is asked for again; once the host
// offers it, it is asked for once more and then kept, and receives the wrapper's arguments
// unchanged and in order.
TEST_P(WrapperRowTest, BindsLazilyAndPassesThrough) {
  const Deliverable& d = GetParam().deliverable;
  const WrapperRow& row = *GetParam().row;
  const bool apple = d.appleFlavour();

  host::Host& h = start({});
  h.removeEntry(row.entry);
  h.load(d.name);
  void* wrapper = h.symbol(d.name, row.symbol.c_str());
  ASSERT_NE(wrapper, nullptr);
  h.clearLookups();
  probeCalls().clear();

  for (int call = 1; call <= 2; ++call) {
    EXPECT_EQ(row.call(wrapper, apple), row.missingResult) << "call " << call;
    EXPECT_EQ(h.lookups(row.entry), call) << "a missing entry is asked for on every call";
  }
  EXPECT_TRUE(probeCalls().empty());

  h.offerEntry(row.entry, row.probe);
  for (int call = 1; call <= 2; ++call)
    EXPECT_EQ(row.call(wrapper, apple), row.answeredResult(apple)) << "call " << call;
  EXPECT_EQ(h.lookups(row.entry), 3) << "a found entry is kept";

  std::vector<Images> expected = row.expectedCalls;
  expected.insert(expected.end(), row.expectedCalls.begin(), row.expectedCalls.end());
  EXPECT_EQ(probeCalls(), expected);
}

INSTANTIATE_TEST_SUITE_P(Tables, WrapperRowTest, ::testing::ValuesIn(rowCases()), RowCaseName());

} // namespace
