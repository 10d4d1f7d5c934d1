// The raster fill and Intersects(poly) against their plain definitions, written out here:
// every edge tested on every row with the crossings sorted by exchanges, and every pair of edges
// put to the segment crossing test. Thousands of random polygons of every kind (convex, star,
// self-crossing, beyond the buffer, with repeated corners, huge, tiny, infinite and NaN
// coordinates, crossings on whole numbers, edges that touch or nearly touch) must give the same
// bytes in the whole buffer, guard words included, and the same Booleans.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "lines_test.h"

namespace lines_tests {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

int64_t truncated(double v) { // toward zero, saturating, NaN to 0
  if (v != v) return 0;
  if (v >= 0x1p63) return INT64_MAX;
  if (v < -0x1p63) return INT64_MIN;
  return static_cast<int64_t>(v);
}

// --- the plain definitions --------------------------------------------------------------------

void referenceFill(const Corners& c, uint8_t* buffer, int width, int height, int stride,
                   uint32_t value) {
  if (c.empty() || width < 2 || height < 1) return;
  double left = c[0].x, right = c[0].x, top = c[0].y, bottom = c[0].y;
  for (const XY& p : c) {
    if (p.x > right) right = p.x;
    if (left > p.x) left = p.x;
    if (p.y > bottom) bottom = p.y;
    if (top > p.y) top = p.y;
  }
  int64_t first = truncated(std::max(top - 1, 0.0));
  int64_t end = truncated(bottom + 1 < height ? bottom + 1 : height);
  double R = static_cast<double>(truncated(right + 1 < width ? right + 1 : width));
  double L = static_cast<double>(truncated(std::max(left - 1, 0.0)));
  for (int64_t r = first; r < end; ++r) {
    double y = static_cast<double>(r);
    std::vector<double> x;
    for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++)
      if ((c[i].y < y && c[j].y >= y) || (c[j].y < y && c[i].y >= y))
        x.push_back(c[i].x + ((y - c[i].y) / (c[j].y - c[i].y)) * (c[j].x - c[i].x));
    size_t i = 0;
    while (i + 1 < x.size()) {
      if (x[i] > x[i + 1]) {
        std::swap(x[i], x[i + 1]);
        if (i > 0) --i;
      } else {
        ++i;
      }
    }
    auto* row = reinterpret_cast<uint32_t*>(buffer + r * static_cast<ptrdiff_t>(stride));
    for (size_t k = 0; k + 1 < x.size(); k += 2) {
      double s = x[k], e = x[k + 1];
      if (s >= R) break;
      if (e <= L) continue;
      if (s < L) s = L;
      if (e > R) e = R;
      for (int64_t px = truncated(s); px < e - 1; ++px) row[px] = value;
    }
  }
}

bool referenceSegmentsCross(XY A, XY B, XY E, XY F) {
  if (A == B || E == F || A == E || B == E || A == F || B == F) return false;
  double bx = B.x - A.x, by = B.y - A.y, ex = E.x - A.x, ey = E.y - A.y, fx = F.x - A.x,
         fy = F.y - A.y;
  double l = std::sqrt(bx * bx + by * by);
  double cos = bx / l, sin = by / l;
  double eyT = ey * cos - ex * sin, fyT = fy * cos - fx * sin;
  if (eyT == fyT) return false;
  if (eyT < 0 && fyT < 0) return false;
  if (eyT >= 0 && fyT >= 0) return false;
  double exT = ex * cos + ey * sin, fxT = fx * cos + fy * sin;
  double pos = fxT + fyT * (exT - fxT) / (fyT - eyT);
  return !(pos < 0 || pos > l);
}

bool referenceContains(const Corners& c, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++)
    if ((c[i].y < y && c[j].y >= y) || (c[j].y < y && c[i].y >= y))
      if (c[i].x + ((y - c[i].y) / (c[j].y - c[i].y)) * (c[j].x - c[i].x) < x) inside = !inside;
  return !c.empty() && inside;
}

