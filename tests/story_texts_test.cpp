// Shape checks of the story texts: line counts, exact longest lines, openings and exact lines.
#include "shell/story_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "case/conversations.h"
#include "case/ending_texts.h"
#include "shell/game_state.h"
#include "world/room_texts.h"

namespace ashwicket {
namespace {

constexpr std::size_t kConsoleWidth = 80;
constexpr std::size_t kRoomLineLimit = 72;

// The longest line must be exactly `longest` long and the only line of that length, and no
// line may reach the console's last column or end in a blank.
void ExpectLineLengths(std::span<const std::string_view> lines, std::size_t longest) {
  std::size_t atLongest = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": \"" + std::string(lines[i]) + "\"");
    EXPECT_LE(lines[i].size(), longest);
    EXPECT_LT(lines[i].size(), kConsoleWidth);
    if (!lines[i].empty()) {
      EXPECT_NE(lines[i].back(), ' ');
    }
    if (lines[i].size() == longest) ++atLongest;
  }
  EXPECT_EQ(atLongest, 1u) << "exactly one line must be the longest";
}

std::vector<std::size_t> EmptyRows(std::span<const std::string_view> lines) {
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) rows.push_back(i + 1);
  }
  return rows;
}

TEST(StoryTexts, PagesHaveTheirShape) {
  struct Case {
    const char* name;
    std::span<const std::string_view> lines;
    std::size_t count;
    std::size_t longest;
    std::string_view opening;
    std::vector<std::size_t> emptyRows;  // counted from 1
  };
  // clang-format off
  const Case cases[] = {
      {"opening story", OpeningStory(), 10, 70, "Sunday, August 20th, 1988. I recieved a", {}},
      {"death page", DeathPage(), 4, 75, "The power goes out...you hear someone running", {}},
      {"first ending page", FirstEndingPage(), 16, 76, "You walk down the long hallway of the",
       {4, 6, 10, 13}},
      {"second ending page", SecondEndingPage(), 8, 76, "As the Inn Keepers is arrested, you",
       {5, 7}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.lines.size(), c.count);
    EXPECT_TRUE(c.lines[0].starts_with(c.opening)) << c.lines[0];
    EXPECT_EQ(EmptyRows(c.lines), c.emptyRows);
    ExpectLineLengths(c.lines, c.longest);
  }
}

TEST(StoryTexts, ClosingPagesKeepTheirSpeechAndExactLines) {
  const auto first = FirstEndingPage();
  const auto second = SecondEndingPage();
  ASSERT_EQ(first.size(), 16u);
  ASSERT_EQ(second.size(), 8u);

  // Speeches open with a hyphen and close with one; the last one ends open on "It's over.".
  EXPECT_TRUE(first[4].starts_with("-What can I do you for Detective?-")) << first[4];
  EXPECT_GT(first[4].size(), std::string_view("-What can I do you for Detective?-").size())
      << "the greeting is followed by who asked it";
  EXPECT_TRUE(first[6].starts_with("-") && first[6].ends_with("-")) << first[6];
  EXPECT_TRUE(first[10].starts_with("-")) << first[10];
  EXPECT_TRUE(first[11].ends_with("-")) << first[11];
  EXPECT_TRUE(first[13].starts_with("-")) << first[13];
  EXPECT_TRUE(first[15].ends_with("It's over.")) << first[15];
  for (const auto& page : {first, second}) {
    for (std::string_view line : page) EXPECT_EQ(line.find('"'), std::string_view::npos) << line;
  }

  EXPECT_EQ(second[5], "Stay Tuned for the next installment of");
  EXPECT_EQ(second[7], "Corvellane Episode 3: Tessolind.");
}

// One letter per entry: T a text line, E an empty line, V an evidence line.
std::string EntryKinds(std::span<const RoomLine> block) {
  std::string kinds;
  for (const RoomLine& line : block) {
    kinds += line.shownWhileUncarried != nullptr ? 'V' : line.text.empty() ? 'E' : 'T';
  }
  return kinds;
}

