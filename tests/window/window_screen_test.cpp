// The window's picture: where the screen sits in the window, and the pixels painted for cells.
// Software surfaces need no display, so the painting is checked pixel by pixel.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "console/screen_buffer.h"
#include "frontends/window/font.h"
#include "frontends/window/layout.h"
#include "frontends/window/palette.h"
#include "frontends/window/screen_painter.h"

namespace ashwicket::window {
namespace {

TEST(WindowLayout, LargestWholeScaleCentred) {
  struct Case {
    int width, height;
    ScreenLayout layout;
  } cases[] = {
      {640, 400, {1, 0, 0}},       {1280, 800, {2, 0, 0}},
      {1280, 1024, {2, 0, 112}},   {1279, 1024, {1, 319, 312}},  // one pixel short of 2x
      {1920, 1080, {2, 320, 140}}, {3840, 2160, {5, 320, 80}},
      {1919, 1201, {2, 319, 200}}, {600, 300, {1, -20, -50}},  // smaller than the screen
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitScreen(c.width, c.height), c.layout) << c.width << "x" << c.height;
  }
}

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

SurfacePtr MakeSurface(int width, int height) {
  return {SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888),
          &SDL_FreeSurface};
}

Rgb PixelAt(const SDL_Surface* surface, int x, int y) {
  const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
  Uint32 pixel;
  std::memcpy(&pixel, row + x * 4, sizeof pixel);
  Rgb rgb{};
  SDL_GetRGB(pixel, surface->format, &rgb.r, &rgb.g, &rgb.b);
  return rgb;
}

bool operator==(const Rgb& a, const Rgb& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

Cell& CellAt(Cells& cells, int row, int column) {
  return cells[static_cast<std::size_t>((row - 1) * kColumns + column - 1)];
}

TEST(WindowPainter, CellsAreGlyphPixelsScaledInPaletteColoursBetweenBlackBars) {
  Cells cells{};
  CellAt(cells, 1, 1) = {'A', 14, 1};            // yellow on blue
  CellAt(cells, 25, 80) = {0xDB, 15, 0};         // full block, white
  CellAt(cells, 13, 40) = {'g', 8, 0};           // dark grey on black
  const auto surface = MakeSurface(1280, 1024);  // scale 2, bars of 112 rows above and below
  PaintWholeScreen(surface.get(), cells);

  const ScreenLayout layout = FitScreen(1280, 1024);
  for (int y = 0; y < 1024; ++y) {
    for (int x = 0; x < 1280; ++x) {
      const int sy = (y - layout.y) / 2;  // screen pixel under this window pixel
      const int sx = x / 2;
      Rgb expected = kPalette[0];
      if (y >= layout.y && sy < kScreenHeight) {
        const Cell& cell = cells[static_cast<std::size_t>(sy / 16 * kColumns + sx / 8)];
        const bool lit = kFont8x16[cell.ch][static_cast<std::size_t>(sy % 16)] & (0x80 >> sx % 8);
        expected = kPalette[lit ? cell.fg : cell.bg];
      }
      ASSERT_TRUE(PixelAt(surface.get(), x, y) == expected) << "at " << x << "," << y;
    }
  }
  // The oracle above reads the font; make sure the font is a font.
  EXPECT_TRUE(PixelAt(surface.get(), 1279, 911) == kPalette[15]);  // corner of the full block
  EXPECT_NE(kFont8x16['A'], kFont8x16['B']);
  EXPECT_EQ(kFont8x16[' '], GlyphRows{});
}

TEST(WindowPainter, RepaintingChangedCellsMatchesAWholeRepaint) {
  Cells before{};
  for (int column = 1; column <= kColumns; ++column) CellAt(before, 5, column) = {'x', 8, 0};
  Cells after = before;
  for (int column = 32; column <= 42; ++column) CellAt(after, 10, column) = {'9', 8, 0};
  CellAt(after, 5, 7) = {'x', 14, 1};
  CellAt(after, 25, 80) = {'*', 7, 0};

  struct Case {
    int width, height;
  } sizes[] = {{1280, 1024}, {640, 400}, {1919, 1201}, {600, 300}};
  for (const Case& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
    const auto incremental = MakeSurface(size.width, size.height);
    const auto whole = MakeSurface(size.width, size.height);
    PaintWholeScreen(incremental.get(), before);
    const std::vector<SDL_Rect> areas = PaintChangedCells(incremental.get(), before, after);
    PaintWholeScreen(whole.get(), after);

    const std::size_t bytes = static_cast<std::size_t>(whole->pitch) * whole->h;
    EXPECT_EQ(std::memcmp(incremental->pixels, whole->pixels, bytes), 0);

    // One area per changed row, the span of its changed cells, cut to the surface.
    const ScreenLayout layout = FitScreen(size.width, size.height);
    const int cellW = 8 * layout.scale, cellH = 16 * layout.scale;
    const SDL_Rect spans[] = {
        {layout.x + 6 * cellW, layout.y + 4 * cellH, cellW, cellH},        // row 5, 7
        {layout.x + 31 * cellW, layout.y + 9 * cellH, 11 * cellW, cellH},  // row 10, 32-42
        {layout.x + 79 * cellW, layout.y + 24 * cellH, cellW, cellH},      // row 25, 80
    };
    const SDL_Rect bounds{0, 0, size.width, size.height};
    std::vector<SDL_Rect> expected;
    for (const SDL_Rect& span : spans) {
      if (SDL_Rect visible; SDL_IntersectRect(&span, &bounds, &visible))
        expected.push_back(visible);
    }
    ASSERT_EQ(areas.size(), expected.size());
    for (std::size_t i = 0; i < areas.size(); ++i) {
      EXPECT_TRUE(SDL_RectEquals(&areas[i], &expected[i])) << "area " << i;
    }
  }
}

TEST(WindowPainter, UnchangedFrameTouchesNothing) {
  Cells cells{};
  CellAt(cells, 3, 3) = {'k', 8, 0};
  const auto surface = MakeSurface(1280, 800);
  PaintWholeScreen(surface.get(), cells);
  EXPECT_TRUE(PaintChangedCells(surface.get(), cells, cells).empty());
}

}  // namespace
}  // namespace ashwicket::window
