#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "core/failure_report.h"
#include "core/line_buffer.h"
#include "core/output_file.h"
#include "core/picture_cache.h"
#include "paginor/enumerations.h"
#include "services/enumeration_codes.h"
#include "services/enumerations.h"

namespace paginor {

// What the PDF and PostScript writers share: the properties they both have, the drawing state, the
// document and page lifecycle, the fit tests of figures and texts, fonts, line breaking and titles. A
// format adds only its own syntax through the hooks below; they receive positions in the caller's
// coordinates (origin at the top-left corner of the area inside the margins, y downwards).
//
// Texts reach the hooks as Windows-1252 codes. Internal failures throw Failure; the public classes
// catch it, so an operation that fails part way leaves what it appended in the document.
class DocumentWriter {
 public:
  explicit DocumentWriter(std::string version);
  virtual ~DocumentWriter();
  DocumentWriter(const DocumentWriter&) = delete;
  DocumentWriter& operator=(const DocumentWriter&) = delete;

  // Properties, stored unchecked.
  std::string Author;
  std::string Creator;
  std::string Title;
  int32_t Orientation = Code(OrientationConstants::Portrait);
  int32_t PaperSize = Code(PaperSizeConstants::A4);
  bool Rotated = false;
  const std::string Version;
  // Why the last operation with a result failed (see FailureReport).
  FailureReport Report;
  // Why the last call made from inside the output function was refused; kept apart from Report, which
  // belongs to the operation still running.
  FailureReport NestedReport;
  // The report LastFailure gives: the nested one while the output function runs.
  const FailureReport& LastReport() const { return InOutputFunction() ? NestedReport : Report; }
  // True while the document hands bytes to the caller's output function, which must not change the
  // document under the operation that is writing it.
  bool InOutputFunction() const { return FileHandle->Delivering(); }

  // Opens the file, emptied; the document goes to it as it grows. Without a Flush (another Create, or
  // the writer going away) the file is emptied again.
  bool Create(const std::string& file);
  // Sends the document to sink as it grows, else as Create(file).
  bool Create(ByteSink sink);
  // Collects the document in memory; TakeOutput gives it once Flush has succeeded.
  bool CreateInMemory();
  std::string TakeOutput();
  // The text at the foot of every page (UTF-8), with its placeholders (see core/footer_text.h); empty
  // for none.
  const std::string& GetFooter() const { return Footer; }
  void SetFooter(std::string footer);
  // Finishes the document; true when every byte reached the file (else the file is left empty).
  bool Flush();
  // The setters that may ignore a value they are given return what they ignored, in plain English for
  // the caller's report (see Document::LastFailure); empty when they took every value.
  std::string NewPage(int16_t marginleft, int16_t margintop, int16_t marginright, int16_t marginbottom,
                      uint8_t red, uint8_t green, uint8_t blue);
  // The number of the current page, 1 for the first; 0 before the first page of the document.
  int32_t PageNumber() const { return PagesBegun; }
  // The room from the current position to the right margin and to the top of the footer band.
  void GetSpaceLeft(int16_t& width, int16_t& height) const;

  void SetColor(uint8_t red, uint8_t green, uint8_t blue);
  void GetColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  void SetFillColor(uint8_t red, uint8_t green, uint8_t blue);
  void GetFillColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  void GetPageColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  // Takes a dash array (see core/dash_array.h) or "" for solid lines; ignores any other text.
  std::string SetDash(std::string_view dash);
  const std::string& GetDash() const { return Dash; }
  void SetFillStyle(bool fillstyle) { FillStyle = fillstyle; }
  bool GetFillStyle() const { return FillStyle; }
  std::string SetThickness(uint8_t thickness);
  uint8_t GetThickness() const { return Thickness; }
  std::string SetPictureDimensions(int16_t width, int16_t height);
  void GetPictureDimensions(int16_t& width, int16_t& height) const;
  // -1 leaves a coordinate as it is without a report.
  std::string SetPosition(int16_t x, int16_t y);
  void GetPosition(int16_t& x, int16_t& y) const;
  void GetPageDimensions(int16_t& width, int16_t& height) const;
  void GetPageMargins(int16_t& marginleft, int16_t& margintop, int16_t& marginright,
                      int16_t& marginbottom) const;

