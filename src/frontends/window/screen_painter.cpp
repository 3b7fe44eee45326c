#include "frontends/window/screen_painter.h"

#include <array>
#include <cstddef>

#include "frontends/window/font.h"
#include "frontends/window/palette.h"

namespace ashwicket::window {

namespace {

using SurfaceColours = std::array<Uint32, 16>;

SurfaceColours MapPalette(const SDL_Surface* surface) {
  SurfaceColours colours{};
  for (std::size_t i = 0; i < kPalette.size(); ++i) {
    colours[i] = SDL_MapRGB(surface->format, kPalette[i].r, kPalette[i].g, kPalette[i].b);
  }
  return colours;
}

ScreenLayout LayoutFor(const SDL_Surface* surface) {
  return FitScreen(surface->w, surface->h);
}

SDL_Rect CellRect(const ScreenLayout& layout, int row, int column) {
  const int w = kGlyphWidth * layout.scale;
  const int h = kGlyphHeight * layout.scale;
  return {layout.x + (column - 1) * w, layout.y + (row - 1) * h, w, h};
}

// Row and column are 1-based, as on the screen.
void PaintCell(SDL_Surface* surface, const ScreenLayout& layout, const SurfaceColours& colours,
               int row, int column, const Cell& cell) {
  const SDL_Rect area = CellRect(layout, row, column);
  const Uint32 background = colours[cell.bg & 15];
  const Uint32 foreground = colours[cell.fg & 15];
  SDL_FillRect(surface, &area, background);
  if (foreground == background) return;
  const GlyphRows& glyph = kFont8x16[cell.ch];
  const int s = layout.scale;
  for (int y = 0; y < kGlyphHeight; ++y) {
    const unsigned bits = glyph[static_cast<std::size_t>(y)];
    // Each run of lit pixels in the row is one rectangle.
    int x = 0;
    while (x < kGlyphWidth) {
      if (!(bits & (0x80u >> x))) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < kGlyphWidth && (bits & (0x80u >> x))) ++x;
      const SDL_Rect run{area.x + start * s, area.y + y * s, (x - start) * s, s};
      SDL_FillRect(surface, &run, foreground);
    }
  }
}

const Cell& CellOf(const Cells& cells, int row, int column) {
  return cells[static_cast<std::size_t>((row - 1) * kColumns + (column - 1))];
}

}  // namespace

void PaintWholeScreen(SDL_Surface* surface, const Cells& cells) {
  const SurfaceColours colours = MapPalette(surface);
  const ScreenLayout layout = LayoutFor(surface);
  SDL_FillRect(surface, nullptr, colours[0]);
  for (int row = 1; row <= kRows; ++row) {
    for (int column = 1; column <= kColumns; ++column) {
      PaintCell(surface, layout, colours, row, column, CellOf(cells, row, column));
    }
  }
}

std::vector<SDL_Rect> PaintChangedCells(SDL_Surface* surface, const Cells& before,
                                        const Cells& after) {
  std::vector<SDL_Rect> changed;
  const SurfaceColours colours = MapPalette(surface);
  const ScreenLayout layout = LayoutFor(surface);
  const SDL_Rect bounds{0, 0, surface->w, surface->h};
  for (int row = 1; row <= kRows; ++row) {
    int first = 0;
    int last = 0;
    for (int column = 1; column <= kColumns; ++column) {
      const Cell& cell = CellOf(after, row, column);
      if (cell == CellOf(before, row, column)) continue;
      PaintCell(surface, layout, colours, row, column, cell);
      if (!first) first = column;
      last = column;
    }
    if (!first) continue;
    const SDL_Rect left = CellRect(layout, row, first);
    const SDL_Rect right = CellRect(layout, row, last);
    const SDL_Rect span{left.x, left.y, right.x + right.w - left.x, left.h};
    SDL_Rect visible;
    if (SDL_IntersectRect(&span, &bounds, &visible)) changed.push_back(visible);
  }
  return changed;
}

}  // namespace ashwicket::window
