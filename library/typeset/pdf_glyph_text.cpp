#include "typeset/pdf_glyph_text.h"

#include <array>
#include <cmath>
#include <cstring>

#include "typeset/pdf_font_objects.h"
#include "typeset/pdf_numbers.h"

namespace paginor::typeset {
namespace {

// The outline stroke of a synthetic bold, as a share of the font size.
constexpr double SyntheticBoldStroke = 0.03;

// The most one glyph, or the end of a face's glyphs, writes: the end of an array, a rise, an
// adjustment and the glyph's escaped code.
constexpr ptrdiff_t MostPerGlyph = 3 * LongestNumber + 32;

// The bytes that stand for themselves inside a literal string (see putCodeByte below).
constexpr std::array<bool, 256> Plain = [] {
  std::array<bool, 256> plain{};
  plain.fill(true);
  for (const char special : {'(', ')', '\\', '\r', '\n'}) plain[static_cast<uint8_t>(special)] = false;
  return plain;
}();

}  // namespace

// The TJ arrays of a line, tracking where the reader's text position is (in points from the line's
// start) against where shaping puts it, and correcting the difference at each glyph. The bytes gather
// in a chunk, handed to the output when it fills up and before a face is chosen; the state lives in
// local variables, which the bytes written cannot overwrite, so that it stays in registers.
void AppendPdfGlyphs(std::string& out, std::span<const ShapedGlyph> glyphs, double size,
                     const std::function<void(std::string&, const OpenTypeFace&)>& selectFont) {
  if (!(size > 0)) return;
  char chunk[1024];
  char* at = chunk;
  double scale = 0;   // points per face unit
  double drawn = 0;   // where the reader's text position is
  double shaped = 0;  // where shaping puts the next glyph's origin
  double rise = 0;
  bool inArray = false;
  bool inString = false;

  const auto flush = [&] {
    out.append(chunk, at);
    at = chunk;
  };
  const auto put = [&](std::string_view text) {
    std::memcpy(at, text.data(), text.size());
    at += text.size();
  };
  const auto open = [&] {
    if (!inArray) *at++ = '[';
    inArray = true;
  };
  const auto endString = [&] {
    if (inString) *at++ = ')';
    inString = false;
  };
  const auto close = [&] {
    endString();
    if (inArray) put("] TJ ");
    inArray = false;
  };
  // An adjustment in thousandths of the size moves the text position left by that much.
  // Well inside half a thousandth, which needs no division to tell: the same products, rounded the
  // same way, against a bound below the half (a division by the size cannot lift them past it).
  const double surelyNear = 0.499 * size;
  const auto moveTo = [&](double target) {
    const double apart = (drawn - target) * 1000;
    if (apart > -surelyNear && apart < surelyNear) return;
    const double thousandths = apart / size;
    if (thousandths > -0.5 && thousandths < 0.5) return;  // the usual case, without rounding
    const auto adjustment = static_cast<int64_t>(std::nearbyint(thousandths));
    if (adjustment == 0) return;
    open();
    endString();
    at = WriteNumber(at, adjustment);
    drawn -= static_cast<double>(adjustment) * size / 1000;
  };
  // A byte of a code inside a literal string, as it stands but for the bytes the string's syntax
  // would read otherwise (and the line ends, which a reader may change).
  const auto putCodeByte = [&](uint8_t byte) {
    switch (byte) {
      case '(':
      case ')':
      case '\\':
        *at++ = '\\';
        *at++ = static_cast<char>(byte);
        break;
      case '\r': put("\\r"); break;
      case '\n': put("\\n"); break;
      default: *at++ = static_cast<char>(byte);
    }
  };
  // Ends the current face's glyphs at the shaped position of the next glyph.
  const auto endRun = [&] {
    moveTo(shaped);
    close();
    flush();
  };

  const OpenTypeFace* current = nullptr;
  const ShapedGlyph* next = glyphs.data();
  const ShapedGlyph* const last = next + glyphs.size();
  while (next != last) {
    // The usual glyph: in the open string of its face, on the baseline, where the reader's position
    // already is, its width known and its code plain. It takes this loop, which calls nothing, so that
    // the positions stay in registers; any other glyph takes the full way below, which does the same
    // for this one.
    for (; next != last && inString && rise == 0 && next->Face == current && next->YOffset == 0 &&
           next->XOffset == 0 && chunk + sizeof chunk - at >= 2;
         ++next) {
      const double width = current->KnownPdfWidth(next->Glyph);
      const double apart = (drawn - shaped) * 1000;
      const auto high = static_cast<uint8_t>(next->Code >> 8);
      const auto low = static_cast<uint8_t>(next->Code & 0xFF);
      if (width < 0 || !(apart > -surelyNear && apart < surelyNear) || !Plain[high] || !Plain[low]) break;
      at[0] = static_cast<char>(high);
      at[1] = static_cast<char>(low);
      at += 2;
      drawn += width * size / 1000;
      shaped += next->Advance * scale;
    }
    if (next == last) break;
    const ShapedGlyph& glyph = *next++;
    if (chunk + sizeof chunk - at < MostPerGlyph) flush();
    if (glyph.Face != current) {
      endRun();
      selectFont(out, *glyph.Face);
      out += ' ';
      current = glyph.Face;
      scale = size / current->Metrics().UnitsPerEm;
    }
    const double glyphRise = glyph.YOffset * scale;
    if (glyphRise != rise) {
      close();
      at = WriteDecimal(at, glyphRise, 3);
      put(" Ts ");
      rise = glyphRise;
    }
    moveTo(shaped + glyph.XOffset * scale);
    open();
    if (!inString) *at++ = '(';
    inString = true;
    const auto high = static_cast<uint8_t>(glyph.Code >> 8);
    const auto low = static_cast<uint8_t>(glyph.Code & 0xFF);
    if (Plain[high] && Plain[low]) {
      at[0] = static_cast<char>(high);
      at[1] = static_cast<char>(low);
      at += 2;
    } else {
      putCodeByte(high);
      putCodeByte(low);
    }
    drawn += current->PdfWidth(glyph.Glyph) * size / 1000;
    shaped += glyph.Advance * scale;
  }
  if (chunk + sizeof chunk - at < MostPerGlyph) flush();
  endRun();
  if (rise != 0) out += "0 Ts ";
}

void AppendPdfGlyphLine(std::string& out, std::span<const ShapedGlyph> glyphs, double x, double y,
                        double size, bool syntheticBold, bool syntheticItalic,
                        const std::function<void(std::string&, const OpenTypeFace&)>& selectFont) {
  if (syntheticBold) {
    out += "2 Tr ";
    AppendDecimal(out, size * SyntheticBoldStroke, 3);
    out += " w\r\n";
  }
  out += syntheticItalic ? "1 0 0.213 1 " : "1 0 0 1 ";  // a slant of 12 degrees
  AppendDecimal(out, x, 3);
  out += ' ';
  AppendDecimal(out, y, 3);
  out += " Tm\r\n";
  AppendPdfGlyphs(out, glyphs, size, selectFont);
  out += "\r\n";
}

}  // namespace paginor::typeset
