#pragma once

/// @file
/// paginor::Document: what every Paginor document offers, whatever its format.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "paginor/enumerations.h"
#include "paginor/export.h"

namespace paginor {

/// Receives a document's bytes in order, in blocks, as they are produced; returning false refuses them
/// and aborts the document (its Flush then returns false with FailureConstants::OutputAborted). The
/// function must not change its own document: while it runs, the document's operations with a result
/// return false with FailureConstants::CalledFromOutput, the others do nothing, and the getters (also
/// LastFailure() for the refused call) answer as usual.
using OutputFunction = std::function<bool(std::string_view bytes)>;

/// What every Paginor document offers, whatever its format: properties, pages, the drawing state,
/// figures and text. Construct a PDF (or PS) writer, set its properties, call Create(), start each page
/// with NewPage(), draw and write, and end with Flush().
///
/// Units: positions and sizes are whole points (1/72 inch), measured from the top-left corner of the
/// area inside the page margins, y growing downwards. Colours are three bytes, red, green and blue, 0 to
/// 255. Texts are UTF-8; they are written and measured in Windows-1252, and a character without an
/// equivalent there, or without a glyph of its own (a control character other than CR and LF, or a
/// code Windows-1252 leaves unassigned), becomes "?".
///
/// Results: no operation throws. Setters store what is valid and ignore (or replace by a default) what
/// is not. The Draw and Write operations return false when they refuse an item (it does not fit the area
/// inside the margins, or an argument is out of range; then nothing is written and nothing moves) or
/// fail part way. They draw on the current page: before the first NewPage() after Create(), and
/// without an open document, they are refused with FailureConstants::NoPage. The drawing state survives
/// page changes. Before Create() the getters give the defaults
/// that Create() sets.
///
/// Documents are not copyable. A PDF (or PS) can be moved to another of its kind, open file included;
/// the document moved from behaves like a new one of its kind (nothing of the old document stays with
/// it) and can be assigned to again. Assigning to a document closes its own open file first.
///
/// A document is used from one thread at a time; two documents share nothing.
class PAGINOR_API Document {
 public:
  /// Closes the output file if it is still open, without writing the document: only Flush() writes.
  /// Virtual, so that a PDF or PS owned through a Document pointer is destroyed whole.
  virtual ~Document();
  /// Documents are not copyable.
  Document(const Document&) = delete;
  /// Documents are not copyable.
  Document& operator=(const Document&) = delete;

  /// @name Document properties
  /// Plain values, stored unchecked and written into the document by Create(): set them before.
  /// @{

  /// The author of the document; "" by default.
  const std::string& Author() const;
  /// Sets the author of the document.
  void SetAuthor(std::string value);
  /// The creator of the document (the program that made it); "" by default.
  const std::string& Creator() const;
  /// Sets the creator of the document.
  void SetCreator(std::string value);
  /// The title of the document; "" by default.
  const std::string& Title() const;
  /// Sets the title of the document.
  void SetTitle(std::string value);
  /// The orientation of the pages; Portrait by default.
  OrientationConstants Orientation() const;
  /// Sets the orientation of the pages. Create() refuses a value outside OrientationConstants and takes
  /// the orientation for the whole document: a change afterwards applies to the next document.
  void SetOrientation(OrientationConstants value);
  /// The paper size; A4 by default.
  PaperSizeConstants PaperSize() const;
  /// Sets the paper size. Create() refuses a value outside PaperSizeConstants.
  void SetPaperSize(PaperSizeConstants value);
  /// Whether the pages are shown turned by a quarter turn; false by default.
  bool Rotated() const;
  /// Sets whether the pages are shown turned by a quarter turn. The drawing coordinates do not change.
  /// A PDF reads it each time it writes a page, so a change between pages affects the later pages.
  /// PostScript takes it at Create() for the whole document, whose header already describes the pages:
  /// a change afterwards applies to the next document.
  void SetRotated(bool value);
  /// Whether the document is written compact; false by default, which writes the documented structure
  /// byte for byte.
  bool Compact() const;
  /// Sets whether the next document is written compact: the same pages (same appearance, text and links)
  /// in a fraction of the bytes, for mailing and archiving. A compact PDF holds each page's drawing,
  /// text and picture placements in one content stream, compressed with Flate (pictures stay image
  /// objects of their own); a compact PostScript document defines short procedures in its prolog for
  /// the sequences every text and figure repeats. Memory stays bounded as in the default output: at most
  /// one page's content is held before it is written. Taken at Create(): a change afterwards applies to
  /// the next document.
  void SetCompact(bool value);
  /// The version of the document format written: "1.2" (the PDF version) for PDF, "3.0" (the version
  /// of the structuring conventions) for PostScript. Not the library's version: see LibraryVersion().
  const std::string& Version() const;
  /// The text written centred at the foot of every page (UTF-8); by default the library's copyright
  /// notice with "(c)" for its sign. An empty text writes no footer at all; nothing else on the page
  /// moves. Read when each page ends.
  ///
  /// The footer lies in the footer band, the 12 points above the bottom margin. While the footer is not
  /// empty nothing else may reach into that band: a paragraph (WriteMultiText()) breaks to the next page
  /// before it, and a text, title, figure or picture that would reach into it is refused as not fitting.
  /// With an empty footer the whole area inside the margins is available.
  ///
  /// Placeholders: "{page}" becomes the number of the page (1 for the first) and "{pages}" the number of
  /// pages of the whole document, known when Flush() ends it; "{{" and "}}" write a single brace. So
  /// "Page {page} of {pages}" gives "Page 2 of 3" on the second of three pages. Any other brace is
  /// written as it stands. A footer without placeholders is written exactly as given.
  const std::string& Footer() const;
  /// Sets the footer text; see Footer().
  void SetFooter(std::string value);
  /// Sets the footer's font: an OpenType family or font file (see SetFont()) in @p fontheight points
  /// (8 to 72), so that a footer can be in any language; "" returns to Times 10 points.
  /// @return false, with the footer's font unchanged, for a family not found or a face PostScript
  ///         cannot embed (FontNotFound, see SetFont()), or a height outside 8 to 72 (InvalidArgument).
  bool SetFooterFont(const std::string& family, uint8_t fontheight = 10);
  /// @}

