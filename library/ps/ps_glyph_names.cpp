#include "ps/ps_glyph_names.h"

#include <charconv>

#include "services/code_page.h"

namespace paginor {
namespace {

constexpr size_t LongestName = 127;
constexpr size_t SuffixRoom = 8;  // "." and a repeat number

void AppendHex(std::string& name, char32_t character, int digits) {
  constexpr std::string_view hexDigits = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) name += hexDigits[(character >> shift) & 0xF];
}

// A character's own name; surrogates and values beyond Unicode, which no text holds, read as U+FFFD.
void AppendCharacterName(std::string& name, char32_t character) {
  if ((character >= 0xD800 && character <= 0xDFFF) || character > 0x10FFFF) character = 0xFFFD;
  if (character <= 0xFFFF) {
    name += "uni";
    AppendHex(name, character, 4);
  } else {
    name += 'u';
    AppendHex(name, character, character <= 0xFFFFF ? 5 : 6);
  }
}

}  // namespace

std::string PsGlyphNames::NameFor(std::string_view text, uint32_t glyph) {
  std::string name;
  std::string part;
  for (size_t position = 0; position < text.size();) {
    part.clear();
    if (!name.empty()) part += '_';
    AppendCharacterName(part, NextCharacter(text, position));
    if (name.size() + part.size() > LongestName - SuffixRoom) break;
    name += part;
  }
  if (name.empty()) {
    char digits[16];
    name = 'g';
    name.append(digits, std::to_chars(digits, digits + sizeof digits, glyph).ptr);
  }
  const uint32_t repeats = Given[name]++;
  if (repeats == 0) return name;
  // A name given before: the part after the period tells the glyphs apart and is not read as text.
  char digits[16];
  name += '.';
  name.append(digits, std::to_chars(digits, digits + sizeof digits, repeats).ptr);
  return name;
}

}  // namespace paginor
