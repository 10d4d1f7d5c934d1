// Start-up of Tessaline1 across host versions: what it looks up, which class tables it
// declares, and in which order it registers its classes.
#include "planar_test.h"

using namespace planar_testing;

namespace {

constexpr const char* kStr = "Str(number as Double) as String";

struct Gate {
  const char* name;
  std::optional<double> version; // nullopt: the host has no version entry
  bool legacyDrawing;            // legacy drawing entries bound at start-up
  bool xojoCore;                 // the conversions from Xojo.Core types declared
};

const Gate kGates[] = {
    {"NoVersion", std::nullopt, true, false}, {"V2007_02", 2007.02, true, false},
    {"V2010_04", 2010.04, false, false},      {"V2015", 2015.0, false, true},
    {"V2018_02", 2018.02, false, true},       {"V100", 100.0, false, true},
};

void PrintTo(const Gate& gate, std::ostream* os) {
  *os << gate.name;
}

class Gates : public PlanarTest, public ::testing::WithParamInterface<Gate> {};

TEST_P(Gates, StartUpLooksUpExactlyWhatTheVersionNeeds) {
  host::Host& h = startPlanar(GetParam().version);
  std::vector<std::string> expected = {
      "RegisterPluginVersion", "REALGetRBVersion",     "REALBuildString",     "REALUnlockString",
      "RuntimeAddString",      "REALLoadObjectMethod", "REALLoadGlobalMethod"};
  if (GetParam().legacyDrawing) {
    expected.push_back("RuntimeGraphicsFillRect");
    expected.push_back("RuntimeGraphicsDrawRect");
  }
  expected.push_back("PluginRegisterClass");
  EXPECT_EQ(h.lookupLog(), expected);
}

TEST_P(Gates, OldHostsDoNotSeeTheXojoCoreConversions) {
  host::Host& h = startPlanar(GetParam().version);
  struct Expected {
    const char* cls;
    size_t methods;
    const char* conversion;
  };
  const size_t withheld = GetParam().xojoCore ? 0 : 1;
  const Expected classes[] = {
      {"PointF", 12 - withheld, "Operator_Convert(value as Xojo.Core.Point)"},
      {"SizeF", 7 - withheld, "Operator_Convert(value as Xojo.Core.Size)"},
      {"RectF", 20 - withheld, "Operator_Convert(value as Xojo.Core.Rect)"},
  };
  std::vector<const host::ClassInfo*> order = h.registrationOrder();
  ASSERT_EQ(order.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const Expected& e = classes[i];
    SCOPED_TRACE(e.cls);
    const host::ClassInfo& c = *order[i];
    EXPECT_EQ(c.name, e.cls) << "registered in the order PointF, SizeF, RectF";
    EXPECT_EQ(c.flagsAtRegistration, 4u);
    EXPECT_EQ(c.methods.size(), e.methods);
    EXPECT_EQ(c.record->methodCount, XojoInteger(e.methods));
    bool declared = false;
    for (const host::MethodInfo& m : c.methods) declared |= m.declaration.text == e.conversion;
    EXPECT_EQ(declared, GetParam().xojoCore);
  }
  // The conversion is unknown to Xojo code on an old host, and works on a current one.
  Value p = point(7, 7);
  Value core = h.newCoreObject("Xojo.Core.Point", {{"X", 1.5}, {"Y", -2.0}});
  if (GetParam().xojoCore) {
    call(p, "Operator_Convert", {core});
    EXPECT_SAME_PAIR(readPoint(p), (Pair{1.5, -2}));
  } else {
    EXPECT_THROW(call(p, "Operator_Convert", {core}), host::Error);
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, Gates, ::testing::ValuesIn(kGates),
                         [](const auto& info) { return std::string(info.param.name); });

// Old hosts may offer Str only as the runtime entry "StringStr"; later hosts are not asked.
TEST_F(PlanarTest, StringStrStandsInForStrOnlyOnOldHosts) {
  struct Case {
    double version;
    int stringStrLookups;
    const char* text;
  };
  for (const Case& c : {Case{2007.02, 1, "(1.5 ; -2)"}, Case{2010.04, 0, ""}}) {
    SCOPED_TRACE(c.version);
    host::Host& h = startPlanar(c.version, [](host::Host& h) { h.removeGlobalMethod(kStr); });
    EXPECT_EQ(h.lookups("StringStr"), c.stringStrLookups);
    EXPECT_EQ(call(point(1.5, -2), "Operator_Convert").asString(), c.text);
    EXPECT_EQ(h.liveStrings(), 0u);
    EXPECT_EQ(h.liveObjects(), 0u);
  }
}

// A host without a global-method loader cannot give Str: the entry survives and the text is
// empty.
TEST_F(PlanarTest, NoGlobalMethodLoader) {
  startPlanar(2019.0, [](host::Host& h) { h.removeEntry("REALLoadGlobalMethod"); });
  EXPECT_EQ(host().registrationOrder().size(), 3u);
  EXPECT_EQ(call(point(1.5, -2), "Operator_Convert").asString(), "");
}

} // namespace
