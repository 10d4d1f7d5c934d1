// The raster fill: paints the inside of a polygon, by the even-odd rule of the containment test,
// into a caller's buffer of 32-bit pixels, row by row. Native code reaches it through the
// `fillToBuffer` field of the polygon's data block.
#include "../bridge/convert.h"
#include "lines.h"

namespace lines {
namespace {

// Rows with up to this many crossings are sorted on the stack; a row with more borrows a heap
// list long enough for every edge, made once per call.
constexpr int64_t kLocalCrossings = 64;

// Where the edges of the closed polygon meet the horizontal at y, in edge order: the edge rule
// and the formula of the containment test. Returns how many there are; none is written beyond
// `room`, and a row with more than `room` crossings gives room + 1.
int64_t collectCrossings(const PolygonFData& p, double y, double* crossings, int64_t room) {
  int64_t k = 0;
  for (int64_t i = 0, j = p.count - 1; i < p.count; j = i++) {
    const PointFData& a = p.corners[i];
    const PointFData& b = p.corners[j];
    if ((a.y < y && b.y >= y) || (b.y < y && a.y >= y)) {
      if (k == room) return room + 1;
      crossings[k++] = a.x + ((y - a.y) / (b.y - a.y)) * (b.x - a.x);
    }
  }
  return k;
}

// Ascending, by moving each crossing back past the greater ones before it: the exchanges of a
// gnome sort, in the same order, so NaN crossings end up where that sort leaves them.
void sortCrossings(double* c, int64_t k) {
  for (int64_t i = 1; i < k; ++i) {
    double v = c[i];
    int64_t j = i;
    for (; j > 0 && c[j - 1] > v; --j) c[j] = c[j - 1];
    c[j] = v;
  }
}

// Pixel x of a row. The caller's buffer and stride need not be multiples of 4, so a pixel may
// start at any byte: it is stored bytewise (one plain store where the target allows).
void storePixel(uint8_t* row, int64_t x, uint32_t value) {
  __builtin_memcpy(row + 4 * x, &value, sizeof value);
}

// Paints the spans between crossings 0-1, 2-3, ... of one row, clipped to columns [left, right).
// A span covers the columns from the integer part of its start up to, not including, its end
// minus one; `right` is at most the width, so column width - 1 is never written.
void paintSpans(uint8_t* row, const double* c, int64_t k, double left, double right,
                uint32_t value) {
  for (int64_t i = 0; i + 1 < k; i += 2) {
    double s = c[i], e = c[i + 1];
    if (s >= right) return;
    if (e <= left) continue;
    if (s < left) s = left;
    if (e > right) e = right;
    // A NaN start gives column 0; a NaN end paints nothing.
    for (int64_t x = tl::saturatingTrunc<int64_t>(s); x < e - 1.0; ++x) storePixel(row, x, value);
  }
}

} // namespace

void PolygonF_BoundsBuffer(const PolygonFData* data, RectFData* rect) {
  if (data->count < 1) return;
  const PointFData* c = data->corners;
  double minX = c[0].x, maxX = c[0].x, minY = c[0].y, maxY = c[0].y;
  for (int64_t i = 1; i < data->count; ++i) {
    if (c[i].x > maxX) maxX = c[i].x;
    if (minX > c[i].x) minX = c[i].x;
    if (c[i].y > maxY) maxY = c[i].y;
    if (minY > c[i].y) minY = c[i].y;
  }
  *rect = {minX, minY, maxX, maxY};
}

// Rows are sampled at their integer y; the row and column limits come from the bounding box,
// widened by one and cut to the buffer. Every double becomes an integer by saturating
// truncation, so NaN, infinite or huge coordinates stay inside rows 0 .. height - 1 and columns
// 0 .. width - 2.
void PolygonF_FillToBuffer(const PolygonFData* data, uint8_t* buffer, int32_t width, int32_t height,
                           int32_t rowStride, uint32_t value) {
  if (!data || !buffer || data->count < 1 || width < 2 || height < 1) return;
  RectFData box;
  PolygonF_BoundsBuffer(data, &box);

  double top = box.Top - 1.0, bottom = box.Bottom + 1.0;
  int64_t first = tl::saturatingTrunc<int64_t>(top > 0.0 ? top : 0.0);
  int64_t end = tl::saturatingTrunc<int64_t>(bottom < height ? bottom : height);
  if (first >= end) return;

  double leftEdge = box.Left - 1.0, rightEdge = box.Right + 1.0;
  double left = static_cast<double>(tl::saturatingTrunc<int64_t>(leftEdge > 0.0 ? leftEdge : 0.0));
  double right =
      static_cast<double>(tl::saturatingTrunc<int64_t>(rightEdge < width ? rightEdge : width));

  double local[kLocalCrossings];
  double* spill = nullptr; // room for a crossing on every edge, once a row needs it
  for (int64_t r = first; r < end; ++r) {
    double y = static_cast<double>(r);
    double* crossings = local;
    int64_t k = collectCrossings(*data, y, local, kLocalCrossings);
    if (k > kLocalCrossings) {
      if (!spill) spill = static_cast<double*>(plat::malloc(data->count * sizeof(double)));
      if (!spill) continue; // without room for its crossings the row stays as it was
      crossings = spill;
      k = collectCrossings(*data, y, spill, data->count);
    }
    if (k == 0) continue;
    sortCrossings(crossings, k);
    uint8_t* row = buffer + r * static_cast<ptrdiff_t>(rowStride);
    paintSpans(row, crossings, k, left, right, value);
  }
  plat::free(spill);
}

} // namespace lines
