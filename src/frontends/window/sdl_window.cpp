#include "frontends/window/sdl_window.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "frontends/window/layout.h"
#include "frontends/window/window_manager.h"

namespace ashwicket::window {

namespace {

constexpr const char* kTitle = "Ashwicket";
constexpr int kStartScale = 2;  // when the desktop has room for it

// While SDL looks for a display, the libraries it tries print their own complaints (libwayland
// on a missing XDG_RUNTIME_DIR, say). Without a display the player gets one clear line from us
// instead, so stderr is muted for that moment.
class StderrMuted {
 public:
  StderrMuted() : saved_(dup(STDERR_FILENO)) {
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~StderrMuted() {
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  StderrMuted(const StderrMuted&) = delete;
  StderrMuted& operator=(const StderrMuted&) = delete;

 private:
  int saved_;
};

// Drivers that draw nowhere a player could see. SDL falls back on them when it finds no display.
bool IsInvisible(const char* driver) {
  return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

int StartScale() {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  const bool roomy =
      usable.w >= kStartScale * kScreenWidth && usable.h >= kStartScale * kScreenHeight;
  return roomy ? kStartScale : 1;
}

}  // namespace

SdlWindow::SdlWindow() {
  SDL_SetHint(SDL_HINT_APP_NAME, kTitle);
  // A page can wait for a key for hours; the screen saver may do its job meanwhile.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  int failed;
  {
    StderrMuted muted;
    failed = SDL_Init(SDL_INIT_VIDEO);
  }
  if (failed) {
    throw NoDisplay(std::string("no display to open the window on (") + SDL_GetError() + ")");
  }
  if (IsInvisible(SDL_GetCurrentVideoDriver())) {
    SDL_Quit();
    throw NoDisplay("no display to open the window on");
  }
  // On X11 the surface goes straight to the server through shared memory, a few cells' worth
  // of pixels a frame. SDL would otherwise route it through OpenGL, which on a machine without
  // a GPU means rendering the whole window in software every frame. Other systems (Wayland)
  // have no direct path and keep SDL's choice.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }

  const int scale = StartScale();
  window_ = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             kScreenWidth * scale, kScreenHeight * scale, SDL_WINDOW_RESIZABLE);
  if (!window_) {
    const std::string error = SDL_GetError();
    SDL_Quit();
    throw NoDisplay("cannot open the window (" + error + ")");
  }
  SDL_SetWindowMinimumSize(window_, kScreenWidth, kScreenHeight);
  SDL_StartTextInput();
}

SdlWindow::~SdlWindow() {
  SDL_StopTextInput();
  SDL_DestroyWindow(window_);
  SDL_Quit();
}

SDL_Surface* SdlWindow::Surface() {
  return SDL_GetWindowSurface(window_);
}

void SdlWindow::Update(const std::vector<SDL_Rect>& areas) {
  if (areas.empty()) return;
  SDL_UpdateWindowSurfaceRects(window_, areas.data(), static_cast<int>(areas.size()));
}

void SdlWindow::UpdateAll() {
  SDL_UpdateWindowSurface(window_);
}

void SdlWindow::ToggleFullscreen() {
  if (covering_) {
    // Back from covering the display: where and how large the window was.
    covering_ = false;
    SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
    SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
    return;
  }
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) {
    SDL_SetWindowFullscreen(window_, 0);
    return;
  }
  if (WindowManagerRuns(window_)) {
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  // No window manager, so no decorations either: a window over the whole display is full screen.
  SDL_Rect display;
  const int index = SDL_GetWindowDisplayIndex(window_);
  if (index < 0 || SDL_GetDisplayBounds(index, &display) != 0) return;
  SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
  SDL_GetWindowSize(window_, &windowed_.w, &windowed_.h);
  covering_ = true;
  SDL_SetWindowPosition(window_, display.x, display.y);
  SDL_SetWindowSize(window_, display.w, display.h);
}

}  // namespace ashwicket::window