TEST(StoryTexts, RoomBlocksHaveTheirShape) {
  struct Case {
    int room;
    std::string_view kinds;
    std::size_t longest;
    std::string_view opening;
    std::vector<std::string_view> names;  // witnesses and items, as the commands spell them
  };
  // clang-format off
  const Case cases[] = {
      {1, "TTT", 68, "It's a cold night. The flashing lights", {}},
      {2, "TTT", 67, "You are standing at the entrance", {"OFFICER GRANT"}},
      {3, "TTTEV", 66, "You are standing before the check in desk.",
       {"INN KEEPER", "TRAIN TICKET"}},
      {4, "TT", 68, "The wde halway", {}},
      {5, "TTTEV", 70, "You are standing in the room of",
       {"MR. GREEN", "MRS. GREEN", "CHILDS DOLL"}},
      {6, "T", 30, "No one's staying", {}},
      {7, "TT", 71, "With everystep you take down this long", {}},
      {8, "TTT", 72, "You stand in an empty room.", {}},
      {9, "T", 64, "You can hear from the next", {}},
      {10, "TEV", 58, "You are standing in", {"WEDDING RING"}},
      {11, "TEVEV", 64, "You enter the room and notice", {"PISTOL", "DRAWING"}},
      {12, "TT", 69, "You enter the room of WILSON,", {"WILSON"}},
      {13, "T", 66, "There's something about this", {}},
      {14, "TTTT", 67, "You enter the room of MARGO.", {"MARGO"}},
      {15, "T", 34, "Nothing...", {}},
      {16, "T", 40, "You are standing at the end", {}},
      {17, "T", 41, "Another empty room.", {}},
      {18, "TTTE", 71, "You enter the room of PHIL.", {"PHIL"}},
  };
  // clang-format on
  ASSERT_EQ(std::size(cases), static_cast<std::size_t>(kRoomCount));
  for (const Case& c : cases) {
    SCOPED_TRACE("room " + std::to_string(c.room));
    const auto block = RoomBlock(c.room);
    ASSERT_EQ(EntryKinds(block), c.kinds);
    EXPECT_TRUE(block[0].text.starts_with(c.opening)) << block[0].text;

    std::vector<std::string_view> texts;
    std::string whole;
    for (const RoomLine& line : block) {
      texts.push_back(line.text);
      whole += std::string(line.text) + "\n";
      EXPECT_LE(line.text.size(), kRoomLineLimit) << line.text;
      if (!line.text.empty()) {
        EXPECT_NE(line.text.front(), ' ') << line.text;
      }
    }
    ExpectLineLengths(texts, c.longest);
    for (std::string_view name : c.names) {
      EXPECT_NE(whole.find(name), std::string::npos) << name << " is not named in capitals";
    }
  }
}

TEST(StoryTexts, RoomBlockOutsideTheMapIsEmpty) {
  for (int room : {-1, 0, kRoomCount + 1, 100}) EXPECT_TRUE(RoomBlock(room).empty()) << room;
}

