// Where the 640x400 text screen sits in a window of any size: at the largest whole-number
// scale that fits, centred, with black bars around it. Whole numbers keep every glyph pixel the
// same size, so resizing never distorts the text.
#pragma once

#include <algorithm>

#include "console/screen_buffer.h"
#include "frontends/window/font.h"

namespace ashwicket::window {

inline constexpr int kScreenWidth = kColumns * kGlyphWidth;  // 640
inline constexpr int kScreenHeight = kRows * kGlyphHeight;   // 400

struct ScreenLayout {
  int scale = 1;  // window pixels per screen pixel, in each direction
  int x = 0;      // left edge of the scaled screen in the window; below 0 when it cannot fit
  int y = 0;      // top edge, likewise
  friend bool operator==(const ScreenLayout&, const ScreenLayout&) = default;
};

constexpr ScreenLayout FitScreen(int width, int height) {
  const int scale = std::max(1, std::min(width / kScreenWidth, height / kScreenHeight));
  return {scale, (width - kScreenWidth * scale) / 2, (height - kScreenHeight * scale) / 2};
}

}  // namespace ashwicket::window
