#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/picture_cache.h"
#include "format/format_writer.h"
#include "output/document_output.h"

namespace paginor {

// The PostScript syntax of a document with DSC 3.0 comments: the header, the prolog, one section per
// page opened by "%%Page:", the trailer. The page count, named in the header and on every page, is a
// count field filled in at Flush. Every page stands alone: its set-up (the turn of the orientation and
// the background) lies inside its own section, so that any pages cut out, in any order, print as in
// the whole document. Every figure is a complete path that sets colour, dash and line width again; a
// text is shown with its font selected anew.
class PsWriter final : public FormatWriter {
 public:
  PsWriter(DocumentOutput& output, const FontCatalogue& fonts);

  const std::string& Version() const override { return VersionText; }
  bool HasCountFields() const override { return true; }
  void BeginDocument(const DocumentSetup& setup) override;
  void EndDocument() override;
  void BeginPage(const PageSetup& page) override;
  void EndPage(bool rotated) override;
  bool DrawPath(const Path& path, const PathPaint& paint) override;
  void DrawText(const TextRun& run) override;
  void DrawCountedFooter(const CountedFooter& footer) override;
  void DrawPicture(const PlacedPicture& placed) override;
  void DrawLink(std::string_view uri, const PageRect& area) override;
  // A picture taken back takes its turn of TurnOutsidePage back with it.
  void NoteState() override { NotedTurn = TurnedOutsidePage; }
  void RestoreState() override { TurnedOutsidePage = NotedTurn; }

 private:
  const std::string VersionText = "3.0";
  DocumentOutput& Output;
  LineBuffer& Lines;
  const FontCatalogue& Fonts;
  RgbTexts Colours;

  // A header comment: name, then the value (UTF-8) in Windows-1252 with every line break a blank.
  void WriteComment(std::string_view name, std::string_view value);
  // Turns the coordinate system for the orientation and rotation taken at Create; "showpage" undoes
  // it, so every page's set-up repeats it.
  void WriteOrientationSetUp();
  // The whole page painted in its background colour, which ends the page's set-up.
  void PaintBackground(const PageSetup& page);
  // Output outside any page (the footer of a document without pages) is turned like a page, between
  // "gsave" and "grestore" so that the turn cannot reach a page after it.
  void TurnOutsidePage() {
    if (Pages == 0 && !TurnedOutsidePage && (RotatedAtCreate || Landscape)) TurnBeforeFirstPage();
  }
  void TurnBeforeFirstPage();
  // Ends the turn of TurnOutsidePage, if any.
  void EndOutsideTurn();

  // A point as "X Y".
  void PutPoint(PagePoint point);
  // A slice's path, after "newpath".
  void PutSlice(const Path& path);
  // What ends every figure: dash, fill for closed figures, colour, line width, "stroke".
  void FinishFigure(const PathPaint& paint, bool closed);
  // What starts every text: the font selected and set, a new path, the colour.
  void PutTextStart(FontHandle font, uint8_t size, Rgb colour);

  int64_t Pages = 0;  // pages begun
  std::string SelectionLine;  // the font selection line of Selected
  FontHandle Selected = FontCatalogue::Unset;
  // The orientation, rotation and page size taken at Create: the header already named them, so changing
  // the properties later does not turn the pages of the document being written.
  bool Landscape = false;
  bool RotatedAtCreate = false;
  int16_t PageWidth = 0, PageHeight = 0;
  // The page's background, over which transparent pictures are composited.
  Rgb Background{255, 255, 255};
  bool TurnedOutsidePage = false;  // TurnOutsidePage's "gsave" awaits its "grestore"
  bool NotedTurn = false;
  bool DashInForce = false;         // a dash pattern was set and no "showpage" has reset it since
};

}  // namespace paginor
