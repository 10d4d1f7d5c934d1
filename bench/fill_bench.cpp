// W1 .. W5: the raster fill reached through the polygon's data block, cairo filling the same
// polygons into the same buffer (no antialiasing, even-odd rule), and wmemset re-storing the
// spans the fill paints.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

#include "bench.h"
#include "lines/polygon_data.h"

namespace bench {
namespace {

constexpr uint32_t kInk = 0xff3366ccu; // opaque; cairo's premultiplied ARGB32 of the same colour

struct Span {
  int row, x, count;
};

// One workload's polygons as the host holds them, its buffer, and the spans the fill paints.
struct FillCase {
  const FillWorkload* work;
  std::vector<const lines::PolygonFData*> blocks;
  int stride; // bytes
  uint32_t* buffer;
  std::vector<Span> spans;
  int64_t painted = 0;

  explicit FillCase(const FillWorkload& w) : work(&w), stride(w.width * 4) {
    size_t bytes = static_cast<size_t>(stride) * w.height;
    buffer = static_cast<uint32_t*>(std::aligned_alloc(64, bytes));
    std::memset(buffer, 0, bytes);
    for (const Corners& c : w.polygons)
      blocks.push_back(&theHost().data<lines::PolygonFData>(host::Value::retain(makePolygon(c))));
    // The spans of each polygon on its own, in the order the fill paints them.
    std::vector<uint32_t> scratch(static_cast<size_t>(w.width) * w.height);
    for (const lines::PolygonFData* b : blocks) {
      size_t first = spans.size();
      b->fillToBuffer(b, reinterpret_cast<uint8_t*>(scratch.data()), w.width, w.height, stride,
                      kInk);
      for (int y = 0; y < w.height; ++y)
        for (int x = 0; x < w.width;) {
          if (scratch[static_cast<size_t>(y) * w.width + x] != kInk) {
            ++x;
            continue;
          }
          int from = x;
          while (x < w.width && scratch[static_cast<size_t>(y) * w.width + x] == kInk) ++x;
          spans.push_back({y, from, x - from});
          painted += x - from;
        }
      for (size_t k = first; k < spans.size(); ++k) // blank again for the next polygon
        std::fill_n(&scratch[static_cast<size_t>(spans[k].row) * w.width + spans[k].x],
                    spans[k].count, 0u);
    }
  }
};

void tessaline(benchmark::State& state, FillCase* f) {
  auto* bytes = reinterpret_cast<uint8_t*>(f->buffer);
  for (auto _ : state) {
    for (const lines::PolygonFData* b : f->blocks)
      b->fillToBuffer(b, bytes, f->work->width, f->work->height, f->stride, kInk);
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = static_cast<double>(f->painted);
}

void cairo(benchmark::State& state, FillCase* f) {
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(f->buffer), CAIRO_FORMAT_ARGB32, f->work->width,
      f->work->height, f->stride);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgb(cr, 0x33 / 255.0, 0x66 / 255.0, 0xcc / 255.0);
  for (auto _ : state) {
    for (const Corners& c : f->work->polygons) {
      cairo_move_to(cr, c[0].x, c[0].y);
      for (size_t k = 1; k < c.size(); ++k) cairo_line_to(cr, c[k].x, c[k].y);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
    cairo_surface_flush(surface);
    benchmark::ClobberMemory();
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

// The memory limit: the same spans stored again, with the C library's wide stores.
void memsetSpans(benchmark::State& state, FillCase* f) {
  auto* bytes = reinterpret_cast<uint8_t*>(f->buffer);
  for (auto _ : state) {
    for (const Span& s : f->spans)
      std::wmemset(reinterpret_cast<wchar_t*>(bytes + static_cast<ptrdiff_t>(s.row) * f->stride) +
                       s.x,
                   static_cast<wchar_t>(kInk), static_cast<size_t>(s.count));
    benchmark::ClobberMemory();
  }
}

} // namespace

void registerFillBenchmarks() {
  static std::vector<std::unique_ptr<FillCase>> cases;
  for (const FillWorkload& w : fillWorkloads()) {
    FillCase* f = cases.emplace_back(std::make_unique<FillCase>(w)).get();
    benchmark::RegisterBenchmark(("fill/" + w.name + "/Tessaline").c_str(), tessaline, f);
    benchmark::RegisterBenchmark(("fill/" + w.name + "/cairo").c_str(), cairo, f);
    benchmark::RegisterBenchmark(("fill/" + w.name + "/memset").c_str(), memsetSpans, f);
  }
}

} // namespace bench