// Every edge of a (closing edge included) as the first segment against every edge of b.
bool referenceIntersects(const Corners& a, const Corners& b) {
  size_t n = a.size(), m = b.size();
  if (n < 1 || m < 1) return false;
  if (n == 1) return referenceContains(b, a[0].x, a[0].y);
  if (m == 1) return referenceContains(a, b[0].x, b[0].y);
  for (size_t k = 0; k < n; ++k)
    for (size_t l = 0; l < m; ++l)
      if (referenceSegmentsCross(a[k], a[(k + 1) % n], b[l], b[(l + 1) % m])) return true;
  return referenceContains(a, b[0].x, b[0].y) || referenceContains(b, a[0].x, a[0].y);
}

// --- random polygons --------------------------------------------------------------------------

class Shapes {
public:
  explicit Shapes(unsigned seed) : random_(seed) {}

  double uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(random_); }
  int integer(int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(random_); }
  bool chance(double p) { return uniform(0, 1) < p; }

  Corners regular(int n, double cx, double cy, double r, double r2) {
    Corners c;
    double turn = uniform(0, 6.283185307179586);
    for (int k = 0; k < n; ++k) {
      double angle = turn + 6.283185307179586 * k / n, radius = k % 2 ? r2 : r;
      c.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
    }
    if (chance(0.5)) std::reverse(c.begin(), c.end());
    return c;
  }
  Corners scattered(int n, double x0, double x1, double y0, double y1) {
    Corners c;
    for (int k = 0; k < n; ++k) c.push_back({uniform(x0, x1), uniform(y0, y1)});
    return c;
  }
  // Corners on whole or half numbers: crossings on pixel boundaries, equal crossings, corners
  // on rows, horizontal edges.
  Corners grid(int n, int size, double step) {
    Corners c;
    for (int k = 0; k < n; ++k)
      c.push_back({integer(-2, size + 2) * step, integer(-2, size + 2) * step});
    return c;
  }
  // Zig-zags over a few rows: many crossings a row, in an order that changes from row to row.
  Corners flat(int n, double width) {
    Corners c;
    for (int k = 0; k < n; ++k) c.push_back({uniform(-10, width + 10), uniform(0, 4)});
    return c;
  }

  // Repeats some corners in place and some runs of corners.
  void repeatCorners(Corners& c) {
    for (int times = integer(1, 3); times > 0 && !c.empty(); --times) {
      size_t at = integer(0, static_cast<int>(c.size()) - 1);
      c.insert(c.begin() + at, c[at]);
    }
    if (c.size() > 3 && chance(0.3)) {
      size_t at = integer(0, static_cast<int>(c.size()) - 3);
      c.insert(c.begin() + at, c.begin() + at, c.begin() + at + 3);
    }
  }
  // Replaces a few coordinates by extreme values.
  void spoil(Corners& c) {
    static const double extremes[] = {kNaN,     kInf,   -kInf,   1e300,   -1e300, 1.7e308,
                                      -1.7e308, 1e-300, -1e-300, 5e-324,  -0.0,   3e9,
                                      -3e9,     1e15,   0x1p501, -0x1p501};
    for (int times = integer(1, 3); times > 0 && !c.empty(); --times) {
      XY& p = c[integer(0, static_cast<int>(c.size()) - 1)];
      (chance(0.5) ? p.x : p.y) = extremes[integer(0, std::size(extremes) - 1)];
    }
  }

private:
  std::mt19937 random_;
};

// A sliver along the edge A-B, and a polygon beyond B whose first edge E-F is tiny and crosses
// the line through A and B a few rounding errors before or after B. The crossing test may
// report such a pair as crossing although their boxes do not touch; nothing else meets.
void nearMiss(Shapes& shapes, Corners& a, Corners& b) {
  XY A{shapes.uniform(-100, 100), shapes.uniform(-100, 100)};
  XY B{shapes.uniform(-100, 100), shapes.uniform(-100, 100)};
  XY along{B.x - A.x, B.y - A.y}, side{A.y - B.y, B.x - A.x};
  double t = shapes.uniform(-1, 1) * std::ldexp(1.0, -shapes.integer(46, 54));
  double d = shapes.uniform(0.1, 1) * std::ldexp(1.0, -shapes.integer(40, 60));
  XY P{B.x + t * along.x, B.y + t * along.y};
  a = {A, B};
  for (int k = 20; k >= 0; --k) // back to A on one side
    a.push_back(
        {A.x + k / 20.0 * along.x + 0.05 * side.x, A.y + k / 20.0 * along.y + 0.05 * side.y});
  double u = shapes.uniform(0.05, 1);
  b = {{P.x - d * side.x, P.y - d * side.y}, {P.x + u * d * side.x, P.y + u * d * side.y}};
  for (int k = 1; k <= 20; ++k) // away beyond B
    b.push_back({P.x + k * 0.02 * along.x, P.y + k * 0.02 * along.y + 0.001 * k * side.y});
}

