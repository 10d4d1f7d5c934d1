#include "render.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "lines/polygon_data.h"

namespace script {

namespace {

struct Colour {
  uint8_t r, g, b;
};
constexpr Colour kPalette[] = {{0x4E, 0x79, 0xA7}, {0xF2, 0x8E, 0x2B}, {0xE1, 0x57, 0x59},
                               {0x76, 0xB7, 0xB2}, {0x59, 0xA1, 0x4F}, {0xED, 0xC9, 0x48},
                               {0xB0, 0x7A, 0xA1}, {0xFF, 0x9D, 0xA7}};
constexpr unsigned kOpacity = 192; // of 255

// The data block of a PolygonF, which carries the address of its raster fill.
const lines::PolygonFData& polygonData(host::Host& host, const host::Value& polygon) {
  if (!polygon.isObject() || polygon.typeName() != "PolygonF")
    throw std::runtime_error("only a PolygonF can be rendered, not " + polygon.describe());
  const auto& data = *static_cast<const lines::PolygonFData*>(host.classData(polygon));
  if (!data.fillToBuffer) throw std::runtime_error("the PolygonF has no raster fill routine");
  return data;
}

} // namespace

Picture renderPolygons(host::Host& host, const std::vector<host::Value>& polygons, int width,
                       int height) {
  if (width < 1 || height < 1 || width > 10000 || height > 10000)
    throw std::runtime_error("a picture is 1 to 10000 pixels wide and high, not " +
                             std::to_string(width) + " x " + std::to_string(height));
  Picture picture{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4, 255)};
  std::vector<uint32_t> mask(size_t(width) * size_t(height));
  for (size_t i = 0; i < polygons.size(); ++i) {
    const lines::PolygonFData& data = polygonData(host, polygons[i]);
    std::fill(mask.begin(), mask.end(), 0u);
    data.fillToBuffer(&data, reinterpret_cast<uint8_t*>(mask.data()), width, height, width * 4, 1);
    const Colour c = kPalette[i % std::size(kPalette)];
    for (size_t p = 0; p < mask.size(); ++p) {
      if (!mask[p]) continue;
      uint8_t* px = &picture.rgba[p * 4];
      const uint8_t channel[3] = {c.r, c.g, c.b};
      for (int k = 0; k < 3; ++k)
        px[k] = static_cast<uint8_t>((channel[k] * kOpacity + px[k] * (255 - kOpacity)) / 255);
    }
  }
  return picture;
}

void writePng(const std::string& path, const Picture& picture) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("libpng cannot start a picture");
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng failed to write " + path);
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y)
    png_write_row(png, &picture.rgba[size_t(y) * size_t(picture.width) * 4]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}

} // namespace script
