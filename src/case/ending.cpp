#include "case/ending.h"

#include "case/ending_texts.h"
#include "shell/page_waits.h"

namespace ashwicket {

namespace {

constexpr int kYellow = 14;
constexpr int kBlue = 1;

void ShowClosingPage(Console& console, std::span<const std::string_view> page) {
  console.Clear();
  for (std::string_view line : page) console.PrintLine(line);
  WaitForKey(console);
}

}  // namespace

void PresentEvidence(Game& game) {
  Console& console = game.console;
  console.SetColours(kYellow, kBlue);  // for the rest of the run, the last message included
  ShowClosingPage(console, FirstEndingPage());
  ShowClosingPage(console, SecondEndingPage());
  EndGame(console);
}

}  // namespace ashwicket