  /// @name Document lifecycle
  /// @{

  /// Creates @p file (replacing any file of that name) and starts the document: writes its head with
  /// the properties and fixes the page size, from PaperSize() and Orientation(), for the whole
  /// document. Resets the drawing state: colour and fill colour black, no fill, solid lines 1 point
  /// thick, Courier 8 points regular without effect, zero margins, white page colour, no picture box.
  /// Starts no page: NewPage() does. Calling it again closes the earlier file and starts over; a Create
  /// that is refused changes nothing: the earlier document stays open and writable, or the output it
  /// collected in memory stays there to take.
  /// @return false, creating no file, for an orientation or paper size outside its enumeration; false
  ///         when the file cannot be created, or when a PostScript document, held in a temporary file
  ///         until Flush() when it cannot be held in its own output, cannot make that file.
  bool Create(const std::string& file);
  /// Starts the document as Create(file) does, but hands its bytes to output, in blocks as they are
  /// produced, instead of writing a file. Memory stays bounded whatever the document's length. False
  /// for an empty function or what Create(file) refuses. See OutputFunction for what the function may
  /// call.
  bool Create(OutputFunction output);
  /// Starts the document as Create(file) does, collecting its bytes in memory; take them with
  /// TakeOutput() after a successful Flush.
  bool CreateInMemory();
  /// After a successful Flush of a document started with CreateInMemory(): the whole document, handed
  /// over once (a second call gives an empty text). Empty otherwise.
  std::string TakeOutput();
  /// Why the last Create, Flush, Draw or Write operation that returned false failed; NoFailure once one
  /// succeeds. A setter that ignores a value it was given (SetFont(), SetPosition(), NewPage()'s
  /// margins, SetThickness(), SetPictureDimensions(), SetDash()) records InvalidArgument, with a
  /// message naming the value; a setter that takes its values, and every other operation, leaves it as
  /// it is.
  FailureConstants LastFailure() const;
  /// The message of LastFailure(), in plain English, naming the operation, the argument and its value
  /// (for a file, the system's error text); empty with NoFailure.
  const std::string& LastFailureMessage() const;
  /// Ends the last page (with its footer; a document always has at least one page), completes the
  /// document, writes the rest of it and closes the file. A document dropped without
  /// Flush(), or whose Flush() fails, leaves its file empty.
  /// @return true when the whole document reached the file and the file was closed; false on a write
  ///         error, or without an open file (before Create(), or a second time).
  bool Flush();
  /// Ends the current page, stamping its footer (Footer() in Times 10 points, centred in
  /// the 12 points above the bottom margin), and starts a new one. The page is first painted in the background colour
  /// (@p red, @p green, @p blue), margins included; the position goes to (0, 0), the top-left corner of
  /// the area inside the margins, and carriage returns go back to x 0. The margins are in points from the
  /// page's edges. They are taken only when none is negative and they leave more than 20 points of the
  /// page both across and down; otherwise the previous page's margins (0 on the first page) stay, and
  /// InvalidArgument is recorded (see LastFailure()).
  void NewPage(int16_t marginleft, int16_t margintop, int16_t marginright, int16_t marginbottom,
               uint8_t red, uint8_t green, uint8_t blue);
  /// @}

