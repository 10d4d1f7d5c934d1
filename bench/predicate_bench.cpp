// Point in polygon, area, centroid and polygon against polygon: the methods of PolygonF called
// through their registered function pointers, against Boost.Geometry on the same polygons.
#include <benchmark/benchmark.h>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

#include <memory>

#include "bench.h"

namespace bench {
namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;

BPolygon boostPolygon(const Corners& corners) {
  BPolygon p;
  for (const XY& c : corners) bg::append(p.outer(), BPoint(c.x, c.y));
  bg::correct(p); // closes the ring and turns it the way Boost expects
  return p;
}

using ContainsFn = bool (*)(REALobjectStruct*, double, double);
using AreaFn = double (*)(REALobjectStruct*);
using CentroidFn = REALobjectStruct* (*)(REALobjectStruct*);
using IntersectsFn = bool (*)(REALobjectStruct*, REALobjectStruct*);

struct Shape {
  Corners corners;
  REALobjectStruct* polygon;
  BPolygon boost;
  explicit Shape(Corners c)
      : corners(std::move(c)), polygon(makePolygon(corners)), boost(boostPolygon(corners)) {}
};

// A star of n corners and points strewn over its bounding box; fewer points for larger stars.
struct PipCase {
  Shape shape;
  std::vector<XY> points;
  explicit PipCase(int n)
      : shape(star(n / 2, 0, 0, 100, 60)), points(probePoints(n <= 10     ? 1024
                                                              : n <= 1000 ? 256
                                                                          : 16,
                                                              -100, -100, 100, 100)) {}
};

struct PairCase {
  Shape a, b;
};

void registerPip(int n) {
  static std::vector<std::unique_ptr<PipCase>> cases;
  PipCase* c = cases.emplace_back(std::make_unique<PipCase>(n)).get();
  static ContainsFn contains =
      nativeMethod<ContainsFn>("PolygonF", "Contains(x as Double, y as Double) as Boolean");
  int product = 0, boost = 0;
  for (const XY& p : c->points) {
    product += contains(c->shape.polygon, p.x, p.y);
    boost += bg::within(BPoint(p.x, p.y), c->shape.boost);
  }
  if (product != boost)
    note("pip/" + std::to_string(n) + ": " + std::to_string(product) + " points inside for " +
         "Tessaline, " + std::to_string(boost) + " for Boost.Geometry");
  std::string name = "pip/" + std::to_string(n);
  benchmark::RegisterBenchmark((name + "/Tessaline").c_str(), [c](benchmark::State& state) {
    for (auto _ : state)
      for (const XY& p : c->points) benchmark::DoNotOptimize(contains(c->shape.polygon, p.x, p.y));
  });
  benchmark::RegisterBenchmark((name + "/Boost").c_str(), [c](benchmark::State& state) {
    for (auto _ : state)
      for (const XY& p : c->points)
        benchmark::DoNotOptimize(bg::within(BPoint(p.x, p.y), c->shape.boost));
  });

  static AreaFn area = nativeMethod<AreaFn>("PolygonF", "Area() as Double");
  static CentroidFn centroid = nativeMethod<CentroidFn>("PolygonF", "FindCentroid() as PointF");
  name = "area/" + std::to_string(n);
  benchmark::RegisterBenchmark((name + "/Tessaline").c_str(), [c](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(area(c->shape.polygon));
  });
  benchmark::RegisterBenchmark((name + "/Boost").c_str(), [c](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(bg::area(c->shape.boost));
  });
  name = "centroid/" + std::to_string(n);
  benchmark::RegisterBenchmark((name + "/Tessaline").c_str(), [c](benchmark::State& state) {
    for (auto _ : state) host::releaseObject(centroid(c->shape.polygon)); // a new PointF
  });
  benchmark::RegisterBenchmark((name + "/Boost").c_str(), [c](benchmark::State& state) {
    for (auto _ : state) {
      BPoint p;
      bg::centroid(c->shape.boost, p);
      benchmark::DoNotOptimize(p);
    }
  });
}

// Two stars of n corners each (outer radius 1000, inner 800), their centres `distance` apart
// along the diagonal: at 1450 their boxes overlap but they do not meet; at 1060 they overlap.
void registerIntersects(int n, double distance, const char* label) {
  static std::vector<std::unique_ptr<PairCase>> cases;
  PairCase* c = cases
                    .emplace_back(std::make_unique<PairCase>(
                        PairCase{Shape(star(n / 2, 0, 0, 1000, 800)),
                                 Shape(star(n / 2, distance, distance, 1000, 800))}))
                    .get();
  static IntersectsFn intersects =
      nativeMethod<IntersectsFn>("PolygonF", "Intersects(poly as PolygonF) as Boolean");
  std::string name = "intersects/" + std::to_string(n) + " " + label;
  bool product = intersects(c->a.polygon, c->b.polygon);
  bool boost = bg::intersects(c->a.boost, c->b.boost);
  if (product != boost)
    note(name + ": Tessaline answers " + (product ? "True" : "False") + ", Boost.Geometry " +
         (boost ? "true" : "false"));
  benchmark::RegisterBenchmark((name + "/Tessaline").c_str(), [c](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(intersects(c->a.polygon, c->b.polygon));
  });
  benchmark::RegisterBenchmark((name + "/Boost").c_str(), [c](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(bg::intersects(c->a.boost, c->b.boost));
  });
}

} // namespace

void registerPredicateBenchmarks() {
  for (int n : {10, 1000, 100000}) registerPip(n);
  for (int n : {1000, 10000}) {
    registerIntersects(n, 1450, "apart");
    registerIntersects(n, 1060, "meeting");
  }
}

} // namespace bench
