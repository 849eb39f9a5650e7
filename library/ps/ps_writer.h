#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/picture_cache.h"
#include "format/format_writer.h"
#include "output/document_output.h"

namespace paginor {

// Text as the inside of a PostScript string: a backslash before every "\", "(" and ")" so that no text
// ends the string early, and line ends written as escapes so that the string stays on its line.
void PutStringText(std::string_view codes, LineBuffer& out);

// The PostScript syntax of a document with DSC 3.0 comments: the header, the prolog, one section per
// page opened by "%%Page:", the trailer. The page count, named in the header and on every page, is a
// count field filled in at Flush. Every page stands alone: its set-up (the turn of the orientation and
// the background) lies inside its own section, so that any pages cut out, in any order, print as in
// the whole document. Every figure is a complete path that sets colour, dash and line width again; a
// text is shown with its font selected anew. A compact document says the same through the procedures
// of its prolog, and a text selects its font only when its page has not yet set it at that size.
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
  // The line that puts a font on the operand stack (see FontSelectionLine).
  const std::string& SelectionLineOf(FontHandle font);
  // The dash pattern of a figure, or the end of an earlier figure's.
  void PutDash(std::string_view dash);
  // A slice's centre, radius and angles, as "arc" takes them.
  void PutSliceOperands(const Path& path);
  // The part of a counted footer shared by both forms: the string with its count field and the start of
  // its baseline, centred on the area's middle, as operands.
  void PutCountedFooterStart(const CountedFooter& footer);

  // Compact output (DocumentSetup::compact, ps_compact.cpp): every text and figure is a call of one of
  // the procedures of the prolog (ps_procedures.h), and a text sets its font only when the page has not
  // set that font at that size yet.
  void DrawCompactPath(const Path& path, const PathPaint& paint);
  void DrawCompactText(const TextRun& run);
  void DrawCompactCountedFooter(const CountedFooter& footer);
  void PaintCompactBackground(int64_t width, int64_t height);
  void SelectCompactFont(FontHandle font, uint8_t size);
  // The text procedure's colour operands and name, after the string and the baseline start.
  void PutCompactTextEnd(Rgb colour);

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
  bool Compact = false;
  // Compact output: the font and size the page set last; Unset when it set none yet.
  FontHandle PageFont = FontCatalogue::Unset;
  uint8_t PageFontSize = 0;
};

}  // namespace paginor
