#pragma once

/// @file
/// paginor::PDF: writes PDF 1.2 documents.

#include <string>

#include "paginor/document.h"

namespace paginor {

/// Writes one PDF 1.2 document. Besides what every Document offers, a PDF has keywords, a producer and
/// a subject. Its texts, titles and pictures carry their hyperlinks (see Document::WriteText()) as link
/// annotations. The document goes to its output as it grows, a large block at a time; Flush() writes
/// its closing structures. Memory does not grow with the pages' content: a page keeps only its object
/// numbers until Flush (and, with a footer naming the page count, its footer's place).
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
};

}  // namespace paginor
