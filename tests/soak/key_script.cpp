#include "soak/key_script.h"

#include <algorithm>

namespace ashwicket::soak {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendHex(std::string& out, int value) {
  out.push_back(kHex[(value >> 4) & 15]);
  out.push_back(kHex[value & 15]);
}

void AppendNumber(std::string& out, char tag, std::int64_t ms) {
  out.push_back('~');
  out.push_back(tag);
  out += std::to_string(ms);
  out.push_back(';');
}

void AppendKey(std::string& out, const KeyPress& key) {
  if (key.character == 0) {
    out += "~k";
    AppendHex(out, key.scanCode);
    return;
  }
  const int ch = key.character;
  switch (ch) {
    case ' ': out += "_"; return;
    case kKeyEnter: out += "~E"; return;
    case kKeyBackspace: out += "~B"; return;
    case kKeyEscape: out += "~X"; return;
    case '\t': out += "~T"; return;
    case '\'': out += "~q"; return;
    case '_': out += "~u"; return;
    case '|': out += "~p"; return;
    case '~': out += "~~"; return;
    default: break;
  }
  if (ch > ' ' && ch < 127) {
    out.push_back(static_cast<char>(ch));
  } else {
    out += "~h";
    AppendHex(out, ch);
  }
}

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<GameScript> Game() {
    GameScript script;
    if (!Literal("~t") || !Number(script.startOfDay_ms)) return Fail("expected ~t<ms>; first");
    script.stretches.emplace_back();
    while (pos_ < text_.size()) {
      if (text_[pos_] == '|') {
        ++pos_;
        script.stretches.emplace_back();
        continue;
      }
      KeyOp op;
      if (!Op(op)) return std::nullopt;
      script.stretches.back().push_back(op);
    }
    return script;
  }

  std::string error;

 private:
  std::optional<GameScript> Fail(const char* why) {
    error = std::string(why) + " at offset " + std::to_string(pos_);
    return std::nullopt;
  }

  bool Literal(std::string_view lit) {
    if (text_.substr(pos_, lit.size()) != lit) return false;
    pos_ += lit.size();
    return true;
  }

  // Digits up to ';'.
  bool Number(std::int64_t& value) {
    value = 0;
    std::size_t digits = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && digits < 15) {
      value = value * 10 + (text_[pos_++] - '0');
      ++digits;
    }
    return digits > 0 && Literal(";");
  }

  bool Hex(int& value) {
    if (pos_ + 2 > text_.size()) return false;
    const int hi = HexDigit(text_[pos_]);
    const int lo = HexDigit(text_[pos_ + 1]);
    if (hi < 0 || lo < 0) return false;
    pos_ += 2;
    value = hi * 16 + lo;
    return true;
  }

  bool Key(KeyPress& key) {
    if (pos_ >= text_.size()) return false;
    const char ch = text_[pos_++];
    if (ch == '_') {
      key = CharacterKey(' ');
      return true;
    }
    if (ch != '~') {
      if (ch <= ' ' || ch >= 127 || ch == '|' || ch == '\'') return false;
      key = CharacterKey(static_cast<unsigned char>(ch));
      return true;
    }
    if (pos_ >= text_.size()) return false;
    const char tag = text_[pos_++];
    int value = 0;
    switch (tag) {
      case 'E': key = CharacterKey(kKeyEnter); return true;
      case 'B': key = CharacterKey(kKeyBackspace); return true;
      case 'X': key = CharacterKey(kKeyEscape); return true;
      case 'T': key = CharacterKey('\t'); return true;
      case 'q': key = CharacterKey('\''); return true;
      case 'u': key = CharacterKey('_'); return true;
      case 'p': key = CharacterKey('|'); return true;
      case '~': key = CharacterKey('~'); return true;
      case 'h':
        if (!Hex(value) || value == 0) return false;
        key = CharacterKey(value);
        return true;
      case 'k':
        if (!Hex(value) || value == 0) return false;
        key = ScanKey(value);
        return true;
      default: return false;
    }
  }

  bool Op(KeyOp& op) {
    const std::size_t start = pos_;
    if (Literal("~w") || Literal("~s")) {
      op.kind = text_[start + 1] == 'w' ? KeyOp::Kind::Wait : KeyOp::Kind::Spacing;
      if (!Number(op.ms)) return Bad(start, "expected <ms>;");
      return true;
    }
    op.kind = KeyOp::Kind::Type;
    if (Literal("~+")) op.kind = KeyOp::Kind::Press;
    else if (Literal("~-")) op.kind = KeyOp::Kind::Release;
    if (!Key(op.key)) return Bad(start, "unknown key");
    return true;
  }

  bool Bad(std::size_t at, const char* why) {
    error = std::string(why) + " at offset " + std::to_string(at);
    return false;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

KeyPress CharacterKey(int code) { return KeyPress::Character(static_cast<std::uint8_t>(code)); }

KeyPress ScanKey(int scanCode) { return KeyPress::Special(static_cast<SpecialKey>(scanCode)); }

std::string FormatStretch(const Stretch& stretch) {
  std::string out;
  for (const KeyOp& op : stretch) {
    switch (op.kind) {
      case KeyOp::Kind::Type: AppendKey(out, op.key); break;
      case KeyOp::Kind::Press: out += "~+"; AppendKey(out, op.key); break;
      case KeyOp::Kind::Release: out += "~-"; AppendKey(out, op.key); break;
      case KeyOp::Kind::Wait: AppendNumber(out, 'w', op.ms); break;
      case KeyOp::Kind::Spacing: AppendNumber(out, 's', op.ms); break;
    }
  }
  return out;
}

std::string FormatHeader(std::int64_t startOfDay_ms) {
  std::string out;
  AppendNumber(out, 't', startOfDay_ms);
  return out;
}

std::string FormatScript(const GameScript& script) {
  std::string out = FormatHeader(script.startOfDay_ms);
  for (std::size_t i = 0; i < script.stretches.size(); ++i) {
    if (i > 0) out.push_back('|');
    out += FormatStretch(script.stretches[i]);
  }
  return out;
}

std::optional<GameScript> ParseScript(std::string_view text, std::string* error) {
  // Pasted text may bring a line end or blanks at its ends.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.remove_suffix(1);
  }
  while (!text.empty() && (text.front() == ' ' || text.front() == '\n')) text.remove_prefix(1);
  Parser parser(text);
  auto script = parser.Game();
  if (!script && error != nullptr) *error = parser.error;
  return script;
}

