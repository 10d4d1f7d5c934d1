// The raster fill: paints the inside of a polygon, by the even-odd rule of the containment test,
// into a caller's buffer of 32-bit pixels, row by row. Native code reaches it through the
// `fillToBuffer` field of the polygon's data block.
//
// A row is sampled at its integer y, and the edge from corner j to corner i (j the corner before
// i) crosses it when y lies above the lower end and at or below the upper end, at
// x_i + ((y - y_i) / (y_j - y_i)) * (x_j - x_i). The crossings, sorted, delimit the spans.
//
// Rather than testing every edge on every row, the fill keeps an edge table sorted by the first
// row each edge spans and a list of the edges that span the current row, kept in the order of
// their crossings on the row before so that sorting is mostly a pass over sorted values. Every
// crossing is computed by the formula above from the same operands, so the sorted crossings,
// and the pixels, are those of the row-by-row definition. A NaN crossing is the one value whose
// place after sorting depends on the order in which the edges were met: a row that has one is
// collected and sorted again in corner order.
#include "../bridge/convert.h"
#include "lines.h"

namespace lines {
namespace {

// Polygons of up to this many corners keep their edge table on the stack; a larger one takes
// one allocation per call, and without it falls back to testing every edge on every row.
constexpr int64_t kLocalEdges = 64;
// Crossings a row may have on the fallback path; a row with more stays as it was.
constexpr int64_t kLocalCrossings = 64;

// The rows a fill visits and the columns its spans are clipped to.
struct Area {
  int64_t first, end; // rows first .. end - 1
  double left, right; // spans are cut to [left, right); right is at most the width
};

// An edge of the table: it spans rows first .. end - 1 and runs from the corner before `corner`
// to `corner`.
struct TableEdge {
  int32_t first, end;
  int64_t corner;
};

// An edge that spans the current row, with the operands of the crossing formula.
struct ActiveEdge {
  double x;      // its crossing on the current row
  double xi, yi; // corner i
  double dx, dy; // x_j - x_i and y_j - y_i
  int64_t end;   // the first row it no longer spans
};

// --- sorting ------------------------------------------------------------------------------

// Ascending by `key`, moving each element back past the greater ones before it. On crossings
// these are the exchanges of a gnome sort, in the same order, so NaN values end up where that
// sort leaves them. Gives up, with the elements permuted, after `budget` moves.
template <class T, class Key> bool insertionSort(T* a, int64_t k, Key key, int64_t budget) {
  for (int64_t i = 1; i < k; ++i) {
    if (!(key(a[i - 1]) > key(a[i]))) continue;
    T v = a[i];
    int64_t j = i;
    for (; j > 0 && key(a[j - 1]) > key(v); --j) a[j] = a[j - 1];
    a[j] = v;
    budget -= i - j;
    if (budget < 0) return false;
  }
  return true;
}

// Ascending by `key`, stable, with room for k elements in `scratch`: runs of doubling length
// merged back and forth between the two arrays.
template <class T, class Key> void mergeSort(T* a, T* scratch, int64_t k, Key key) {
  T *from = a, *to = scratch;
  for (int64_t width = 1; width < k; width *= 2) {
    for (int64_t lo = 0; lo < k; lo += 2 * width) {
      int64_t mid = lo + width < k ? lo + width : k;
      int64_t hi = mid + width < k ? mid + width : k;
      int64_t l = lo, r = mid, out = lo;
      while (l < mid && r < hi) to[out++] = key(from[r]) < key(from[l]) ? from[r++] : from[l++];
      while (l < mid) to[out++] = from[l++];
      while (r < hi) to[out++] = from[r++];
    }
    T* t = from;
    from = to;
    to = t;
  }
  if (from != a)
    for (int64_t i = 0; i < k; ++i) a[i] = from[i];
}

// Ascending: insertion for lists that are almost in order, a merge sort when that turns out to
// cost too much and there is scratch room for it.
template <class T, class Key> void sortList(T* a, T* scratch, int64_t k, Key key) {
  if (!scratch) {
    insertionSort(a, k, key, INT64_MAX);
  } else if (!insertionSort(a, k, key, 8 * k + 64)) {
    mergeSort(a, scratch, k, key);
  }
}

// --- painting -----------------------------------------------------------------------------

// Paints the spans between crossings 0-1, 2-3, ... of one row (crossing(i) gives the i-th in
// ascending order), clipped to the area's columns. A span covers the columns from the integer
// part of its start up to, not including, its end minus one; the right limit is at most the
// width, so column width - 1 is never written. `kNumbers` says no crossing is NaN: then every
// clipped crossing lies between the column limits and converts to an integer as it stands.
template <bool kNumbers, class Crossing>
void paintSpans(uint8_t* row, Crossing crossing, int64_t k, const Area& area, uint32_t value) {
  auto whole = [](double v) {
    return kNumbers ? static_cast<int64_t>(v) : tl::saturatingTrunc<int64_t>(v);
  };
  for (int64_t i = 0; i + 1 < k; i += 2) {
    double s = crossing(i), e = crossing(i + 1);
    if (s >= area.right) return;
    if (e <= area.left) continue;
    if (s < area.left) s = area.left;
    if (e > area.right) e = area.right;
    // Columns x from the start while x < e - 1: a NaN start gives column 0, a NaN end nothing.
    int64_t from = whole(s);
    double limit = e - 1.0;
    if (!(static_cast<double>(from) < limit)) continue;
    int64_t to = whole(limit);
    if (static_cast<double>(to) < limit) ++to; // the first whole number not below the limit
    plat::fill32(row + 4 * from, value, static_cast<size_t>(to - from));
  }
}

// Row r of the caller's buffer. Neither the buffer nor the stride need be a multiple of 4, so a
// row, and each pixel in it, may start at any byte; pixels are stored through plat::fill32.
uint8_t* rowAt(uint8_t* buffer, int64_t r, int32_t rowStride) {
  return buffer + r * static_cast<ptrdiff_t>(rowStride);
}

// Where the edges of the closed polygon meet the horizontal at y, in corner order. Returns how
// many there are; none is written beyond `room`, and a row with more than `room` crossings
// gives room + 1.
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

// One row the plain way: every edge tested, crossings sorted in corner order. A row with more
// crossings than `room` is left as it was.
void paintRowInCornerOrder(const PolygonFData& p, int64_t r, uint8_t* row, double* crossings,
                           int64_t room, const Area& area, uint32_t value) {
  int64_t k = collectCrossings(p, static_cast<double>(r), crossings, room);
  if (k > room) return;
  insertionSort(
      crossings, k, [](double c) { return c; }, INT64_MAX);
  paintSpans<false>(
      row, [crossings](int64_t i) { return crossings[i]; }, k, area, value);
}

// --- the edge table -----------------------------------------------------------------------

// Working storage of one fill: the edge table, the active list, and scratch room for sorting
// either of them and for one row's crossings (no scratch for a table on the stack).
struct Storage {
  TableEdge* table;
  ActiveEdge* active;
  void* scratch; // room for `count` ActiveEdge; null on the stack
  double* crossings;
};

// Enters every edge that spans at least one visited row, sorted by its first row; returns how
// many. The rows an edge spans are those above its lower end up to and including its upper end;
// an edge with equal or NaN ends spans none.
int64_t buildTable(const PolygonFData& p, const Area& area, TableEdge* table, void* scratch) {
  int64_t count = 0;
  const double first = static_cast<double>(area.first), end = static_cast<double>(area.end);
  for (int64_t i = 0, j = p.count - 1; i < p.count; j = i++) {
    double yi = p.corners[i].y, yj = p.corners[j].y, lo, hi;
    if (yi < yj) {
      lo = yi, hi = yj;
    } else if (yj < yi) {
      lo = yj, hi = yi;
    } else {
      continue;
    }
    if (lo >= end || hi < first) continue;
    // Rows r with lo < r <= hi; lo and hi are not negative where they are truncated.
    int64_t from = lo < first ? area.first : static_cast<int64_t>(lo) + 1;
    int64_t to = hi >= end ? area.end : static_cast<int64_t>(hi) + 1;
    if (from >= to) continue;
    table[count++] = {static_cast<int32_t>(from), static_cast<int32_t>(to), i};
  }
  auto firstRow = [](const TableEdge& e) { return e.first; };
  if (scratch)
    mergeSort(table, static_cast<TableEdge*>(scratch), count, firstRow);
  else
    insertionSort(table, count, firstRow, INT64_MAX);
  return count;
}

void fillByEdgeTable(const PolygonFData& p, uint8_t* buffer, int32_t rowStride, const Area& area,
                     uint32_t value, const Storage& s) {
  const int64_t tableSize = buildTable(p, area, s.table, s.scratch);
  ActiveEdge* active = s.active;
  int64_t next = 0, k = 0;
  for (int64_t r = area.first; r < area.end; ++r) {
    if (k == 0) {
      if (next == tableSize) return;
      r = s.table[next].first; // no edge spans the rows before it
    }
    const double y = static_cast<double>(r);
    bool nan = false;
    // Edges that end above this row leave; the others move to this row's crossing.
    int64_t kept = 0;
    for (int64_t a = 0; a < k; ++a) {
      if (active[a].end <= r) continue;
      if (kept != a) active[kept] = active[a];
      ActiveEdge& e = active[kept++];
      e.x = e.xi + ((y - e.yi) / e.dy) * e.dx;
      nan |= e.x != e.x;
    }
    k = kept;
    // Edges that start on this row join.
    for (; next < tableSize && s.table[next].first == r; ++next) {
      int64_t i = s.table[next].corner, j = i == 0 ? p.count - 1 : i - 1;
      const PointFData &ci = p.corners[i], &cj = p.corners[j];
      ActiveEdge& e = active[k++];
      e = {0.0, ci.x, ci.y, cj.x - ci.x, cj.y - ci.y, s.table[next].end};
      e.x = e.xi + ((y - e.yi) / e.dy) * e.dx;
      nan |= e.x != e.x;
    }
    if (k == 2) { // the common row: one exchange at most, as the sort would make
      if (active[0].x > active[1].x) {
        ActiveEdge t = active[0];
        active[0] = active[1];
        active[1] = t;
      }
    } else {
      sortList(active, static_cast<ActiveEdge*>(s.scratch), k,
               [](const ActiveEdge& e) { return e.x; });
    }
    uint8_t* row = rowAt(buffer, r, rowStride);
    if (nan)
      paintRowInCornerOrder(p, r, row, s.crossings, p.count, area, value);
    else
      paintSpans<true>(
          row, [active](int64_t i) { return active[i].x; }, k, area, value);
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

// The row and column limits come from the bounding box, widened by one and cut to the buffer.
// Every double becomes an integer by saturating truncation, so NaN, infinite or huge coordinates
// stay inside rows 0 .. height - 1 and columns 0 .. width - 2.
void PolygonF_FillToBuffer(const PolygonFData* data, uint8_t* buffer, int32_t width, int32_t height,
                           int32_t rowStride, uint32_t value) {
  if (!data || !buffer || data->count < 1 || width < 2 || height < 1) return;
  RectFData box;
  PolygonF_BoundsBuffer(data, &box);

  Area area;
  double top = box.Top - 1.0, bottom = box.Bottom + 1.0;
  area.first = tl::saturatingTrunc<int64_t>(top > 0.0 ? top : 0.0);
  area.end = tl::saturatingTrunc<int64_t>(bottom < height ? bottom : height);
  if (area.first >= area.end) return;
  double leftEdge = box.Left - 1.0, rightEdge = box.Right + 1.0;
  area.left = static_cast<double>(tl::saturatingTrunc<int64_t>(leftEdge > 0.0 ? leftEdge : 0.0));
  area.right =
      static_cast<double>(tl::saturatingTrunc<int64_t>(rightEdge < width ? rightEdge : width));

  const int64_t n = data->count;
  if (n <= kLocalEdges) {
    TableEdge table[kLocalEdges];
    ActiveEdge active[kLocalEdges];
    double crossings[kLocalEdges];
    fillByEdgeTable(*data, buffer, rowStride, area, value, {table, active, nullptr, crossings});
    return;
  }
  constexpr int64_t kBytesPerEdge = sizeof(TableEdge) + 2 * sizeof(ActiveEdge);
  void* block = n <= INT32_MAX ? plat::malloc(static_cast<size_t>(n * kBytesPerEdge)) : nullptr;
  if (block) {
    TableEdge* table = static_cast<TableEdge*>(block);
    ActiveEdge* active = reinterpret_cast<ActiveEdge*>(table + n);
    ActiveEdge* scratch = active + n;
    fillByEdgeTable(*data, buffer, rowStride, area, value,
                    {table, active, scratch, reinterpret_cast<double*>(scratch)});
    plat::free(block);
    return;
  }
  // Without room for the table: every edge on every row, and rows with more crossings than the
  // local list holds stay as they were.
  double crossings[kLocalCrossings];
  for (int64_t r = area.first; r < area.end; ++r)
    paintRowInCornerOrder(*data, r, rowAt(buffer, r, rowStride), crossings, kLocalCrossings, area,
                          value);
}

} // namespace lines
