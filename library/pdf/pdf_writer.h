#pragma once

#include <array>
#include <deque>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/picture_cache.h"
#include "encoders/page_stream_compressor.h"
#include "format/format_writer.h"
#include "output/document_output.h"
#include "pdf/xref_table.h"

namespace paginor {

// The PDF syntax of a document, version 1.2 unless an embedded CFF font needs 1.3 or a picture a soft mask (1.4):
// numbered objects with their byte offsets, one content stream per
// drawing or text operation, link annotations, page objects, the shared resources, the page tree, the
// catalog, the cross-reference table and the trailer.
class PdfWriter final : public FormatWriter {
 public:
  PdfWriter(DocumentOutput& output, const FontCatalogue& fonts);

  // The properties only PDF has, stored unchecked.
  std::string Keywords;
  std::string Producer;
  std::string Subject;

  const std::string& Version() const override { return VersionText; }
  void BeginDocument(const DocumentSetup& setup) override;
  void EndDocument() override;
  void BeginPage(const PageSetup& page) override;
  void EndPage(bool rotated) override;
  bool DrawPath(const Path& path, const PathPaint& paint) override;
  void DrawText(const TextRun& run) override;
  void DrawCountedFooter(const CountedFooter& footer) override;
  void DrawPicture(const PlacedPicture& placed) override;
  void DrawLink(std::string_view uri, const PageRect& area) override;
  void NoteState() override;
  void RestoreState() override;

 private:
  const std::string VersionText = "1.2";
  DocumentOutput& Output;
  LineBuffer& Lines;
  const FontCatalogue& Fonts;
  RgbTexts Colours;
  int16_t PageWidth = 0, PageHeight = 0;

  // Objects.
  int32_t NewObject();                  // takes the next number, records its offset, writes "N 0 obj"
  int32_t ReserveObject();              // takes the next number for an object written later
  void StartReservedObject(int32_t number);
  // The stream dictionary, with a filter line when one is given; its length lives in the next object.
  int32_t BeginStreamObject(std::string_view filter = {});
  void PutStreamDictionary(int32_t number, std::string_view filter);
  void BeginStream();                   // "stream", where the data starts
  // "endstream", "endobj" and the length object: the next object, or the reserved one given.
  void EndStream(int32_t reservedLength = 0);
  void WriteLengthObject(int32_t reserved = 0);

  // A content stream of the current page: graphics streams open a saved state, text streams close it.
  // In compact output its bytes are held as the page's content (see pdf_page_stream.cpp).
  void BeginContentStream(bool graphics);
  // Compact output: starts a content stream whose bytes are held as the page's content (see
  // pdf_page_stream.cpp).
  void StartPageContent();
  // Compact output: forgets a content stream that a failure left unfinished, and the state it changed.
  void DropUnfinishedContentStream();
  // Compact output: moves the held content out of the document's buffer into PageContent, before
  // anything else is written there.
  void MoveHeldContent();
  // Compact output: writes the page's content gathered so far as one Flate stream of the page.
  void WritePageStream();
  // Compact output: a text line in a standard face, inside the page's open text object, setting only
  // the font, colour and position that differ from the line before (see pdf_compact_content.cpp).
  void PutPageText(int64_t x, int64_t baseline, FontHandle font, int64_t height, Rgb colour,
                   std::string_view codes);
  // Compact output: ends the page's open text object, if any, before what must stand outside one.
  void EndPageText();
  // Compact output: the start of a figure, in the saved state of the figure before it when nothing
  // came between them, setting only the colours, dashes and width that differ from that figure's.
  void BeginPageFigure(const PathPaint& paint, bool fillable);
  // A text object: codes with their baseline starting at (x, baseline) in a font and colour.
  void PutTextObject(int64_t x, int64_t baseline, FontHandle font, int64_t height, Rgb colour,
                     std::string_view codes);
  void SetStateSaved(bool state);
  void WriteGraphicsState(const PathPaint& paint, bool fillable);

  // Pictures: the image dictionary of the next image (its first lines, up to its size, are those of
  // every image; named ones carry the name of the next image), its soft mask, and a whole stream object
  // of encoded data.
  int32_t BeginImageObject(const EmbeddedPicture& picture, bool named);
  int32_t WriteImageObject(const EmbeddedPicture& picture, EncodingConstants encoding);
  void WriteSoftMask(const EmbeddedPicture& picture, std::span<const uint8_t> opacity, EncodingConstants encoding);
  int32_t WriteDataStreamObject(std::span<const uint8_t> data, EncodingConstants encoding);
  void WriteStreamData(std::span<const uint8_t> data);

  int32_t WritePageObject(bool rotated);
  void WriteInfo(const DocumentSetup& setup);
  void WriteFontObject(FontHandle font);
  void WriteResources();
  void WritePagesObject();
  int32_t WriteCatalog();
  void WriteXref();
  void WriteTrailer();

