// The data blocks that Tessaline2 shares with other code: the PointF and RectF blocks of
// Tessaline1, which it reads and writes through the host, and its own PolygonF block, which
// native code that holds a polygon may read and rasterise through `fillToBuffer` without linking
// against this library.
#pragma once

#include "../bridge/class_records.h"

namespace lines {

// Blocks of Tessaline1's classes: doubles in this order, no header, no gaps.
struct PointFData {
  double x, y;
};
struct RectFData {
  double Left, Top, Right, Bottom;
};
static_assert(sizeof(PointFData) == 16 && offsetof(PointFData, y) == 8);
static_assert(sizeof(RectFData) == 32 && offsetof(RectFData, Top) == 8 &&
              offsetof(RectFData, Right) == 16 && offsetof(RectFData, Bottom) == 24);

struct PolygonFData;

// Paints the inside of the polygon (even-odd rule) into a buffer of 32-bit pixels: pixel (x, y)
// is the word at buffer + y * rowStride + 4 * x. Only rows 0 .. height - 1 and columns
// 0 .. width - 2 are ever written; `value` is stored as is.
using PolygonFFillFn = void (*)(const PolygonFData* data, uint8_t* buffer, int32_t width,
                                int32_t height, int32_t rowStride, uint32_t value);

// The class data of a PolygonF. Corner k (1-based) is corners[k - 1]; only the first `count`
// elements hold corners.
struct PolygonFData {
  int64_t count;
  int64_t capacity;
  PointFData* corners;
  PolygonFFillFn fillToBuffer;   // always the raster fill of Tessaline2
  REALmethodDefinition* methods; // always the method table of PolygonF
};
static_assert(sizeof(void*) != 8 ||
              (sizeof(PolygonFData) == 40 && offsetof(PolygonFData, capacity) == 8 &&
               offsetof(PolygonFData, corners) == 16 &&
               offsetof(PolygonFData, fillToBuffer) == 24 &&
               offsetof(PolygonFData, methods) == 32));

} // namespace lines
