// Render fills polygons with the plug-in's own raster fill and writes a PNG; reading the file
// back shows which pixels the fill painted.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "script/render.h"
#include "script_test.h"

namespace {

using runner_testing::ScriptTest;

script::Picture readPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGBA;
  script::Picture p{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  p.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, p.rgba.data(), 0, nullptr)) return {};
  return p;
}

bool white(const script::Picture& p, int x, int y) {
  const uint8_t* px = &p.rgba[(size_t(y) * size_t(p.width) + size_t(x)) * 4];
  return px[0] == 255 && px[1] == 255 && px[2] == 255 && px[3] == 255;
}

class Render : public ScriptTest {
protected:
  void SetUp() override {
    ScriptTest::SetUp();
    if (!registered("PolygonF")) GTEST_SKIP() << "PolygonF is not built";
  }
  std::string path(const char* name) {
    return (std::filesystem::path(::testing::TempDir()) / name).string();
  }
};

// The square (10,10)-(20,20) covers rows 11 to 20 and, in each, columns 10 to 18: the fill
// samples rows at their integer coordinate and stops a pixel short of the right crossing.
TEST_F(Render, PaintsWhatTheRasterFillCovers) {
  const std::string file = path("square.png");
  const Outcome o = run("Var square As New PolygonF\n"
                        "square.Add 10, 10\nsquare.Add 20, 10\nsquare.Add 20, 20\n"
                        "square.Add 10, 20\n"
                        "Render \"" +
                        file + "\", 40, 30\n");
  ASSERT_EQ(o.error, "");
  EXPECT_EQ(o.output, "Render: 1 polygon into " + file + " (40 x 30)\n");
  const script::Picture p = readPng(file);
  ASSERT_EQ(p.width, 40);
  ASSERT_EQ(p.height, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      EXPECT_EQ(white(p, x, y), !(y >= 11 && y <= 20 && x >= 10 && x <= 18)) << x << "," << y;
}

// Without a list Render takes every polygon the variables hold, in their order, each in its
// own colour; with a list, only those.
TEST_F(Render, TakesTheVariablesPolygonsOrTheOnesNamed) {
  const std::string all = path("all.png"), one = path("one.png");
  const Outcome o = run("Var a As New PolygonF(New RectF(0, 0, 10, 10))\n"
                        "Var none As PolygonF\n"
                        "Var b As New PolygonF(New RectF(20, 0, 30, 10))\n"
                        "Render \"" +
                        all +
                        "\", 32, 12\n"
                        "Render \"" +
                        one + "\", 32, 12, b\n");
  ASSERT_EQ(o.error, "");
  EXPECT_EQ(o.output, "Render: 2 polygons into " + all +
                          " (32 x 12)\n"
                          "Render: 1 polygon into " +
                          one + " (32 x 12)\n");
  const script::Picture both = readPng(all), onlyB = readPng(one);
  ASSERT_EQ(both.width, 32);
  ASSERT_EQ(onlyB.width, 32);
  EXPECT_FALSE(white(both, 5, 5));
  EXPECT_FALSE(white(both, 25, 5));
  EXPECT_NE(both.rgba[(5 * 32 + 5) * 4], both.rgba[(5 * 32 + 25) * 4]) << "one colour for both";
  EXPECT_TRUE(white(onlyB, 5, 5));
  EXPECT_FALSE(white(onlyB, 25, 5));
}

TEST_F(Render, RefusesWhatItCannotDraw) {
  EXPECT_EQ(run("Var p As PolygonF\nRender \"x.png\", 10, 10, p").error,
            "line 2, column 25: runtime error: NilObjectException: Render of a Nil PolygonF");
  EXPECT_EQ(run("Var r As New RectF\nRender \"x.png\", 10, 10, r").error,
            "line 2, column 25: type mismatch: expected PolygonF, got RectF");
  EXPECT_EQ(run("Render \"" + path("z.png") + "\", 0, 10").error,
            "line 1, column 1: a picture is 1 to 10000 pixels wide and high, not 0 x 10");
  EXPECT_EQ(run("Render \"/no/such/dir/x.png\", 10, 10").error,
            "line 1, column 1: cannot write /no/such/dir/x.png");
}

} // namespace
