// The raster fill as native code calls it: through the `fillToBuffer` address in the data block
// of a PolygonF of the loaded Tessaline2. Polygons of any corners (NaN, infinities, huge values,
// -0, duplicates, thousands of corners, rows crossed by many edges) are painted into images of
// any width, height and row stride, zero and negative included, starting at any byte.
//
// For every input:
//   - no byte changes but those of the pixels the fill may write (rows 0 .. height - 1, columns
//     0 .. width - 2, pixel (x, y) the 32-bit word at buffer + y * stride + 4 * x). Small images
//     lie in a heap block with guard bytes on both sides (AddressSanitizer also watches the
//     block's edges); images of up to gigabytes lie in memory mapped without backing between
//     two inaccessible pages, and only the pages written are read back;
//   - the polygon is left as it was, and where rows do not share bytes every written pixel
//     holds the value;
//   - on small images of finite corners, the painted pixels are exactly those of a per-pixel
//     even-odd reference.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "failure.h"
#include "guarded_image.h"
#include "host/host.h"
#include "raster_reference.h"
#include "resident_plugins.h"

namespace {

using fuzzing::Corners;
using lines::PointFData;
using lines::PolygonFData;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
// Images larger than this are made smaller in height: the address space a run may map.
constexpr int64_t kMappedBytes = int64_t{1} << 32;

lines::PolygonFFillFn gFill = nullptr;

double special(FuzzedDataProvider& in) {
  static const double kSpecial[] = {kNaN,
                                    kInf,
                                    -kInf,
                                    1e308,
                                    -1e308,
                                    -0.0,
                                    0.0,
                                    std::numeric_limits<double>::max(),
                                    std::numeric_limits<double>::denorm_min(),
                                    9.2233720368547758e18,
                                    -9.2233720368547758e18,
                                    2147483647.5,
                                    -2147483648.5,
                                    4294967296.0,
                                    1e-300,
                                    0.5,
                                    -0.5,
                                    1e16,
                                    -1e16};
  return in.PickValueInArray(kSpecial);
}

// Mostly quarter steps about the image, so that crossings fall on pixel boundaries too.
double coordinate(FuzzedDataProvider& in) {
  uint8_t kind = in.ConsumeIntegral<uint8_t>();
  if (kind < 24) return special(in);
  if (kind < 32) return std::bit_cast<double>(in.ConsumeIntegral<uint64_t>());
  return in.ConsumeIntegralInRange<int32_t>(-256, 1280) / 4.0;
}

Corners listedCorners(FuzzedDataProvider& in) {
  Corners c(in.ConsumeIntegralInRange<size_t>(0, 64));
  for (size_t k = 0; k < c.size(); ++k) {
    if (k > 0 && in.ConsumeIntegralInRange(0, 15) == 0) {
      c[k] = c[k - 1]; // a duplicate corner
      continue;
    }
    c[k].x = coordinate(in);
    c[k].y = coordinate(in);
  }
  return c;
}

// Up to thousands of corners from a seed: random points, a zigzag whose rows cross every edge,
// a comb, or a star; some coordinates replaced by special values, some corners repeated.
Corners generatedCorners(FuzzedDataProvider& in) {
  size_t n = in.ConsumeIntegralInRange<size_t>(0, 5000);
  int shape = in.ConsumeIntegralInRange(0, 3);
  double w = in.ConsumeIntegralInRange(1, 400), h = in.ConsumeIntegralInRange(1, 400);
  double specialShare = in.ConsumeProbability<double>() * 0.05;
  double duplicateShare = in.ConsumeProbability<double>() * 0.1;
  std::mt19937_64 random(in.ConsumeIntegral<uint64_t>());
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  static const double kSpecial[] = {kNaN, kInf, -kInf, 1e308, -1e308, -0.0};

  Corners c(n);
  for (size_t k = 0; k < n; ++k) {
    double t = n > 1 ? double(k) / double(n - 1) : 0.0;
    switch (shape) {
    case 0:
      c[k] = {unit(random) * w * 1.5 - w * 0.25, unit(random) * h * 1.5 - h * 0.25};
      break;
    case 1:
      c[k] = {t * w, k % 2 ? h - 0.5 : 0.5};
      break;
    case 2:
      c[k] = {std::floor(t * w / 2) * 2 + (k % 4 < 2 ? 0.3 : 1.7),
              k % 4 == 1 || k % 4 == 2 ? 1.5 : h};
      break;
    default: {
      double angle = 6.283185307179586 * t, r = (k % 2 ? 0.2 : 0.5) * std::min(w, h);
      c[k] = {w / 2 + r * std::cos(angle), h / 2 + r * std::sin(angle)};
    }
    }
    if (unit(random) < specialShare) (k % 2 ? c[k].x : c[k].y) = kSpecial[random() % 6];
    if (k > 0 && unit(random) < duplicateShare) c[k] = c[k - 1];
  }
  return c;
}

int32_t dimension(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
  case 0:
    return in.PickValueInArray<int32_t>({std::numeric_limits<int32_t>::min(), -1, 0, 1, 2, 3,
                                         std::numeric_limits<int32_t>::max(), 1 << 20, 1 << 28});
  case 1:
    return in.ConsumeIntegral<int32_t>();
  case 2:
    return in.ConsumeIntegralInRange<int32_t>(0, 1024);
  default:
    return in.ConsumeIntegralInRange<int32_t>(-2, 64);
  }
}