// --- the raster fill --------------------------------------------------------------------------

using Differential = LinesTest;

// A buffer of height rows of `words` 32-bit words with guard rows around; rows run top-down,
// bottom-up (negative stride) or share one row (stride 0).
struct Buffer {
  static constexpr int kGuard = 2;
  int width, height, words, rows, stride;
  std::vector<uint32_t> memory;
  Buffer(int w, int h, int order)
      : width(w), height(h), words(std::max(w, 1) + 2), rows(order == 2 ? 1 : std::max(h, 1)),
        stride(order == 0   ? words * 4
               : order == 1 ? -words * 4
                            : 0),
        memory(static_cast<size_t>((rows + 2 * kGuard) * words), 0x5a5a5a5au) {}
  uint8_t* first() {
    int row = stride < 0 ? rows - 1 : 0;
    return reinterpret_cast<uint8_t*>(&memory[static_cast<size_t>((row + kGuard) * words)]);
  }
};

TEST_F(Differential, RasterFillPaintsWhatEveryEdgeOnEveryRowPaints) {
  lines::PolygonFFillFn fill = data(h().create("PolygonF")).fillToBuffer;
  Shapes shapes(20260101);
  int filled = 0;
  for (int round = 0; round < 16000; ++round) {
    int kind = round % 8;
    int width = shapes.chance(0.05) ? shapes.integer(-2, 3) : shapes.integer(2, 72);
    int height = shapes.chance(0.05) ? shapes.integer(-2, 3) : shapes.integer(1, 72);
    double w = std::max(width, 4), hh = std::max(height, 4);
    Corners c;
    switch (kind) {
    case 0: // convex, sometimes wider than the buffer
    {
      double r = shapes.uniform(0.3, 1.5 * w);
      c = shapes.regular(shapes.integer(3, 40), shapes.uniform(-w / 2, 1.5 * w),
                         shapes.uniform(-hh / 2, 1.5 * hh), r, r);
      break;
    }
    case 1: { // star
      double r = shapes.uniform(1, 1.2 * w);
      c = shapes.regular(2 * shapes.integer(3, 60), shapes.uniform(0, w), shapes.uniform(0, hh), r,
                         r * shapes.uniform(0.1, 0.95));
      break;
    }
    case 2: // self-crossing, corners beyond the buffer
      c = shapes.scattered(shapes.integer(3, 90), -w / 2, 1.5 * w, -hh / 2, 1.5 * hh);
      break;
    case 3: // on whole and half numbers
      c = shapes.grid(shapes.integer(3, 30), std::max(width, height), shapes.chance(0.5) ? 1 : 0.5);
      break;
    case 4: // many corners: the edge table comes from the heap
      c = shapes.scattered(shapes.integer(65, 160), -5, w + 5, -5, hh + 5);
      break;
    case 5: // crossings reorder from row to row
      c = shapes.flat(shapes.integer(20, 300), w);
      break;
    case 6: // repeated corners
      c = shapes.scattered(shapes.integer(3, 80), 0, w, 0, hh);
      shapes.repeatCorners(c);
      break;
    case 7: // huge, tiny, infinite and NaN coordinates
      c = shapes.chance(0.5) ? shapes.scattered(shapes.integer(3, 120), -w, 2 * w, -hh, 2 * hh)
                             : shapes.regular(shapes.integer(3, 12), w / 2, hh / 2, w / 2, w / 3);
      shapes.spoil(c);
      break;
    }
    std::vector<lines::PointFData> corners;
    for (const XY& p : c) corners.push_back({p.x, p.y});
    lines::PolygonFData block{static_cast<int64_t>(corners.size()),
                              static_cast<int64_t>(corners.size()), corners.data(), fill, nullptr};
    int order = shapes.integer(0, 2);
    Buffer product(width, height, order), reference(width, height, order);
    fill(&block, product.first(), width, height, product.stride, 0xff3366ccu);
    referenceFill(c, reference.first(), width, height, reference.stride, 0xff3366ccu);
    filled += std::any_of(product.memory.begin(), product.memory.end(),
                          [](uint32_t word) { return word != 0x5a5a5a5au; });
    if (product.memory != reference.memory) {
      ADD_FAILURE() << "kind " << kind << ", round " << round << ", " << width << " x " << height
                    << ", rows " << order << ": " << testing::PrintToString(c);
      return;
    }
  }
  EXPECT_GT(filled, 8000) << "most polygons paint something";
}