  bool DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
  bool DrawRectangle(int16_t x, int16_t y, int16_t width, int16_t height);
  bool DrawCircle(int16_t x, int16_t y, int16_t r);
  bool DrawEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry);
  bool DrawArc(int16_t x, int16_t y, int16_t r, float th1, float th2);
  bool DrawCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3);

  std::string SetFont(int32_t fontnumber, uint8_t fontheight, int32_t fontstyle, int32_t fonteffect);
  // The width of a one-line text (UTF-8) in the current font, as WriteText measures it.
  int16_t TextWidth(std::string_view text) const;
  void GetFont(int32_t& fontnumber, uint8_t& fontheight, int32_t& fontstyle, int32_t& fonteffect) const;
  // Texts and hyperlinks in UTF-8.
  bool WriteText(std::string_view text, bool carriagereturn, uint8_t dy, int32_t alignment,
                 std::string_view hyperlink);
  bool WriteMultiText(std::string_view text, uint8_t dy, int32_t alignment, bool justified, int16_t width);
  bool WriteTitle(std::string_view text, int32_t alignment, int32_t bullet, std::string_view hyperlink);
  // Places a BMP, GIF, JPEG or PNG file at the current position, fitted into the picture box when one is
  // set, and moves the position to the line start below it. Refused (false, nothing written) for an invalid
  // alignment or encoding, a file that does not load, or a picture that does not fit below the position;
  // a failure while writing it takes back everything it appended and also returns false.
  bool DrawPicture(const std::string& file, AlignmentConstants alignment, std::string_view hyperlink,
                   EncodingConstants encoding);

 protected:
  // Format hooks, in the order a document calls them.
  // Create: the document head, after the page size is known and before the drawing state is reset.
  virtual void WriteDocumentHead() = 0;
  // NewPage, before the margins change: forget the previous page's content.
  virtual void StartPageContent() = 0;
  // NewPage, once the margins are set: the new page's own section starts; its set-up follows.
  virtual void BeginPage();
  // NewPage: paint the whole page in PageColor.
  virtual void PaintBackground() = 0;
  // EndPage, after the footer: close the page.
  virtual void FinishPage() = 0;
  // Flush, after the last page: the document's closing structures.
  virtual void WriteDocumentTail() = 0;
  // The figures, already validated against the available area.
  virtual void EmitLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) = 0;
  virtual void EmitRectangle(int16_t x, int16_t y, int16_t width, int16_t height) = 0;
  virtual void EmitCircle(int16_t x, int16_t y, int16_t r) = 0;
  virtual void EmitEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) = 0;
  virtual bool EmitArc(int16_t x, int16_t y, int16_t r, float th1, float th2) = 0;
  virtual void EmitCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) = 0;
  // One line of text (Windows-1252 codes) at the current position, which already fits.
  virtual void EmitText(std::string_view codes) = 0;
  // The footer of the page ending now, whose codes name the page count (see core/footer_text.h), known
  // only when the document ends: centred within the area inside the margins, its line's top at the
  // current position, in the current font and colour. The format fills in the count itself, without
  // holding the page: page is the page's number.
  virtual void EmitCountedFooter(std::string_view codes, int32_t page) = 0;
  // A picture drawn width by height points with its top-left corner at the current position, which
  // already fits. The format takes the encoded pixels and palette it needs from the picture.
  virtual void EmitPicture(EmbeddedPicture& picture, int16_t width, int16_t height,
                           EncodingConstants encoding) = 0;
  // A link over the rectangle (x1, y1)-(x2, y2), y in the PositionY scale. Formats without links
  // ignore it.
  virtual void EmitLink(std::string_view hyperlink, int16_t x1, int16_t y1, int16_t x2, int16_t y2);

  // For output that must be all or nothing: the format notes the state of its own records (objects,
  // lists of the page) before the output, and returns to that note when the output failed part way. The
  // core takes back the lines and the position itself.
  virtual void NoteFormatState() {}
  virtual void RestoreFormatState() {}

  // Formats whose document holds count fields (see CountFields: one count, known only at Flush, shown
  // in several places) say so; the document is then held in a file that can be rewritten until Flush.
  virtual bool HasCountFields() const { return false; }
  // Writes a count field at the end of the document.
  void PutCountField() { FileHandle->PutCountField(Lines); }
  // Sets the count the fields show from now on; the fields already written grow when it gains a digit.
  void SetFieldCount(int64_t count) { FileHandle->SetFieldCount(Lines, count); }

  // Replaces bytes of the document already appended, from offset on, by as many others: in memory,
  // else where the output keeps them (a regular file, the document collected in memory). False, changing
  // nothing, when the destination took them for good (a pipe, the caller's function).
  bool RewriteOutput(int64_t offset, std::string_view bytes);
  // Writes the head field (see OutputFile), before any count field, and gives its final text.
  void PutHeadField(std::string_view text) { FileHandle->PutHeadField(Lines, text); }
  void SetHeadField(std::string text) { FileHandle->SetHeadField(std::move(text)); }

  // Records why the operation is refused; returns false.
  bool Refuse(FailureConstants reason, std::string message) { return Report.Refuse(reason, std::move(message)); }
  // True, with the reason recorded, when no page is open to draw in: output would go nowhere, or never
  // show.
  bool NoPageOpen();
  // Refuses a figure, with the reason, when an argument is negative or the figure is not inside.
  // Refuses, with the reason, an item (what: "a line", "the picture") of height points at the caller's y
  // that passes the content's bottom (see ContentHeight).
  bool LineFits(const char* what, int16_t y, int16_t height);
  // Refuse an alignment that is not one of the constants, and an item too wide from x.
  bool RefuseAlignment(int32_t alignment);
  bool RefuseWidth(const char* what, int64_t width, int64_t x);
  bool FigureFits(std::initializer_list<std::pair<const char*, int16_t>> arguments, bool inside);

  // The band above the bottom margin that the footer's line takes.
  static constexpr int16_t FooterBand = 12;

  // Page coordinates of a caller's point.
  int16_t PageX(int16_t x) const;
  int16_t PageY(int16_t y) const;
  int16_t AvailableWidth() const;
  int16_t AvailableHeight() const;
  // The height that texts, figures and pictures may use: the area inside the margins, less the footer
  // band while the page will carry a footer (but not for the footer itself).
  int16_t ContentHeight() const;
  // The caller's y of the current position.
  int16_t CurrentY() const;
  // A text's width in thousandths of the font size, and such a width in points in the current font, for
  // the fit tests: without the limits of the widths that are written, so that a text too long or too
  // wide for any page is refused as not fitting rather than failing as an overflow.
  int64_t WideUnits(std::string_view codes) const;
  int64_t WidePoints(int64_t units) const;

  LineBuffer Lines;
  Enumerations Services;
  PictureCache Pictures{Services};

  // Drawing state.
  bool PageOpen = false;
  int16_t MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
  int16_t PageWidth = 0, PageHeight = 0;
  std::string MediaName;
  // The colours read as their defaults (white page, black lines and fill) even before Create.
  std::string PageColor = "1 1 1";
  std::string Color = "0 0 0";
  std::string FillColor = "0 0 0";
  // Empty for solid lines, else a dash array as the caller wrote it (SetDash lets no other text in).
  // Formats write it only when it is not empty: one whose graphics state lasts from figure to figure
  // returns to solid lines itself when a figure follows a dashed one.
  std::string Dash;
  bool FillStyle = false;
  uint8_t Thickness = 0;
  int32_t FontNumber = 0;
  uint8_t FontHeight = 0;
  int32_t FontStyle = 0;
  int32_t FontEffect = 0;
  int16_t PictureWidth = 0, PictureHeight = 0;
  int16_t PositionX = 0, PositionY = 0, LineStartX = 0;
  int32_t PagesBegun = 0;  // pages begun since Create

 private:
  void EndPage();
  void WriteFooter();
  bool WriteCodes(std::string_view codes, bool carriagereturn, uint8_t dy, int32_t alignment,
                  std::string_view hyperlink);
  // The underline or strikethrough of a text written from x to end, the top of its line at y.
  void DrawFontEffect(int16_t x, int16_t end, int16_t y);
  void BreakPageIfFull();
  // True when every word of the line was written.
  bool WriteParagraphLine(std::string_view line, uint8_t dy, bool justified, int16_t width, int16_t startx);
  void ResetDrawingState();
  bool ValidPageSetup();
  // Starts the document in output, which replaces the earlier one, when it opened; else notes why
  // not and leaves everything as it was.
  bool StartDocument(std::unique_ptr<OutputFile> output, bool opened, bool inMemory);
  template <typename Output>
  bool AllOrNothing(Output&& output);

  std::unique_ptr<OutputFile> FileHandle = std::make_unique<OutputFile>();
  std::string Footer;
  std::string FooterCodes;
  bool WritingFooter = false;  // the footer itself is written into its band
  std::string Collected;  // the document collected in memory
  bool CollectingInMemory = false;
  bool CollectedComplete = false;
  std::string TextCodes;
};

}  // namespace paginor
