// The keyboard's two queues: the 15-key character queue (a key pressed while it is full is
// lost) and the 8,191-event queue of presses and releases (the oldest event is lost when full).
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "console/keys.h"

namespace ashwicket {

inline constexpr std::size_t kCharacterQueueCapacity = 15;
inline constexpr std::size_t kEventQueueCapacity = 8191;

class KeyQueues {
 public:
  void Press(const KeyPress& key);
  void Release(int pressCode);

  // Empty text if nothing waits; one character; or character 0 followed by the scan code.
  std::string PollCharacter();
  // 0 if nothing waits; a press code, or the negative press code for a release.
  int PollEvent();

  std::size_t WaitingCharacters() const { return characters_.size(); }
  std::size_t WaitingEvents() const { return events_.size(); }

 private:
  void PushEvent(int code);

  std::deque<std::string> characters_;
  std::deque<int> events_;
};

}  // namespace ashwicket
