// LineF and PolygonF: a star, a rotated and inset rectangle and the zone of a line, painted with
// the polygons' own raster fill into a pixel buffer, as native code would call it through the
// polygon's data block, and written out as a PNG.
#include <png.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "lines/polygon_data.h"
#include "session.h"

namespace {

using host::Value;

constexpr int kWidth = 480, kHeight = 320;

// A pixel value whose bytes in memory are red, green, blue, alpha, whatever the byte order.
uint32_t rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  const uint8_t bytes[4] = {r, g, b, a};
  uint32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

struct Image {
  std::vector<uint32_t> pixels =
      std::vector<uint32_t>(size_t{kWidth} * kHeight, rgba(250, 248, 240));

  // The polygon's fill routine, reached through its data block.
  void fill(host::Host& h, const Value& polygon, uint32_t colour) {
    const auto& data = h.data<lines::PolygonFData>(polygon);
    data.fillToBuffer(&data, reinterpret_cast<uint8_t*>(pixels.data()), kWidth, kHeight, kWidth * 4,
                      colour);
  }

  size_t count(uint32_t colour) const {
    size_t n = 0;
    for (uint32_t p : pixels) n += p == colour;
    return n;
  }

  bool writePng(const char* path) const {
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info && !setjmp(png_jmpbuf(png))) {
      png_init_io(png, file);
      png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                   PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
      png_write_info(png, info);
      for (int y = 0; y < kHeight; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(&pixels[size_t(y) * kWidth]));
      png_write_end(png, nullptr);
      written = true;
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return written;
  }
};

Value star(host::Host& h, double cx, double cy, int points, double outer, double inner) {
  Value p = h.create("PolygonF");
  for (int k = 0; k < 2 * points; ++k) {
    double angle = 3.141592653589793 * (k / double(points) - 0.5);
    double r = k % 2 ? inner : outer;
    h.call(p, "Add", {cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return p;
}

void describe(host::Host& h, const char* name, const Value& polygon) {
  Value b = h.call(polygon, "Bounds");
  std::printf("  %-22s %2ld corners, area %9.2f, bounds (%.1f, %.1f)-(%.1f, %.1f)\n", name,
              long(h.get(polygon, "CornerCount").asInteger()), h.call(polygon, "Area").asDouble(),
              h.get(b, "Left").asDouble(), h.get(b, "Top").asDouble(), h.get(b, "Right").asDouble(),
              h.get(b, "Bottom").asDouble());
}

void linesSession(host::Host& h) {
  if (!h.findClass("PointF")) {
    std::printf("  (Tessaline1 is not loaded: no points or rectangles to work with)\n");
    return;
  }
  Image image;
  const uint32_t gold = rgba(230, 170, 30), blue = rgba(60, 110, 200), teal = rgba(40, 160, 150),
                 red = rgba(200, 60, 60);

  Value twinkle = star(h, 110, 120, 7, 90, 38);
  describe(h, "star", twinkle);
  image.fill(h, twinkle, gold);

  Value box = h.create("PolygonF", {h.create("RectF", {250.0, 50.0, 430.0, 170.0})});
  h.call(box, "Rotate", {25.0});
  describe(h, "rectangle, turned 25", box);
  image.fill(h, box, blue);
  Value inner = h.get(box, "Clone");
  h.call(inner, "Inset", {18.0});
  describe(h, "  and inset by 18", inner);
  image.fill(h, inner, teal);

  // The band LineF.Contains tests against: a thin quadrilateral along the segment, widened by
  // the inset.
  Value segment = h.create("LineF", {40.0, 285.0, 440.0, 225.0});
  const double zone = 9, sliver = 9.999999747378752e-06;
  double x1 = h.get(segment, "x1").asDouble(), y1 = h.get(segment, "y1").asDouble();
  double x2 = h.get(segment, "x2").asDouble(), y2 = h.get(segment, "y2").asDouble();
  Value band = h.create("PolygonF");
  h.call(band, "Add", {x1, y1});
  h.call(band, "Add", {x2, y2});
  h.call(band, "Add", {x2 + sliver, y2 + sliver});
  h.call(band, "Add", {x1 + sliver, y1 + sliver});
  h.call(band, "Inset", {-zone});
  describe(h, "zone of a line, 9 wide", band);
  image.fill(h, band, red);

  // Every painted pixel of the band, sampled where the fill samples it, lies in the line's zone.
  int agree = 0, checked = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (image.pixels[size_t(y) * kWidth + x] == red) {
        ++checked;
        agree += h.call(segment, "Contains", {x + 1.0, double(y), zone}).asBoolean();
      }
  std::printf("  zone pixels inside LineF.Contains: %d of %d\n", agree, checked);
  std::printf("  painted pixels: star %zu, rectangle %zu, inset %zu, zone %zu\n", image.count(gold),
              image.count(blue), image.count(teal), image.count(red));

  // Timing: the star filled over and over into the same buffer.
  const int rounds = 2000;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) image.fill(h, twinkle, gold);
  double us =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  std::printf("  star filled %d times: %.2f us a fill\n", rounds, us / rounds);

  if (image.writePng(TESSALINE_DEMO_PNG))
    std::printf("  wrote %s (%d x %d)\n", TESSALINE_DEMO_PNG, kWidth, kHeight);
  else
    std::printf("  could not write %s\n", TESSALINE_DEMO_PNG);
}

DemoSession session("PolygonF", &linesSession);

} // namespace
