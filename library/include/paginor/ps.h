#pragma once

#include <string>

#include "paginor/document.h"

namespace paginor {

/// Writes one PostScript document that follows the Document Structuring Conventions 3.0: a header of
/// DSC comments, one section per page opened by a "%%Page:" comment, and a trailer. It offers what every
/// document offers (see Document); its texts, titles and pictures carry no hyperlinks, and it has no
/// keywords, producer or subject. Version() gives "3.0".
class PAGINOR_API PS : public Document {
 public:
  /// A new document with the default properties (A4, portrait, not rotated, empty texts); shows the
  /// message "Initialize()" through the installed message handler.
  PS();

  /// Draws a BMP, GIF or JPEG picture at the current position as an inline image whose data is read
  /// through the decoding filter of encoding; the position then moves below the picture. The picture is
  /// drawn one point per pixel, or fitted into the box of SetPictureDimensions when one is set, and
  /// placed by alignment within the available width. Returns false, writing nothing, for an alignment
  /// or encoding out of range, a file that does not load, or a picture that does not fit.
  bool DrawPicture(const std::string& file, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                   EncodingConstants encoding = EncodingConstants::ASCII85);
};

}  // namespace paginor
