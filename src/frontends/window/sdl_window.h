// The SDL session: the library, the one window and the surface it is drawn through. Opening it
// is the constructor's job, closing it the destructor's.
#pragma once

#include <SDL_rect.h>
#include <SDL_surface.h>
#include <SDL_video.h>

#include <stdexcept>
#include <vector>

namespace ashwicket::window {

// There is no display to open the window on (or SDL cannot use it).
struct NoDisplay : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class SdlWindow {
 public:
  SdlWindow();
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // The surface to draw on. It is replaced when the window changes size, and what was drawn on
  // the old one is gone. Null while SDL cannot provide one.
  SDL_Surface* Surface();
  // Puts the drawn pixels on the screen: some areas, or the whole surface.
  void Update(const std::vector<SDL_Rect>& areas);
  void UpdateAll();

  // Alt+Enter: full screen at the display's own resolution, or back to the window.
  void ToggleFullscreen();

 private:
  SDL_Window* window_ = nullptr;
  bool covering_ = false;  // full screen made by hand, for want of a window manager
  SDL_Rect windowed_{};    // where the window was before that
};

}  // namespace ashwicket::window
