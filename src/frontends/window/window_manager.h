// Whether a window manager looks after our window. Going full screen is its job on X11: without
// one, SDL's request goes unanswered and the window has to cover the display by itself.
#pragma once

#include <SDL_video.h>

namespace ashwicket::window {

// True where that cannot be told (other systems, a build without Xlib): SDL is trusted there.
bool WindowManagerRuns(SDL_Window* window);

}  // namespace ashwicket::window
