#include "case/conversation_view.h"

#include "shell/page_waits.h"

namespace ashwicket {

void ShowConversationPage(Game& game, const ConversationPage& page) {
  Console& console = game.console;
  console.Clear();
  for (std::string_view line : page.passage) console.PrintLine(line);
  if (!page.hints.empty()) {
    console.PrintLine();
    for (std::string_view hint : page.hints) console.PrintLine(hint);
  }
  WaitForKey(console);
}

}  // namespace ashwicket