std::int64_t CountPresses(const Stretch& stretch) {
  std::int64_t presses = 0;
  for (const KeyOp& op : stretch) {
    if (op.kind == KeyOp::Kind::Type || op.kind == KeyOp::Kind::Press) ++presses;
  }
  return presses;
}

Scheduled ScheduleStretch(testing::HeadlessBackend& backend, double anchor_s, const Stretch& stretch) {
  // Whole milliseconds from the anchor, so a replay lands every key on the very same double.
  std::int64_t offset_ms = 0;
  std::int64_t spacing_ms = kDefaultSpacing_ms;
  std::int64_t last_ms = 0;
  Scheduled scheduled;
  ReaderBacklog backlog;
  const auto at = [&] { return anchor_s + static_cast<double>(offset_ms) / 1000.0; };
  for (const KeyOp& op : stretch) {
    const bool enter = op.key.code == kKeyEnter;
    switch (op.kind) {
      case KeyOp::Kind::Type:
        backend.PressAt(at(), op.key);
        backend.ReleaseAt(at(), op.key.code);
        if (enter) scheduled.lastEnter_s = at();
        backlog.Event(static_cast<double>(offset_ms));
        backlog.Event(static_cast<double>(offset_ms));
        last_ms = offset_ms;
        offset_ms += spacing_ms;
        break;
      case KeyOp::Kind::Press:
        backend.PressAt(at(), op.key);
        if (enter) scheduled.lastEnter_s = at();
        backlog.Event(static_cast<double>(offset_ms));
        last_ms = offset_ms;
        offset_ms += spacing_ms;
        break;
      case KeyOp::Kind::Release:
        backend.ReleaseAt(at(), op.key.code);
        backlog.Event(static_cast<double>(offset_ms));
        last_ms = offset_ms;
        offset_ms += spacing_ms;
        break;
      case KeyOp::Kind::Wait:
        offset_ms += op.ms;
        last_ms = offset_ms;
        break;
      case KeyOp::Kind::Spacing: spacing_ms = op.ms; break;
    }
  }
  scheduled.last_s = anchor_s + std::max(static_cast<double>(last_ms), backlog.Done_ms()) / 1000.0;
  return scheduled;
}

}  // namespace ashwicket::soak