TEST(StoryTexts, EvidenceLinesAreExactAndTiedToTheirItems) {
  struct Case {
    int room;
    std::size_t entry;  // counted from 0
    std::string_view text;
    CarriedFlag flag;
  };
  const Case cases[] = {
      {3, 4, "You see a TRAIN TICKET pinned to the wall...odd.", &GameState::hasTicket},
      {5, 4, "You see a CHILDS DOLL resting in the corner.", &GameState::hasDoll},
      {10, 2, "You see the glare of a WEDDING RING resting on the carpet.", &GameState::hasRing},
      {11, 2, "Resting on the pillow is a PISTOL.", &GameState::hasPistol},
      {11, 4, "Beside it is a DRAWING.", &GameState::hasDrawing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto block = RoomBlock(c.room);
    ASSERT_LT(c.entry, block.size());
    EXPECT_EQ(block[c.entry].text, c.text);
    EXPECT_TRUE(block[c.entry].shownWhileUncarried == c.flag);
  }

  // No other line of any room hangs on a carried flag.
  std::size_t evidenceLines = 0;
  for (int room = 1; room <= kRoomCount; ++room) {
    for (const RoomLine& line : RoomBlock(room)) {
      evidenceLines += line.shownWhileUncarried != nullptr;
    }
  }
  EXPECT_EQ(evidenceLines, std::size(cases));
}

TEST(StoryTexts, WitnessesStandInTheirRooms) {
  struct Case {
    std::string_view name;
    int room;
  };
  const Case cases[] = {
      {"OFFICER GRANT", 1}, {"INN KEEPER", 3}, {"MRS. GREEN", 5}, {"MR. GREEN", 5},
      {"WILSON", 12},       {"MARGO", 14},     {"PHIL", 18},
  };
  const auto witnesses = Witnesses();
  ASSERT_EQ(witnesses.size(), std::size(cases));
  for (std::size_t i = 0; i < witnesses.size(); ++i) {
    EXPECT_EQ(witnesses[i].name, cases[i].name);
    EXPECT_EQ(witnesses[i].room, cases[i].room) << cases[i].name;
  }
}

TEST(StoryTexts, ConversationPagesHaveTheirShape) {
  struct Case {
    std::string_view command;
    std::string_view witness;
    std::size_t lines;
    std::size_t longest;
    std::vector<std::string_view> hints;
  };
  // clang-format off
  const Case cases[] = {
      {"EXAMINE OFFICER GRANT", "OFFICER GRANT", 2, 61,
       {"TALK TO OFFICER GRANT", "ASK ABOUT VICTIM"}},
      {"TALK TO OFFICER GRANT", "OFFICER GRANT", 5, 69, {}},
      {"ASK ABOUT VICTIM", "OFFICER GRANT", 7, 66, {}},
      {"EXAMINE INN KEEPER", "INN KEEPER", 3, 62, {"TALK TO INN KEEPER", "ASK ABOUT VICTIM"}},
      {"TALK TO INN KEEPER", "INN KEEPER", 3, 65, {}},
      {"ASK ABOUT VICTIM", "INN KEEPER", 3, 70, {}},
      {"EXAMINE MRS. GREEN", "MRS. GREEN", 2, 59,
       {"TALK TO MRS. GREEN", "WHAT TIME DID YOU HEAR THE GUNSHOTS"}},
      {"TALK TO MRS. GREEN", "MRS. GREEN", 2, 64, {}},
      {"WHAT TIME DID YOU HEAR THE GUNSHOTS", "MRS. GREEN", 3, 60, {}},
      {"EXAMINE MR. GREEN", "MR. GREEN", 2, 61, {"TALK TO MR. GREEN"}},
      {"TALK TO MR. GREEN", "MR. GREEN", 2, 63, {}},
      {"EXAMINE WILSON", "WILSON", 2, 60, {"TALK TO WILSON", "IN A TRANCE"}},
      {"TALK TO WILSON", "WILSON", 5, 60, {}},
      {"IN A TRANCE", "WILSON", 2, 62, {}},
      {"EXAMINE MARGO", "MARGO", 3, 61, {"TALK TO MARGO", "WHAT DID YOU SEE"}},
      {"TALK TO MARGO", "MARGO", 2, 61, {}},
      {"WHAT DID YOU SEE", "MARGO", 4, 67, {"WHERE DID YOU SEE HIM GO"}},
      {"WHERE DID YOU SEE HIM GO", "MARGO", 1, 14, {}},
      {"EXAMINE PHIL", "PHIL", 2, 61, {"TALK TO PHIL"}},
      {"TALK TO PHIL", "PHIL", 2, 62, {}},
      {"DID YOU HEAR ANYTHING", "PHIL", 3, 63, {}},
  };
  // clang-format on
  const auto pages = ConversationPages();
  const auto witnesses = Witnesses();
  ASSERT_EQ(pages.size(), std::size(cases));
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const Case& c = cases[i];
    const ConversationPage& page = pages[i];
    SCOPED_TRACE("page " + std::to_string(i + 1) + " " + std::string(c.command));
    EXPECT_EQ(page.command, c.command);
    ASSERT_NE(page.witness, nullptr);
    EXPECT_TRUE(page.witness >= witnesses.data() &&
                page.witness < witnesses.data() + witnesses.size())
        << "the witness must be one of the seven";
    EXPECT_EQ(page.witness->name, c.witness);
    ASSERT_EQ(page.passage.size(), c.lines);
    EXPECT_TRUE(std::none_of(page.passage.begin(), page.passage.end(),
                             [](std::string_view line) { return line.empty(); }));
    ExpectLineLengths(page.passage, c.longest);
    EXPECT_EQ(std::vector<std::string_view>(page.hints.begin(), page.hints.end()), c.hints);

    // A hint only helps if it is a command that the same witness answers.
    for (std::string_view hint : page.hints) {
      EXPECT_TRUE(std::any_of(pages.begin(), pages.end(), [&](const ConversationPage& other) {
        return other.command == hint && other.witness == page.witness;
      })) << hint;
    }
  }
  ASSERT_EQ(pages[17].passage.size(), 1u);
  EXPECT_EQ(pages[17].passage[0], "Out the front.");
}

}  // namespace
}  // namespace ashwicket
