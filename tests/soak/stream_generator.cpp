#include "soak/stream_generator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <deque>
#include <vector>

#include "shell/dispatch.h"
#include "world/movement.h"

namespace ashwicket::soak {

namespace {

constexpr std::array<SpecialKey, 22> kSpecialKeys = {
    SpecialKey::F1,   SpecialKey::F2,    SpecialKey::F3,     SpecialKey::F4,   SpecialKey::F5,
    SpecialKey::F6,   SpecialKey::F7,    SpecialKey::F8,     SpecialKey::F9,   SpecialKey::F10,
    SpecialKey::Home, SpecialKey::Up,    SpecialKey::PageUp, SpecialKey::Left, SpecialKey::Right,
    SpecialKey::End,  SpecialKey::Down,  SpecialKey::PageDown, SpecialKey::Insert,
    SpecialKey::Delete, SpecialKey::F11, SpecialKey::F12,
};

constexpr std::array<Direction, 4> kDirections = {Direction::North, Direction::East,
                                                  Direction::South, Direction::West};

// Input that no row of the table accepts, though a player might well type it.
constexpr std::array<std::string_view, 24> kMisses = {
    "USE DRAWING",       "READ TICKET",      "TALK",           "QUITE",
    "STOP",              "BYE",              "EXAMINE",        "TAKE",
    "GO",                "ASK",              "HELP ME",        "LOOK AT DRAWING",
    "TALK TO",           "EXAMINE MRS GREEN", "TALK TO MR GREEN", "TAKE THE RING",
    "GO  NORTH",         "NORTHEAST",        "UP",             "DOWN",
    "INVENTORY PLEASE",  "ACCUSE PHIL",      "PRESENT",        "EVIDENCE",
};

// The table's words, sorted by what they do.
struct Words {
  std::vector<std::string> all;
  std::vector<std::string> quit;
  std::vector<std::string> pages;  // help, look, inventory: any room
  std::array<std::vector<std::string>, 4> moves;
  std::array<std::vector<std::string>, kRoomCount + 1> inRoom;
};

bool Has(const CommandTest& test, std::string_view word) {
  return std::find(test.words.begin(), test.words.end(), word) != test.words.end();
}

const Words& TableWords() {
  static const Words words = [] {
    Words w;
    for (const CommandTest& test : DispatchTable()) {
      std::vector<std::string> texts;
      for (std::string_view word : test.words) {
        if (!word.empty()) texts.emplace_back(word);
      }
      w.all.insert(w.all.end(), texts.begin(), texts.end());
      std::vector<std::string>* group = nullptr;
      if (Has(test, "QUIT")) {
        group = &w.quit;
      } else if (Has(test, "NORTH")) {
        group = &w.moves[0];
      } else if (Has(test, "EAST")) {
        group = &w.moves[1];
      } else if (Has(test, "SOUTH")) {
        group = &w.moves[2];
      } else if (Has(test, "WEST")) {
        group = &w.moves[3];
      } else if (test.room == kAnyRoom) {
        group = &w.pages;
      } else if (test.room >= 1 && test.room <= kRoomCount) {
        group = &w.inRoom[static_cast<std::size_t>(test.room)];
      }
      if (group != nullptr) group->insert(group->end(), texts.begin(), texts.end());
    }
    return w;
  }();
  return words;
}

// The first step on a shortest walk from one room to another, by breadth-first search.
Direction FirstStep(int from, int to) {
  std::array<int, kRoomCount + 1> firstStep{};
  firstStep.fill(-1);
  std::deque<int> queue;
  for (int d = 0; d < 4; ++d) {
    const int next = Destination(from, kDirections[static_cast<std::size_t>(d)]);
    if (next != kNoExit && firstStep[static_cast<std::size_t>(next)] < 0) {
      firstStep[static_cast<std::size_t>(next)] = d;
      queue.push_back(next);
    }
  }
  while (!queue.empty()) {
    const int room = queue.front();
    queue.pop_front();
    for (Direction d : kDirections) {
      const int next = Destination(room, d);
      if (next != kNoExit && firstStep[static_cast<std::size_t>(next)] < 0) {
        firstStep[static_cast<std::size_t>(next)] = firstStep[static_cast<std::size_t>(room)];
        queue.push_back(next);
      }
    }
  }
  const int step = firstStep[static_cast<std::size_t>(to)];
  return kDirections[static_cast<std::size_t>(step < 0 ? 0 : step)];
}

template <typename T>
const T& Pick(Rng& rng, const std::vector<T>& items) {
  return items[static_cast<std::size_t>(rng.Below(static_cast<int>(items.size())))];
}

KeyPress SpecialAny(Rng& rng) {
  if (rng.Chance(50)) return ScanKey(rng.Between(1, 255));  // some key no table lists
  return KeyPress::Special(kSpecialKeys[static_cast<std::size_t>(rng.Below(kSpecialKeys.size()))]);
}

// A key the reader must ignore: it adds nothing to the line and takes nothing away.
KeyPress Ignorable(Rng& rng) {
  switch (rng.Below(7)) {
    case 0: return CharacterKey('0' + rng.Below(10));
    case 1: return CharacterKey('\'');
    case 2: {
      static constexpr std::string_view kPunctuation = "!\"#$%&()*+,-/:;<=>@[\\]^_`{|}~";
      return CharacterKey(kPunctuation[static_cast<std::size_t>(rng.Below(kPunctuation.size()))]);
    }
    case 3: return SpecialAny(rng);
    case 4: return CharacterKey(kKeyEscape);
    case 5: {
      int code = rng.Between(1, 31);
      if (code == kKeyBackspace || code == kKeyEnter) code = '\t';
      return CharacterKey(code);
    }
    default: return CharacterKey(rng.Between(127, 255));
  }
}

// Any key at all.
KeyPress AnyKey(Rng& rng) {
  switch (rng.Below(8)) {
    case 0: return SpecialAny(rng);
    case 1: return CharacterKey(rng.Between(1, 255));
    case 2: return CharacterKey(kKeyEnter);
    case 3: return CharacterKey(kKeyBackspace);
    case 4: return CharacterKey(rng.Chance(500) ? '.' : '?');
    case 5: return CharacterKey(' ');
    default: return CharacterKey(rng.Chance(500) ? 'A' + rng.Below(26) : 'a' + rng.Below(26));
  }
}

// What a player presses to leave a page.
KeyPress DismissKey(Rng& rng) {
  const int roll = rng.Below(100);
  if (roll < 35) return CharacterKey(' ');
  if (roll < 55) return CharacterKey(kKeyEscape);
  if (roll < 75) return SpecialAny(rng);
  if (roll < 85) return CharacterKey('0' + rng.Below(10));
  if (roll < 95) return CharacterKey('a' + rng.Below(26));
  return CharacterKey(kKeyEnter);
}

// Writes a stretch and keeps an estimate of when the reader, one event a pass, will have
// taken every key so far.
class Typist {
 public:
  explicit Typist(Stretch& out) : out_(out) {}