// Polygons large enough for the fill's working storage to come from the heap, on a buffer of
// realistic size.
TEST_F(Differential, RasterFillOfLargePolygons) {
  lines::PolygonFFillFn fill = data(h().create("PolygonF")).fillToBuffer;
  Shapes shapes(77);
  for (int round = 0; round < 20; ++round) {
    int width = 320, height = 240;
    Corners c = round % 4 == 0   ? shapes.regular(2000, 160, 120, 150, 110)
                : round % 4 == 1 ? shapes.scattered(600, -20, 340, -20, 260)
                : round % 4 == 2 ? shapes.flat(3000, 320)
                                 : shapes.scattered(300, 0, 320, 0, 240);
    if (round % 5 == 0) shapes.spoil(c);
    if (round % 3 == 0) shapes.repeatCorners(c);
    std::vector<lines::PointFData> corners;
    for (const XY& p : c) corners.push_back({p.x, p.y});
    lines::PolygonFData block{static_cast<int64_t>(corners.size()),
                              static_cast<int64_t>(corners.size()), corners.data(), fill, nullptr};
    Buffer product(width, height, 0), reference(width, height, 0);
    fill(&block, product.first(), width, height, product.stride, 7);
    referenceFill(c, reference.first(), width, height, reference.stride, 7);
    ASSERT_TRUE(product.memory == reference.memory) << "round " << round;
  }
}

// --- Intersects(poly) -------------------------------------------------------------------------

