// Build-time tool: picks the 256 glyphs of code page 437 out of 8x16 PSF console fonts (PSF 1 or
// 2, with their Unicode tables) and writes them as a C++ array, so the game carries its font
// and reads no file when it runs.
//
//   font_generator OUTPUT.cpp FONT.psf [FONT.psf ...]
//
// The fonts are searched in the order given. A character that none of them has fails the build
// rather than showing as a blank.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "frontends/window/cp437.h"

namespace {

using ashwicket::window::kCp437ToUnicode;

constexpr int kGlyphHeight = 16;
using Glyph = std::vector<std::uint8_t>;  // 16 rows, bit 7 the leftmost pixel

struct PsfFont {
  std::string name;
  std::vector<Glyph> glyphs;
  std::map<char32_t, std::size_t> glyphOf;  // Unicode code point -> glyph index
};

// Glyphs some fonts draw only under a close relative's code point.
const std::map<char32_t, char32_t> kStandIns = {
    {0x25BA, 0x25B6},  // black right-pointing pointer -> triangle
    {0x25C4, 0x25C0},  // black left-pointing pointer -> triangle
};

std::uint32_t ReadLe32(const std::string& data, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(data.at(at + i));
  return value;
}

std::size_t ReadPsf1(const std::string& data, PsfFont& font) {
  const auto mode = static_cast<std::uint8_t>(data.at(2));
  const auto height = static_cast<std::uint8_t>(data.at(3));
  if (height != kGlyphHeight) throw std::runtime_error("glyphs are not 16 rows high");
  const std::size_t count = (mode & 0x01) ? 512 : 256;
  const bool hasTable = (mode & 0x06) != 0;
  std::size_t at = 4;
  for (std::size_t i = 0; i < count; ++i, at += height) {
    font.glyphs.emplace_back(data.begin() + at, data.begin() + at + height);
  }
  if (!hasTable) {
    for (std::size_t i = 0; i < 256; ++i) font.glyphOf.emplace(kCp437ToUnicode[i], i);
    return at;
  }
  // Per glyph: 16-bit code points, 0xFFFE starting multi-character sequences, 0xFFFF ending.
  for (std::size_t glyph = 0; glyph < count; ++glyph) {
    bool inSequences = false;
    for (;;) {
      const auto unit = static_cast<std::uint16_t>(static_cast<std::uint8_t>(data.at(at)) |
                                                   static_cast<std::uint8_t>(data.at(at + 1)) << 8);
      at += 2;
      if (unit == 0xFFFF) break;
      if (unit == 0xFFFE) inSequences = true;
      if (!inSequences) font.glyphOf.emplace(unit, glyph);
    }
  }
  return at;
}

char32_t DecodeUtf8(const std::string& data, std::size_t& at) {
  const auto lead = static_cast<std::uint8_t>(data.at(at++));
  int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
  char32_t cp = more == 0 ? lead : lead & (0x3F >> more);
  while (more-- > 0) cp = cp << 6 | (static_cast<std::uint8_t>(data.at(at++)) & 0x3F);
  return cp;
}

std::size_t ReadPsf2(const std::string& data, PsfFont& font) {
  const std::uint32_t headerSize = ReadLe32(data, 8);
  const std::uint32_t flags = ReadLe32(data, 12);
  const std::uint32_t count = ReadLe32(data, 16);
  const std::uint32_t bytesPerGlyph = ReadLe32(data, 20);
  const std::uint32_t height = ReadLe32(data, 24);
  const std::uint32_t width = ReadLe32(data, 28);
  if (width != 8 || height != kGlyphHeight || bytesPerGlyph != kGlyphHeight) {
    throw std::runtime_error("glyphs are not 8x16");
  }
  std::size_t at = headerSize;
  for (std::size_t i = 0; i < count; ++i, at += bytesPerGlyph) {
    font.glyphs.emplace_back(data.begin() + at, data.begin() + at + bytesPerGlyph);
  }
  if (!(flags & 1)) {
    for (std::size_t i = 0; i < 256; ++i) font.glyphOf.emplace(kCp437ToUnicode[i], i);
    return at;
  }
  // Per glyph: UTF-8 code points, 0xFE starting multi-character sequences, 0xFF ending.
  for (std::size_t glyph = 0; glyph < count && at < data.size(); ++glyph) {
    bool inSequences = false;
    while (static_cast<std::uint8_t>(data.at(at)) != 0xFF) {
      if (static_cast<std::uint8_t>(data.at(at)) == 0xFE) {
        inSequences = true;
        ++at;
        continue;
      }
      const char32_t cp = DecodeUtf8(data, at);
      if (!inSequences) font.glyphOf.emplace(cp, glyph);
    }
    ++at;
  }
  return at;
}

PsfFont ReadFont(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  const std::string data{std::istreambuf_iterator<char>(in), {}};
  PsfFont font;
  font.name = std::filesystem::path(path).filename().string();
  if (data.size() >= 4 && data[0] == '\x36' && data[1] == '\x04') {
    ReadPsf1(data, font);
  } else if (data.size() >= 32 && ReadLe32(data, 0) == 0x864AB572) {
    ReadPsf2(data, font);
  } else {
    throw std::runtime_error(path + " is not a PSF font");
  }
  return font;
}

std::optional<Glyph> FindGlyph(const std::vector<PsfFont>& fonts, char32_t cp) {
  for (const PsfFont& font : fonts) {
    if (auto it = font.glyphOf.find(cp); it != font.glyphOf.end()) return font.glyphs[it->second];
  }
  return std::nullopt;
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp FONT.psf [FONT.psf ...]\n", argv[0]);
    return 2;
  }
  try {
    std::vector<PsfFont> fonts;
    for (int i = 2; i < argc; ++i) fonts.push_back(ReadFont(argv[i]));

    std::ostringstream out;
    out << "// Generated at build time by font_generator; do not edit.\n"
           "// The glyphs of code page 437, from these console fonts in this order of preference:\n"
           "//  ";
    for (const PsfFont& font : fonts) out << ' ' << font.name;
    out << "\n// They come with Debian's console-setup-linux and are in the public domain,\n"
           "// built from u_vga16.bdf, (c) 2000, 2001 Dmitry Bolkhovityanov, under an MIT-style\n"
           "// licence (see /usr/share/doc/console-setup-linux/copyright.fonts.gz).\n"
           "#include \"frontends/window/font.h\"\n\n"
           "namespace ashwicket::window {\n\n"
           "const std::array<GlyphRows, 256> kFont8x16 = {{\n";
    for (std::size_t ch = 0; ch < 256; ++ch) {
      const char32_t cp = kCp437ToUnicode[ch];
      std::optional<Glyph> glyph;
      if (ch == 0) {
        glyph = Glyph(kGlyphHeight, 0);  // character 0 shows as a blank
      } else {
        glyph = FindGlyph(fonts, cp);
        if (!glyph && kStandIns.contains(cp)) glyph = FindGlyph(fonts, kStandIns.at(cp));
      }
      if (!glyph) {
        std::fprintf(stderr, "font_generator: no font has a glyph for character %s (U+%04X)\n",
                     Hex(static_cast<unsigned>(ch), 2).c_str(), static_cast<unsigned>(cp));
        return 1;
      }
      out << "    {";
      for (int row = 0; row < kGlyphHeight; ++row) {
        out << (row ? ", " : "") << Hex((*glyph)[row], 2);
      }
      out << "},  // " << Hex(static_cast<unsigned>(ch), 2) << "\n";
    }
    out << "}};\n\n}  // namespace ashwicket::window\n";

    const std::string outputPath = argv[1];
    std::ofstream file(outputPath, std::ios::binary);
    file << out.str();
    if (!file.flush()) throw std::runtime_error("cannot write " + outputPath);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "font_generator: %s\n", error.what());
    return 1;
  }
  return 0;
}
