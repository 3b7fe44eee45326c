// ashwicket-window: the game in a desktop window.
#include <cstdio>
#include <exception>

#include "console/console.h"
#include "frontends/window/window_backend.h"
#include "shell/startup.h"

int main() {
  using namespace ashwicket;
  try {
    window::WindowBackend backend;
    Console console(backend);
    try {
      RunGame(console);
    } catch (const GameEnded& ended) {
      return ended.status;  // the backend closes the window on the way out
    } catch (const window::WindowClosed&) {
      return 0;
    }
  } catch (const window::NoDisplay& error) {
    std::fprintf(stderr, "ashwicket-window: %s\n", error.what());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "ashwicket-window: internal error: %s\n", error.what());
    return 1;
  }
}
