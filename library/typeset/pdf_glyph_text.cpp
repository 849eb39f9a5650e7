#include "typeset/pdf_glyph_text.h"

#include <cmath>

#include "typeset/pdf_font_objects.h"
#include "typeset/pdf_numbers.h"

namespace paginor::typeset {
namespace {

// The outline stroke of a synthetic bold, as a share of the font size.
constexpr double SyntheticBoldStroke = 0.03;

// Builds the TJ arrays of a line, tracking where the reader's text position is (in points from the
// line's start) against where shaping puts it, and correcting the difference at each glyph.
class GlyphWriter {
 public:
  GlyphWriter(std::string& out, double size) : Out(out), Size(size) {}

  void Glyph(const ShapedGlyph& glyph) {
    const double scale = Size / glyph.Face->Metrics().UnitsPerEm;
    const double rise = glyph.YOffset * scale;
    if (rise != Rise) {
      Close();
      AppendDecimal(Out, rise, 3);
      Out += " Ts ";
      Rise = rise;
    }
    MoveTo(Shaped + glyph.XOffset * scale);
    Open();
    if (!InString) Out += '(';
    InString = true;
    AppendCodeByte(glyph.Code >> 8);
    AppendCodeByte(glyph.Code & 0xFF);
    Drawn += glyph.Face->PdfWidth(glyph.Glyph) * Size / 1000;
    Shaped += glyph.Advance * scale;
  }

  // Ends the current face's glyphs at the shaped position of the next glyph.
  void EndRun() {
    MoveTo(Shaped);
    Close();
  }

  void Finish() {
    EndRun();
    if (Rise != 0) Out += "0 Ts ";
  }

 private:
  // An adjustment in thousandths of the size moves the text position left by that much.
  void MoveTo(double target) {
    const double thousandths = (Drawn - target) * 1000 / Size;
    if (thousandths > -0.5 && thousandths < 0.5) return;  // the usual case, without rounding
    const auto adjustment = static_cast<int64_t>(std::nearbyint(thousandths));
    if (adjustment == 0) return;
    Open();
    EndString();
    AppendNumber(Out, adjustment);
    Drawn -= static_cast<double>(adjustment) * Size / 1000;
  }

  void Open() {
    if (!InArray) Out += '[';
    InArray = true;
  }

  void EndString() {
    if (InString) Out += ')';
    InString = false;
  }

  void Close() {
    EndString();
    if (InArray) Out += "] TJ ";
    InArray = false;
  }

  // A byte of a code inside a literal string, as it stands but for the bytes the string's syntax
  // would read otherwise (and the line ends, which a reader may change).
  void AppendCodeByte(uint32_t byte) {
    switch (byte) {
      case '(': Out += "\\("; break;
      case ')': Out += "\\)"; break;
      case '\\': Out += "\\\\"; break;
      case '\r': Out += "\\r"; break;
      case '\n': Out += "\\n"; break;
      default: Out += static_cast<char>(byte);
    }
  }

  std::string& Out;
  double Size;
  double Drawn = 0;   // where the reader's text position is
  double Shaped = 0;  // where shaping puts the next glyph's origin
  double Rise = 0;
  bool InArray = false;
  bool InString = false;
};

}  // namespace

void AppendPdfGlyphs(std::string& out, std::span<const ShapedGlyph> glyphs, double size,
                     const std::function<void(std::string&, const OpenTypeFace&)>& selectFont) {
  if (!(size > 0)) return;
  GlyphWriter writer(out, size);
  const OpenTypeFace* current = nullptr;
  for (const ShapedGlyph& glyph : glyphs) {
    if (glyph.Face != current) {
      writer.EndRun();
      selectFont(out, *glyph.Face);
      out += ' ';
      current = glyph.Face;
    }
    writer.Glyph(glyph);
  }
  writer.Finish();
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