  /// @name Drawing state
  /// Stored in the document and used by the next figures and texts; setting them writes nothing.
  /// @{

  /// Sets the colour of lines, outlines and text.
  void SetColor(uint8_t red, uint8_t green, uint8_t blue);
  /// Gives the colour of lines, outlines and text (black by default).
  void GetColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  /// Sets the colour that fills closed figures while the fill style is on.
  void SetFillColor(uint8_t red, uint8_t green, uint8_t blue);
  /// Gives the fill colour (black by default).
  void GetFillColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  /// Gives the background colour of the current page, as passed to NewPage() (white by default).
  void GetPageColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  /// Sets the dash pattern of lines and outlines: one to sixteen non-negative numbers separated by
  /// blanks, not all zero, alternating dash and gap lengths in points ("3 2": 3 points drawn, 2 left
  /// out). "" draws solid lines. Any other text is ignored, recording InvalidArgument, and the pattern
  /// stays as it was.
  void SetDash(const std::string& dash);
  /// Gives the dash pattern ("" for solid lines, the default).
  std::string GetDash() const;
  /// Sets whether closed figures (rectangles, circles, ellipses, arcs, curves) are filled with the fill
  /// colour (true) or left hollow (false). A hollow figure differs between the formats: in PDF it is
  /// filled white, covering what lies below it; in PostScript it is not filled at all, so the page and
  /// earlier drawing show through.
  void SetFillStyle(bool fillstyle);
  /// Gives the fill style (false by default: closed figures are hollow, white inside in PDF and empty in
  /// PostScript).
  bool GetFillStyle() const;
  /// Sets the width of lines and outlines, in points (1 to 255); 0 is ignored, recording
  /// InvalidArgument.
  void SetThickness(uint8_t thickness);
  /// Gives the width of lines and outlines, in points (1 by default).
  uint8_t GetThickness() const;
  /// Sets the box, in points, into which pictures are fitted: a larger picture is scaled down, keeping
  /// its proportions; a smaller one is never enlarged. Taken only when both values are above 0;
  /// otherwise nothing changes and InvalidArgument is recorded.
  void SetPictureDimensions(int16_t width, int16_t height);
  /// Gives the picture box, in points; (0, 0) when none is set: pictures are drawn one pixel per point.
  void GetPictureDimensions(int16_t& width, int16_t& height) const;
  /// Moves the current position, where the next text, title, paragraph or picture goes. Each coordinate
  /// is taken on its own when it lies inside the area inside the margins (0 to its width for @p x, 0 to
  /// its height for @p y); otherwise, like the default -1, it is left unchanged. A value other than -1
  /// left unchanged records InvalidArgument (see LastFailure()). A new @p x is also where carriage
  /// returns go back to.
  void SetPosition(int16_t x = -1, int16_t y = -1);
  /// Gives the current position, in points from the top-left corner of the area inside the margins.
  void GetPosition(int16_t& x, int16_t& y) const;
  /// Gives the page size in points, as oriented (A4 portrait: 595 x 842); fixed by Create(), (0, 0)
  /// before.
  void GetPageDimensions(int16_t& width, int16_t& height) const;
  /// Gives the current page's margins, in points from the page's edges.
  void GetPageMargins(int16_t& marginleft, int16_t& margintop, int16_t& marginright,
                      int16_t& marginbottom) const;
  /// The number of the current page: 1 for the first page of the document, 2 for the next one, whether
  /// NewPage() or a paragraph breaking pages started it; 0 before the first page.
  int32_t PageNumber() const;
  /// Gives the room left on the current page from the current position: @p width points from x to the
  /// right margin, and @p height points from y down to the top of the footer band (to the bottom margin
  /// when the footer is empty; see Footer()). A line or a table row h points high fits below the
  /// position when h is at most @p height. (0, 0) before the first page.
  void GetSpaceLeft(int16_t& width, int16_t& height) const;
  /// @}

