// Host threads making their first calls at the same moment on one loaded set of libraries, then
// calling on: every lazily filled cache is written by several threads at once (the bridge's
// bound entries, class references found by name, drawing methods loaded by declaration, the
// NilObjectException class), and every thread must still see correct results. Run under
// ThreadSanitizer (preset tsan), which must report nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <latch>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/catalog.h"
#include "support/deliverables.h"
#include "support/plugin_test.h"

using namespace testing_support;
using host::Value;

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 4;      // each with a fresh host, so every cache starts empty
constexpr int kIterations = 12; // calls of every step after the first

// Starts `threads` threads at the same moment on `body(thread)` and collects what they report.
std::vector<std::string> together(int threads,
                                  const std::function<void(int, std::vector<std::string>&)>& body) {
  std::latch start(threads);
  std::vector<std::vector<std::string>> reports(threads);
  std::vector<std::thread> running;
  for (int t = 0; t < threads; ++t)
    running.emplace_back([&, t] {
      start.arrive_and_wait();
      body(t, reports[t]);
    });
  for (std::thread& t : running) t.join();
  std::vector<std::string> all;
  for (auto& r : reports) all.insert(all.end(), r.begin(), r.end());
  return all;
}

// ---- class methods ---------------------------------------------------------------------------

// One call of Xojo code and what it must give; "" when it gave that.
using Step = std::function<std::string(host::Host&)>;

struct NamedStep {
  const char* name;
  Step step;
};

std::string expectPair(host::Host& h, const Value& v, const char* a, const char* b, double x,
                       double y) {
  if (!v.isObject()) return "no object";
  double gx = h.get(v, a).asDouble(), gy = h.get(v, b).asDouble();
  if (gx != x || gy != y)
    return "(" + std::to_string(gx) + ", " + std::to_string(gy) + ") instead of (" +
           std::to_string(x) + ", " + std::to_string(y) + ")";
  return "";
}

std::string expectNil(host::Host& h, const Value& result, const Value& neutral) {
  if (h.lastException() != "NilObjectException") return "no NilObjectException";
  if (result.describe() != neutral.describe()) return "gave " + result.describe();
  return "";
}

const host::MethodInfo& method(host::Host& h, const char* cls, const char* declaration) {
  for (const host::MethodInfo& m : h.findClass(cls)->methods)
    if (m.declaration.text == declaration) return m;
  throw std::logic_error(std::string("no ") + cls + "." + declaration);
}

