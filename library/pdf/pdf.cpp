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

}  // namespace paginor