  /// @name Figures
  /// Drawn in the current colour, dash pattern and thickness; with the fill style on, closed figures are
  /// filled first with the fill colour. With it off they are hollow: a PDF fills them white, while
  /// PostScript leaves them unfilled (see SetFillStyle()). Every coordinate and size must be 0 or more
  /// and the whole figure must lie inside the area inside the margins, above the footer band while the
  /// page has a footer (see Footer()); otherwise the figure is refused (false, nothing written). Figures
  /// do not move the current position.
  /// @{

  /// Draws a straight line from (@p x1, @p y1) to (@p x2, @p y2); a dash pattern runs along it once,
  /// from the first end.
  /// @return false when an end lies outside the area inside the margins.
  bool DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
  /// Draws a rectangle whose top-left corner is (@p x, @p y), @p width wide and @p height high.
  /// @return false when it reaches outside the area inside the margins.
  bool DrawRectangle(int16_t x, int16_t y, int16_t width, int16_t height);
  /// Draws a circle of centre (@p x, @p y) and radius @p r.
  /// @return false when it reaches outside the area inside the margins (@p r above @p x or @p y, or
  ///         past the right or bottom margin).
  bool DrawCircle(int16_t x, int16_t y, int16_t r);
  /// Draws an ellipse of centre (@p x, @p y) with the horizontal radius @p rx and the vertical radius
  /// @p ry.
  /// @return false when it reaches outside the area inside the margins.
  bool DrawEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry);
  /// Draws a pie slice: the sector of the circle of centre (@p x, @p y) and radius @p r from angle
  /// @p th1 to angle @p th2, in degrees counted anticlockwise from the direction of increasing x (0
  /// points right, 90 up the page). The smaller angle is taken as the start; angles above 360 are
  /// reduced by whole turns; an end that then lies before the start goes on through 360. Both formats
  /// draw the same sector for every pair of angles ((90, 0) is the quarter from 0 to 90). The sector is
  /// filled as the fill style says and its two radii and arc are stroked.
  /// @return false when the whole circle would not fit inside the area inside the margins, or for an
  ///         angle that is not a finite number.
  bool DrawArc(int16_t x, int16_t y, int16_t r, float th1, float th2);
  /// Draws a Bézier curve from (@p x1, @p y1), which is also its first control point, with
  /// (@p x2, @p y2) as second control point, to (@p x3, @p y3); the curve is closed by a straight line
  /// back to its start and filled (or left hollow) like every closed figure.
  /// @return false when a point lies outside the area inside the margins.
  bool DrawCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3);
  /// @}

  /// @name Text
  /// Texts are written in the current font and colour at the current position: the top of a line lies
  /// at the position's y, its baseline one font height lower. Widths come from the standard fonts'
  /// metrics, rounded to whole points.
  /// @{

  /// Sets the font. Each value is checked on its own and replaced by its default when invalid:
  /// @p fontnumber outside FontNumberConstants gives Courier; @p fontheight, in points, must be 8 to 72,
  /// else 8; @p fontstyle applies to Courier, Helvetica and Times only (Symbol and ZapfDingbats are
  /// always Regular), anything else gives Regular; @p fonteffect outside FontEffectConstants gives
  /// NoFontEffect. A value replaced records InvalidArgument (see LastFailure()).
  void SetFont(FontNumberConstants fontnumber, uint8_t fontheight, FontStyleConstants fontstyle,
               FontEffectConstants fonteffect);
  /// Sets an OpenType or TrueType font: @p family is a family name as the system's font configuration
  /// knows it ("DejaVu Sans", "Noto Sans Devanagari") or the path of a .ttf, .otf or .ttc file (its
  /// first face). @p fontstyle picks the family's bold, italic or bold italic face; where the family
  /// has none, the nearest face is slanted or emboldened when drawn. @p fontheight and @p fonteffect
  /// are checked as in the other SetFont (underline and strikethrough take the font's own position and
  /// thickness). Text in these fonts is shaped (kerning, ligatures, marks, joining and reordering as
  /// each script needs), right-to-left and mixed lines come out in reading order, and a character the
  /// font lacks is drawn from an installed font that has it (same style; where none has it, as the
  /// font's missing-glyph box). The fonts drawn are embedded at Flush() as subsets of the glyphs used,
  /// with a map back to the text, so that it can be searched and copied; a font with CFF outlines
  /// raises the document to PDF 1.3.
  ///
  /// A PostScript document draws every glyph where the PDF draws it (the same shaping, each glyph
  /// moved to its shaped place) and embeds each face drawn at Flush() as a font resource of its prolog
  /// ("%%BeginResource: font", listed in "%%DocumentSuppliedResources"), a subset of the glyphs used:
  /// TrueType outlines as Type 42 fonts, CFF outlines as a font set, which raises the header's
  /// "%%LanguageLevel" from 2 to 3. Glyph names and a glyph-to-text map let text extraction and
  /// conversion to PDF give the text back. Every page still prints alone. From the first face drawn on,
  /// the document waits in a temporary file and is copied to its output at Flush(), after the header
  /// and the fonts; a document in the standard fonts only is written as before.
  /// @return false, with the font unchanged, when @p family is not found or its file is not a usable
  ///         font (FontNotFound, the message naming it); in a PostScript document also for a face whose
  ///         CFF outlines are CID-keyed, which it cannot embed (FontNotFound, the message saying so).
  bool SetFont(const std::string& family, uint8_t fontheight, FontStyleConstants fontstyle = FontStyleConstants::Regular,
               FontEffectConstants fonteffect = FontEffectConstants::NoFontEffect);
  /// Gives the family of the current OpenType font as it was passed to SetFont(); empty while the font
  /// is a standard one.
  std::string FontFamily() const;
  /// Gives the font: Courier, 8 points, Regular, NoFontEffect by default. While an OpenType font is
  /// current, @p fontnumber is the standard font set last and the other values are the OpenType font's.
  void GetFont(FontNumberConstants& fontnumber, uint8_t& fontheight, FontStyleConstants& fontstyle,
               FontEffectConstants& fonteffect) const;
  /// Gives the width in points of @p text written as one line in the current font and height, exactly
  /// as WriteText() measures it: whole points for the standard fonts, the width by which WriteText()
  /// moves the position. So SetPosition(right - TextWidth(amount)) ends an amount at the column edge
  /// right. In an OpenType font (see SetFont()) the text is shaped as WriteText() shapes it, kerning
  /// and ligatures included, and its width rounded to whole points (halves to even); the glyphs
  /// drawn end within half a point of it. 0 for an empty text, and for a text too long to be written
  /// as one line (over 32767 characters).
  double TextWidth(const std::string& text) const;
  /// Writes one line of text, with its underline or strikethrough (drawn like DrawLine()). There is no
  /// wrapping and no new page. With NoAlignment the text starts at the current position; LeftAlign,
  /// Center and RightAlign place it within the area inside the margins. Afterwards x is at the text's
  /// end; with @p carriagereturn, x goes back to the line start (the x of the last
  /// SetPosition() on the page, else 0) and y moves down by the font height plus @p dy points.
  ///
  /// With a @p hyperlink that is not empty, a click on the text opens it (the link reaches from the top
  /// of the line to a fifth of the font height below the baseline, and 2 points past the text's end).
  /// A PDF writes it as a link annotation; a PostScript document writes it as a "pdfmark" link, which
  /// a conversion to PDF keeps and a printer ignores. Characters beyond ASCII are percent-encoded as
  /// their UTF-8 bytes, as in a URI.
  /// @return false (nothing written, nothing moved) when @p alignment is outside AlignmentConstants,
  ///         when the line would reach below the bottom margin (the top of the footer band while the
  ///         page has a footer), or when the text is wider than the room from the current x to the right
  ///         margin (with NoAlignment) or than the area inside the margins (aligned).
  bool WriteText(const std::string& text, bool carriagereturn = false, uint8_t dy = 0,
                 AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                 const std::string& hyperlink = "");
  /// Writes a paragraph: breaks @p text at blanks into lines that fit a block @p width points wide and
  /// writes them one below the other, @p dy points apart (font height plus @p dy from line to line).
  /// With NoAlignment the block starts at the current x and a @p width below 1 reaches to the right
  /// margin; LeftAlign, Center and RightAlign place the block within the area inside the margins, and a
  /// @p width below 1 takes all of it. Lines are left-aligned in the block; with @p justified every
  /// line but the last is spread to fill the width exactly. When the next line would reach below the
  /// bottom margin (the top of the footer band while the page has a footer), a new page with the same
  /// margins and page colour starts and the paragraph goes on at its top. Afterwards the position is at
  /// the start of the line below the paragraph (x at the line start, not at the block's start). Where
  /// the text breaks, a line of nothing but blanks is left out, so a paragraph never opens with an empty
  /// line: a word that fills the block only without its blank starts the first line.
  /// An empty text writes nothing.
  /// @return true when every word was written; false, writing nothing, when @p alignment is outside
  ///         AlignmentConstants, the block does not fit across the area inside the margins, a word is
  ///         wider than the block, or a line would not fit even on a fresh page.
  bool WriteMultiText(const std::string& text, uint8_t dy = 0,
                      AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                      bool justified = false, int16_t width = 0);
  /// Writes a title: a bullet, solid in the text colour, in the font height minus 1 point before the
  /// text, then the text as WriteText() with a carriage return. Alignment places bullet and text
  /// together. A @p hyperlink that is not empty lies on the title's text, as in WriteText().
  /// @return false (nothing written) when @p alignment or @p bullet is outside its enumeration, or when
  ///         bullet and text do not fit, tested as in WriteText().
  bool WriteTitle(const std::string& text, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                  BulletConstants bullet = BulletConstants::Disc, const std::string& hyperlink = "");
  /// @}

  /// @name Pictures
  /// @{

  /// Draws a BMP, GIF, JPEG or PNG picture from @p file (recognised by its content, not its name) with
  /// its top-left corner at the current position: one pixel per point, or fitted into the box of
  /// SetPictureDimensions() (scaled down keeping its proportions, never enlarged). LeftAlign, Center and
  /// RightAlign place it within the area inside the margins. Its data is embedded with @p encoding.
  /// Afterwards the position is at the line start below the picture. There is no new page.
  ///
  /// PNG pictures of every colour type and depth are read; 16-bit samples are reduced to 8 bits.
  /// Transparency (an alpha channel, or a transparent colour or palette entry) is kept: in PDF the
  /// picture gets a soft mask, through which whatever was drawn beneath it shows, and the document's
  /// header then reads %PDF-1.4 (documents without one stay %PDF-1.2). PostScript has no soft masks:
  /// there the picture is composited over the page's background colour as it is written, so figures
  /// and texts drawn beneath a transparent PostScript picture are covered by it.
  /// @return false, writing nothing, when @p alignment or @p encoding is outside its enumeration, the
  ///         file cannot be read as a picture, or the picture does not fit between the current position
  ///         and the right and bottom margins (the top of the footer band while the page has a footer);
  ///         false also when writing it fails part way (then what it had written is taken back).
  bool DrawPicture(const std::string& file, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                   EncodingConstants encoding = EncodingConstants::ASCII85);
  /// DrawPicture() with a @p hyperlink: when it is not empty, a click on the picture opens it, written
  /// as for WriteText().
  /// @return false, as DrawPicture() without a link.
  bool DrawPicture(const std::string& file, AlignmentConstants alignment, const std::string& hyperlink,
                   EncodingConstants encoding = EncodingConstants::ASCII85);
  /// @}

 protected:
  /// The document's implementation: its layout, its format and its output. Only the library sees
  /// inside it.
  struct Body;
  /// Makes the implementation of a new document of one format.
  using BodyMaker = std::unique_ptr<Body> (*)();

  /// Used by the format classes (PDF, PS): a document of the format @p make makes, which also makes
  /// the fresh implementation a moved-from document starts again with.
  explicit Document(BodyMaker make);
  /// Takes over the document of @p other, which must be of the same format; @p other is left as a new
  /// document.
  Document(Document&& other) noexcept;
  /// Closes this document's open file, then takes over the document of @p other, which must be of the
  /// same format and is left as a new document. Called from inside the output function of either
  /// document, it changes neither.
  Document& operator=(Document&& other) noexcept;

  /// Runs @p change on the implementation so that nothing escapes it; called from inside the document's
  /// own output function, it is ignored. For the formats' own setters.
  void Changed(const std::function<void(Body&)>& change) noexcept;
  /// Reads a text the implementation holds; an empty text when that fails. For the formats' own getters.
  const std::string& TextOf(const std::function<const std::string&(Body&)>& read) const noexcept;

 private:
  // Shows "Initialize()", the message of a new document; the fresh implementation of a moved-from
  // document shows nothing.
  static void Announce();
  // True while this document hands bytes to its output function.
  bool InOutputFunction() const noexcept;
  // The implementation; after a move, a fresh one made on first use. nullptr when it cannot be made.
  Body* Inside() const noexcept;

  BodyMaker MakeBody;
  mutable std::unique_ptr<Body> OwnBody;
};

}  // namespace paginor
