#include "frontends/window/window_manager.h"

#if ASHWICKET_WINDOW_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace ashwicket::window {

bool WindowManagerRuns(SDL_Window* window) {
#if ASHWICKET_WINDOW_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
  // A window manager that follows the EWMH conventions (and so understands "full screen")
  // names its check window on the root window.
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int result = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                        XA_WINDOW, &type, &format, &count, &remaining, &data);
  if (data) XFree(data);
  return result == Success && type == XA_WINDOW && count == 1;
#else
  (void)window;
  return true;
#endif
}

}  // namespace ashwicket::window
