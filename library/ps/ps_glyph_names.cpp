#include "ps/ps_glyph_names.h"

#include <algorithm>
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

// The value of hexadecimal digits in upper case, as the names are written; -1 for any other text.
int64_t HexValue(std::string_view digits) {
  int64_t value = 0;
  for (const char digit : digits) {
    if (digit >= '0' && digit <= '9') {
      value = value * 16 + (digit - '0');
    } else if (digit >= 'A' && digit <= 'F') {
      value = value * 16 + (digit - 'A' + 10);
    } else {
      return -1;
    }
  }
  return value;
}

bool IsCharacter(int64_t value) { return value >= 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF); }

void AppendUtf16Hex(std::string& hex, char32_t character) {
  if (character >= 0x10000) {
    AppendHex(hex, 0xD800 + ((character - 0x10000) >> 10), 4);
    AppendHex(hex, 0xDC00 + ((character - 0x10000) & 0x3FF), 4);
  } else {
    AppendHex(hex, character, 4);
  }
}

// Appends the characters of one part of a name: "uni" and groups of four digits, or "u" and four to six.
void AppendPartText(std::string& hex, std::string_view part) {
  if (part.starts_with("uni") && part.size() > 3 && (part.size() - 3) % 4 == 0) {
    const size_t kept = hex.size();
    for (size_t at = 3; at < part.size(); at += 4) {
      const int64_t value = HexValue(part.substr(at, 4));
      if (!IsCharacter(value)) {
        hex.resize(kept);
        return;
      }
      AppendUtf16Hex(hex, static_cast<char32_t>(value));
    }
  } else if (part.starts_with("u") && part.size() >= 5 && part.size() <= 7) {
    const int64_t value = HexValue(part.substr(1));
    if (IsCharacter(value)) AppendUtf16Hex(hex, static_cast<char32_t>(value));
  }
}

}  // namespace

std::string GlyphNameUtf16Hex(std::string_view name) {
  name = name.substr(0, name.find('.'));
  std::string hex;
  while (!name.empty()) {
    const size_t end = std::min(name.find('_'), name.size());
    AppendPartText(hex, name.substr(0, end));
    name.remove_prefix(std::min(end + 1, name.size()));
  }
  return hex;
}

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
