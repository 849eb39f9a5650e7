#pragma once

/// @file
/// paginor::PDF: writes PDF 1.2 documents.

#include <string>

#include "paginor/document.h"

namespace paginor {

/// Writes one PDF 1.2 document. Besides what every Document offers, a PDF has keywords, a producer and
/// a subject, its texts, titles and pictures can carry hyperlinks, and it embeds pictures. The whole
/// document is kept in memory until Flush() writes it.
class PAGINOR_API PDF : public Document {
 public:
  /// A new document with the default properties (Version() "1.2"). Sends the message "Initialize()"
  /// to the handler installed with SetMessageHandler().
  PDF();

  /// @name Properties only a PDF has
  /// Stored unchecked and written into the document information by Create(): set them before.
  /// @{

  /// The keywords of the document; "" by default.
  const std::string& Keywords() const;
  /// Sets the keywords of the document.
  void SetKeywords(std::string value);
  /// The producer of the document; "" by default.
  const std::string& Producer() const;
  /// Sets the producer of the document.
  void SetProducer(std::string value);
  /// The subject of the document; "" by default.
  const std::string& Subject() const;
  /// Sets the subject of the document.
  void SetSubject(std::string value);
  /// @}

  /// Document::WriteText() with a @p hyperlink: when it is not empty, a click on the text opens it (the link
  /// reaches from the top of the line to a fifth of the font height below the baseline, and 2 points
  /// past the text's end). The link is
  /// written as it is given (UTF-8 text).
  /// @return false, as Document::WriteText().
  bool WriteText(const std::string& text, bool carriagereturn = false, uint8_t dy = 0,
                 AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                 const std::string& hyperlink = "");
  /// Document::WriteTitle() with a @p hyperlink on the title's text, as in WriteText().
  /// @return false, as Document::WriteTitle().
  bool WriteTitle(const std::string& text, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                  BulletConstants bullet = BulletConstants::Disc, const std::string& hyperlink = "");
  /// Document::DrawPicture() with a @p hyperlink: when it is not empty, a click on the picture opens it.
  /// @return false, as Document::DrawPicture().
  bool DrawPicture(const std::string& file, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                   const std::string& hyperlink = "",
                   EncodingConstants encoding = EncodingConstants::ASCII85);
};

}  // namespace paginor
