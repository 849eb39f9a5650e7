#include "pdf/pdf_strings.h"

#include <cstdint>
#include <vector>

#include "core/escaped_text.h"
#include "core/uri_text.h"
#include "services/code_page.h"

namespace paginor {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// The characters PDFDocEncoding places where Latin-1 has none (0x18 to 0x1F, 0x80 to 0x9E), by code.
struct DocCode {
  char32_t character;
  uint8_t code;
};
constexpr DocCode PdfDocExtras[] = {
    {0x02D8, 0x18}, {0x02C7, 0x19}, {0x02C6, 0x1A}, {0x02D9, 0x1B}, {0x02DD, 0x1C}, {0x02DB, 0x1D},
    {0x02DA, 0x1E}, {0x02DC, 0x1F}, {0x2022, 0x80}, {0x2020, 0x81}, {0x2021, 0x82}, {0x2026, 0x83},
    {0x2014, 0x84}, {0x2013, 0x85}, {0x0192, 0x86}, {0x2044, 0x87}, {0x2039, 0x88}, {0x203A, 0x89},
    {0x2212, 0x8A}, {0x2030, 0x8B}, {0x201E, 0x8C}, {0x201C, 0x8D}, {0x201D, 0x8E}, {0x2018, 0x8F},
    {0x2019, 0x90}, {0x201A, 0x91}, {0x2122, 0x92}, {0xFB01, 0x93}, {0xFB02, 0x94}, {0x0141, 0x95},
    {0x0152, 0x96}, {0x0160, 0x97}, {0x0178, 0x98}, {0x017D, 0x99}, {0x0131, 0x9A}, {0x0142, 0x9B},
    {0x0153, 0x9C}, {0x0161, 0x9D}, {0x017E, 0x9E}};

// The PDFDocEncoding code of a character, or -1 when it has none. Printable ASCII, tab, line feed and
// carriage return, and Latin-1 from 0xA1 up but the soft hyphen keep their values; the other control
// characters and DEL have no code there.
int PdfDocCode(char32_t character) {
  const bool printable = character >= 0x20 && character < 0x7F;
  if (printable || character == U'\t' || character == U'\n' || character == U'\r' ||
      (character >= 0xA1 && character <= 0xFF && character != 0xAD)) {
    return static_cast<int>(character);
  }
  for (const DocCode& extra : PdfDocExtras) {
    if (extra.character == character) return extra.code;
  }
  return -1;
}

void AppendHex16(std::string& out, uint32_t unit) {
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(HexDigits[(unit >> shift) & 0xFu]);
}

}  // namespace

void PutEscapedText(std::string_view codes, LineBuffer& out) {
  constexpr ByteSet Escaped("\\()");
  PutBackslashEscaped(codes, Escaped, out);
}

std::string EscapedLiteral(std::string_view bytes) {
  // Pair each ")" with the nearest open "(" before it; what stays unpaired is escaped.
  std::vector<bool> unpaired(bytes.size(), false);
  std::vector<size_t> open;
  for (size_t index = 0; index < bytes.size(); ++index) {
    if (bytes[index] == '(') {
      open.push_back(index);
    } else if (bytes[index] == ')') {
      if (open.empty()) {
        unpaired[index] = true;
      } else {
        open.pop_back();
      }
    }
  }
  for (const size_t index : open) unpaired[index] = true;

  std::string out;
  out.reserve(bytes.size() + 8);
  for (size_t index = 0; index < bytes.size(); ++index) {
    if (bytes[index] == '\\' || unpaired[index]) out.push_back('\\');
    out.push_back(bytes[index]);
  }
  return out;
}

std::string TextString(std::string_view utf8) {
  std::string codes;
  codes.reserve(utf8.size());
  bool representable = true;
  for (size_t position = 0; position < utf8.size() && representable;) {
    const int code = PdfDocCode(NextCharacter(utf8, position));
    representable = code >= 0;
    codes.push_back(static_cast<char>(code));
  }
  if (representable) {
    std::string literal(1, '(');
    literal.append(EscapedLiteral(codes)).push_back(')');
    return literal;
  }

  std::string hex = "<FEFF";
  for (size_t position = 0; position < utf8.size();) {
    const char32_t character = NextCharacter(utf8, position);
    if (character > 0xFFFF) {  // a surrogate pair
      const uint32_t offset = static_cast<uint32_t>(character) - 0x10000;
      AppendHex16(hex, 0xD800 + (offset >> 10));
      AppendHex16(hex, 0xDC00 + (offset & 0x3FFu));
    } else {
      AppendHex16(hex, static_cast<uint32_t>(character));
    }
  }
  hex.push_back('>');
  return hex;
}

std::string UriLiteral(std::string_view utf8) { return EscapedLiteral(PercentEncodedUri(utf8)); }

}  // namespace paginor
