// Compact PDF output: a page's content streams put together and written as one Flate stream. Content
// streams are appended to the document's buffer as in the default output, and stay there, held, one
// after another: the code that writes drawing and text is the same for both outputs. At the page's end
// the held bytes are compressed where they lie and taken back, and the page's stream is written in their
// place. Anything else written meanwhile (a picture, a link annotation) first moves the held bytes out
// to the page's gathered content, so that it stays a whole object of its own in the file.
#include "pdf/pdf_writer.h"
#include "services/failure.h"

namespace paginor {

void PdfWriter::StartPageContent() {
  DropUnfinishedContentStream();
  if (!HeldContent) {
    HeldStart = Lines.Offset();
    HeldContent.emplace(Lines);
  }
  OpenStreamStart = Lines.Offset();
  OpenStream.emplace(Lines);
  StreamStartState = {StateSaved, PageText};
}

void PdfWriter::DropUnfinishedContentStream() {
  if (!OpenStream) return;
  // A failure after the layout took its bytes back already leaves nothing to drop.
  if (Lines.Offset() >= OpenStreamStart) OpenStream->TakeBack();
  OpenStream.reset();
  // The page's state is what it was before the stream; the next figure starts a state of its own.
  StateSaved = StreamStartState.stateSaved;
  PageText = StreamStartState.text;
  PageFigure.open = false;
}

void PdfWriter::MoveHeldContent() {
  DropUnfinishedContentStream();
  if (!HeldContent) return;
  if (Lines.Offset() >= HeldStart) {
    Lines.VisitMemory(HeldStart, Lines.Offset(), [&](std::string_view piece) { PageContent.append(piece); });
    HeldContent->TakeBack();
  }
  HeldContent.reset();
}

void PdfWriter::WritePageStream() {
  DropUnfinishedContentStream();
  if (PageText.open) {
    StartPageContent();
    EndPageText();
    OpenStream.reset();
  }
  // What follows may come after a footer's stream, which selects its own font and colour.
  PageText.fontKnown = PageText.fillKnown = false;
  // The held bytes are compressed where they lie when one of the buffer's chunks holds them all and
  // nothing was gathered before them, else after they join the gathered content.
  std::string_view content;
  if (HeldContent && PageContent.empty()) {
    size_t pieces = 0;
    Lines.VisitMemory(HeldStart, Lines.Offset(), [&](std::string_view piece) {
      content = piece;
      ++pieces;
    });
    if (pieces > 1) content = {};
  }
  if (content.empty()) {
    MoveHeldContent();
    content = PageContent;
  }
  if (content.empty()) return;
  const bool compressed = Compressor.Compress(content, CompressedContent);
  if (HeldContent) HeldContent->TakeBack();
  HeldContent.reset();
  PageContent.clear();
  if (!compressed) Fail(FailureConstants::InternalFailure, "the page's content could not be compressed");
  ContentObjects.push_back(WriteDataStreamObject(CompressedContent, EncodingConstants::Flate));
}

}  // namespace paginor
