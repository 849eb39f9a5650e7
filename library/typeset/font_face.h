#pragma once

// One face of a font file, opened for shaping and embedding: its shaping objects, the metrics a PDF
// font descriptor needs, and the kind of outlines it carries. Font files are untrusted: a file that is
// missing, truncated, damaged or of an unsupported kind is refused when opened, never used half-way.
#include <hb.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "typeset/font_locator.h"
#include "typeset/plain_ascii.h"

namespace paginor::typeset {

// The outlines of a face, which decide how it is embedded.
enum class OutlineFormat { TrueType, CompactFontFormat };

// What a font descriptor says of a face, in the face's own units (UnitsPerEm to the em).
struct FaceMetrics {
  int32_t UnitsPerEm = 1000;
  int32_t Ascent = 0;
  int32_t Descent = 0;  // negative below the baseline
  int32_t CapHeight = 0;
  int32_t XMin = 0, YMin = 0, XMax = 0, YMax = 0;  // the bounding box of all glyphs
  double ItalicAngle = 0;                           // degrees, counter-clockwise from vertical
  int32_t UnderlinePosition = 0;                    // top of the underline, negative below the baseline
  int32_t UnderlineThickness = 0;
  int32_t StrikeoutPosition = 0;
  int32_t StrikeoutThickness = 0;
  int32_t StemV = 80;  // estimated from the weight: the face does not record it
  bool FixedPitch = false;
  bool Serif = false;
  bool Italic = false;
  bool Bold = false;
};

class OpenTypeFace {
 public:
  // Opens the face a location names; nullptr when the file cannot be read or is not a usable face.
  static std::unique_ptr<OpenTypeFace> Open(const FaceLocation& location);
  // Opens a face from bytes in memory (copied); nullptr when they are not a usable face.
  static std::unique_ptr<OpenTypeFace> FromBytes(std::span<const uint8_t> bytes, uint32_t index);

  ~OpenTypeFace();
  OpenTypeFace(const OpenTypeFace&) = delete;
  OpenTypeFace& operator=(const OpenTypeFace&) = delete;

  const FaceLocation& Location() const { return Where; }
  hb_font_t* ShapingFont() const { return Font; }
  hb_face_t* Face() const { return FaceData; }
  const FaceMetrics& Metrics() const { return Measures; }
  OutlineFormat Outlines() const { return Format; }
  uint32_t GlyphCount() const { return Glyphs; }
  // The PostScript name (letters, digits and a few marks only), or a name made from the family.
  const std::string& PostScriptName() const { return Name; }
  const std::string& FamilyName() const { return Family; }

  // The glyph that draws a character, or 0 when the face has none.
  uint32_t GlyphFor(char32_t character) const;
  // True when the face has a glyph for an ASCII character (0 to 127).
  bool HasAscii(char character) const { return (AsciiCoverage[static_cast<uint8_t>(character) >> 6] >> (character & 63)) & 1; }
  // True when the face has a glyph for every printable ASCII character (space to tilde).
  bool HasPrintableAscii() const { return PrintableAscii; }
  // The printable characters that shaping leaves as they are, found when first asked for.
  const PlainAscii& Plain() const {
    if (PlainCharacters == nullptr) PlainCharacters = std::make_unique<PlainAscii>(Font);
    return *PlainCharacters;
  }
  // The advance of a glyph as the face records it (unshaped), in face units.
  int32_t Advance(uint32_t glyph) const;
  // The advance in thousandths of the em to three decimals: the glyph's width in a PDF font's /W
  // array, what a PDF reader advances after drawing it. Kept per glyph once asked for.
  double PdfWidth(uint32_t glyph) const {
    const double known = KnownPdfWidth(glyph);
    return known >= 0 ? known : MeasurePdfWidth(glyph);
  }
  // The same when it was asked for before, else a negative number.
  double KnownPdfWidth(uint32_t glyph) const { return glyph < PdfWidths.size() ? PdfWidths[glyph] : -1; }

 private:
  OpenTypeFace(FaceLocation location, hb_blob_t* blob);
  bool Prepare();
  double MeasurePdfWidth(uint32_t glyph) const;

  FaceLocation Where;
  hb_blob_t* Blob = nullptr;
  hb_face_t* FaceData = nullptr;
  hb_font_t* Font = nullptr;
  FaceMetrics Measures;
  OutlineFormat Format = OutlineFormat::TrueType;
  uint32_t Glyphs = 0;
  uint64_t AsciiCoverage[2] = {0, 0};
  bool PrintableAscii = false;
  mutable std::unique_ptr<PlainAscii> PlainCharacters;
  mutable std::vector<double> PdfWidths;  // by glyph, negative until asked for
  std::string Name;
  std::string Family;
};

}  // namespace paginor::typeset
