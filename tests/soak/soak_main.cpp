// ashwicket_soak: plays game after game on the headless console from seeded random key
// streams and checks the game's rules after every command and on every frame. On a failure
// it prints a reproducer (the game's key stream, shrunk) and exits with status 1.
//
//   ashwicket_soak [--seed N] [--keys N] [--progress SECONDS] [--no-shrink] [--tolerate KIND]
//                  [--corpus DIR]
//   ashwicket_soak --seed N --game G        one game of a soak again
//   ashwicket_soak --replay STREAM|@FILE [--expect ENDING]
//   ashwicket_soak --dictionary FILE        the command words as stream tokens, for libFuzzer
//
// --tolerate KIND (repeatable) counts failures of a known kind, reports the first, and plays
// on, so that a long soak can look past a fault that is already being fixed. --corpus DIR
// also writes each game's stream to DIR (a seed corpus for the fuzzer).
//
// The last line it prints holds the figures of the run.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "shell/dispatch.h"
#include "soak/key_script.h"
#include "soak/soak_game.h"
#include "soak/stream_generator.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ASHWICKET_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ASHWICKET_SOAK_ASAN 1
#endif
#ifdef ASHWICKET_SOAK_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

namespace ashwicket::soak {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kInlineReplayLimit = 4000;  // longer streams go to a file
constexpr const char* kReproFile = "ashwicket-soak-repro.txt";

struct Options {
  std::uint64_t seed = 1;
  std::int64_t keys = 20'000;
  std::optional<std::uint64_t> game;
  std::optional<std::string> replay;
  std::optional<std::string> expect;
  bool shrink = true;
  double progress_s = 0.0;
  std::vector<std::string> tolerated;
  std::optional<std::string> corpus;
  std::optional<std::string> dictionary;
};

[[noreturn]] void Usage(const std::string& problem) {
  std::cerr << "ashwicket_soak: " << problem << "\n"
            << "usage: ashwicket_soak [--seed N] [--keys N] [--progress SECONDS] [--no-shrink]\n"
            << "                      [--tolerate KIND]... [--corpus DIR]\n"
            << "       ashwicket_soak --dictionary FILE\n"
            << "       ashwicket_soak --seed N --game G\n"
            << "       ashwicket_soak --replay STREAM|@FILE [--expect "
               "won|quit|timed-out|ran-dry|unfinished]\n";
  std::exit(2);
}

std::uint64_t Unsigned(const char* text, const char* option) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || text[0] == '-') {
    Usage(std::string("bad number for ") + option + ": " + text);
  }
  return value;
}

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> const char* {
      if (i + 1 >= argc) Usage(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--seed") options.seed = Unsigned(value(), "--seed");
    else if (arg == "--keys") options.keys = static_cast<std::int64_t>(Unsigned(value(), "--keys"));
    else if (arg == "--game") options.game = Unsigned(value(), "--game");
    else if (arg == "--replay") options.replay = value();
    else if (arg == "--expect") options.expect = value();
    else if (arg == "--no-shrink") options.shrink = false;
    else if (arg == "--tolerate") options.tolerated.emplace_back(value());
    else if (arg == "--corpus") options.corpus = value();
    else if (arg == "--dictionary") options.dictionary = value();
    else if (arg == "--progress") options.progress_s = static_cast<double>(Unsigned(value(), "--progress"));
    else if (arg == "--help" || arg == "-h") Usage("plays the game from random keys");
    else Usage("unknown option " + arg);
  }
  return options;
}

std::string EndingWord(Ending ending) {
  std::string name = EndingName(ending);
  std::replace(name.begin(), name.end(), ' ', '-');
  return name;
}

std::string TimeOfDay(std::int64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld", static_cast<long long>(ms / 3600000),
                static_cast<long long>(ms / 60000 % 60), static_cast<long long>(ms / 1000 % 60),
                static_cast<long long>(ms % 1000));
  return text;
}

// The command line that replays a stream: inline when short, else through a file.
std::string ReplayCommand(const std::string& text, const char* file) {
  if (text.size() <= kInlineReplayLimit) return "ashwicket_soak --replay '" + text + "'";
  if (std::FILE* out = std::fopen(file, "w")) {
    std::fwrite(text.data(), 1, text.size(), out);
    std::fputc('\n', out);
    std::fclose(out);
    return std::string("ashwicket_soak --replay @") + file + "   (" + std::to_string(text.size()) +
           " characters)";
  }
  return "ashwicket_soak --replay '" + text + "'";
}

// What the sanitizer's last words should say: the game in progress.
struct Current {
  const GameRecord* record = nullptr;
  std::uint64_t seed = 0;
  std::optional<std::uint64_t> game;
};
Current g_current;

#ifdef ASHWICKET_SOAK_ASAN
void OnSanitizerDeath() {
  if (g_current.record == nullptr) return;
  const std::string& text = g_current.record->text;
  std::fprintf(stderr, "\nashwicket_soak: a sanitizer stopped the game");
  if (g_current.game) {
    std::fprintf(stderr, " (game %llu of seed %llu; again: ashwicket_soak --seed %llu --game %llu)",
                 static_cast<unsigned long long>(*g_current.game),
                 static_cast<unsigned long long>(g_current.seed),
                 static_cast<unsigned long long>(g_current.seed),
                 static_cast<unsigned long long>(*g_current.game));
  }
  std::fprintf(stderr, "\n  replay: %s\n", ReplayCommand(text, kReproFile).c_str());
}
#endif

