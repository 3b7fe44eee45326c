// The detective's opening story and the page shown when the time runs out.
#include "shell/story_texts.h"

#include <array>

namespace ashwicket {
namespace {

constexpr std::array<std::string_view, 10> kOpeningStory = {
    "Sunday, August 20th, 1988. I recieved a call from an old friend of",
    "mine on the force. He didn't say much, only that I was needed at once",
    "at an old inn just off the highway. I knew the place by reputation.",
    "During the week it's a stopover for travelling families on their way",
    "to somewhere better. On the weekends it's another story: the kind of",
    "place where shady deals are struck and nobody asks any questions.",
    "I asked him what happened. He said he couldn't tell me over the phone.",
    "Twenty minutes later a squad car was waiting outside my door, and it",
    "took me straight to the crime scene. I didn't need to be told more.",
    "Calls like that usually mean one thing: somebody is already dead.",
};

constexpr std::array<std::string_view, 4> kDeathPage = {
    "The power goes out...you hear someone running toward you in the dark.",
    "Before you can reach for your gun, a sharp pain rips deep into your throat.",
    "You've been stabbed. You try to cry out but no sound comes, and you fall",
    "to the carpet, bleeding to death alone in the dark of the inn. Pathetic.",
};

}  // namespace

std::span<const std::string_view> OpeningStory() {
  return kOpeningStory;
}
std::span<const std::string_view> DeathPage() {
  return kDeathPage;
}

}  // namespace ashwicket
