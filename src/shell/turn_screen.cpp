#include "shell/turn_screen.h"

#include <string>
#include <string_view>

namespace ashwicket {

namespace {

std::string Spaces(int count) {
  return std::string(static_cast<std::size_t>(count), ' ');
}

// A 32-column frame text, padded on the right.
std::string Framed(std::string_view text) {
  std::string padded(text);
  padded.resize(32, ' ');
  return padded;
}

bool Names(std::string_view exits, std::string_view direction) {
  return exits.find(direction) != std::string_view::npos;
}

void DrawBanner(Console& console) {
  const std::string underscores(32, '_');
  console.PrintLine();
  console.PrintLine();
  console.PrintLine();
  console.PrintLine(Spaces(23) + underscores + Spaces(24));
  console.PrintLine(Spaces(22) + "/" + Framed("Corvellane") + "\\" + Spaces(21));
  console.PrintLine(Spaces(22) + "/" + Framed("Written by: Orvandel") + "\\" + Spaces(24));
  console.PrintLine(Spaces(22) + "/" + underscores + "\\" + Spaces(20));
  console.PrintLine(Spaces(76));
  console.PrintLine(Spaces(33) + "Episode Two:");
  console.PrintLine(Spaces(31) + "Ashwicket");
}

// The compass letter stands in its place when the exit text names that direction.
void DrawCompass(Console& console, std::string_view exits) {
  console.Print(Spaces(38));
  console.PrintLine(Names(exits, "NORTH") ? "N" : "");
  console.Print("*---------------------------------* ");
  console.Print(Names(exits, "WEST") ? "W" : " ");
  console.Print(" + ");
  console.Print(Names(exits, "EAST") ? "E" : " ");
  console.PrintLine(" *------------------------------------*");
  console.Print(Spaces(38));
  console.PrintLine(Names(exits, "SOUTH") ? "S" : "");
}

}  // namespace

void DrawTurnScreen(Game& game) {
  Console& console = game.console;
  console.Clear();
  DrawBanner(console);
  DrawCompass(console, game.state.exitsText[static_cast<std::size_t>(game.state.currentRoom)]);
  console.PrintLine();
  console.PrintLine("If you are stuck just type HELP.");
  console.PrintLine();
}

}  // namespace ashwicket