TEST_F(Differential, IntersectsAnswersWhatEveryPairOfEdgesAnswers) {
  using AddFn = void (*)(REALobjectStruct*, double, double);
  using IntersectsFn = bool (*)(REALobjectStruct*, REALobjectStruct*);
  auto add = reinterpret_cast<AddFn>(method("PolygonF", "Add(x as Double,y as Double)").function);
  auto intersects = reinterpret_cast<IntersectsFn>(
      method("PolygonF", "Intersects(poly as PolygonF) as Boolean").function);
  auto make = [&](const Corners& c) {
    Value p = h().create("PolygonF");
    for (const XY& corner : c) add(p.object(), corner.x, corner.y);
    return p;
  };

  Shapes shapes(4242);
  int meets = 0, apart = 0;
  for (int round = 0; round < 6000; ++round) {
    int kind = round % 9;
    Corners a, b;
    switch (kind) {
    case 0: // scattered, at random distances
      a = shapes.scattered(shapes.integer(2, 90), 0, 100, 0, 100);
      b = shapes.scattered(shapes.integer(2, 90), 0, 100, 0, 100);
      for (XY& p : b) p = {p.x + shapes.uniform(-150, 150), p.y + shapes.uniform(-1, 1) + 80};
      break;
    case 1: { // stars whose boxes overlap, apart or meeting
      double d = shapes.uniform(0.9, 1.6) * 100;
      a = shapes.regular(2 * shapes.integer(8, 60), 0, 0, 100, 60);
      b = shapes.regular(2 * shapes.integer(8, 60), d, d, 100, 60);
      break;
    }
    case 2: // on a grid: shared corners, edges along each other, corners on edges
      a = shapes.grid(shapes.integer(3, 40), 8, 1);
      b = shapes.grid(shapes.integer(3, 40), 8, 1);
      break;
    case 3: { // a copy moved by a hair, or one corner put on an edge of the other
      a = shapes.scattered(shapes.integer(3, 60), -50, 50, -50, 50);
      b = a;
      double hair = shapes.uniform(-1, 1) * std::ldexp(1.0, -shapes.integer(20, 60));
      for (XY& p : b) p = {p.x + hair, p.y - hair};
      if (shapes.chance(0.5)) {
        size_t k = shapes.integer(0, static_cast<int>(a.size()) - 1);
        const XY &p = a[k], &q = a[(k + 1) % a.size()];
        double t = shapes.uniform(0, 1);
        b = shapes.regular(shapes.integer(3, 30), 0, 0, 30, 30);
        for (XY& r : b) r = {r.x + 200, r.y};
        b[0] = {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
      }
      break;
    }
    case 4: // convex polygons just apart or just touching
      a = shapes.regular(shapes.integer(3, 50), 0, 0, 10, 10);
      b = shapes.regular(shapes.integer(3, 50), shapes.uniform(19.9, 20.1), 0, 10, 10);
      break;
    case 5: // one inside the other
      a = shapes.regular(shapes.integer(3, 80), 0, 0, 100, 100);
      b = shapes.regular(shapes.integer(3, 80), shapes.uniform(-20, 20), 0, 30, 20);
      if (shapes.chance(0.5)) std::swap(a, b);
      break;
    case 6: // huge, tiny, infinite and NaN coordinates
      a = shapes.scattered(shapes.integer(2, 60), 0, 100, 0, 100);
      b = shapes.scattered(shapes.integer(2, 60), 300, 400, 0, 100);
      shapes.spoil(shapes.chance(0.5) ? a : b);
      break;
    case 7: { // the same shapes scaled very small or very large
      a = shapes.regular(2 * shapes.integer(4, 40), 0, 0, 100, 50);
      b = shapes.regular(2 * shapes.integer(4, 40), 150, 150, 100, 50);
      double scale = std::ldexp(1.0, shapes.integer(-1100, 600));
      for (XY& p : a) p = {p.x * scale, p.y * scale};
      for (XY& p : b) p = {p.x * scale, p.y * scale};
      if (shapes.chance(0.3)) shapes.repeatCorners(a);
      break;
    }
    case 8: // a tiny edge across the line of another edge, a few rounding errors past its end
      nearMiss(shapes, a, b);
      break;
    }
    Value pa = make(a), pb = make(b);
    for (bool swapped : {false, true}) {
      const Corners &first = swapped ? b : a, &second = swapped ? a : b;
      bool expected = referenceIntersects(first, second);
      bool actual =
          swapped ? intersects(pb.object(), pa.object()) : intersects(pa.object(), pb.object());
      (expected ? meets : apart) += 1;
      if (actual != expected) {
        ADD_FAILURE() << "kind " << kind << ", round " << round << ": "
                      << testing::PrintToString(first) << " and " << testing::PrintToString(second)
                      << " expected " << expected;
        return;
      }
    }
  }
  EXPECT_GT(meets, 2000);
  EXPECT_GT(apart, 2000);
}

// Two polygons of thousands of corners, apart with overlapping boxes, and meeting only where
// the tip of one spike crosses the other.
TEST_F(Differential, IntersectsOfLargePolygons) {
  auto star = [](int points, double cx, double cy, double outer, double inner) {
    Corners c;
    for (int k = 0; k < 2 * points; ++k) {
      double angle = 3.141592653589793 * k / points, r = k % 2 ? inner : outer;
      c.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return c;
  };
  struct Case {
    Corners a, b;
  } cases[] = {
      {star(1000, 0, 0, 1000, 800), star(1000, 1450, 1450, 1000, 800)},
      {star(1000, 0, 0, 1000, 800), star(1000, 1300, 1300, 1000, 800)},
      {star(1000, 0, 0, 1000, 800), star(1000, 1999.99, 0, 1000, 800)},
      {star(1000, 0, 0, 1000, 800), star(1000, 2000.01, 0, 1000, 800)},
      {star(1000, 0, 0, 1000, 800), star(500, 0, 0, 700, 600)},
  };
  for (const Case& c : cases) {
    Value a = polygon(c.a), b = polygon(c.b);
    EXPECT_EQ(h().call(a, "Intersects", {b}).asBoolean(), referenceIntersects(c.a, c.b));
    EXPECT_EQ(h().call(b, "Intersects", {a}).asBoolean(), referenceIntersects(c.b, c.a));
  }
}

} // namespace
} // namespace lines_tests
