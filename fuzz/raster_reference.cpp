#include "raster_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "bridge/convert.h"
#include "failure.h"

namespace fuzzing {
namespace {

using lines::PointFData;

// Work allowed for one input: rows visited times corners, crossings sorted (the square of their
// number, row by row), pixels painted.
constexpr int64_t kRowWork = int64_t{1} << 20;
constexpr int64_t kSortWork = int64_t{1} << 24;
constexpr int64_t kPaintWork = int64_t{1} << 22;

int32_t toInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

struct Box {
  double left, top, right, bottom;
};

// The bounding box: the first corner seeds it, and strict comparisons never take a NaN in.
Box boxOf(const Corners& c) {
  Box b{c[0].x, c[0].y, c[0].x, c[0].y};
  for (const PointFData& p : c) {
    if (p.x > b.right) b.right = p.x;
    if (b.left > p.x) b.left = p.x;
    if (p.y > b.bottom) b.bottom = p.y;
    if (b.top > p.y) b.top = p.y;
  }
  return b;
}

// Rows first .. end - 1 are visited; spans are cut to columns left .. right - 1.
struct Visited {
  int64_t first = 0, end = 0;
  int64_t left = 0, right = 0;
};

// Corners up to this magnitude give crossings within a pixel of their bounding box. Beyond it
// (or NaN, infinite) an edge's crossing may overflow or be NaN, which the fill paints from column
// 0 or up to the last column, whatever the box says.
constexpr double kTameMagnitude = 0x1p40;

bool tame(const Corners& c) {
  return std::all_of(c.begin(), c.end(), [](const PointFData& p) {
    return std::fabs(p.x) <= kTameMagnitude && std::fabs(p.y) <= kTameMagnitude;
  });
}

Visited visited(const Corners& c, int32_t width, int32_t height) {
  if (c.empty()) return {};
  Box b = boxOf(c);
  double top = b.top - 1.0, bottom = b.bottom + 1.0;
  double left = b.left - 1.0, right = b.right + 1.0;
  if (!tame(c)) left = 0.0, right = width;
  return {tl::saturatingTrunc<int64_t>(top > 0.0 ? top : 0.0),
          tl::saturatingTrunc<int64_t>(bottom < height ? bottom : height),
          tl::saturatingTrunc<int64_t>(left > 0.0 ? left : 0.0),
          tl::saturatingTrunc<int64_t>(right < width ? right : width)};
}

// Where the edges of the closed polygon meet the horizontal at y: the containment test's edge
// rule and formula.
void crossingsAt(const Corners& c, double y, std::vector<double>& out) {
  out.clear();
  for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
    const PointFData &a = c[i], &b = c[j];
    if ((a.y < y && b.y >= y) || (b.y < y && a.y >= y))
      out.push_back(a.x + ((y - a.y) / (b.y - a.y)) * (b.x - a.x));
  }
}

} // namespace

void makeAffordable(const Corners& c, int32_t& width, int32_t& height) {
  if (c.empty() || width < 2 || height < 1) return;
  Visited v = visited(c, width, height);
  if (v.right - v.left > kPaintWork) {
    width = toInt32(v.left + kPaintWork);
    v = visited(c, width, height);
  }
  if (v.first >= v.end) return;
  const int64_t corners = static_cast<int64_t>(c.size());
  const int64_t columns = std::max<int64_t>(v.right - v.left, 1);
  v.end = std::min({v.end, v.first + kRowWork / (corners + 1), v.first + kPaintWork / columns});
  v.end = std::max(v.end, v.first + 1);
  int64_t sortWork = 0;
  std::vector<double> crossings;
  for (int64_t r = v.first; r < v.end; ++r) {
    crossingsAt(c, static_cast<double>(r), crossings);
    sortWork += static_cast<int64_t>(crossings.size() * crossings.size());
    if (sortWork > kSortWork) {
      v.end = r;
      break;
    }
  }
  height = toInt32(std::min<int64_t>(height, v.end));
}

void checkWords(const ImageLayout& layout, const GuardedImage& image, uint32_t value) {
  for (int64_t y = 0; y < layout.height; ++y)
    for (int64_t x = 0; x + 1 < layout.width; ++x) {
      uint32_t word = image.pixel(x, y);
      if (word != value && word != image.blank()) fail("a pixel holds neither the value nor blank");
    }
}

bool referenceApplies(const Corners& c, const ImageLayout& layout) {
  if (layout.width > 512 || layout.height > 512 || !layout.rowsApart()) return false;
  if (int64_t{layout.width} * layout.height > 65536) return false;
  return std::all_of(c.begin(), c.end(), [](const PointFData& p) {
    return std::fabs(p.x) <= 1e6 && std::fabs(p.y) <= 1e6;
  });
}

void compareWithReference(const Corners& c, const ImageLayout& layout, const GuardedImage& image,
                          uint32_t value) {
  const Visited v = visited(c, layout.width, layout.height);
  std::vector<double> crossings;
  for (int64_t y = 0; y < layout.height; ++y) {
    if (!c.empty()) crossingsAt(c, static_cast<double>(y), crossings);
    std::sort(crossings.begin(), crossings.end());
    for (int64_t x = 0; x + 1 < layout.width; ++x) {
      const double probe = static_cast<double>(x + 1);
      auto below = std::lower_bound(crossings.begin(), crossings.end(), probe);
      bool on = below != crossings.end() && *below == probe;
      bool inside = (below - crossings.begin()) % 2 == 1 && !on;
      bool expected = !c.empty() && inside && x >= v.left && x + 1 < v.right;
      uint32_t word = image.pixel(x, y);
      if (word != value && word != image.blank()) fail("a pixel holds neither the value nor blank");
      if ((word == value) != expected)
        fail(expected ? "a pixel inside was not painted" : "a pixel outside was painted");
    }
  }
}

} // namespace fuzzing
