// The public PDF class: a document with a PDF writer, plus what only PDF has.
#include "paginor/pdf.h"

#include <utility>

#include "core/guarded.h"
#include "core/reported.h"
#include "pdf/pdf_writer.h"

namespace paginor {
namespace {

PdfWriter& Pdf(DocumentWriter& writer) { return static_cast<PdfWriter&>(writer); }

}  // namespace

PDF::PDF() : Document(std::make_unique<PdfWriter>()) {}

const std::string& PDF::Keywords() const {
  return GuardedText([&]() -> const std::string& { return Pdf(Writer()).Keywords; });
}
void PDF::SetKeywords(std::string value) {
  Changed([&] { Pdf(Writer()).Keywords = std::move(value); });
}
const std::string& PDF::Producer() const {
  return GuardedText([&]() -> const std::string& { return Pdf(Writer()).Producer; });
}
void PDF::SetProducer(std::string value) {
  Changed([&] { Pdf(Writer()).Producer = std::move(value); });
}
const std::string& PDF::Subject() const {
  return GuardedText([&]() -> const std::string& { return Pdf(Writer()).Subject; });
}
void PDF::SetSubject(std::string value) {
  Changed([&] { Pdf(Writer()).Subject = std::move(value); });
}

bool PDF::WriteText(const std::string& text, bool carriagereturn, uint8_t dy, AlignmentConstants alignment,
                    const std::string& hyperlink) {
  return Reported("WriteText", [&] {
    return Writer().WriteText(text, carriagereturn, dy, static_cast<int32_t>(alignment), hyperlink);
  });
}

bool PDF::WriteTitle(const std::string& text, AlignmentConstants alignment, BulletConstants bullet,
                     const std::string& hyperlink) {
  return Reported("WriteTitle", [&] {
    return Writer().WriteTitle(text, static_cast<int32_t>(alignment), static_cast<int32_t>(bullet), hyperlink);
  });
}

bool PDF::DrawPicture(const std::string& file, AlignmentConstants alignment, const std::string& hyperlink,
                      EncodingConstants encoding) {
  return Reported("DrawPicture", [&] { return Writer().DrawPicture(file, alignment, hyperlink, encoding); });
}

}  // namespace paginor
