#include "typeset/pdf_glyph_text.h"

#include <cmath>
#include <cstring>

#include "typeset/pdf_font_objects.h"
#include "typeset/pdf_numbers.h"

namespace paginor::typeset {
namespace {

// The outline stroke of a synthetic bold, as a share of the font size.
constexpr double SyntheticBoldStroke = 0.03;

// Builds the TJ arrays of a line, tracking where the reader's text position is (in points from the
// line's start) against where shaping puts it, and correcting the difference at each glyph. The bytes
// gather in a chunk of its own, handed to the output when it fills up and before a face is chosen.
class GlyphWriter {
 public:
  GlyphWriter(std::string& out, double size) : Out(out), Size(size) {}
  GlyphWriter(const GlyphWriter&) = delete;
  GlyphWriter& operator=(const GlyphWriter&) = delete;

  // The glyphs that follow are in `face`.
  void SetFace(const OpenTypeFace& face) { Scale = Size / face.Metrics().UnitsPerEm; }

  void Glyph(const ShapedGlyph& glyph) {
    MakeRoom();
    const double rise = glyph.YOffset * Scale;
    if (rise != Rise) {
      Close();
      Cursor = WriteDecimal(Cursor, rise, 3);
      Put(" Ts ");
      Rise = rise;
    }
    MoveTo(Shaped + glyph.XOffset * Scale);
    Open();
    if (!InString) *Cursor++ = '(';
    InString = true;
    PutCodeByte(static_cast<uint8_t>(glyph.Code >> 8));
    PutCodeByte(static_cast<uint8_t>(glyph.Code & 0xFF));
    Drawn += glyph.Face->PdfWidth(glyph.Glyph) * Size / 1000;
    Shaped += glyph.Advance * Scale;
  }

  // Ends the current face's glyphs at the shaped position of the next glyph, with every byte so far in
  // the output.
  void EndRun() {
    MakeRoom();
    MoveTo(Shaped);
    Close();
    Flush();
  }

  void Finish() {
    EndRun();
    if (Rise != 0) Out += "0 Ts ";
  }

 private:
  // The most one glyph, or the end of a run, writes: the end of an array, a rise, an adjustment and
  // the glyph's escaped code.
  static constexpr ptrdiff_t MostPerStep = 3 * LongestNumber + 32;

  void MakeRoom() {
    if (Chunk + sizeof Chunk - Cursor < MostPerStep) Flush();
  }

  void Flush() {
    Out.append(Chunk, Cursor);
    Cursor = Chunk;
  }

  template <size_t N>
  void Put(const char (&literal)[N]) {
    std::memcpy(Cursor, literal, N - 1);
    Cursor += N - 1;
  }

  // An adjustment in thousandths of the size moves the text position left by that much.
  void MoveTo(double target) {
    const double thousandths = (Drawn - target) * 1000 / Size;
    if (thousandths > -0.5 && thousandths < 0.5) return;  // the usual case, without rounding
    const auto adjustment = static_cast<int64_t>(std::nearbyint(thousandths));
    if (adjustment == 0) return;
    Open();
    EndString();
    Cursor = WriteNumber(Cursor, adjustment);
    Drawn -= static_cast<double>(adjustment) * Size / 1000;
  }

  void Open() {
    if (!InArray) *Cursor++ = '[';
    InArray = true;
  }

  void EndString() {
    if (InString) *Cursor++ = ')';
    InString = false;
  }

  void Close() {
    EndString();
    if (InArray) Put("] TJ ");
    InArray = false;
  }

  // A byte of a code inside a literal string, as it stands but for the bytes the string's syntax
  // would read otherwise (and the line ends, which a reader may change).
  void PutCodeByte(uint8_t byte) {
    switch (byte) {
      case '(':
      case ')':
      case '\\':
        *Cursor++ = '\\';
        *Cursor++ = static_cast<char>(byte);
        break;
      case '\r': Put("\\r"); break;
      case '\n': Put("\\n"); break;
      default: *Cursor++ = static_cast<char>(byte);
    }
  }

  std::string& Out;
  double Size;
  double Scale = 0;   // points per face unit
  double Drawn = 0;   // where the reader's text position is
  double Shaped = 0;  // where shaping puts the next glyph's origin
  double Rise = 0;
  bool InArray = false;
  bool InString = false;
  char Chunk[1024];
  char* Cursor = Chunk;
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
      writer.SetFace(*glyph.Face);
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
