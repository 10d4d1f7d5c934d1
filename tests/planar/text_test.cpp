// The text of points and sizes: built from host strings with the host's Str, every
// intermediate string given back in turn, and nothing left alive.
#include "planar_test.h"

using namespace planar_testing;

namespace {

// Stand-ins for the host's string entries that log what the plug-in does with them and pass
// on to the host's own.
struct StringLog {
  REALproc build = nullptr, add = nullptr, unlock = nullptr;
  std::vector<std::string> events;
};
StringLog gLog;

REALstringStruct* loggedBuild(const char* bytes, int length) {
  gLog.events.push_back("build \"" + std::string(bytes, length) + "\"");
  return reinterpret_cast<REALstringStruct* (*)(const char*, int)>(gLog.build)(bytes, length);
}
REALstringStruct* loggedAdd(REALstringStruct* a, REALstringStruct* b) {
  gLog.events.push_back("add");
  return reinterpret_cast<REALstringStruct* (*)(REALstringStruct*, REALstringStruct*)>(gLog.add)(a,
                                                                                                 b);
}
void loggedUnlock(REALstringStruct* s) {
  gLog.events.push_back("unlock \"" + host::Host::text(s) + "\"");
  reinterpret_cast<void (*)(REALstringStruct*)>(gLog.unlock)(s);
}

class Text : public PlanarTest {};

TEST_F(Text, PointAndSizeReadAsTheHostWritesNumbers) {
  startPlanar();
  struct Case {
    const char* cls;
    double a, b;
    const char* text;
  };
  const Case cases[] = {
      {"PointF", 1.5, -2, "(1.5 ; -2)"},
      {"SizeF", 2, 3, "(2 ; 3)"},
      {"PointF", -0.0, 1e21, "(-0 ; 1e+21)"},
      {"SizeF", 0.1, 1.0 / 3, "(0.1 ; 0.3333333)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Value v = host().create(c.cls, {c.a, c.b});
    EXPECT_EQ(call(v, "Operator_Convert").asString(), c.text);
    EXPECT_EQ(host().liveStrings(), 0u);
  }
}

TEST_F(Text, EachPieceIsGivenBackAsSoonAsItIsAppended) {
  startPlanar(2019.0, [](host::Host& h) {
    gLog = StringLog{};
    gLog.build = host::Host::resolve("REALBuildString");
    gLog.add = host::Host::resolve("RuntimeAddString");
    gLog.unlock = host::Host::resolve("REALUnlockString");
    h.offerEntry("REALBuildString", reinterpret_cast<REALproc>(&loggedBuild));
    h.offerEntry("RuntimeAddString", reinterpret_cast<REALproc>(&loggedAdd));
    h.offerEntry("REALUnlockString", reinterpret_cast<REALproc>(&loggedUnlock));
  });
  Value p = point(1.5, -2);
  gLog.events.clear();
  EXPECT_EQ(call(p, "Operator_Convert").asString(), "(1.5 ; -2)");
  const std::vector<std::string> expected = {
      "build \"(\"",
      "add",
      "unlock \"(\"",
      "unlock \"1.5\"",
      "build \" ; \"",
      "add",
      "unlock \"(1.5\"",
      "unlock \" ; \"",
      "add",
      "unlock \"(1.5 ; \"",
      "unlock \"-2\"",
      "build \")\"",
      "add",
      "unlock \"(1.5 ; -2\"",
      "unlock \")\"",
  };
  EXPECT_EQ(gLog.events, expected);
  EXPECT_EQ(host().liveStrings(), 0u);
}

// Without one of its string functions the text cannot be built: the result is empty (Nil when
// not even an empty string can be built), no string is left alive, and the missing function is
// never called.
TEST_F(Text, MissingStringFunctionsGiveAnEmptyText) {
  struct Case {
    const char* entry;
    bool nil;
  };
  for (const Case& c : {Case{"REALBuildString", true}, Case{"RuntimeAddString", false},
                        Case{"REALUnlockString", false}}) {
    SCOPED_TRACE(c.entry);
    host::Host& h = startPlanar(2019.0, [&](host::Host& h) { h.removeEntry(c.entry); });
    for (Value v : {point(1.5, -2), size(2, 3)}) {
      Value text = call(v, "Operator_Convert");
      if (c.nil)
        EXPECT_TRUE(text.isNil()) << text.describe();
      else
        EXPECT_EQ(text.asString(), "");
    }
    EXPECT_EQ(h.liveStrings(), 0u);
    EXPECT_EQ(h.liveObjects(), 0u);
    EXPECT_TRUE(h.violations().empty());
  }
  startPlanar(2019.0,
              [](host::Host& h) { h.removeGlobalMethod("Str(number as Double) as String"); });
  EXPECT_EQ(call(point(1.5, -2), "Operator_Convert").asString(), "");
}

} // namespace