bool FailsTheSameWay(const GameScript& script, const std::string& kind) {
  ReplaySource source(script);
  GameRecord record;
  const GameOutcome outcome = PlayGame(script.startOfDay_ms, source, record);
  return outcome.ending == Ending::Failed && outcome.failure.kind == kind;
}

// Delta debugging: drops ever smaller slices of items while the failure stays.
template <typename T>
void Minimise(std::vector<T>& items, const std::function<bool(const std::vector<T>&)>& fails,
              const std::function<bool()>& outOfTime) {
  std::size_t parts = 2;
  while (items.size() >= 2 && !outOfTime()) {
    const std::size_t chunk = (items.size() + parts - 1) / parts;
    bool reduced = false;
    for (std::size_t start = 0; start < items.size() && !outOfTime(); start += chunk) {
      std::vector<T> candidate(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(start));
      candidate.insert(candidate.end(),
                       items.begin() + static_cast<std::ptrdiff_t>(std::min(items.size(), start + chunk)),
                       items.end());
      if (fails(candidate)) {
        items = std::move(candidate);
        parts = std::max<std::size_t>(parts - 1, 2);
        reduced = true;
        break;
      }
    }
    if (!reduced) {
      if (parts >= items.size()) break;
      parts = std::min(items.size(), parts * 2);
    }
  }
}

GameScript Shrink(const GameScript& failing, const std::string& kind) {
  const auto deadline = Clock::now() + std::chrono::seconds(120);
  const auto outOfTime = [&] { return Clock::now() > deadline; };
  GameScript best = failing;
  Minimise<Stretch>(
      best.stretches,
      [&](const std::vector<Stretch>& stretches) {
        GameScript candidate{best.startOfDay_ms, stretches};
        return FailsTheSameWay(candidate, kind);
      },
      outOfTime);
  for (std::size_t i = 0; i < best.stretches.size() && !outOfTime(); ++i) {
    Minimise<KeyOp>(
        best.stretches[i],
        [&](const std::vector<KeyOp>& ops) {
          GameScript candidate = best;
          candidate.stretches[i] = ops;
          return FailsTheSameWay(candidate, kind);
        },
        outOfTime);
  }
  return best;
}

void ReportFailure(const GameOutcome& outcome, const GameRecord& record, const Options& options,
                   std::optional<std::uint64_t> game, bool shrink) {
  std::cerr << "\nashwicket_soak: FAILED [" << outcome.failure.kind << "] " << outcome.failure.detail
            << "\n";
  if (game) {
    std::cerr << "  game " << *game << " of seed " << options.seed << ", started at "
              << TimeOfDay(record.script.startOfDay_ms) << "\n  again:  ashwicket_soak --seed "
              << options.seed << " --game " << *game << "\n";
  }
  std::cerr << "  replay: " << ReplayCommand(record.text, kReproFile) << "\n";
  if (!shrink) return;
  if (!FailsTheSameWay(record.script, outcome.failure.kind)) {
    std::cerr << "  (the replay does not fail the same way: the game depends on more than its keys)\n";
    return;
  }
  const GameScript shortest = Shrink(record.script, outcome.failure.kind);
  std::int64_t presses = 0;
  for (const Stretch& stretch : shortest.stretches) presses += CountPresses(stretch);
  std::cerr << "  shortest replay found (" << shortest.stretches.size() << " stretches, " << presses
            << " keys):\n  " << ReplayCommand(FormatScript(shortest), "ashwicket-soak-repro-short.txt")
            << "\n";
}

