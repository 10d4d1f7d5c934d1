// The benchmark suite's driver: loads Tessaline1 and Tessaline2 into the stand-in host, runs
// every contender with interleaved repetitions, and prints one table of medians and ratios
// with the goals, the machine's CPU model and its load.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "bench.h"

namespace bench {
namespace {

std::unique_ptr<host::Host> gHost;
std::vector<host::Value> gKept; // every polygon made for the benchmarks
std::vector<std::string> gNotes;

// "AMD EPYC (family 23, model 1)": the model name, and the family and model numbers that tell
// apart processors a virtual machine names alike.
std::string cpuModel() {
  std::ifstream in("/proc/cpuinfo");
  std::string name = "unknown CPU", family, model;
  for (std::string line; std::getline(in, line) && !line.empty();) {
    size_t colon = line.find(": ");
    std::string value = colon == std::string::npos ? "" : line.substr(colon + 2);
    if (line.rfind("model name", 0) == 0) name = value;
    if (line.rfind("cpu family", 0) == 0) family = value;
    if (line.rfind("model\t", 0) == 0) model = value;
  }
  return family.empty() ? name : name + " (family " + family + ", model " + model + ")";
}

std::string loadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one;
  in >> one;
  return one;
}

std::string duration(double ns) {
  char text[32];
  if (ns <= 0) return "-";
  if (ns < 1e3)
    std::snprintf(text, sizeof text, "%.1f ns", ns);
  else if (ns < 1e6)
    std::snprintf(text, sizeof text, "%.2f µs", ns / 1e3);
  else
    std::snprintf(text, sizeof text, "%.3f ms", ns / 1e6);
  return text;
}

std::string fixed(double v, int digits = 2) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", digits, v);
  return text;
}

// Keeps the median of every benchmark's repetitions; prints a dot per benchmark meanwhile.
class MedianReporter : public benchmark::BenchmarkReporter {
public:
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      medians_[run.run_name.str()] =
          run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
      std::cerr << "." << std::flush;
    }
  }
  // Median in nanoseconds; 0 when the benchmark did not run (filtered out).
  double ns(const std::string& name) const {
    auto it = medians_.find(name);
    return it == medians_.end() ? 0 : it->second;
  }

private:
  std::map<std::string, double> medians_;
};

double ratio(double a, double b) {
  return a > 0 && b > 0 ? a / b : 0;
}
std::string shown(double r) {
  return r > 0 ? fixed(r) : "-";
}
std::string verdict(double r, double goal) {
  return r <= 0 ? "-" : r <= goal ? "met" : "missed";
}

