#pragma once

/// @file
/// The eight public enumerations. Their names and values are part of the interface and stay as they are.

#include <cstdint>

namespace paginor {

/// Horizontal placement of a text, title, paragraph block or picture.
enum class AlignmentConstants : int32_t {
  NoAlignment = 0,  ///< Stays at the current position.
  LeftAlign = 1,    ///< At the left edge of the area inside the margins.
  Center = 2,       ///< Centred in the area inside the margins (half the free width truncated).
  RightAlign = 3    ///< Ending at the right edge of the area inside the margins.
};

/// The bullet drawn before a title (Document::WriteTitle).
enum class BulletConstants : int32_t {
  Disc = 1,   ///< A filled disc.
  Square = 2  ///< A filled square.
};

/// The filter that encodes a picture's data in the document (PDF::DrawPicture).
enum class EncodingConstants : int32_t {
  ASCII85 = 1,    ///< ASCII base-85: printable text, 5 characters for 4 bytes.
  ASCIIHex = 2,   ///< Two hexadecimal digits per byte.
  RunLength = 3,  ///< Runs of repeated bytes compressed; binary.
  Flate = 4       ///< Deflate compression with a zlib frame; binary, usually the smallest.
};

/// Why the last operation of a document that reported a result failed: set when Create, Flush or a Draw
/// or Write operation returns false, cleared when one succeeds. Read it with Document::LastFailure().
enum class FailureConstants : int32_t {
  NoFailure = 0,           ///< The last operation with a result succeeded.
  InvalidArgument = 1,     ///< An argument or property is outside its allowed values.
  DoesNotFit = 2,          ///< The item does not fit the available area of the page.
  NoPage = 3,              ///< No page to draw on: before Create, before the first NewPage, or after Flush.
  FileError = 4,           ///< The output file could not be created or written; the message has the system's text.
  PictureNotLoadable = 5,  ///< The picture file could not be read or decoded; the message says why.
  InternalFailure = 6,     ///< A value overflowed or memory ran out while the operation ran.
  OutputAborted = 7,       ///< The caller's output function refused the document's bytes.
  CalledFromOutput = 8,    ///< Called from inside the document's own output function, which it refuses.
  FontNotFound = 9,        ///< A font family is not installed, or its font file cannot be read; the message names it.
};

/// A line drawn through or under text.
enum class FontEffectConstants : int32_t {
  NoFontEffect = 0,   ///< Plain text.
  Strikethrough = 1,  ///< A line a quarter of the font height above the baseline.
  Underline = 2       ///< A line an eighth of the font height below the baseline.
};

/// The five standard font families. With a style they select one of the fourteen standard fonts.
enum class FontNumberConstants : int32_t {
  Courier = 1,      ///< Fixed-width: every character is 0.6 of the font height wide.
  Helvetica = 2,    ///< Sans-serif.
  Times = 3,        ///< Serif.
  Symbol = 4,       ///< Greek letters and mathematical signs; regular style only.
  ZapfDingbats = 5  ///< Ornaments and pictograms; regular style only.
};

/// The style of a Courier, Helvetica or Times font.
enum class FontStyleConstants : int32_t {
  Regular = 1,    ///< Upright, normal weight.
  Bold = 2,       ///< Bold.
  Italic = 3,     ///< Italic (oblique for Courier and Helvetica).
  BoldItalic = 4  ///< Bold and italic.
};

/// The orientation of the pages.
enum class OrientationConstants : int32_t {
  Portrait = 1,  ///< The paper as listed in PaperSizeConstants.
  Landscape = 2  ///< Width and height of the paper exchanged.
};

/// Paper sizes, in points (width x height in portrait). The values are the printer paper codes of these
/// sheets, hence the gaps: 2, 6, 10, 12 and 13 are not paper sizes.
enum class PaperSizeConstants : int32_t {
  Letter = 1,     ///< 612 x 792 (8.5 x 11 inches).
  Tabloid = 3,    ///< 792 x 1224 (11 x 17 inches).
  Ledger = 4,     ///< 1224 x 792: the tabloid sheet turned; landscape makes it 792 x 1224.
  Legal = 5,      ///< 612 x 1008 (8.5 x 14 inches).
  Executive = 7,  ///< 522 x 756 (7.25 x 10.5 inches).
  A3 = 8,         ///< 842 x 1191 (297 x 420 mm).
  A4 = 9,         ///< 595 x 842 (210 x 297 mm).
  A5 = 11,        ///< 420 x 595 (148 x 210 mm).
  Folio = 14      ///< 595 x 935.
};

}  // namespace paginor
