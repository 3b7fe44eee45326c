// libFuzzer entry point: the input is a game in the soak's stream form (see key_script.h), so
// that any input the fuzzer finds replays as it is with ashwicket_soak --replay @FILE.
// ASHWICKET_SOAK_TOLERATE=kind,kind... lets failures of known kinds pass.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "soak/key_script.h"
#include "soak/soak_game.h"

namespace {

using namespace ashwicket::soak;

// Each input must play in a moment: the reader runs 30 passes for every second it waits.
constexpr std::int64_t kMaxWait_ms = 2'000'000;
constexpr std::int64_t kMaxTotalWait_ms = 4'000'000;
constexpr std::size_t kMaxStretches = 300;

bool Tolerated(const std::string& kind) {
  static const std::string list = [] {
    const char* value = std::getenv("ASHWICKET_SOAK_TOLERATE");
    return "," + std::string(value != nullptr ? value : "") + ",";
  }();
  return list.find("," + kind + ",") != std::string::npos;
}

bool Playable(const GameScript& script) {
  if (script.stretches.size() > kMaxStretches) return false;
  std::int64_t total_ms = 0;  // how far the stretches reach, one after the other
  for (const Stretch& stretch : script.stretches) {
    std::int64_t spacing_ms = kDefaultSpacing_ms;
    for (const KeyOp& op : stretch) {
      if (op.ms > kMaxWait_ms) return false;
      switch (op.kind) {
        case KeyOp::Kind::Wait: total_ms += op.ms; break;
        case KeyOp::Kind::Spacing: spacing_ms = op.ms; break;
        default: total_ms += spacing_ms; break;
      }
      if (total_ms > kMaxTotalWait_ms) return false;
    }
  }
  return script.startOfDay_ms < 24LL * 3600 * 1000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto script = ParseScript(text);
  if (!script || !Playable(*script)) return -1;  // not worth keeping in the corpus
  ReplaySource source(*script);
  GameRecord record;
  const GameOutcome outcome = PlayGame(script->startOfDay_ms, source, record);
  if (outcome.ending == Ending::Failed && !Tolerated(outcome.failure.kind)) {
    std::fprintf(stderr, "ashwicket_soak_fuzz: FAILED [%s] %s\n", outcome.failure.kind.c_str(),
                 outcome.failure.detail.c_str());
    std::abort();
  }
  return 0;
}