void printTable(const MedianReporter& m, const std::string& loadBefore, int repetitions) {
  std::ostringstream out;
  out << "CPU: " << cpuModel() << " (" << std::thread::hardware_concurrency()
      << " threads); load average " << loadBefore << " before, " << loadAverage()
      << " after; medians of the CPU time of " << repetitions << " interleaved repetitions\n\n";

  out << "| raster fill | Tessaline | cairo | memset | Tessaline/cairo | Tessaline/memset | goal "
         "|\n|---|---:|---:|---:|---:|---:|---|\n";
  std::map<std::string, double> summary;
  for (const FillWorkload& w : fillWorkloads()) {
    std::string base = "fill/" + w.name + "/";
    double t = m.ns(base + "Tessaline"), c = m.ns(base + "cairo"), s = m.ns(base + "memset");
    double rc = ratio(t, c), rs = ratio(t, s);
    bool large = w.name == "W1" || w.name == "W2";
    double goal = large ? 0.8 : 0.5;
    std::string g = "cairo ≤ " + fixed(goal, 1) + ": " + verdict(rc, goal);
    if (large) g += "; memset ≤ 1.2: " + verdict(rs, 1.2);
    out << "| " << w.name << " " << w.what << " | " << duration(t) << " | " << duration(c) << " | "
        << duration(s) << " | " << shown(rc) << " | " << shown(rs) << " | " << g << " |\n";
    summary[w.name] = rc;
  }

  out << "\n| predicate | Tessaline | Boost.Geometry | Tessaline/Boost | goal |\n"
         "|---|---:|---:|---:|---|\n";
  double worstPip = 0, worstIntersects = 0;
  auto row = [&](const std::string& name, const std::string& what, double goal) {
    double t = m.ns(name + "/Tessaline"), b = m.ns(name + "/Boost"), r = ratio(t, b);
    out << "| " << what << " | " << duration(t) << " | " << duration(b) << " | " << shown(r)
        << " | " << (goal > 0 ? "≤ " + fixed(goal) + ": " + verdict(r, goal) : "") << " |\n";
    return r;
  };
  for (int n : {10, 1000, 100000}) {
    std::string points = n <= 10 ? "1024" : n <= 1000 ? "256" : "16";
    worstPip = std::max(worstPip, row("pip/" + std::to_string(n),
                                      "point in polygon (within), " + std::to_string(n) +
                                          " corners, " + points + " points",
                                      0.25));
  }
  for (int n : {1000, 10000})
    for (const char* how : {"apart", "meeting"})
      worstIntersects =
          std::max(worstIntersects, row("intersects/" + std::to_string(n) + " " + how,
                                        "polygon against polygon (intersects), two " +
                                            std::to_string(n) + "-corner stars, " + how,
                                        1.0));
  for (int n : {10, 1000, 100000})
    row("area/" + std::to_string(n), "area, " + std::to_string(n) + " corners", 0);
  for (int n : {10, 1000, 100000})
    row("centroid/" + std::to_string(n),
        "centroid (a new PointF for Tessaline), " + std::to_string(n) + " corners", 0);

  for (const std::string& n : gNotes) out << "\nNote: " << n << "\n";
  out << "\nratios:";
  for (const char* w : {"W1", "W2", "W3", "W4", "W5"}) out << " " << w << "=" << shown(summary[w]);
  out << " pip=" << shown(worstPip) << " intersects=" << shown(worstIntersects) << "\n";
  std::cerr << "\n";
  std::cout << out.str();
}

} // namespace

host::Host& theHost() {
  return *gHost;
}

REALobjectStruct* makePolygon(const Corners& corners) {
  using AddFn = void (*)(REALobjectStruct*, double, double);
  static AddFn add = nativeMethod<AddFn>("PolygonF", "Add(x as Double,y as Double)");
  host::Value p = gHost->create("PolygonF");
  for (const XY& c : corners) add(p.object(), c.x, c.y);
  gKept.push_back(p);
  return p.object();
}

void note(const std::string& line) {
  gNotes.push_back(line);
}

} // namespace bench

int main(int argc, char** argv) {
  // Defaults that a command-line flag of the same name overrides.
  std::vector<std::string> defaults = {"--benchmark_repetitions=15",
                                       "--benchmark_enable_random_interleaving=true",
                                       "--benchmark_min_time=0.05"};
  std::vector<char*> args(argv, argv + argc);
  for (std::string& d : defaults) {
    std::string flag = d.substr(0, d.find('=') + 1);
    if (std::none_of(args.begin() + 1, args.end(),
                     [&](const char* a) { return std::string(a).rfind(flag, 0) == 0; }))
      args.push_back(d.data());
  }
  int repetitions = 1;
  for (const char* a : args)
    if (std::string(a).rfind("--benchmark_repetitions=", 0) == 0) repetitions = std::atoi(a + 24);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());

  bench::gHost = std::make_unique<host::Host>();
  bench::gHost->load("Tessaline1");
  bench::gHost->load("Tessaline2");
  bench::registerFillBenchmarks();
  bench::registerPredicateBenchmarks();

  std::string loadBefore = bench::loadAverage();
  bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bench::printTable(reporter, loadBefore, repetitions);
  bench::gKept.clear();
  bench::gHost.reset();
  return 0;
}
