// The two ways a page waits for the player, and the end of the game.
#pragma once

#include "console/console.h"

namespace ashwicket {

// Waits for a key and throws it away; a key typed ahead ends the wait at once.
void WaitForNextKey(Console& console);
// Throws away the keys typed ahead, then waits for a fresh one.
void WaitForKey(Console& console);
// "Press any key to continue" on the bottom row, a key, and the program ends with status 0.
[[noreturn]] void EndGame(Console& console);

}  // namespace ashwicket
