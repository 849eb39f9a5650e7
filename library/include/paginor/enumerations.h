#pragma once

#include <cstdint>

namespace paginor {

enum class AlignmentConstants : int32_t { NoAlignment = 0, LeftAlign = 1, Center = 2, RightAlign = 3 };
enum class BulletConstants : int32_t { Disc = 1, Square = 2 };
enum class EncodingConstants : int32_t { ASCII85 = 1, ASCIIHex = 2, RunLength = 3, Flate = 4 };
/// Why the last operation of a document that reported a result failed: set when Create, Flush or a Draw
/// or Write operation returns false, cleared when one succeeds. Read it with Document::LastFailure().
enum class FailureConstants : int32_t {
  NoFailure = 0,           ///< The last operation with a result succeeded.
  InvalidArgument = 1,     ///< An argument or property is outside its allowed values.
  DoesNotFit = 2,          ///< The item does not fit the available area of the page.
  NoPage = 3,              ///< No document is open to draw in or to write: before Create, or after Flush.
  FileError = 4,           ///< The output file could not be created or written; the message has the system's text.
  PictureNotLoadable = 5,  ///< The picture file could not be read or decoded; the message says why.
  InternalFailure = 6,     ///< A value overflowed or memory ran out while the operation ran.
  OutputAborted = 7,       ///< The caller's output function refused the document's bytes.
};
enum class FontEffectConstants : int32_t { NoFontEffect = 0, Strikethrough = 1, Underline = 2 };
enum class FontNumberConstants : int32_t { Courier = 1, Helvetica = 2, Times = 3, Symbol = 4, ZapfDingbats = 5 };
enum class FontStyleConstants : int32_t { Regular = 1, Bold = 2, Italic = 3, BoldItalic = 4 };
enum class OrientationConstants : int32_t { Portrait = 1, Landscape = 2 };
// The paper codes are the printer paper codes of these sheets, hence the gaps.
enum class PaperSizeConstants : int32_t {
  Letter = 1, Tabloid = 3, Ledger = 4, Legal = 5, Executive = 7, A3 = 8, A4 = 9, A5 = 11, Folio = 14
};

}  // namespace paginor
