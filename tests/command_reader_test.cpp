// The command step: echo, normalisation, the countdown, the death page and the queues.
#include "shell/command_reader.h"

#include <gtest/gtest.h>

#include <regex>

#include "shell/story_texts.h"
#include "support/game_runner.h"

namespace ashwicket {
namespace {

using testing::GameHarness;

constexpr double kStoryKey_s = 1.0;  // the key that leaves the opening page
constexpr double kLimit_s = 1800.0;

std::string CountdownText(const GameHarness& h) {
  return h.Screen().RowText(2).substr(31, 11);
}

TEST(NormaliseCommand, Table) {
  struct Case {
    const char* line;
    const char* command;
  } cases[] = {
      {"look", "LOOK"}, {"  quit  ", "QUIT"},           {"GO  NORTH", "GO  NORTH"},   {"", ""},
      {"   ", ""},      {"Mrs. Green?", "MRS. GREEN?"}, {" take ring ", "TAKE RING"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseCommand(c.line), c.command) << c.line;
}

TEST(CommandReader, TypedLineIsEditedEchoedAndNormalised) {
  struct Case {
    const char* typed;
    const char* command;
  } cases[] = {
      {"  go  north  \n", "GO  NORTH"},
      {"take child's doll\n", "TAKE CHILDS DOLL"},  // the apostrophe is not typed
      {"r2d2 x\n", "RD X"},                         // nor are digits
      {"examine mrs. green\n", "EXAMINE MRS. GREEN"},
      {"?\n", "?"},
      {"\n", ""},
      {"lookk\b\n", "LOOK"},
      {"\b\b\bq\n", "Q"},  // Backspace on an empty line does nothing
  };
  for (const Case& c : cases) {
    GameHarness h;
    h.StartPlaying();
    h.backend.TypeAt(0.5, c.typed);
    const auto outcome = h.RunPiece(ReadCommand);
    EXPECT_FALSE(outcome.ended);
    EXPECT_EQ(h.game.state.command, c.command) << c.typed;
    EXPECT_TRUE(h.console.AutoPresent());
    EXPECT_EQ(h.console.PollCharacter(), "") << "the command's keys are all used up";
  }
}

TEST(CommandReader, KeysAndArrowsWithoutCharactersAreIgnored) {
  GameHarness h;
  h.StartPlaying();
  for (auto key : {SpecialKey::Up, SpecialKey::F1, SpecialKey::Delete}) {
    h.backend.PressAt(0.5, KeyPress::Special(key));
    h.backend.ReleaseAt(0.5, SpecialKeyCode(key));
  }
  h.backend.PressAt(0.5, KeyPress::Character(kKeyEscape));
  h.backend.TypeAt(0.6, "n\n");
  h.RunPiece(ReadCommand);
  EXPECT_EQ(h.game.state.command, "N");
}

TEST(CommandReader, KeysTypedBeforeThePromptAreThrownAway) {
  GameHarness h;
  h.StartPlaying();
  h.backend.TypeAt(0.0, "look");  // waiting when the reader starts
  h.backend.TypeAt(1.0, "s\n");
  h.RunPiece(ReadCommand);
  EXPECT_EQ(h.game.state.command, "S");
}

TEST(CommandReader, EchoOfAVeryLongLineWrapsAndScrollsWithoutLosingIt) {
  GameHarness h;
  h.StartPlaying();
  h.console.MoveCursor(22, 1);
  const std::string line(250, 'a');
  h.backend.TypeAt(0.5, line + "\n");
  h.RunPiece(ReadCommand);
  EXPECT_EQ(h.game.state.command, std::string(250, 'A'));
  // 250 characters from column 1 of row 23 take rows 23-26: the frame is scrolled up three
  // rows, the prompt alone on its row and the countdown redrawn on row 2.
  EXPECT_EQ(h.Row(19), ">");
  EXPECT_EQ(h.Row(20), std::string(80, 'A'));
  EXPECT_EQ(h.Row(23), std::string(10, 'A'));
  EXPECT_TRUE(std::regex_match(CountdownText(h), std::regex(R"(  29:\d\d\.\d\d\d)")));
}

TEST(Countdown, FirstFrameShowsTwentyNineMinutesAndJustUnderSixtySeconds) {
  GameHarness h;
  h.backend.TypeAt(kStoryKey_s, "x");
  h.backend.StopAt(kStoryKey_s + 0.05);  // after the first pass, before the second
  h.Run();
  EXPECT_EQ(CountdownText(h), "  29:59.967");
  EXPECT_EQ(h.backend.LastShown().RowText(2).substr(31, 11), "  29:59.967");
  EXPECT_FALSE(h.console.AutoPresent());
}

TEST(Countdown, SecondsBelowTenArePaddedWithASpace) {
  GameHarness h;
  h.backend.TypeAt(kStoryKey_s, "x");
  h.backend.StopAt(kStoryKey_s + kLimit_s - 55.5);
  h.Run();
  EXPECT_TRUE(std::regex_match(CountdownText(h), std::regex(R"(   0:55\.[45]\d\d)")))
      << CountdownText(h);
}

TEST(Countdown, AWholeMinuteLeftReadsAsWholeMinutes) {
  GameHarness h(64065.768);  // a start where deadline minus clock falls just short of 1740
  h.backend.TypeAt(2.556, "x");
  h.backend.StopAt(2.556 + 60.0 + 0.02);
  h.Run();
  EXPECT_EQ(CountdownText(h), "  29: 0.000");
}

TEST(Countdown, CountsDownAcrossMidnight) {
  GameHarness h(86400.0 - 600.0);  // started at 23:50
  h.backend.TypeAt(kStoryKey_s, "x");
  h.backend.StopAt(kStoryKey_s + 900.0);  // a quarter of an hour later, past midnight
  h.Run();
  EXPECT_TRUE(std::regex_match(CountdownText(h), std::regex(R"(  1[45]:[ \d]\d\.\d\d\d)")))
      << CountdownText(h);
}

// How the death page comes: at the prompt, after a page that outlived the limit, and when
// Enter arrives in the pass in which time runs out.
TEST(DeathPage, EndsTheGameWhenTimeRunsOut) {
  struct Case {
    const char* name;
    std::vector<std::pair<double, const char*>> keys;
  } cases[] = {
      {"AtThePrompt", {}},
      {"AfterAPageThatOutlivedTheLimit", {{5.0, "help\n"}, {kStoryKey_s + kLimit_s + 60.0, "x"}}},
      {"EnterInTheLastPass",
       {{kStoryKey_s + kLimit_s - 0.5, "q"}, {kStoryKey_s + kLimit_s - 0.02, "\n"}}},
  };
  for (const Case& c : cases) {
    GameHarness h;
    h.backend.TypeAt(kStoryKey_s, "x");
    for (const auto& [at_s, text] : c.keys) h.backend.TypeAt(at_s, text);
    h.backend.TypeAt(kStoryKey_s + kLimit_s + 120.0, "k");  // for "Press any key to continue"
    const auto outcome = h.Run();
    EXPECT_TRUE(outcome.ended) << c.name;
    EXPECT_EQ(outcome.status, 0) << c.name;
    const auto death = DeathPage();
    for (int row = 1; row <= 4; ++row) {
      EXPECT_EQ(h.Row(row), death[static_cast<std::size_t>(row - 1)]) << c.name;
    }
    EXPECT_EQ(h.Row(5), "") << c.name;
    EXPECT_EQ(h.Row(25), "Press any key to continue") << c.name;
    EXPECT_EQ(h.backend.LastShown().RowText(25).substr(0, 25), "Press any key to continue");
  }
}

}  // namespace
}  // namespace ashwicket
