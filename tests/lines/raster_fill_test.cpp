// The raster fill, called as native code calls it: through the `fillToBuffer` address in the
// data block of a PolygonF, into a buffer of 32-bit pixels.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <set>
#include <utility>

#include "raster_fill_support.h"

namespace lines_tests {
namespace {

using RasterFill = LinesTest;

// Pixels (x, y) in the columns x0 .. x1 of the rows y0 .. y1.
Pixels block(int x0, int x1, int y0, int y1) {
  Pixels out;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) out.insert({x, y});
  return out;
}
Pixels operator+(Pixels a, const Pixels& b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST_F(RasterFill, PixelSets) {
  struct Case {
    const char* name;
    Corners corners;
    Pixels pixels;
  } cases[] = {
      {"square", {{10, 10}, {20, 10}, {20, 20}, {10, 20}}, block(10, 18, 11, 20)},
      {"square reversed", {{10, 20}, {20, 20}, {20, 10}, {10, 10}}, block(10, 18, 11, 20)},
      {"half-pixel square",
       {{10.5, 10.5}, {20.5, 10.5}, {20.5, 20.5}, {10.5, 20.5}},
       block(10, 19, 11, 20)},
      {"one-pixel square", {{10, 10}, {11, 10}, {11, 11}, {10, 11}}, {}},
      {"two-pixel square", {{10, 10}, {12, 10}, {12, 12}, {10, 12}}, {{10, 11}, {10, 12}}},
      {"above and left", {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, block(0, 3, 0, 5)},
      {"larger than the buffer", {{0, 0}, {200, 0}, {200, 200}, {0, 200}}, block(0, 98, 1, 99)},
      {"below and right", {{90, 95}, {300, 95}, {300, 300}, {90, 300}}, block(90, 98, 96, 99)},
      {"outside", {{-50, -50}, {-10, -50}, {-10, -10}}, {}},
      {"triangle", {{10, 10}, {20, 10}, {15, 20}}, {}}, // rows checked below
      {"empty", {}, {}},
      {"one corner", {{5, 5}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Value p = polygon(c.corners);
    Canvas canvas(100, 100);
    canvas.fill(data(p));
    EXPECT_TRUE(canvas.confined());
    if (std::string(c.name) == "triangle") {
      Pixels painted = canvas.painted();
      auto row = [&](int y) {
        std::vector<int> xs;
        for (auto [x, py] : painted)
          if (py == y) xs.push_back(x);
        return xs;
      };
      std::vector<int> row11, row14;
      for (int x = 10; x <= 18; ++x) row11.push_back(x);
      for (int x = 12; x <= 16; ++x) row14.push_back(x);
      EXPECT_EQ(row(11), row11);
      EXPECT_EQ(row(14), row14);
      EXPECT_EQ(row(19), std::vector<int>{14});
      EXPECT_TRUE(row(10).empty());
      EXPECT_TRUE(row(20).empty());
      EXPECT_EQ(painted, referencePixels(c.corners, 100, 100));
    } else {
      EXPECT_EQ(canvas.painted(), c.pixels);
      EXPECT_EQ(canvas.painted(), referencePixels(c.corners, 100, 100));
    }
  }
}

TEST_F(RasterFill, ValueIsStoredAsIsAndOtherPixelsKept) {
  Value p = polygon({{10, 10}, {20, 10}, {20, 20}, {10, 20}});
  Canvas canvas(40, 40);
  canvas.fill(data(p), 0x01020304u);
  EXPECT_EQ(canvas.at(12, 12), 0x01020304u);
  EXPECT_EQ(canvas.at(19, 12), Canvas::kBlank) << "the column before the right crossing";
  EXPECT_EQ(canvas.at(20, 12), Canvas::kBlank);
  EXPECT_EQ(canvas.at(12, 10), Canvas::kBlank);
}

// Bottom-up buffers: the first row sits at the highest address and the stride is negative.
TEST_F(RasterFill, NegativeStrideFillsRowsUpward) {
  Corners triangle = {{3.5, 2}, {30, 8.5}, {12, 27}};
  Value p = polygon(triangle);
  Canvas canvas(40, 30, Canvas::Rows::BottomUp);
  canvas.fill(data(p));
  EXPECT_TRUE(canvas.confined());
  EXPECT_EQ(canvas.painted(), referencePixels(triangle, 40, 30));
  EXPECT_FALSE(canvas.painted().empty());
}

// A pixel may start at any byte: a buffer at an odd address with a stride that is no multiple
// of 4 gets the pixels of the reference, each written whole, and nothing else; short spans and
// spans long enough for the widest stores alike.
TEST_F(RasterFill, PixelsMayStartAtAnyByte) {
  struct Case {
    Corners corners;
    int width, height;
  };
  const Case cases[] = {
      {{{3.5, 2}, {30, 8.5}, {12, 27}}, 40, 30},
      {{{1.5, 1}, {700, 3}, {650, 9}, {2, 8}}, 720, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    Value p = polygon(c.corners);
    const int stride = 4 * c.width + 3;
    std::vector<uint8_t> memory(2 + c.height * stride, 0x5a);
    uint8_t* first = memory.data() + 1;
    data(p).fillToBuffer(&data(p), first, c.width, c.height, stride, Canvas::kInk);
    Pixels painted;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        uint32_t word;
        std::memcpy(&word, first + y * stride + 4 * x, sizeof word);
        if (word == Canvas::kInk)
          painted.insert({x, y});
        else
          EXPECT_EQ(word, Canvas::kBlank) << "pixel (" << x << ", " << y << ")";
      }
    EXPECT_EQ(painted, referencePixels(c.corners, c.width, c.height));
    EXPECT_FALSE(painted.empty());
    EXPECT_EQ(memory.front(), 0x5a);
    EXPECT_EQ(memory.back(), 0x5a);
  }
}

// Rows crossed by many edges: every crossing counts, however many there are.
TEST_F(RasterFill, RowsWithManyCrossingsFollowTheEvenOddRule) {
  struct Case {
    const char* name;
    Corners corners;
    int width, height;
  } cases[] = {
      {"comb of 100 teeth, 200 crossings a row", comb(100), 520, 220},
      {"comb of 32 teeth, 64 crossings a row", comb(32), 180, 220},
      {"star of 40 points", star(40, 150, 150, 140, 20), 300, 300},
      {"500 random corners", randomPolygon(500, 300, 300, 7), 300, 300},
      {"2000 random corners", randomPolygon(2000, 200, 200, 11), 200, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Value p = polygon(c.corners);
    Canvas canvas(c.width, c.height);
    canvas.fill(data(p));
    EXPECT_TRUE(canvas.confined());
    Pixels expected = referencePixels(c.corners, c.width, c.height);
    EXPECT_EQ(canvas.painted(), expected);
    EXPECT_GT(expected.size(), 1000u);
  }
  EXPECT_GT(maxCrossings(comb(100), 220), 64);
  EXPECT_GT(maxCrossings(randomPolygon(500, 300, 300, 7), 300), 64);
}

// Whatever the coordinates and the buffer's shape, nothing is written outside rows
// 0 .. height - 1 and columns 0 .. width - 2.
TEST_F(RasterFill, NeverWritesOutsideTheBuffer) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Corners polygons[] = {
      {{10, 10}, {nan, 20}, {30, 30}},
      {{nan, nan}, {nan, nan}, {nan, nan}},
      {{5, 5}, {inf, 5}, {inf, 20}, {5, 20}},
      {{-inf, -inf}, {inf, -inf}, {inf, inf}, {-inf, inf}},
      {{-inf, 5}, {20, 5}, {20, 20}},
      {{1e300, 1e300}, {-1e300, 1e300}, {0, -1e300}},
      {{-1e300, -1e300}, {1e300, -1e300}, {1e300, 1e300}, {-1e300, 1e300}},
      {{3e9, 2}, {-3e9, 8}, {3e9, 14}, {-3e9, 20}},
      {{2, 3e9}, {8, -3e9}, {14, 3e9}},
      {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}},
      {{-10, -10}, {60, -10}, {60, 60}, {-10, 60}},
      {{5, nan}, {20, 5}, {25, 25}, {nan, 30}},
  };
  struct Shape {
    int width, height;
    Canvas::Rows rows;
  } shapes[] = {
      {40, 30, Canvas::Rows::TopDown}, {40, 30, Canvas::Rows::BottomUp},
      {40, 30, Canvas::Rows::Same},    {1, 30, Canvas::Rows::TopDown},
      {0, 30, Canvas::Rows::TopDown},  {-7, 30, Canvas::Rows::TopDown},
      {40, 0, Canvas::Rows::TopDown},  {40, -4, Canvas::Rows::TopDown},
      {2, 1, Canvas::Rows::TopDown},   {-7, -4, Canvas::Rows::BottomUp},
  };
  for (const Corners& corners : polygons) {
    Value p = polygon(corners);
    for (const Shape& s : shapes) {
      SCOPED_TRACE(testing::PrintToString(corners) + " in " + std::to_string(s.width) + " x " +
                   std::to_string(s.height) + " rows " + std::to_string(int(s.rows)));
      Canvas canvas(s.width, s.height, s.rows);
      canvas.fill(data(p));
      EXPECT_TRUE(canvas.confined());
    }
  }
  // The fully covering cases do paint what lies inside.
  Value cover = polygon({{-1e300, -1e300}, {1e300, -1e300}, {1e300, 1e300}, {-1e300, 1e300}});
  Canvas canvas(40, 30);
  canvas.fill(data(cover));
  EXPECT_EQ(canvas.painted(), block(0, 38, 0, 29));
}

TEST_F(RasterFill, NativeCodeCanAssembleTheBlock) {
  // The fill reads nothing but the data block: a block assembled by native code will do.
  lines::PointFData corners[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
  lines::PolygonFData block{4, 4, corners, data(h().create("PolygonF")).fillToBuffer, nullptr};
  Canvas canvas(100, 100);
  canvas.fill(block);
  EXPECT_EQ(canvas.painted(), referencePixels({{10, 10}, {20, 10}, {20, 20}, {10, 20}}, 100, 100));
}

} // namespace
} // namespace lines_tests
