// The two closing pages of the case: the confrontation at the desk and the last look back.
#include "case/ending_texts.h"

#include <array>

namespace ashwicket {
namespace {

// Speech opens with a hyphen and closes with one; the detective's last speech stays open.
constexpr std::array<std::string_view, 16> kFirstEndingPage = {
    "You walk down the long hallway of the inn toward the front desk. The",
    "INN KEEPER takes one look at you, steps back and begins to sweat.",
    "He already knows why you are here.",
    "",
    "-What can I do you for Detective?- asks the INN KEEPER, his voice trembling.",
    "",
    "-Explain to me why you murdered an innocent woman tonight.-",
    "One by one you lay the evidence out on the desk between the two of you.",
    "Officer Grant walks in and takes his place right behind you.",
    "",
    "-It's not fair! She was so pretty, and she smiled at me. She looked",
    "just like a film star, like someone off the big screen...-",
    "",
    "-She caught you spying on her, and she screamed. You panicked. You were",
    "afraid of losing everything, so instead of leaving, you killed her, and",
    "you left a trail of clues behind you the whole way. It's over.",
};

constexpr std::array<std::string_view, 8> kSecondEndingPage = {
    "As the Inn Keepers is arrested, you take one last look around the inn.",
    "Tonight has changed this place for good. Every guest has packed up and",
    "left, and only the victim remains, her name written for ever in the register",
    "under a single word: Death.",
    "",
    "Stay Tuned for the next installment of",
    "",
    "Corvellane Episode 3: Tessolind.",
};

}  // namespace

std::span<const std::string_view> FirstEndingPage() {
  return kFirstEndingPage;
}
std::span<const std::string_view> SecondEndingPage() {
  return kSecondEndingPage;
}

}  // namespace ashwicket
