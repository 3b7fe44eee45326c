#include "shell/general_commands.h"

#include <array>
#include <string_view>

#include "shell/page_waits.h"

namespace ashwicket {

namespace {

constexpr std::array<std::string_view, 15> kHelpPage = {
    "HERE ARE SOME BASIC COMMANDS THAT CAN BE USED IN THE GAME...",
    "",
    "LOOK                         - CHECK FOR AVAILABLE EXITS",
    "NORTH, EAST ,SOUTH, AND WEST - MOVE TO AN AVAILABLE LOCATION",
    "EXAMINE (OBJECT)             - EXAMINE AN OBJECT",
    "USE (OBJECT)                 - USE AN OBJECT",
    "READ (OBJECT)                - READ AN OBJECT",
    "TAKE (OBJECT)                - TAKE OR MOVE AN OBJECT",
    "TALK                         - TALK TO SOMEONE",
    "PRESENT EVIDENCE             - WHEN YOU THINK YOU'VE SOLVED THE CASE",
    "INVENTORY                    - VIEW YOUR INVENTORY",
    "HELP                         - VIEW THIS SCREEN",
    "END                          - END GAME",
    "",
    "PRESS ANY KEY...",
};

}  // namespace

void ShowHelp(Game& game) {
  game.console.Clear();
  for (std::string_view line : kHelpPage) game.console.PrintLine(line);
  WaitForNextKey(game.console);
}

}  // namespace ashwicket