  void Spacing(int ms) {
    out_.push_back({KeyOp::Kind::Spacing, {}, ms});
    spacing_ms_ = ms;
  }
  void Wait(std::int64_t ms) {
    if (ms <= 0) return;
    out_.push_back({KeyOp::Kind::Wait, {}, ms});
    at_ms_ += ms;
  }
  void Type(const KeyPress& key) { Add(KeyOp::Kind::Type, key, 2); }
  void Press(const KeyPress& key) { Add(KeyOp::Kind::Press, key, 1); }
  void Release(const KeyPress& key) { Add(KeyOp::Kind::Release, key, 1); }
  void Enter() { Type(CharacterKey(kKeyEnter)); }

  // A pause before the next keys, counted from when the reader has caught up.
  void WaitAfterReader(int ms) { Wait(static_cast<std::int64_t>(backlog_.Done_ms()) - at_ms_ + ms); }

  std::int64_t At() const { return at_ms_; }

 private:
  void Add(KeyOp::Kind kind, const KeyPress& key, int events) {
    out_.push_back({kind, key, 0});
    for (int i = 0; i < events; ++i) backlog_.Event(static_cast<double>(at_ms_));
    at_ms_ += spacing_ms_;
  }

  Stretch& out_;
  std::int64_t at_ms_ = 0;
  int spacing_ms_ = kDefaultSpacing_ms;
  ReaderBacklog backlog_;
};

// How a line is typed; none of it changes the command the line stands for.
struct Style {
  int caseMode = 0;  // 0 as written, 1 lower case, 2 mixed
  int leadingSpaces = 0;
  int trailingSpaces = 0;
  int noisePerThousand = 0;  // ignorable keys between the letters
  int typoPerThousand = 0;   // a wrong letter, taken back with Backspace
  bool rollover = false;     // each key released only after the next is pressed
  int leadingBackspaces = 0;
};

Style RandomStyle(Rng& rng) {
  Style style;
  const int c = rng.Below(100);
  style.caseMode = c < 60 ? 0 : c < 85 ? 1 : 2;
  if (rng.Chance(120)) style.leadingSpaces = rng.Between(1, 3);
  if (rng.Chance(120)) style.trailingSpaces = rng.Between(1, 3);
  if (rng.Chance(150)) style.noisePerThousand = rng.Between(50, 200);
  if (rng.Chance(100)) style.typoPerThousand = rng.Between(30, 150);
  style.rollover = rng.Chance(150);
  if (rng.Chance(50)) style.leadingBackspaces = rng.Between(1, 4);
  return style;
}

void PickSpeed(Rng& rng, Typist& typist) {
  const int roll = rng.Below(100);
  if (roll < 25) typist.Spacing(rng.Between(0, 40));        // faster than the reader
  else if (roll < 80) typist.Spacing(rng.Between(60, 180));  // a typist
  else typist.Spacing(rng.Between(200, 500));                // two fingers
}

void TypeLine(Rng& rng, Typist& typist, std::string_view text, const Style& style) {
  for (int i = 0; i < style.leadingBackspaces; ++i) typist.Type(CharacterKey(kKeyBackspace));
  for (int i = 0; i < style.leadingSpaces; ++i) typist.Type(CharacterKey(' '));
  KeyPress held{};
  bool holding = false;
  for (char ch : text) {
    if (rng.Chance(style.noisePerThousand)) typist.Type(Ignorable(rng));
    if (rng.Chance(style.typoPerThousand)) {
      typist.Type(CharacterKey('a' + rng.Below(26)));
      typist.Type(CharacterKey(kKeyBackspace));
    }
    if (rng.Chance(30)) typist.Wait(rng.Between(100, 1500));  // a hesitation
    int code = static_cast<unsigned char>(ch);
    const bool lower = style.caseMode == 1 || (style.caseMode == 2 && rng.Chance(500));
    if (lower) code = std::tolower(code);
    const KeyPress key = CharacterKey(code);
    if (style.rollover) {
      typist.Press(key);
      if (holding) typist.Release(held);
      held = key;
      holding = true;
    } else {
      typist.Type(key);
    }
  }
  if (holding) typist.Release(held);
  for (int i = 0; i < style.trailingSpaces; ++i) typist.Type(CharacterKey(' '));
}

std::string NearMiss(Rng& rng, std::string word) {
  const auto blank = word.find(' ');
  switch (rng.Below(14)) {
    case 0:
      if (word.size() > 1) word.resize(static_cast<std::size_t>(rng.Between(1, static_cast<int>(word.size()) - 1)));
      return word;
    case 1:
      return word.size() > 1 ? word.substr(static_cast<std::size_t>(rng.Between(1, static_cast<int>(word.size()) - 1))) : word + word;
    case 2:
      if (blank != std::string::npos) return word.insert(blank, " ");
      return word.insert(static_cast<std::size_t>(rng.Below(static_cast<int>(word.size()) + 1)), " ");
    case 3:
      if (blank != std::string::npos) return word.erase(blank, 1);
      return word + "S";
    case 4: {
      static constexpr std::array<std::string_view, 5> kTails = {".", "?", "S", " NOW", "!"};
      return word + std::string(kTails[static_cast<std::size_t>(rng.Below(kTails.size()))]);
    }
    case 5: {
      static constexpr std::array<std::string_view, 4> kHeads = {"GO ", "THE ", "PLEASE ", "A "};
      return std::string(kHeads[static_cast<std::size_t>(rng.Below(kHeads.size()))]) + word;
    }
    case 6:
      if (blank != std::string::npos) return word.insert(blank + 1, "THE ");
      return "THE " + word;
    case 7:
      if (word.size() > 1) {
        const auto i = static_cast<std::size_t>(rng.Below(static_cast<int>(word.size()) - 1));
        std::swap(word[i], word[i + 1]);
      }
      return word;
    case 8:
      word[static_cast<std::size_t>(rng.Below(static_cast<int>(word.size())))] =
          static_cast<char>('A' + rng.Below(26));
      return word;
    case 9:
      if (word.find('.') != std::string::npos) {
        std::erase(word, '.');
        return word;
      }
      return blank != std::string::npos ? word.insert(blank, ".") : word + ".";
    case 10: return std::string(kMisses[static_cast<std::size_t>(rng.Below(kMisses.size()))]);
    case 11: return word + " " + Pick(rng, TableWords().all);
    case 12: return word + "?";
    default: return word + " " + word;
  }
}

}  // namespace

std::uint64_t Rng::Next() {
  std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

std::uint64_t GameSeed(std::uint64_t soakSeed, std::uint64_t game) {
  Rng rng(soakSeed * 0x100000001b3ull ^ (game + 1) * 0x9e3779b97f4a7c15ull);
  rng.Next();
  return rng.Next();
}

std::int64_t PickStartOfDay_ms(Rng& rng) {
  constexpr std::int64_t kDay_ms = 24LL * 3600 * 1000;
  const int roll = rng.Below(100);
  if (roll < 15) return 12LL * 3600 * 1000;
  if (roll < 40) return kDay_ms - 1 - static_cast<std::int64_t>(rng.Below(40 * 60 * 1000));
  return static_cast<std::int64_t>(rng.Next() % static_cast<std::uint64_t>(kDay_ms));
}

std::optional<Stretch> StreamGenerator::Next(const GameView& view) {
  return view.opening ? Opening() : Turn(view);
}

Stretch StreamGenerator::Opening() {
  Stretch out;
  Typist typist(out);
  if (!rng_.Chance(100)) typist.Wait(rng_.Between(1, 4000));
  if (rng_.Chance(100)) typist.Release(AnyKey(rng_));  // a key held down as the game started
  typist.Type(rng_.Chance(700) ? DismissKey(rng_) : AnyKey(rng_));
  if (rng_.Chance(150)) {  // typed on before the turn screen was up
    PickSpeed(rng_, typist);
    const std::string word = Pick(rng_, TableWords().all);
    TypeLine(rng_, typist, word, RandomStyle(rng_));
    typist.Enter();
    typist.WaitAfterReader(rng_.Between(150, 2500));
    typist.Type(DismissKey(rng_));
  }
  return out;
}

std::string StreamGenerator::PlannedCommand(const GameState& state) {
  const Words& words = TableWords();
  if (target_ == 0) {
    if (rng_.Chance(750)) {
      std::vector<int> rooms;
      for (int room = 1; room <= kRoomCount; ++room) {
        if (!words.inRoom[static_cast<std::size_t>(room)].empty()) rooms.push_back(room);
      }
      target_ = Pick(rng_, rooms);
    } else {
      target_ = rng_.Between(1, kRoomCount);
    }
  }
  const int room = state.currentRoom;
  if (room < 1 || room > kRoomCount) return Pick(rng_, words.all);
  if (room != target_) {
    const Direction step = FirstStep(room, target_);
    return Pick(rng_, words.moves[static_cast<std::size_t>(step)]);
  }
  if (rng_.Chance(600)) target_ = 0;
  std::vector<std::string> candidates;
  for (const std::string& word : words.inRoom[static_cast<std::size_t>(room)]) {
    if (word != "PRESENT EVIDENCE") candidates.push_back(word);
  }
  const int carried = state.hasDrawing + state.hasPistol + state.hasDoll + state.hasTicket + state.hasRing;
  const bool accusationHere =
      std::find(words.inRoom[static_cast<std::size_t>(room)].begin(),
                words.inRoom[static_cast<std::size_t>(room)].end(),
                "PRESENT EVIDENCE") != words.inRoom[static_cast<std::size_t>(room)].end();
  if (accusationHere && rng_.Chance(carried >= 3 ? 500 : 150)) return "PRESENT EVIDENCE";
  if (candidates.empty() || rng_.Chance(150)) return Pick(rng_, words.pages);
  return Pick(rng_, candidates);
}

Stretch StreamGenerator::Turn(const GameView& view) {
  const Words& words = TableWords();
  Stretch out;
  Typist typist(out);
  Rng& rng = rng_;
  const std::int64_t left_ms = static_cast<std::int64_t>(view.left_s * 1000.0);

  int dismissKeys = rng.Chance(990) ? 1 : rng.Between(0, 2);
  const auto typeWord = [&](const std::string& text) {
    TypeLine(rng, typist, text, RandomStyle(rng));
    typist.Enter();
    if (text == "PRESENT EVIDENCE") dismissKeys = 3;  // two closing pages and the last message
  };

  // Weights per ten thousand. A wait for the time to run out at the prompt costs 30 passes of
  // the reader for every second it waits, so those stay rare until the time is short anyway.
  const int sprintWeight = left_ms < 120'000 ? 1500 : 3;
  int roll = rng.Below(10'000 + sprintWeight);
  const auto take = [&roll](int weight) {
    roll -= weight;
    return roll < 0;
  };
  // Keys typed at once as the turn begins, before the prompt is up: the reader throws them away.
  if (rng.Chance(25)) {
    typist.Spacing(0);
    const int n = rng.Between(1, 5);
    for (int i = 0; i < n; ++i) typist.Type(AnyKey(rng));
  }
  const int think = rng.Below(100);
  if (think < 60) typist.Wait(rng.Between(200, 2000));
  else if (think < 85) typist.Wait(rng.Between(1, 200));
  else typist.Wait(rng.Between(2000, 8000));
  PickSpeed(rng, typist);

  if (take(3965)) {
    typeWord(PlannedCommand(view.state));
  } else if (take(1600)) {
    typeWord(Pick(rng, words.all));
  } else if (take(1500)) {
    typeWord(NearMiss(rng, Pick(rng, words.all)));
  } else if (take(700)) {  // garbage
    const int n = rng.Between(1, 40);
    for (int i = 0; i < n; ++i) typist.Type(AnyKey(rng));
    if (rng.Chance(970)) typist.Enter();
  } else if (take(150)) {  // a very long line, often just around a row's width
    static constexpr std::array<int, 10> kEdges = {77, 78, 79, 80, 81, 157, 158, 159, 160, 161};
    const int n = rng.Chance(400) ? kEdges[static_cast<std::size_t>(rng.Below(kEdges.size()))]
                                  : rng.Between(82, 640);
    typist.Spacing(rng.Between(0, 25));
    const std::string word = Pick(rng, words.all);
    for (int i = 0; i < n; ++i) {
      const int kind = rng.Below(10);
      if (kind < 2) typist.Type(CharacterKey(' '));
      else if (kind < 5) typist.Type(CharacterKey(static_cast<unsigned char>(word[static_cast<std::size_t>(i) % word.size()])));
      else typist.Type(CharacterKey(rng.Chance(500) ? 'A' + rng.Below(26) : 'a' + rng.Below(26)));
    }
    typist.Enter();
  } else if (take(120)) {  // a paste: hundreds of keys at once, line ends and all
    typist.Spacing(0);
    const int n = rng.Between(100, 800);
    for (int i = 0; i < n; ++i) {
      if (rng.Chance(30)) typist.Enter();
      else if (rng.Chance(100)) typist.Type(AnyKey(rng));
      else if (rng.Chance(150)) typist.Type(CharacterKey(' '));
      else typist.Type(CharacterKey('a' + rng.Below(26)));
    }
  } else if (take(120)) {  // a storm of Enter
    typist.Spacing(rng.Between(0, 50));
    const int n = rng.Between(20, 300);
    for (int i = 0; i < n; ++i) {
      if (rng.Chance(20)) TypeLine(rng, typist, Pick(rng, words.all), Style{});
      typist.Enter();
    }
  } else if (take(400)) {  // presses and releases that do not pair up
    switch (rng.Below(4)) {
      case 0: {  // a key held down, the way a keyboard repeats it
        const KeyPress key = rng.Chance(500) ? CharacterKey('a' + rng.Below(26)) : AnyKey(rng);
        typist.Spacing(rng.Between(20, 60));
        const int repeats = rng.Between(2, 40);
        for (int i = 0; i < repeats; ++i) typist.Press(key);
        typist.Release(key);
        break;
      }
      case 1: {  // releases of keys never pressed
        const int n = rng.Between(1, 10);
        for (int i = 0; i < n; ++i) typist.Release(AnyKey(rng));
        TypeLine(rng, typist, Pick(rng, words.all), Style{});
        break;
      }
      case 2: {  // a line of presses only
        for (char ch : Pick(rng, words.all)) typist.Press(CharacterKey(static_cast<unsigned char>(ch)));
        break;
      }
      default: {  // release first, press after
        for (char ch : Pick(rng, words.all)) {
          const KeyPress key = CharacterKey(static_cast<unsigned char>(ch));
          typist.Release(key);
          typist.Press(key);
        }
        break;
      }
    }
    typist.Enter();
  } else if (take(300)) {  // keys without a character, and Escape, inside a line
    const std::string word = Pick(rng, words.all);
    if (rng.Chance(300)) typist.Type(CharacterKey(kKeyEscape));
    for (char ch : word) {
      if (rng.Chance(300)) typist.Type(rng.Chance(300) ? CharacterKey(kKeyEscape) : SpecialAny(rng));
      typist.Type(CharacterKey(static_cast<unsigned char>(ch)));
    }
    if (rng.Chance(300)) typist.Type(SpecialAny(rng));
    typist.Enter();
  } else if (take(400)) {  // an empty line, blanks or not
    const int blanks = rng.Between(0, 5);
    for (int i = 0; i < blanks; ++i) typist.Type(CharacterKey(rng.Chance(800) ? ' ' : kKeyBackspace));
    typist.Enter();
  } else if (take(300)) {  // second thoughts: typed, taken back (sometimes past the start), retyped
    const std::string first = Pick(rng, words.all);
    TypeLine(rng, typist, first, Style{});
    const int back = rng.Between(1, static_cast<int>(first.size()) + 5);
    for (int i = 0; i < back; ++i) typist.Type(CharacterKey(kKeyBackspace));
    typeWord(Pick(rng, words.all));
  } else if (take(300)) {  // a page, and keys typed while it shows
    typeWord(Pick(rng, words.pages));
    typist.Spacing(rng.Between(0, 80));
    typist.WaitAfterReader(rng.Between(0, 300));
    const int n = rng.Between(1, 20);
    for (int i = 0; i < n; ++i) typist.Type(AnyKey(rng));
    dismissKeys = 0;
  } else if (take(120)) {
    typeWord(Pick(rng, words.quit));
  } else if (take(20)) {  // time runs out on a page; the next prompt finds none left
    typeWord(Pick(rng, words.pages));
    typist.WaitAfterReader(0);
    typist.Wait(left_ms + rng.Between(1, 600'000));
  } else if (take(5)) {  // time runs out at the prompt, with or without a half-typed line
    const int n = rng.Between(0, 10);
    for (int i = 0; i < n; ++i) {
      const KeyPress key = AnyKey(rng);
      typist.Type(key.code == kKeyEnter ? CharacterKey('x') : key);
    }
    typist.Wait(left_ms + rng.Between(1, 60'000));
    dismissKeys = rng.Between(1, 2);
  } else {  // Enter close to the last moment: before it, on it, or just after it
    const std::string word = Pick(rng, words.all);
    typist.Spacing(70);
    const std::int64_t typing_ms = 70 * static_cast<std::int64_t>(word.size() + 1);
    typist.Wait(left_ms - typing_ms - typist.At() + rng.Between(-300, 150));
    TypeLine(rng, typist, word, Style{});
    typist.Enter();
  }

  // Keys to leave whatever page the line brought up, once the reader has taken it.
  for (int i = 0; i < dismissKeys; ++i) {
    typist.WaitAfterReader(rng.Between(150, 2500));
    typist.Type(DismissKey(rng));
  }
  return out;
}

}  // namespace ashwicket::soak
