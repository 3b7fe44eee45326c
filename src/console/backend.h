// What differs between platforms, and nothing more: the clock, sleeping, taking keys from the
// system, waiting for them, and showing a frame. Cleaning up is the destructor's job.
#pragma once

#include "console/key_queues.h"
#include "console/screen_buffer.h"

namespace ashwicket {

class Backend {
 public:
  virtual ~Backend() = default;

  // A monotonic clock in seconds, any origin; never jumps with the system time.
  virtual double MonotonicSeconds() = 0;
  // Local time of day, in seconds since midnight, at the moment the program started.
  virtual double SecondsSinceMidnightAtStart() = 0;

  virtual void Sleep(double duration_s) = 0;

  // Moves the key presses and releases the system has for us into the queues. Waits up to
  // timeout_s for the first one to arrive; returns at once when timeout_s is 0.
  virtual void PumpInput(KeyQueues& queues, double timeout_s) = 0;

  // Shows this frame until the next one.
  virtual void Show(const ScreenBuffer& screen) = 0;
};

}  // namespace ashwicket
