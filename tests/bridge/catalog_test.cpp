// Every wrapper of every built library, driven from the same tables the wrappers are generated
// from: the exported set, each wrapper's binding and variant, the Linux fallback names, and each
// overloaded form against the wrapper it mirrors.
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

template <class Keep> std::vector<RowCase> rowCases(Keep keep) {
  std::vector<RowCase> cases;
  for (const Deliverable& d : builtDeliverables())
    for (const WrapperRow& row : catalogRows())
      if (row.in(d.profile) && keep(d, row)) cases.push_back({d, &row});
  return cases;
}

void PrintTo(const RowCase& c, std::ostream* os) {
  *os << c.deliverable.name << " " << c.row->symbol;
}

struct RowCaseName {
  std::string operator()(const ::testing::TestParamInfo<RowCase>& info) const {
    // Overloads share their name: the mangled symbol tells them apart.
    return info.param.deliverable.name + "_" + info.param.row->symbol;
  }
};

class RowTest : public PluginTest, public ::testing::WithParamInterface<RowCase> {
protected:
  const Deliverable& deliverable() const { return GetParam().deliverable; }
  const WrapperRow& row() const { return *GetParam().row; }
  bool apple() const { return deliverable().appleFlavour(); }

  // A host of the scenario's version whose resolver knows neither of the scenario's names, with
  // the deliverable loaded and the records of lookups and probe calls cleared.
  host::Host& startWithout(const Scenario& s) {
    host::Options options;
    options.version = s.version;
    host::Host& h = start({}, options);
    h.removeEntry(s.entry);
    if (!s.fallback.empty()) h.removeEntry(s.fallback);
    h.load(deliverable().name);
    h.clearLookups();
    probeCalls().clear();
    return h;
  }
  void* address(const std::string& symbol) {
    void* a = host().symbol(deliverable().name, symbol.c_str());
    EXPECT_NE(a, nullptr) << symbol;
    return a;
  }
  static std::vector<Images> twice(const std::vector<Images>& calls) {
    std::vector<Images> both = calls;
    both.insert(both.end(), calls.begin(), calls.end());
    return both;
  }
};

// A missing entry gives the default, calls nothing and is asked for again on every call; once
// the host offers it, it is asked for once more and then kept, receives the wrapper's arguments
// in order as the row says, and its answer comes back as the row says.
class WrapperRowTest : public RowTest {};

TEST_P(WrapperRowTest, BindsLazilyAndPassesThrough) {
  for (const Scenario& s : row().scenarios(apple())) {
    SCOPED_TRACE(s.entry + (s.version ? " on a host of " + std::to_string(*s.version) : ""));
    host::Host& h = startWithout(s);
    void* wrapper = address(row().symbol);
    ASSERT_NE(wrapper, nullptr);

    for (int call = 1; call <= 2; ++call) {
      EXPECT_EQ(s.call(wrapper, Samples::Distinct), s.missing) << "call " << call;
      EXPECT_EQ(h.lookups(s.entry), call) << "a missing entry is asked for on every call";
      if (!s.fallback.empty()) EXPECT_EQ(h.lookups(s.fallback), call);
    }
    EXPECT_TRUE(probeCalls().empty()) << "nothing is called without the entry";

    h.offerEntry(s.entry, s.probe);
    for (int call = 1; call <= 2; ++call)
      EXPECT_EQ(s.call(wrapper, Samples::Distinct), s.answered) << "call " << call;
    EXPECT_EQ(h.lookups(s.entry), 3) << "a found entry is kept";
    if (!s.fallback.empty()) EXPECT_EQ(h.lookups(s.fallback), 2) << "nor is the fallback asked";
    EXPECT_EQ(probeCalls(), twice(s.expected));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Catalog, WrapperRowTest,
    ::testing::ValuesIn(rowCases([](const Deliverable& d, const WrapperRow& row) {
      return !row.scenarios(d.appleFlavour()).empty() && row.kind != Kind::Overload;
    })),
    RowCaseName());

// Rows with a second name: the Linux flavour binds it when the host lacks the first, keeps it,
// and asks for neither again; the Apple flavour never asks for it.
class FallbackTest : public RowTest {};

TEST_P(FallbackTest, SecondNameOnlyInTheLinuxFlavour) {
  const Scenario& linuxSide = row().linuxScenarios.front();
  const Scenario& s = row().scenarios(apple()).front();
  host::Host& h = startWithout(linuxSide);
  void* wrapper = address(row().symbol);
  ASSERT_NE(wrapper, nullptr);
  h.offerEntry(linuxSide.fallback, s.probe);

  for (int call = 1; call <= 2; ++call)
    EXPECT_EQ(s.call(wrapper, Samples::Distinct), apple() ? s.missing : s.answered);
  if (apple()) {
    EXPECT_EQ(h.lookups(linuxSide.entry), 2);
    EXPECT_EQ(h.lookups(linuxSide.fallback), 0);
    EXPECT_TRUE(probeCalls().empty());
  } else {
    EXPECT_EQ(h.lookups(linuxSide.entry), 1);
    EXPECT_EQ(h.lookups(linuxSide.fallback), 1);
    EXPECT_EQ(probeCalls(), twice(s.expected));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Catalog, FallbackTest,
    ::testing::ValuesIn(rowCases([](const Deliverable&, const WrapperRow& row) {
      return !row.linuxScenarios.empty() && !row.linuxScenarios.front().fallback.empty();
    })),
    RowCaseName());

// An overloaded form is the named wrapper it mirrors under another type: the same default, the
// same host calls for the same values, the same answer in its own result type, and one binding
// for both.
class OverloadTest : public RowTest {};

TEST_P(OverloadTest, BehavesAsTheWrapperItMirrors) {
  const WrapperRow* named = findRow(row().mirrors, deliverable().profile);
  ASSERT_NE(named, nullptr) << row().mirrors;
  const Scenario& n = named->scenarios(apple()).front();
  const Scenario& o = row().scenarios(apple()).front();
  host::Host& h = startWithout(n);
  void* overload = address(row().symbol);
  void* mirrored = address(named->symbol);
  ASSERT_TRUE(overload && mirrored);

  EXPECT_EQ(o.call(overload, Samples::Portable), o.fromMirrored(n.missing));
  EXPECT_EQ(h.lookups(n.entry), 1);
  EXPECT_TRUE(probeCalls().empty());

  h.offerEntry(n.entry, n.probe);
  uint64_t viaOverload = o.call(overload, Samples::Portable);
  std::vector<Images> overloadCalls = probeCalls();
  probeCalls().clear();
  uint64_t viaNamed = n.call(mirrored, Samples::Portable);
  EXPECT_EQ(overloadCalls, probeCalls());
  EXPECT_FALSE(overloadCalls.empty());
  EXPECT_EQ(viaOverload, o.fromMirrored(viaNamed));
  EXPECT_EQ(h.lookups(n.entry), 2) << "the named wrapper uses the binding its overload made";
}

INSTANTIATE_TEST_SUITE_P(Catalog, OverloadTest,
                         ::testing::ValuesIn(rowCases([](const Deliverable& d,
                                                         const WrapperRow& row) {
                           if (row.kind != Kind::Overload) return false;
                           const WrapperRow* named = findRow(row.mirrors, d.profile);
                           return named && !named->scenarios(d.appleFlavour()).empty();
                         })),
                         RowCaseName());

} // namespace
