// Draws the text screen's cells as pixels into a window surface: background, then the glyph in
// the foreground colour, every pixel a solid square of the layout's scale.
#pragma once

#include <SDL_surface.h>

#include <vector>

#include "console/screen_buffer.h"
#include "frontends/window/layout.h"

namespace ashwicket::window {

// Blackens the whole surface and draws every cell.
void PaintWholeScreen(SDL_Surface* surface, const Cells& cells);

// Draws only the cells that differ between `before` (what the surface shows now) and `after`.
// Returns the surface areas that changed, at most one per screen row, clipped to the surface.
std::vector<SDL_Rect> PaintChangedCells(SDL_Surface* surface, const Cells& before,
                                        const Cells& after);

}  // namespace ashwicket::window
