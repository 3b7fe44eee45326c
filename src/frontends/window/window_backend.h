// The console backend of the desktop window: the system clock, the window's key events and the
// window's pixels. One thread; waiting always blocks on SDL's event queue.
#pragma once

#include <SDL_events.h>

#include <cstdint>
#include <deque>

#include "console/backend.h"
#include "frontends/window/key_assembler.h"
#include "frontends/window/sdl_window.h"

namespace ashwicket::window {

// Thrown out of the game when the player closes the window; main ends the process with 0.
struct WindowClosed {};

class WindowBackend final : public Backend {
 public:
  WindowBackend();  // throws NoDisplay

  double MonotonicSeconds() override;
  double SecondsSinceMidnightAtStart() override { return startOfDay_s_; }
  void Sleep(double duration_s) override;
  void PumpInput(KeyQueues& queues, double timeout_s) override;
  void Show(const ScreenBuffer& screen) override;

 private:
  // Takes everything SDL has, then hands the key events over to the game's queues.
  void DrainEvents(KeyQueues& queues);
  // Window events are dealt with at once; key events are kept for the queues.
  void TakeEvent(const SDL_Event& event);
  void TakeWindowEvent(const SDL_WindowEvent& event);
  void DeliverKeyEvent(const SDL_Event& event, KeyQueues& queues);
  // Puts the frame on the window: only the cells that changed, unless `everything` is asked for
  // or the surface is new.
  void Paint(const Cells& frame, bool everything);

  SdlWindow window_;
  KeyAssembler keys_;
  std::deque<SDL_Event> keyEvents_;  // waiting to be delivered into the game's queues
  Cells shown_{};                    // the frame on the screen, kept for expose and resize
  struct PaintedSurface {
    const SDL_Surface* surface = nullptr;
    int width = 0;
    int height = 0;
  };
  PaintedSurface painted_;  // the surface that holds shown_
  double startOfDay_s_ = 0.0;
};

}  // namespace ashwicket::window