int32_t toInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Packed, padded, bottom-up, shared (0), overlapping, not a multiple of 4, or anything.
int32_t rowStride(FuzzedDataProvider& in, int32_t width) {
  int64_t packed = 4 * int64_t{std::max(width, 0)};
  switch (in.ConsumeIntegralInRange(0, 6)) {
  case 0:
    return toInt32(packed);
  case 1:
    return toInt32(packed + 4 * in.ConsumeIntegralInRange(0, 16));
  case 2:
    return toInt32(-packed - 4 * in.ConsumeIntegralInRange(0, 16));
  case 3:
    return 0;
  case 4:
    return toInt32(packed > 1 ? in.ConsumeIntegralInRange<int64_t>(1, packed - 1) : 1);
  case 5:
    return toInt32((packed + in.ConsumeIntegralInRange(1, 3)) * (in.ConsumeBool() ? 1 : -1));
  default:
    return in.ConsumeIntegral<int32_t>();
  }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // One host for the whole run, with a polygon whose block gives the fill's address.
  static host::Host h;
  h.loadFrom(fuzzing::residentPlugin("Tessaline2"), "Tessaline2");
  host::Value polygon = h.create("PolygonF");
  gFill = h.data<PolygonFData>(polygon).fillToBuffer;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Corners corners = in.ConsumeBool() ? generatedCorners(in) : listedCorners(in);
  int32_t width = dimension(in), height = dimension(in);
  int32_t stride = rowStride(in, width);
  size_t misalign = in.ConsumeIntegralInRange(0, 7) < 6 ? 0 : in.ConsumeIntegralInRange(1, 3);
  uint32_t value = in.ConsumeIntegral<uint32_t>();

  fuzzing::makeAffordable(corners, width, height);
  fuzzing::ImageLayout layout(width, height, stride);
  if (layout.bytes() > kMappedBytes) {
    // A row takes at most half of it, the rows that fit the rest.
    width = toInt32(std::min<int64_t>(width, kMappedBytes / 8));
    int64_t rows = (kMappedBytes / 2) / std::max<int64_t>(std::abs(int64_t{stride}), 1) + 1;
    layout = fuzzing::ImageLayout(width, toInt32(std::min<int64_t>(rows, height)), stride);
  }
  fuzzing::GuardedImage image(layout, misalign);
  // A written pixel must show: it differs from blank in every byte of mapped memory, and as a
  // whole on the heap.
  if (image.mapped()) value |= 0x01010101u;
  if (value == image.blank()) value ^= 1;

  PolygonFData polygon{};
  polygon.count = static_cast<int64_t>(corners.size());
  polygon.capacity = polygon.count;
  polygon.corners = corners.data();
  polygon.fillToBuffer = gFill;
  const Corners before = corners;

  gFill(&polygon, image.first(), layout.width, layout.height, layout.stride, value);

  image.checkConfined();
  if (!corners.empty() &&
      std::memcmp(before.data(), corners.data(), corners.size() * sizeof(PointFData)) != 0)
    fuzzing::fail("the polygon changed");
  if (!image.mapped() && layout.width >= 2 && layout.rowsApart() &&
      int64_t{layout.width} * layout.height <= (int64_t{1} << 20))
    fuzzing::checkWords(layout, image, value);
  if (!image.mapped() && fuzzing::referenceApplies(corners, layout))
    fuzzing::compareWithReference(corners, layout, image, value);
  return 0;
}
