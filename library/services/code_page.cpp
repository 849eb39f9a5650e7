#include "services/code_page.h"

#include <cstdint>

#include "services/byte_scan.h"

namespace paginor {
namespace {

// Unicode code points of the Windows-1252 codes 0x80 to 0x9F; 0 for the five codes the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D), which no character reaches.
constexpr char32_t HighCharacters[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code of a character that is not printable ASCII. Line ends keep their codes. Every other control
// character (C0, DEL and C1, those the code page leaves unassigned included) has no glyph of its own:
// each reader would draw and read it back differently, so, like a character that Windows-1252 lacks,
// it becomes '?'.
char ToCode(char32_t character) {
  if (character == U'\r' || character == U'\n' || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<char>(character);
  }
  if (character < 0xA0) return '?';
  for (unsigned index = 0; index < 32; ++index) {
    if (HighCharacters[index] == character) return static_cast<char>(0x80 + index);
  }
  return '?';
}

// Decodes one UTF-8 sequence starting at text[position]; returns its length, or 0 when the bytes there
// do not form a valid sequence (overlong forms, surrogates and values above U+10FFFF included).
size_t DecodeSequence(std::string_view text, size_t position, char32_t& codepoint) {
  const auto lead = static_cast<uint8_t>(text[position]);
  size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codepoint = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codepoint = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codepoint = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() - position < length) return 0;
  for (size_t index = 1; index < length; ++index) {
    const auto next = static_cast<uint8_t>(text[position + index]);
    if ((next & 0xC0u) != 0x80u) return 0;
    codepoint = (codepoint << 6) | (next & 0x3Fu);
  }
  if (codepoint < minimum || codepoint > 0x10FFFF || (codepoint >= 0xD800 && codepoint <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

char32_t NextCharacter(std::string_view text, size_t& position) {
  const auto lead = static_cast<uint8_t>(text[position]);
  if (lead < 0x80) {
    ++position;
    return lead;
  }
  char32_t codepoint = 0;
  const size_t length = DecodeSequence(text, position, codepoint);
  if (length == 0) {
    ++position;
    return U'?';
  }
  position += length;
  return codepoint;
}

void AppendWindows1252(std::string_view utf8, std::string& out) {
  out.reserve(out.size() + utf8.size());
  size_t position = 0;
  while (position < utf8.size()) {
    // Runs of printable ASCII, by far the most common text, are copied as they are.
    const size_t run = FindNonPrintable(utf8, position);
    out.append(utf8.data() + position, run - position);
    position = run;
    if (position < utf8.size()) out.push_back(ToCode(NextCharacter(utf8, position)));
  }
}

std::string ToWindows1252(std::string_view utf8) {
  std::string codes;
  AppendWindows1252(utf8, codes);
  return codes;
}

}  // namespace paginor