// Calls that each make a first use of something the libraries fill lazily.
std::vector<NamedStep> classSteps() {
  return {
      {"PointF + PointF",
       [](host::Host& h) {
         Value p = h.create("PointF", {1.5, -2.0});
         return expectPair(h, h.call(p, "Operator_Add", {p}), "x", "y", 3.0, -4.0);
       }},
      {"PointF as text",
       [](host::Host& h) {
         Value text = h.call(h.create("PointF", {1.5, -2.0}), "Operator_Convert");
         return text.asString() == "(1.5 ; -2)" ? "" : "gave " + text.describe();
       }},
      {"PointF.Distance(Nil)",
       [](host::Host& h) {
         return expectNil(h, h.call(h.create("PointF"), "Distance", {Value::nil()}), 0.0);
       }},
      {"PointF from a Xojo.Core.Point",
       [](host::Host& h) {
         Value p = h.create("PointF");
         h.invoke(p, method(h, "PointF", "Operator_Convert(value as Xojo.Core.Point)"),
                  {h.newCoreObject("Xojo.Core.Point", {{"X", 3}, {"Y", 4}})});
         return expectPair(h, p, "x", "y", 3.0, 4.0);
       }},
      {"-SizeF",
       [](host::Host& h) {
         Value s = h.call(h.create("SizeF", {2.0, 3.0}), "Operator_Negate");
         return expectPair(h, s, "Width", "Height", -2.0, -3.0);
       }},
      {"RectF.Union",
       [](host::Host& h) {
         Value u = h.call(h.create("RectF", {0.0, 0.0, 2.0, 2.0}), "Union",
                          {h.create("RectF", {1.0, 1.0, 3.0, 4.0})});
         std::string e = expectPair(h, u, "Left", "Top", 0.0, 0.0);
         return e.empty() ? expectPair(h, u, "Right", "Bottom", 3.0, 4.0) : e;
       }},
      {"RectF.Draw(Graphics)",
       [](host::Host& h) {
         h.call(h.create("RectF", {0.0, 0.0, 2.0, 2.0}), "Draw", {h.newGraphics()});
         return std::string();
       }},
      {"RectF.Fill(WebGraphics)",
       [](host::Host& h) {
         h.call(h.create("RectF", {0.0, 0.0, 2.0, 2.0}), "Fill", {h.newWebGraphics()});
         return std::string();
       }},
      {"LineF.GetCenter",
       [](host::Host& h) {
         Value c = h.call(h.create("LineF", {0.0, 0.0, 4.0, 2.0}), "GetCenter");
         return expectPair(h, c, "x", "y", 2.0, 1.0);
       }},
      {"LineF.Intersects(LineF, PointF)",
       [](host::Host& h) {
         Value at = h.create("PointF");
         Value crosses = h.call(h.create("LineF", {0.0, 0.0, 4.0, 4.0}), "Intersects",
                                {h.create("LineF", {0.0, 4.0, 4.0, 0.0}), at});
         if (!crosses.asBoolean()) return std::string("no crossing");
         Value x = h.get(at, "x"), y = h.get(at, "y");
         return std::fabs(x.asDouble() - 2) < 1e-12 && std::fabs(y.asDouble() - 2) < 1e-12
                    ? std::string()
                    : "crossing at " + x.describe() + ", " + y.describe();
       }},
      {"LineF.Draw(Graphics), Draw(WebGraphics)",
       [](host::Host& h) {
         Value l = h.create("LineF", {0.5, 1.5, 2.5, 3.5});
         h.call(l, "Draw", {h.newGraphics()});
         h.call(l, "Draw", {h.newWebGraphics()});
         return std::string();
       }},
      {"LineF.Intersects(Nil)",
       [](host::Host& h) {
         return expectNil(h, h.call(h.create("LineF"), "Intersects", {Value::nil()}), false);
       }},
      {"PolygonF(RectF).Area",
       [](host::Host& h) {
         Value p = h.create("PolygonF", {h.create("RectF", {0.0, 0.0, 4.0, 2.0})});
         Value area = h.call(p, "Area");
         return area.asDouble() == -8.0 ? "" : "area " + area.describe();
       }},
      {"PolygonF.Bounds",
       [](host::Host& h) {
         Value p = h.create("PolygonF");
         h.call(p, "Add", {1.0, 2.0});
         h.call(p, "Add", {h.create("PointF", {5.0, -1.0})});
         Value b = h.call(p, "Bounds");
         std::string e = expectPair(h, b, "Left", "Top", 1.0, -1.0);
         return e.empty() ? expectPair(h, b, "Right", "Bottom", 5.0, 2.0) : e;
       }},
      {"PolygonF.Clone, VecNorm",
       [](host::Host& h) {
         Value p = h.create("PolygonF", {h.create("RectF", {1.0, 2.0, 4.0, 6.0})});
         Value offset = h.create("PointF");
         Value moved = h.call(h.get(p, "Clone"), "VecNorm", {offset});
         if (h.get(moved, "CornerCount").asInteger() != 4) return std::string("corners lost");
         return expectPair(h, offset, "x", "y", -1.0, -2.0);
       }},
      {"PolygonF.Intersects(LineF)",
       [](host::Host& h) {
         Value p = h.create("PolygonF", {h.create("RectF", {0.0, 0.0, 4.0, 4.0})});
         Value crosses = h.call(p, "Intersects", {h.create("LineF", {-1.0, 2.0, 5.0, 2.5})});
         return crosses.asBoolean() ? "" : std::string("no crossing");
       }},
      {"PolygonF.Rotate(90)",
       [](host::Host& h) {
         Value p = h.create("PolygonF", {h.create("RectF", {0.0, 0.0, 4.0, 2.0})});
         h.call(p, "Rotate", {90.0});
         Value b = h.call(p, "Bounds");
         double width = h.get(b, "Width").asDouble(), height = h.get(b, "Height").asDouble();
         return std::fabs(width - 2) < 1e-5 && std::fabs(height - 4) < 1e-5
                    ? std::string()
                    : "turned into " + std::to_string(width) + " x " + std::to_string(height);
       }},
      {"PolygonF drawing on Graphics and WebGraphics",
       [](host::Host& h) {
         Value p = h.create("PolygonF", {h.create("RectF", {0.0, 0.0, 4.0, 2.0})});
         Value g = h.newGraphics(), web = h.newWebGraphics();
         for (const char* name : {"Draw", "Fill", "DrawPath"}) {
           h.call(p, name, {g});
           h.call(p, name, {web});
         }
         return std::string();
       }},
      {"VectorF_3D + VectorF_3D, Clone",
       [](host::Host& h) {
         Value v = h.create("VectorF_3D", {1.0, 2.0, 3.0});
         Value sum = h.call(h.get(v, "Clone"), "Operator_Add", {v});
         std::string e = expectPair(h, sum, "x", "y", 2.0, 4.0);
         return e.empty() && h.get(sum, "z").asDouble() != 6.0 ? "z" : e;
       }},
      {"VectorF_3D.Distance(Nil)",
       [](host::Host& h) {
         return expectNil(h, h.call(h.create("VectorF_3D"), "Distance", {Value::nil()}), 0.0);
       }},
  };
}

