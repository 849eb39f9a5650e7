#pragma once

#include <string>

#include "paginor/document.h"

namespace paginor {

// Writes one PDF 1.2 document. Besides what every document offers, a PDF has keywords, a producer and
// a subject, and its texts, titles and pictures can carry hyperlinks.
class PAGINOR_API PDF : public Document {
 public:
  PDF();

  const std::string& Keywords() const;
  void SetKeywords(std::string value);
  const std::string& Producer() const;
  void SetProducer(std::string value);
  const std::string& Subject() const;
  void SetSubject(std::string value);

  bool WriteText(const std::string& text, bool carriagereturn = false, uint8_t dy = 0,
                 AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                 const std::string& hyperlink = "");
  bool WriteTitle(const std::string& text, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                  BulletConstants bullet = BulletConstants::Disc, const std::string& hyperlink = "");
  // Draws a picture as Document::DrawPicture does; a hyperlink makes the picture a link.
  bool DrawPicture(const std::string& file, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                   const std::string& hyperlink = "",
                   EncodingConstants encoding = EncodingConstants::ASCII85);
};

}  // namespace paginor
