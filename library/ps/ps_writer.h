#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/document_writer.h"

namespace paginor {

// The PostScript syntax of a document with DSC 3.0 comments: the header, the prolog, one section per
// page opened by "%%Page:", the trailer. The page count, named in the header and on every page, is a
// count field filled in at Flush. Every page stands alone: its set-up (the turn of the orientation and
// the background) lies inside its own section, so that any pages cut out, in any order, print as in
// the whole document. Every figure is a complete path that sets colour, dash and line width again; a
// text is shown with its font selected anew.
class PsWriter final : public DocumentWriter {
 public:
  PsWriter();

 private:
  void WriteDocumentHead() override;
  void StartPageContent() override;
  void PaintBackground() override;
  void BeginPage() override;
  void FinishPage() override;
  void WriteDocumentTail() override;
  void EmitLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) override;
  void EmitRectangle(int16_t x, int16_t y, int16_t width, int16_t height) override;
  void EmitCircle(int16_t x, int16_t y, int16_t r) override;
  void EmitEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) override;
  bool EmitArc(int16_t x, int16_t y, int16_t r, float th1, float th2) override;
  void EmitCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) override;
  void EmitText(std::string_view codes) override;
  void EmitCountedFooter(std::string_view codes, int32_t page) override;
  void EmitLink(std::string_view hyperlink, int16_t x1, int16_t y1, int16_t x2, int16_t y2) override;
  void EmitPicture(EmbeddedPicture& picture, int16_t width, int16_t height, EncodingConstants encoding) override;
  bool HasCountFields() const override { return true; }
  // A picture taken back takes its turn of TurnOutsidePage back with it.
  void NoteFormatState() override { NotedTurn = TurnedOutsidePage; }
  void RestoreFormatState() override { TurnedOutsidePage = NotedTurn; }

  // A header comment: name, then the value (UTF-8) in Windows-1252 with every line break a blank.
  void WriteComment(std::string_view name, std::string_view value);
  bool IsLandscape() const;
  // Turns the coordinate system for the orientation and rotation taken at Create; "showpage" undoes
  // it, so every page's set-up repeats it.
  void WriteOrientationSetUp();
  // Output outside any page (the footer of a document without pages) is turned like a page, between
  // "gsave" and "grestore" so that the turn cannot reach a page after it.
  void TurnOutsidePage() {
    if (Pages == 0 && !TurnedOutsidePage && (RotatedAtCreate || IsLandscape())) TurnBeforeFirstPage();
  }
  void TurnBeforeFirstPage();
  // Ends the turn of TurnOutsidePage, if any.
  void EndOutsideTurn();

  // The page coordinates of a caller's point, as "X Y".
  void PutPoint(int16_t x, int16_t y);
  // What ends every figure: dash, fill for closed figures, colour, line width, "stroke".
  void FinishFigure(bool closed);
  // The PostScript name of the current font; empty for the font fields before the first Create.
  std::string_view FontName() const;
  // What starts every text: the current font selected and set, a new path, the colour.
  void PutTextStart();

  int64_t Pages = 0;  // pages begun
  std::string SelectionLine;  // the font selection line of SelectedNumber in SelectedStyle
  int32_t SelectedNumber = 0, SelectedStyle = 0;
  // The rotation taken at Create, like the orientation (Services'): the header already named it, so
  // changing the properties later does not turn the pages of the document being written.
  bool RotatedAtCreate = false;
  bool TurnedOutsidePage = false;  // TurnOutsidePage's "gsave" awaits its "grestore"
  bool NotedTurn = false;
  bool DashInForce = false;         // a dash pattern was set and no "showpage" has reset it since
};

}  // namespace paginor
