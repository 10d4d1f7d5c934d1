// Whether any edge of one polygon crosses any edge of another by the segment crossing test,
// without running that test on every pair of edges.
//
// The answer is that of testing all pairs: a pair is skipped only when its segments lie so far
// apart that the test cannot report a crossing for them. Where the test runs on finite, moderate
// coordinates, a crossing it reports lies within a few rounding errors of both segments, far
// inside the margin by which every edge's box is widened below. Where it may not (a coordinate
// that is infinite, NaN or huge, which can turn the test's arithmetic into NaN, and which it
// then reports as a crossing; or a first segment so short that its length underflows), the edge
// gets a box that overlaps everything, so that it is tested against every edge.
//
// The boxes of runs of consecutive edges form a binary tree per polygon (a chain of corners
// keeps its neighbours close); the two trees are walked together, down to pairs of runs whose
// boxes overlap, and within those to pairs of edges whose boxes overlap.
#include "lines.h"

namespace lines {
namespace {

// Polygons whose edges make at most this many pairs are tested pair by pair.
constexpr int64_t kDirectPairs = 256;
// Edges in a run at the bottom of a tree.
constexpr int64_t kRun = 8;
// Widening of an edge's box: far above the rounding error of the crossing test, which grows
// with the magnitude of the coordinates, and an absolute part for values near underflow.
constexpr double kRelativeMargin = 0x1p-40;
constexpr double kAbsoluteMargin = 0x1p-1000;
// Beyond this magnitude the test's differences and squares may overflow.
constexpr double kModerate = 0x1p500;
// A first segment whose sides are all shorter than this (but not zero) has a length that may
// underflow, leaving the test's direction of it infinite or NaN.
constexpr double kShortest = 0x1p-480;
constexpr double kInfinity = __builtin_inf();

struct Box {
  double left, top, right, bottom;
};

bool overlap(const Box& a, const Box& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

void extend(Box& a, const Box& b) {
  if (b.left < a.left) a.left = b.left;
  if (b.top < a.top) a.top = b.top;
  if (b.right > a.right) a.right = b.right;
  if (b.bottom > a.bottom) a.bottom = b.bottom;
}

double larger(double a, double b) {
  return a > b ? a : b;
}
double smaller(double a, double b) {
  return a < b ? a : b;
}

bool moderate(double v) {
  return plat::fabs(v) <= kModerate;
} // false for NaN and infinities

// The widened box of the edge from a to b, or a box over the whole plane where the crossing test
// is not bound by geometry. `first` says the edge is tested as the first segment.
Box edgeBox(const PointFData& a, const PointFData& b, bool first) {
  const Box everywhere = {-kInfinity, -kInfinity, kInfinity, kInfinity};
  if (!moderate(a.x) || !moderate(a.y) || !moderate(b.x) || !moderate(b.y)) return everywhere;
  if (first) {
    double dx = plat::fabs(b.x - a.x), dy = plat::fabs(b.y - a.y);
    if ((dx != 0.0 || dy != 0.0) && dx < kShortest && dy < kShortest) return everywhere;
  }
  double size =
      larger(larger(plat::fabs(a.x), plat::fabs(a.y)), larger(plat::fabs(b.x), plat::fabs(b.y)));
  double margin = size * kRelativeMargin + kAbsoluteMargin;
  return {smaller(a.x, b.x) - margin, smaller(a.y, b.y) - margin, larger(a.x, b.x) + margin,
          larger(a.y, b.y) + margin};
}

// Edge k of a polygon of n corners runs from corner k to corner k + 1, the last one back to
// corner 0.
const PointFData& edgeEnd(const PolygonFData& p, int64_t k) {
  return p.corners[k + 1 < p.count ? k + 1 : 0];
}

bool edgesCross(const PolygonFData& p, int64_t k, const PolygonFData& q, int64_t l) {
  const PointFData &a = p.corners[k], &b = edgeEnd(p, k);
  const PointFData &e = q.corners[l], &f = edgeEnd(q, l);
  return PolygonF_LineSegmentIntersection(a.x, a.y, b.x, b.y, e.x, e.y, f.x, f.y, nullptr);
}

// Boxes of one polygon's edges, and of runs of kRun edges (level 0), pairs of those (level 1),
// and so on up to one box over all edges.
struct EdgeTree {
  static constexpr int kMaxLevels = 64;
  const PolygonFData* polygon;
  Box* edges;
  Box* nodes;
  int64_t levelStart[kMaxLevels];
  int64_t levelSize[kMaxLevels];
  int top; // the level of the root

  const Box& node(int level, int64_t i) const { return nodes[levelStart[level] + i]; }
  int64_t runEnd(int64_t run) const {
    int64_t end = (run + 1) * kRun;
    return end < polygon->count ? end : polygon->count;
  }
};

// Boxes needed by the tree of a polygon of n edges.
int64_t treeBoxes(int64_t n) {
  int64_t total = n, size = (n + kRun - 1) / kRun;
  for (;;) {
    total += size;
    if (size == 1) return total;
    size = (size + 1) / 2;
  }
}

void buildTree(EdgeTree& t, const PolygonFData& p, bool first, Box* storage) {
  int64_t n = p.count;
  t.polygon = &p;
  t.edges = storage;
  t.nodes = storage + n;
  for (int64_t k = 0; k < n; ++k) t.edges[k] = edgeBox(p.corners[k], edgeEnd(p, k), first);
  int64_t size = (n + kRun - 1) / kRun;
  t.levelStart[0] = 0;
  t.levelSize[0] = size;
  for (int64_t run = 0; run < size; ++run) {
    Box& b = t.nodes[run];
    b = t.edges[run * kRun];
    for (int64_t k = run * kRun + 1; k < t.runEnd(run); ++k) extend(b, t.edges[k]);
  }
  int level = 0;
  while (t.levelSize[level] > 1) {
    int64_t below = t.levelStart[level], belowSize = t.levelSize[level];
    t.levelStart[level + 1] = below + belowSize;
    t.levelSize[level + 1] = (belowSize + 1) / 2;
    ++level;
    for (int64_t i = 0; i < t.levelSize[level]; ++i) {
      Box& b = t.nodes[t.levelStart[level] + i];
      b = t.nodes[below + 2 * i];
      if (2 * i + 1 < belowSize) extend(b, t.nodes[below + 2 * i + 1]);
    }
  }
  t.top = level;
}

// Whether an edge of run i of `a` crosses an edge of run j of `b`.
bool runsCross(const EdgeTree& a, int64_t i, const EdgeTree& b, int64_t j) {
  const Box& runB = b.node(0, j);
  for (int64_t k = i * kRun; k < a.runEnd(i); ++k) {
    if (!overlap(a.edges[k], runB)) continue;
    for (int64_t l = j * kRun; l < b.runEnd(j); ++l)
      if (overlap(a.edges[k], b.edges[l]) && edgesCross(*a.polygon, k, *b.polygon, l)) return true;
  }
  return false;
}

// Whether an edge under node (la, i) of `a` crosses one under node (lb, j) of `b`: the node
// on the higher level is split first.
bool nodesCross(const EdgeTree& a, int la, int64_t i, const EdgeTree& b, int lb, int64_t j) {
  if (!overlap(a.node(la, i), b.node(lb, j))) return false;
  if (la == 0 && lb == 0) return runsCross(a, i, b, j);
  if (la >= lb) {
    if (nodesCross(a, la - 1, 2 * i, b, lb, j)) return true;
    return 2 * i + 1 < a.levelSize[la - 1] && nodesCross(a, la - 1, 2 * i + 1, b, lb, j);
  }
  if (nodesCross(a, la, i, b, lb - 1, 2 * j)) return true;
  return 2 * j + 1 < b.levelSize[lb - 1] && nodesCross(a, la, i, b, lb - 1, 2 * j + 1);
}

bool allPairsCross(const PolygonFData& p, const PolygonFData& q) {
  for (int64_t k = 0; k < p.count; ++k)
    for (int64_t l = 0; l < q.count; ++l)
      if (edgesCross(p, k, q, l)) return true;
  return false;
}

} // namespace

bool anyEdgesCross(const PolygonFData& p, const PolygonFData& q) {
  int64_t n = p.count, m = q.count;
  if (n < 1 || m < 1) return false;
  if (n <= kDirectPairs / m) return allPairsCross(p, q);
  int64_t boxes = treeBoxes(n) + treeBoxes(m);
  Box* storage = static_cast<Box*>(plat::malloc(static_cast<size_t>(boxes) * sizeof(Box)));
  if (!storage) return allPairsCross(p, q); // slower, the same answer
  EdgeTree a, b;
  buildTree(a, p, true, storage);
  buildTree(b, q, false, storage + treeBoxes(n));
  bool cross = nodesCross(a, a.top, 0, b, b.top, 0);
  plat::free(storage);
  return cross;
}

} // namespace lines