  // The figures' paths, between the graphics state and the painting operator.
  void PutLine(const Path& path);
  void PutRectangle(const Path& path);
  void PutCircle(const Path& path);
  void PutEllipse(const Path& path);
  bool PutSlice(const Path& path);
  void PutCurvePath(const Path& path);
  void WriteArcSegment(int16_t cx, int16_t cy, int16_t r, float a, float b, bool nocloseline);
  void PutPoint(int64_t x, int64_t y);
  void PutCurve(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3);  // a "c" line
  // Writes the footers that name the page count, now that it is known.
  void WriteCountedFooters();

  // OpenType faces: a text object of shaped glyphs, the font object of a face (reserved when it is
  // first drawn, written at the document's end with its subset), and all of them at the end.
  void PutGlyphObject(int64_t x, int64_t baseline, FontHandle font, int64_t height, Rgb colour,
                      std::span<const typeset::ShapedGlyph> glyphs);
  int32_t OpenTypeObject(const typeset::OpenTypeFace& face);
  void WriteOpenTypeFonts();

  XrefTable Offsets;  // of objects 1 to LastObject; 0 for an object not yet written
  int32_t LastObject = 0;
  int32_t InfoObject = 0, PagesObject = 0, ResourcesObject = 0, RootObject = 0;
  std::vector<int32_t> FontObjects;  // by font handle, for the standard fonts
  // The composite font object of each OpenType face drawn, in the order of first use; its resource is
  // /G and the object's number.
  std::vector<std::pair<const typeset::OpenTypeFace*, int32_t>> OpenTypeObjects;
  std::string GlyphText;  // a text object of glyphs being built
  std::vector<int32_t> PageObjects;
  std::vector<int32_t> ContentObjects;
  std::vector<int32_t> AnnotObjects;
  std::vector<int32_t> ImageObjects;
  int64_t StreamStart = 0, StreamEnd = 0;

  // A footer naming the page count: its content stream, listed by its page, is written at Flush. A
  // page keeps only its place and font; the texts, usually one for the whole document, are kept once.
  struct PendingFooter {
    int32_t object = 0;  // the stream; its length object follows it
    int32_t page = 0;
    uint32_t text = 0;   // index in FooterTexts
    int16_t left = 0, width = 0, baseline = 0;  // the area's left edge and width, the baseline
    FontHandle font;
    uint8_t fontHeight = 0;
    bool closesState = false;  // the stream first ends the state the page's last graphics stream saved
  };
  struct FooterText {
    std::string codes;
    Rgb colour;
  };
  std::deque<PendingFooter> CountedFooters;
  std::vector<FooterText> FooterTexts;
  int64_t StartXref = 0;
  bool StateSaved = false;
  // A picture with a soft mask was drawn: the document needs PDF 1.4.
  bool HoldsSoftMask = false;
  // The version the document needs beyond 1.2 (empty for none), and whether the catalog names it
  // because the header could not be raised any more.
  std::string_view RaisedVersion;
  bool CatalogVersion = false;

  // Compact output (DocumentSetup::compact): the content streams of a page are written as one
  // compressed stream when the page ends (or before a footer stream that must follow them). They are
  // appended to the document's buffer as usual and held there (HeldContent, from HeldStart on, the
  // stream being written from OpenStreamStart on); what an object written meanwhile moved out of the
  // buffer is gathered in PageContent.
  bool Compact = false;
  std::optional<LineBuffer::Checkpoint> HeldContent;
  std::optional<LineBuffer::Checkpoint> OpenStream;
  int64_t HeldStart = 0, OpenStreamStart = 0;
  std::string PageContent;
  std::vector<uint8_t> CompressedContent;  // reused from page to page
  PageStreamCompressor Compressor;
  // Compact output: what the page's content set for its text so far. Text objects stand outside the
  // saved states of figures and pictures, so only text and glyph runs change what is known here.
  struct PageTextState {
    bool open = false;           // a text object is open; its lines start from (lineX, lineY)
    int64_t lineX = 0, lineY = 0;
    int64_t leading = 0;         // the leading the next line's ' operator moves down by
    bool fontKnown = false;      // the font and size that are selected
    FontHandle font;
    int64_t fontHeight = 0;
    bool fillKnown = false;      // the colour that fills text
    Rgb fill;
  } PageText;
  // Compact output: the state when the content stream being written started.
  struct {
    bool stateSaved = false;
    PageTextState text;
  } StreamStartState;
  // Compact output: what the figures drawn in the saved state now open set in it; open is false when
  // that state is not a figure's (a picture's, the background's) or none is open.
  struct PageFigureState {
    bool open = false;
    bool strokeKnown = false, fillKnown = false, widthKnown = false;
    Rgb stroke, fill;
    uint8_t width = 0;
    std::string dash;  // solid in a state just saved: only figures set dashes, each in its own state
  } PageFigure;

  // What NoteState noted: the object count, the page's lists, the image list, the saved state,
  // whether a soft mask was drawn, the size of the page's gathered content and its text and figure state.
  struct FormatState {
    int32_t lastObject = 0;
    size_t contents = 0, annotations = 0, images = 0, openTypeFaces = 0;
    bool stateSaved = false;
    bool holdsSoftMask = false;
    size_t pageContent = 0;
    PageTextState pageText;
    PageFigureState pageFigure;
  } NotedState;
};

}  // namespace paginor
