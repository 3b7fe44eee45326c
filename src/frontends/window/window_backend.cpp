#include "frontends/window/window_backend.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "frontends/common/system_clock.h"
#include "frontends/window/screen_painter.h"

namespace ashwicket::window {

namespace {

bool IsKeyEvent(Uint32 type) {
  return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_TEXTINPUT;
}

// SDL waits in whole milliseconds; anything shorter is slept off without it.
int WholeMilliseconds(double seconds) {
  return static_cast<int>(std::floor(seconds * 1000.0));
}

}  // namespace

WindowBackend::WindowBackend() : startOfDay_s_(LocalSecondsSinceMidnight()) {
  Paint(shown_, true);  // black until the game draws
}

double WindowBackend::MonotonicSeconds() {
  return SteadySeconds();
}

void WindowBackend::Sleep(double duration_s) {
  // Sleeping is waiting on the event queue, so that the window still redraws and can be
  // closed; keys that come in meanwhile wait for the next PumpInput.
  const double end_s = SteadySeconds() + duration_s;
  for (;;) {
    const double left_s = end_s - SteadySeconds();
    if (left_s <= 0.0) return;
    const int ms = WholeMilliseconds(left_s);
    if (ms < 1) {
      std::this_thread::sleep_for(std::chrono::duration<double>(left_s));
      return;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, ms)) TakeEvent(event);
  }
}

void WindowBackend::PumpInput(KeyQueues& queues, double timeout_s) {
  const std::uint64_t before = keys_.KeysDelivered();
  DrainEvents(queues);
  if (timeout_s <= 0.0) return;
  const double end_s = SteadySeconds() + timeout_s;
  while (keys_.KeysDelivered() == before) {
    const int ms = WholeMilliseconds(end_s - SteadySeconds());
    SDL_Event event;
    if (ms < 1 || !SDL_WaitEventTimeout(&event, ms)) return;
    TakeEvent(event);
    DrainEvents(queues);
  }
}

void WindowBackend::DrainEvents(KeyQueues& queues) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) TakeEvent(event);
  for (; !keyEvents_.empty(); keyEvents_.pop_front()) DeliverKeyEvent(keyEvents_.front(), queues);
}

void WindowBackend::Show(const ScreenBuffer& screen) {
  Paint(screen.AllCells(), false);
}

void WindowBackend::Paint(const Cells& frame, bool everything) {
  SDL_Surface* surface = window_.Surface();
  // A surface other than the one painted last (SDL makes a new one when the size changes)
  // holds nothing yet.
  const bool fresh = everything || !surface || surface != painted_.surface ||
                     surface->w != painted_.width || surface->h != painted_.height;
  if (!surface) {
    painted_ = {};
  } else if (fresh) {
    PaintWholeScreen(surface, frame);
    window_.UpdateAll();
    painted_ = {surface, surface->w, surface->h};
  } else {
    window_.Update(PaintChangedCells(surface, shown_, frame));
  }
  shown_ = frame;
}

void WindowBackend::TakeEvent(const SDL_Event& event) {
  if (event.type == SDL_QUIT) throw WindowClosed{};
  if (event.type == SDL_WINDOWEVENT) TakeWindowEvent(event.window);
  if (IsKeyEvent(event.type)) keyEvents_.push_back(event);
}

void WindowBackend::TakeWindowEvent(const SDL_WindowEvent& event) {
  // A new size, or part of the window uncovered: the frame shown last, afresh.
  if (event.event == SDL_WINDOWEVENT_SIZE_CHANGED || event.event == SDL_WINDOWEVENT_EXPOSED) {
    Paint(shown_, true);
  }
}

void WindowBackend::DeliverKeyEvent(const SDL_Event& event, KeyQueues& queues) {
  switch (event.type) {
    case SDL_KEYDOWN: {
      const SDL_Keysym& key = event.key.keysym;
      switch (keys_.KeyDown(key.sym, key.scancode, key.mod, event.key.repeat != 0, queues)) {
        case KeyAssembler::Command::kToggleFullscreen:
          window_.ToggleFullscreen();
          break;
        case KeyAssembler::Command::kCloseWindow:
          throw WindowClosed{};
        case KeyAssembler::Command::kNone:
          break;
      }
      break;
    }
    case SDL_TEXTINPUT:
      keys_.Text(event.text.text, queues);
      break;
    case SDL_KEYUP:
      keys_.KeyUp(event.key.keysym.scancode, queues);
      break;
    default:
      break;
  }
}

}  // namespace ashwicket::window
