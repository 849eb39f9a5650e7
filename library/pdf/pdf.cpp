// The public PDF class: a document with a PDF writer, plus what only PDF has.
#include "paginor/pdf.h"

#include <utility>

#include "document/document_body.h"
#include "pdf/pdf_writer.h"

namespace paginor {
namespace {

// The PDF writer of a PDF document's implementation, which Body::Make<PdfWriter> made.
template <typename BodyType>
PdfWriter& Pdf(BodyType& body) {
  return static_cast<PdfWriter&>(*body.Format);
}

}  // namespace

PDF::PDF() : Document(&Body::Make<PdfWriter>) {}

const std::string& PDF::Keywords() const {
  return TextOf([](Body& body) -> const std::string& { return Pdf(body).Keywords; });
}
void PDF::SetKeywords(std::string value) {
  Changed([&](Body& body) { Pdf(body).Keywords = std::move(value); });
}
const std::string& PDF::Producer() const {
  return TextOf([](Body& body) -> const std::string& { return Pdf(body).Producer; });
}
void PDF::SetProducer(std::string value) {
  Changed([&](Body& body) { Pdf(body).Producer = std::move(value); });
}
const std::string& PDF::Subject() const {
  return TextOf([](Body& body) -> const std::string& { return Pdf(body).Subject; });
}
void PDF::SetSubject(std::string value) {
  Changed([&](Body& body) { Pdf(body).Subject = std::move(value); });
}

}  // namespace paginor
