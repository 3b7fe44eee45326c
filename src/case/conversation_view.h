// Shows one page of a witness conversation.
#pragma once

#include "case/conversations.h"
#include "shell/game_state.h"

namespace ashwicket {

// The passage, then an empty line and the hint lines if there are any; waits for a fresh key.
void ShowConversationPage(Game& game, const ConversationPage& page);

}  // namespace ashwicket
