#include "console/key_queues.h"

namespace ashwicket {

void KeyQueues::Press(const KeyPress& key) {
  if (characters_.size() < kCharacterQueueCapacity) {
    std::string text(1, static_cast<char>(key.character));
    if (key.character == 0) text.push_back(static_cast<char>(key.scanCode));
    characters_.push_back(std::move(text));
  }
  PushEvent(key.code);
}

void KeyQueues::Release(int pressCode) {
  PushEvent(-pressCode);
}

void KeyQueues::PushEvent(int code) {
  if (events_.size() == kEventQueueCapacity) events_.pop_front();
  events_.push_back(code);
}

std::string KeyQueues::PollCharacter() {
  if (characters_.empty()) return {};
  std::string key = std::move(characters_.front());
  characters_.pop_front();
  return key;
}

int KeyQueues::PollEvent() {
  if (events_.empty()) return 0;
  const int code = events_.front();
  events_.pop_front();
  return code;
}

}  // namespace ashwicket
