#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "paginor/enumerations.h"
#include "services/enumeration_codes.h"
#include "services/font_widths.h"
#include "services/picture.h"

namespace paginor {

// The service object each writer owns: the document's orientation and paper size, paper dimensions,
// colour operand text, alignment offsets, arc angles, text measurement, picture loading and stream
// encoding. Services that can overflow throw Failure (services/failure.h).
class Enumerations {
 public:
  Enumerations() = default;

  int32_t GetOrientation() const { return DocumentOrientation; }
  void SetOrientation(int32_t orientation) { DocumentOrientation = orientation; }
  int32_t GetPaperSize() const { return DocumentPaperSize; }
  void SetPaperSize(int32_t papersize) { DocumentPaperSize = papersize; }

  // Orders the two angles and reduces each one above 360 into (0, 360] (360 itself stays 360). Returns
  // false, changing nothing, when an angle is not finite.
  bool NormalizeArc(float& first, float& second) const;
  // The slice an arc from first to second draws in every format: NormalizeArc's angles, the second
  // raised by a turn when it came to lie before the first (300 to 400 degrees reduced to 300 and 40
  // goes on through 360 to 400), so that the slice runs anticlockwise from first to second.
  bool ArcSlice(float& first, float& second) const;

  // The data encoded with the given EncodingConstants value, end-of-data marker included; empty for an
  // unknown encoding or a failed encoder.
  std::vector<uint8_t> EncodeData(std::span<const uint8_t> data, int32_t encoding) const;

  // Offset of an item of width used inside a space of width available.
  int16_t AlignmentOffset(int16_t available, int16_t used, int32_t alignment) const;

  // Width in points of a text given as Windows-1252 codes (see services/code_page.h).
  int16_t TextWidth(std::string_view codes, int32_t fontnumber, uint8_t fontheight, int32_t fontstyle) const;

  // The two halves of TextWidth, for callers that measure a growing text piece by piece: the sum of the
  // codes' widths in thousandths of the font size (Failure beyond 32767 codes), and that sum in points at
  // a font height, rounded half to even (Failure beyond 16 bits).
  int64_t TextUnits(std::string_view codes, int32_t fontnumber, int32_t fontstyle) const;
  static int16_t UnitsToPoints(int64_t units, uint8_t fontheight);

  // Splits a line (Windows-1252 codes) at every blank and positions the words so that the line fills
  // width. Each word but the last keeps its following blank; the views point into line. Returns false
  // for a line of fewer than two words or on overflow, with the outputs as far as they were filled.
  bool JustifyLine(std::string_view line, int16_t width, int32_t fontnumber, uint8_t fontheight,
                   int32_t fontstyle, std::vector<std::string_view>& words,
                   std::vector<int16_t>& positions) const;

  // Page size and media name of the document's paper size, exchanged for landscape. An unknown paper
  // size leaves the arguments as passed (the exchange still applies).
  void PaperDimensions(int16_t& width, int16_t& height, std::string& medianame) const;

  // Decodes a BMP, GIF, JPEG or PNG file, or the bytes of one. False for unreadable, unsupported or damaged
  // files.
  bool LoadImage(const std::string& file, PictureDescription& picture) const;
  bool LoadImage(std::span<const uint8_t> bytes, PictureDescription& picture) const;

  // The three bytes of a colour operand text; Failure for a text FormatColor cannot have made.
  void ParseColor(std::string_view text, uint8_t& red, uint8_t& green, uint8_t& blue) const;

  // The colour operand text of three bytes, such as "1 0.502 0".
  std::string FormatColor(uint8_t red, uint8_t green, uint8_t blue) const;

 private:
  int32_t DocumentOrientation = Code(OrientationConstants::Portrait);
  int32_t DocumentPaperSize = Code(PaperSizeConstants::A4);
};

}  // namespace paginor
