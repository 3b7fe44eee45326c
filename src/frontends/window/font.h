// The 8x16 bitmap font of the screen: one glyph for each of the 256 characters of code page 437.
// The array is generated at build time (font_generator.cpp) from the VGA console fonts of
// Debian's console-setup-linux: public domain, drawn from u_vga16.bdf by Dmitry Bolkhovityanov
// (MIT-style licence, /usr/share/doc/console-setup-linux/copyright.fonts.gz).
#pragma once

#include <array>
#include <cstdint>

namespace ashwicket::window {

inline constexpr int kGlyphWidth = 8;
inline constexpr int kGlyphHeight = 16;

// Sixteen pixel rows, top first; bit 7 is the leftmost pixel.
using GlyphRows = std::array<std::uint8_t, kGlyphHeight>;

extern const std::array<GlyphRows, 256> kFont8x16;

}  // namespace ashwicket::window
