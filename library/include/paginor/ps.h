#pragma once

/// @file
/// paginor::PS: writes PostScript documents.

#include <string>

#include "paginor/document.h"

namespace paginor {

/// Writes one PostScript document that follows the Document Structuring Conventions 3.0: a header of
/// DSC comments, one section per page opened by a "%%Page:" comment, and a trailer. It offers what every
/// document offers (see Document) and has no keywords, producer or subject. The hyperlinks of its
/// texts, titles and pictures are "pdfmark" link annotations: a conversion to PDF keeps them, and an
/// interpreter without "pdfmark" (a printer) skips them, since each link first defines "pdfmark" to do
/// nothing where the interpreter lacks it. A document without links has no such line. Version() gives "3.0". Pictures (Document::DrawPicture) are inline
/// images whose data is read through the decoding filter of the chosen encoding. Text in OpenType and
/// TrueType fonts (Document::SetFont() with a family) is drawn glyph by glyph where the PDF draws it,
/// its faces embedded at Flush() as font resources of the prolog, which the header lists with the
/// language level they need.
class PAGINOR_API PS : public Document {
 public:
  /// A new document with the default properties (A4, portrait, not rotated, empty texts); shows the
  /// message "Initialize()" through the installed message handler.
  PS();
};

}  // namespace paginor