std::string ReadReplay(const std::string& argument) {
  if (!argument.starts_with("@")) return argument;
  std::ifstream in(argument.substr(1), std::ios::binary);
  if (!in) Usage("cannot read " + argument.substr(1));
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int Replay(const Options& options) {
  std::string error;
  const auto script = ParseScript(ReadReplay(*options.replay), &error);
  if (!script) Usage("bad stream: " + error);
  ReplaySource source(*script);
  GameRecord record;
  g_current = {&record, options.seed, std::nullopt};
  const GameOutcome outcome = PlayGame(script->startOfDay_ms, source, record);
  std::cout << "replay: " << EndingName(outcome.ending) << " after " << outcome.turns << " turn(s), "
            << outcome.presses << " keys, " << outcome.virtual_s << " s of virtual time\n";
  if (outcome.ending == Ending::Failed) {
    ReportFailure(outcome, record, options, std::nullopt, options.shrink);
    return 1;
  }
  if (options.expect && *options.expect != EndingWord(outcome.ending)) {
    std::cerr << "ashwicket_soak: expected the game to end " << *options.expect << ", it ended "
              << EndingWord(outcome.ending) << "\n";
    return 1;
  }
  return 0;
}

struct Figures {
  std::int64_t keys = 0;
  std::int64_t games = 0;
  std::int64_t turns = 0;
  std::int64_t endings[6] = {};
  std::int64_t tolerated = 0;
  double virtual_s = 0.0;

  void Add(const GameOutcome& outcome) {
    keys += outcome.presses;
    ++games;
    turns += outcome.turns;
    ++endings[static_cast<int>(outcome.ending)];
    virtual_s += outcome.virtual_s;
  }
  std::int64_t Count(Ending ending) const { return endings[static_cast<int>(ending)]; }

  std::string Line(double real_s) const {
    char text[512];
    std::snprintf(text, sizeof text,
                  "soak: keys %lld, games %lld (won %lld, quit %lld, timed out %lld, ran dry %lld, "
                  "unfinished %lld, tolerated failures %lld), turns %lld, virtual %.0f s, real %.1f s, "
                  "%.0f virtual s per real s",
                  static_cast<long long>(keys), static_cast<long long>(games),
                  static_cast<long long>(Count(Ending::Won)), static_cast<long long>(Count(Ending::Quit)),
                  static_cast<long long>(Count(Ending::TimedOut)),
                  static_cast<long long>(Count(Ending::RanDry)),
                  static_cast<long long>(Count(Ending::Unfinished)), static_cast<long long>(tolerated),
                  static_cast<long long>(turns),
                  virtual_s, real_s, real_s > 0.0 ? virtual_s / real_s : 0.0);
    return text;
  }
};

int Soak(const Options& options) {
  const auto started = Clock::now();
  const auto realSeconds = [&] {
    return std::chrono::duration<double>(Clock::now() - started).count();
  };
  double nextProgress_s = options.progress_s;
  Figures figures;
  const std::uint64_t first = options.game.value_or(0);
  for (std::uint64_t game = first; options.game ? game == first : figures.keys < options.keys; ++game) {
    StreamGenerator generator(GameSeed(options.seed, game));
    const std::int64_t startOfDay_ms = PickStartOfDay_ms(generator.Random());
    GameRecord record;
    g_current = {&record, options.seed, game};
    PlayLimits limits;
    if (!options.game) limits.maxPresses = options.keys - figures.keys;
    GameOutcome outcome = PlayGame(startOfDay_ms, generator, record, limits);
    figures.Add(outcome);
    // The printed stream must play back exactly what was played.
    if (outcome.ending != Ending::Failed && ParseScript(record.text) != record.script) {
      outcome.ending = Ending::Failed;
      outcome.failure = {"reproducer", "the game's stream does not read back as it was written"};
    }
    if (options.corpus) {
      std::ofstream(*options.corpus + "/" + std::to_string(options.seed) + "-" + std::to_string(game) +
                    ".txt")
          << record.text;
    }
    if (options.game) {
      std::cout << "game " << game << ": " << EndingName(outcome.ending) << " after " << outcome.turns
                << " turn(s)\n  replay: " << ReplayCommand(record.text, kReproFile) << "\n";
    }
    if (outcome.ending == Ending::Failed) {
      const auto& tolerated = options.tolerated;
      const bool known = std::find(tolerated.begin(), tolerated.end(), outcome.failure.kind) != tolerated.end();
      if (known && ++figures.tolerated > 1) continue;
      // A tolerated fault is known already: no time goes into shrinking it.
      ReportFailure(outcome, record, options, game, options.shrink && !known);
      if (!known) {
        std::cout << figures.Line(realSeconds()) << "\n";
        return 1;
      }
      std::cerr << "  (tolerated: playing on)\n";
    }
    if (options.progress_s > 0.0 && realSeconds() >= nextProgress_s) {
      nextProgress_s += options.progress_s;
      std::cerr << "  ... " << figures.Line(realSeconds()) << std::endl;
    }
  }
  g_current = {};
  std::cout << figures.Line(realSeconds()) << "\n";
  return 0;
}

// Every word of the command table, typed and entered, in the stream form.
int WriteDictionary(const std::string& path) {
  std::ofstream out(path);
  for (const CommandTest& test : DispatchTable()) {
    for (std::string_view word : test.words) {
      if (word.empty()) continue;
      Stretch typed;
      for (char ch : word) typed.push_back({KeyOp::Kind::Type, CharacterKey(static_cast<unsigned char>(ch)), 0});
      typed.push_back({KeyOp::Kind::Type, CharacterKey(kKeyEnter), 0});
      out << '"' << FormatStretch(typed) << "\"\n";
    }
  }
  for (const char* token : {"|", "~w1000;", "~w1900000;", "~s0;", "~s100;", "~E", "~B", "~X", "~k48", "~+", "~-"}) {
    out << '"' << token << "\"\n";
  }
  return out ? 0 : 1;
}

}  // namespace
}  // namespace ashwicket::soak

int main(int argc, char** argv) {
  using namespace ashwicket::soak;
#ifdef ASHWICKET_SOAK_ASAN
  __sanitizer_set_death_callback(OnSanitizerDeath);
#endif
  const Options options = Parse(argc, argv);
  if (options.dictionary) return WriteDictionary(*options.dictionary);
  return options.replay ? Replay(options) : Soak(options);
}