// Drawing calls each run of every step makes, by the host's record of them.
const std::map<std::string, int> kDrawsPerRun = {
    {"DrawRect(x as Double,y as Double,width as Double,height as Double)", 1},
    {"FillRect(x as Integer,y as Integer,width as Integer,height as Integer)", 1},
    {"DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double)", 1 + 3},
    {"DrawLine(x1 as Integer,y1 as Integer,x2 as Integer,y2 as Integer)", 1 + 3},
    {"DrawPolygon(point() as Double)", 1},
    {"DrawPolygon(point() as Integer)", 1},
    {"FillPolygon(point() as Integer)", 2},
};

class ConcurrentFirstCalls : public PluginTest {};

TEST_F(ConcurrentFirstCalls, ClassMethodsFromManyThreads) {
  if (!isBuilt("Tessaline1") || !isBuilt("Tessaline2") || !isBuilt("Tessaline3"))
    GTEST_SKIP() << "needs Tessaline1, Tessaline2 and Tessaline3";
  const std::vector<NamedStep> steps = classSteps();
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    host::Host& h = start({"Tessaline1", "Tessaline2", "Tessaline3"});
    std::vector<std::string> failures =
        together(kThreads, [&](int t, std::vector<std::string>& report) {
          // Each thread starts at another step, so that different first uses meet, then calls on.
          for (int i = 0; i <= kIterations; ++i)
            for (size_t k = 0; k < steps.size(); ++k) {
              const NamedStep& s = steps[(k + 3 * t) % steps.size()];
              std::string wrong = s.step(h);
              if (!wrong.empty()) report.push_back(std::string(s.name) + ": " + wrong);
            }
        });
    for (const std::string& f : failures) ADD_FAILURE() << f;

    std::map<std::string, int> draws;
    for (const host::DrawCall& d : h.drawLog()) ++draws[d.declaration];
    const int runs = kThreads * (kIterations + 1);
    for (const auto& [declaration, perRun] : kDrawsPerRun)
      EXPECT_EQ(draws[declaration], perRun * runs) << declaration;
    EXPECT_EQ(draws.size(), kDrawsPerRun.size());
  }
}

// ---- the bridge's wrappers -------------------------------------------------------------------

class ConcurrentWrapperCalls : public PluginTest,
                               public ::testing::WithParamInterface<Deliverable> {};

// Every table-driven wrapper whose entry the library did not bind while starting, its entry
// offered by a recording probe: threads bind each one at once, then call on, and every call
// reaches the probe with the wrapper's arguments and comes back with the probe's answer.
TEST_P(ConcurrentWrapperCalls, EveryWrapperFromManyThreads) {
  const Deliverable& d = GetParam();
  const bool apple = d.appleFlavour();
  host::Host& h = start({});
  h.load(d.name);
  const std::vector<std::string> boundAtStart = h.lookupLog();

  struct Call {
    const WrapperRow* row;
    const Scenario* scenario;
    void* address;
  };
  std::vector<Call> calls;
  std::set<std::string> offered;
  for (const WrapperRow& row : catalogRows()) {
    if (!row.in(d.profile) || row.kind == Kind::Overload) continue;
    for (const Scenario& s : row.scenarios(apple)) {
      // One scenario per row, on this host's version, for an entry no other row uses.
      if (s.version != std::optional<double>(2019.0) || !s.probe) continue;
      if (offered.count(s.entry) || (!s.fallback.empty() && offered.count(s.fallback))) continue;
      if (std::count(boundAtStart.begin(), boundAtStart.end(), s.entry)) continue;
      h.offerEntry(s.entry, s.probe);
      offered.insert(s.entry);
      if (!s.fallback.empty()) offered.insert(s.fallback);
      calls.push_back({&row, &s, h.symbol(d.name, row.symbol.c_str())});
      ASSERT_NE(calls.back().address, nullptr) << row.symbol;
      break;
    }
  }
  ASSERT_GT(calls.size(), 50u);

  std::vector<std::string> failures =
      together(kThreads, [&](int t, std::vector<std::string>& report) {
        for (int i = 0; i <= kIterations; ++i)
          for (size_t k = 0; k < calls.size(); ++k) {
            const Call& c = calls[(k + 7 * t) % calls.size()];
            probeCalls().clear();
            uint64_t result = c.scenario->call(c.address, Samples::Distinct);
            if (result != c.scenario->answered)
              report.push_back(c.row->symbol + ": an answer of " + std::to_string(result));
            if (probeCalls() != c.scenario->expected)
              report.push_back(c.row->symbol + ": the host saw other arguments");
          }
      });
  for (const std::string& f : failures) ADD_FAILURE() << f;
  // Every entry was asked for, and then kept.
  for (const Call& c : calls) {
    int asked = h.lookups(c.scenario->entry);
    EXPECT_GE(asked, 1) << c.row->symbol;
    EXPECT_LE(asked, kThreads) << c.row->symbol << ": a found entry is asked for again";
  }
}

INSTANTIATE_TEST_SUITE_P(Built, ConcurrentWrapperCalls, ::testing::ValuesIn(builtDeliverables()),
                         DeliverableName());

} // namespace
