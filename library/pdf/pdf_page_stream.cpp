// Compact PDF output: a page's content streams put together and written as one Flate stream. Each
// content stream is appended to the document as in the default output, then moved out into the page's
// content when it ends, so that pictures and link annotations, written between them, stay whole objects
// of their own in the file, and the code that writes drawing and text is the same for both outputs.
#include "pdf/pdf_writer.h"
#include "services/failure.h"

namespace paginor {

void PdfWriter::DivertContentStream() {
  Lines.VisitMemory(ContentStart, Lines.Offset(), [&](std::string_view piece) { PageContent.append(piece); });
  UnfinishedContent->TakeBack();
  UnfinishedContent.reset();
}

void PdfWriter::StartPageContent() {
  DropUnfinishedContentStream();
  ContentStart = Lines.Offset();
  UnfinishedContent.emplace(Lines);
  StreamStartState = {StateSaved, PageText};
}

void PdfWriter::DropUnfinishedContentStream() {
  if (!UnfinishedContent) return;
  // A failure after the layout took its bytes back already leaves nothing to drop.
  if (Lines.Offset() >= ContentStart) UnfinishedContent->TakeBack();
  UnfinishedContent.reset();
  // The page's state is what it was before the stream; the next figure starts a state of its own.
  StateSaved = StreamStartState.stateSaved;
  PageText = StreamStartState.text;
  PageFigure.open = false;
}

void PdfWriter::WritePageStream() {
  DropUnfinishedContentStream();
  if (PageText.open) PageContent.append("ET\n");
  // What follows may come after a footer's stream, which selects its own font and colour.
  PageText.open = PageText.fontKnown = PageText.fillKnown = false;
  if (PageContent.empty()) return;
  const bool compressed = Compressor.Compress(PageContent, CompressedContent);
  PageContent.clear();
  if (!compressed) Fail(FailureConstants::InternalFailure, "the page's content could not be compressed");
  ContentObjects.push_back(WriteDataStreamObject(CompressedContent, EncodingConstants::Flate));
}

}  // namespace paginor
