// Pixel buffers with guard words around them for the raster fill, a per-pixel even-odd
// reference of what the fill paints, and polygons whose rows have many crossings.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "lines_test.h"

namespace lines_tests {

using Pixels = std::set<std::pair<int, int>>; // (x, y)

// A width x height image inside guard rows and guard columns. Rows run down from the first
// address (TopDown), up from the last (BottomUp, a negative stride), or all share one row of
// memory (Same, a stride of 0).
class Canvas {
public:
  enum class Rows { TopDown, BottomUp, Same };
  static constexpr uint32_t kBlank = 0x5a5a5a5au;
  static constexpr uint32_t kInk = 0xff3366ccu;
  static constexpr int kGuardRows = 3;
  static constexpr int kGuardColumns = 3;

  Canvas(int width, int height, Rows rows = Rows::TopDown)
      : width_(width), height_(height), rows_(rows), memoryRows_(std::max(height, 1)),
        words_(std::max(width, 1) + kGuardColumns),
        memory_(static_cast<size_t>((memoryRows_ + 2 * kGuardRows) * words_), kBlank) {}

  void fill(const lines::PolygonFData& polygon, uint32_t value = kInk) {
    int32_t stride = rows_ == Rows::TopDown    ? words_ * 4
                     : rows_ == Rows::BottomUp ? -words_ * 4
                                               : 0;
    uint8_t* first = reinterpret_cast<uint8_t*>(word(memoryRow(0), 0));
    polygon.fillToBuffer(&polygon, first, width_, height_, stride, value);
  }

  uint32_t at(int x, int y) const { return *word(memoryRow(y), x); }

  // Pixels of the image that are no longer blank.
  Pixels painted() const {
    Pixels out;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (at(x, y) != kBlank) out.insert({x, y});
    return out;
  }

  // True when every word outside rows 0 .. height - 1 and columns 0 .. width - 2 of the image
  // is still blank.
  bool confined() const {
    std::vector<bool> allowed(memory_.size(), false);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x + 1 < width_; ++x) allowed[index(memoryRow(y), x)] = true;
    for (size_t i = 0; i < memory_.size(); ++i)
      if (!allowed[i] && memory_[i] != kBlank) return false;
    return true;
  }

private:
  int memoryRow(int y) const {
    return rows_ == Rows::TopDown ? y : rows_ == Rows::BottomUp ? memoryRows_ - 1 - y : 0;
  }
  size_t index(int row, int x) const {
    return static_cast<size_t>((row + kGuardRows) * words_ + x);
  }
  uint32_t* word(int row, int x) { return &memory_[index(row, x)]; }
  const uint32_t* word(int row, int x) const { return &memory_[index(row, x)]; }

  int width_, height_;
  Rows rows_;
  int memoryRows_, words_;
  std::vector<uint32_t> memory_;
};

// Where the closed polygon's edges meet the horizontal at y: the containment test's edge rule
// and formula, so that the reference sees the same doubles as the fill.
inline std::vector<double> crossingsAt(const Corners& c, double y) {
  std::vector<double> out;
  for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++)
    if ((c[i].y < y && c[j].y >= y) || (c[j].y < y && c[i].y >= y))
      out.push_back(c[i].x + ((y - c[i].y) / (c[j].y - c[i].y)) * (c[j].x - c[i].x));
  return out;
}

inline int maxCrossings(const Corners& c, int height) {
  size_t most = 0;
  for (int y = 0; y < height; ++y) most = std::max(most, crossingsAt(c, y).size());
  return static_cast<int>(most);
}

// What the fill paints, decided pixel by pixel (finite coordinates): pixel (x, y) is painted
// when the point (x + 1, y) lies strictly inside by the even-odd rule - an odd number of
// crossings left of it and none on it - and inside the bounding box widened by one.
inline Pixels referencePixels(const Corners& c, int width, int height) {
  Pixels out;
  if (c.empty()) return out;
  double left = c[0].x, right = c[0].x, top = c[0].y, bottom = c[0].y;
  for (const XY& p : c) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  double firstColumn = static_cast<double>(static_cast<int64_t>(std::max(left - 1, 0.0)));
  double endColumn = static_cast<double>(
      static_cast<int64_t>(right + 1 < width ? right + 1 : static_cast<double>(width)));
  for (int y = 0; y < height; ++y) {
    std::vector<double> crossings = crossingsAt(c, y);
    for (int x = 0; x + 1 < width; ++x) {
      double probe = x + 1;
      if (x < firstColumn || probe >= endColumn) continue;
      int leftOf = 0;
      bool on = false;
      for (double crossing : crossings) {
        leftOf += crossing < probe;
        on = on || crossing == probe;
      }
      if (leftOf % 2 == 1 && !on) out.insert({x, y});
    }
  }
  return out;
}

// A comb of `teeth` upright teeth on a bar: every row through the teeth crosses 2 * teeth
// edges. Coordinates avoid whole numbers so that no crossing falls on a pixel boundary.
inline Corners comb(int teeth) {
  auto tooth = [](int k) { return 2.1 + 5.0 * k; };
  Corners c = {{1.3, 210.5}, {tooth(teeth - 1) + 3.8, 210.5}};
  for (int k = teeth - 1; k >= 0; --k) {
    c.push_back({tooth(k) + 2.7, 200.2});
    c.push_back({tooth(k) + 2.7, 10.6});
    c.push_back({tooth(k), 10.6});
    c.push_back({tooth(k), 200.2});
  }
  return c;
}

inline Corners star(int points, double cx, double cy, double outer, double inner) {
  Corners c;
  for (int k = 0; k < 2 * points; ++k) {
    double angle = 3.141592653589793 * k / points;
    double r = k % 2 ? inner : outer;
    c.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return c;
}

// `n` corners strewn over the buffer: a self-crossing polygon with many crossings a row, in no
// particular order.
inline Corners randomPolygon(int n, int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> x(0.5, width - 0.5), y(0.5, height - 0.5);
  Corners c;
  for (int k = 0; k < n; ++k) c.push_back({x(random), y(random)});
  return c;
}

} // namespace lines_tests
