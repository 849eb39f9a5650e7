#pragma once

// The layout module owns the drawing state and everything that places items on pages: the document
// and page lifecycle, margins and the current position, figures with their fit tests, fonts, single
// lines, paragraphs and titles, pictures, the footer and page breaks. It resolves every item into the
// values of the format interface (format/format_writer.h) and hands them to the document's format; it
// writes no byte itself.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "services/failure_report.h"
#include "core/picture_cache.h"
#include "core/rgb.h"
#include "fonts/font_catalogue.h"
#include "format/format_writer.h"
#include "output/document_output.h"
#include "paginor/enumerations.h"
#include "services/picture_codec.h"

namespace paginor {

// Positions arrive in the caller's coordinates: origin at the top-left corner of the area inside the
// margins, y downwards; the layout converts them to page space once, as it hands an item to the format.
// Texts are Windows-1252 codes once they pass WriteText. Internal failures throw Failure; the public
// classes catch it, so an operation that fails part way leaves what it appended in the document.
class PageLayout {
 public:
  PageLayout(DocumentOutput& output, FontCatalogue& fonts, FormatWriter& format);
  PageLayout(const PageLayout&) = delete;
  PageLayout& operator=(const PageLayout&) = delete;

  // Properties, stored unchecked.
  std::string Author;
  std::string Creator;
  std::string Title;
  OrientationConstants Orientation = OrientationConstants::Portrait;
  PaperSizeConstants PaperSize = PaperSizeConstants::A4;
  bool Rotated = false;
  bool Compact = false;
  // Why the last operation with a result failed (see FailureReport).
  FailureReport Report;
  // Why the last call made from inside the output function was refused; kept apart from Report, which
  // belongs to the operation still running.
  FailureReport NestedReport;
  // The report LastFailure gives: the nested one while the output function runs.
  const FailureReport& LastReport() const { return InOutputFunction() ? NestedReport : Report; }
  // True while the document hands bytes to the caller's output function, which must not change the
  // document under the operation that is writing it.
  bool InOutputFunction() const { return Output.Delivering(); }

  // Starts a document in the file (emptied), through sink, or in memory (see DocumentOutput).
  bool Create(const std::string& file);
  bool Create(ByteSink sink);
  bool CreateInMemory();
  // The text at the foot of every page (UTF-8), with its placeholders (see core/footer_text.h); empty
  // for none.
  const std::string& GetFooter() const { return Footer; }
  void SetFooter(std::string footer);
  // Finishes the document; true when every byte reached the file (else the file is left empty).
  bool Flush();
  // The setters that may ignore a value they are given return what they ignored, in plain English for
  // the caller's report (see Document::LastFailure); empty when they took every value.
  std::string NewPage(int16_t marginleft, int16_t margintop, int16_t marginright, int16_t marginbottom, Rgb background);
  // The number of the current page, 1 for the first; 0 before the first page of the document.
  int32_t PageNumber() const { return PagesBegun; }
  // The room from the current position to the right margin and to the top of the footer band.
  void GetSpaceLeft(int16_t& width, int16_t& height) const;

  void SetColor(Rgb color) { Color = color; }
  Rgb GetColor() const { return Color; }
  void SetFillColor(Rgb color) { FillColor = color; }
  Rgb GetFillColor() const { return FillColor; }
  Rgb GetPageColor() const { return PageColor; }
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

  std::string SetFont(FontNumberConstants fontnumber, uint8_t fontheight, FontStyleConstants fontstyle,
                      FontEffectConstants fonteffect);
  // An OpenType or TrueType font by family name or font file path (see FontCatalogue::OpenType), with
  // the height, style and effect taken as the other SetFont takes them (what it ignored goes to
  // ignored). False, with the font as it was, when the format draws no such fonts or the family is not
  // found.
  bool SetFont(const std::string& family, uint8_t fontheight, FontStyleConstants fontstyle,
               FontEffectConstants fonteffect, std::string& ignored);
  // The family of the current OpenType font as it was set; empty for a standard font.
  std::string FontFamily() const;
  // The font of the footer: an OpenType family in fontheight points, or Times 10 points for "".
  bool SetFooterFont(const std::string& family, uint8_t fontheight);
  // The width of a one-line text (UTF-8) in the current font, as WriteText measures it.
  int16_t TextWidth(std::string_view text) const;
  void GetFont(FontNumberConstants& fontnumber, uint8_t& fontheight, FontStyleConstants& fontstyle,
               FontEffectConstants& fonteffect) const;
  // Texts and hyperlinks in UTF-8.
  bool WriteText(std::string_view text, bool carriagereturn, uint8_t dy, AlignmentConstants alignment,
                 std::string_view hyperlink);
  bool WriteMultiText(std::string_view text, uint8_t dy, AlignmentConstants alignment, bool justified,
                      int16_t width);
  bool WriteTitle(std::string_view text, AlignmentConstants alignment, BulletConstants bullet,
                  std::string_view hyperlink);
  // Places a BMP, GIF, JPEG or PNG file at the current position, fitted into the picture box when one is
  // set, and moves the position to the line start below it. Refused (false, nothing written) for an invalid
  // alignment or encoding, a file that does not load, or a picture that does not fit below the position;
  // a failure while writing it takes back everything it appended and also returns false.
  bool DrawPicture(const std::string& file, AlignmentConstants alignment, std::string_view hyperlink,
                   EncodingConstants encoding);

 private:
  // The band above the bottom margin that the footer's line takes.
  static constexpr int16_t FooterBand = 12;

  // Records why the operation is refused; returns false.
  bool Refuse(FailureConstants reason, std::string message) { return Report.Refuse(reason, std::move(message)); }
  // True, with the reason recorded, when no page is open to draw in: output would go nowhere, or never
  // show.
  bool NoPageOpen();
  // Refuses, with the reason, an item (what: "a line", "the picture") of height points at the caller's y
  // that passes the content's bottom (see ContentHeight).
  bool LineFits(const char* what, int16_t y, int16_t height);
  // Refuse an alignment that is not one of the constants, and an item too wide from x.
  bool RefuseAlignment(AlignmentConstants alignment);
  bool RefuseWidth(const char* what, int64_t width, int64_t x);
  // Refuses a figure, with the reason, when an argument is negative or the figure is not inside.
  bool FigureFits(std::initializer_list<std::pair<const char*, int16_t>> arguments, bool inside);
  bool CircleFits(int16_t x, int16_t y, int16_t r);
  // A path of one point, the caller's (x, y) in page space, and a size.
  Path ShapeAt(PathShape shape, int16_t x, int16_t y, int16_t width, int16_t height) const;
  // Hands a figure to the format, painted with the drawing state; false when it failed part way.
  bool Draw(Path path);

  // Page space of a caller's point.
  int16_t PageX(int16_t x) const;
  int16_t PageY(int16_t y) const;
  PagePoint PagePointOf(int16_t x, int16_t y) const { return {PageX(x), PageY(y)}; }
  int16_t AvailableWidth() const;
  int16_t AvailableHeight() const;
  // The height that texts, figures and pictures may use: the area inside the margins, less the footer
  // band while the page will carry a footer (but not for the footer itself).
  int16_t ContentHeight() const;
  const FontFace& CurrentFace() const { return Fonts.Face(Font); }
  // A text's width in thousandths of the font size, and such a width in points in the current font, for
  // the fit tests: without the limits of the widths that are written, so that a text too long or too
  // wide for any page is refused as not fitting rather than failing as an overflow.
  int64_t WideUnits(std::string_view codes) const;
  int64_t WidePoints(int64_t units) const;

  void EndPage();
  void WriteFooter();
  bool WriteCodes(std::string_view codes, bool carriagereturn, uint8_t dy, AlignmentConstants alignment,
                  std::string_view hyperlink);
  // Places a measured line (wide points wide; its glyphs in an OpenType font, given their codes as they
  // are drawn) as WriteText places text.
  bool PlaceLine(std::string_view codes, int64_t wide, std::span<typeset::ShapedGlyph> glyphs,
                 bool carriagereturn, uint8_t dy, AlignmentConstants alignment, std::string_view hyperlink);
  // Text in the current OpenType font: true when the current font is one; its width in points; a line
  // shaped and placed (widened to justifyTo points when that is not 0); a paragraph.
  bool IsOpenType() const { return CurrentFace().openType.Face != nullptr; }
  int64_t ShapedPoints(std::string_view text) const;
  bool WriteShaped(std::string_view text, int16_t justifyTo, bool carriagereturn, uint8_t dy,
                   AlignmentConstants alignment, std::string_view hyperlink);
  bool WriteShapedParagraph(std::string_view text, uint8_t dy, bool justified, int16_t width, int16_t startx);
  // Takes the height, style and effect of a font being set (a style only when styled); returns what it
  // ignored.
  std::string TakeFontValues(uint8_t fontheight, FontStyleConstants fontstyle, FontEffectConstants fonteffect,
                             bool styled);
  // The underline or strikethrough of a text written from x to end, the top of its line at y.
  void DrawFontEffect(int16_t x, int16_t end, int16_t y);
  void BreakPageIfFull();
  // True when every word of the line was written.
  bool WriteParagraphLine(std::string_view line, uint8_t dy, bool justified, int16_t width, int16_t startx);
  void ResetDrawingState();
  bool ValidPageSetup();
  // Begins the document once its output opened; false, with the output given up, when it fails.
  bool StartDocument();
  template <typename Step>
  bool AllOrNothing(Step&& output);

  DocumentOutput& Output;
  FontCatalogue& Fonts;
  FormatWriter& Format;
  PictureCodec Codec;
  PictureCache Pictures{Codec};

  // Drawing state. The colours read as their defaults (white page, black lines and fill) even before
  // Create.
  bool PageOpen = false;
  int16_t MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
  int16_t PageWidth = 0, PageHeight = 0;
  std::string MediaName;
  Rgb PageColor{255, 255, 255};
  Rgb Color;
  Rgb FillColor;
  // Empty for solid lines, else a dash array as the caller wrote it (SetDash lets no other text in).
  std::string Dash;
  bool FillStyle = false;
  uint8_t Thickness = 0;
  // The font fields as set (zero before the first Create), and the face they select.
  FontNumberConstants FontNumber{};
  uint8_t FontHeight = 0;
  FontStyleConstants FontStyle{};
  FontEffectConstants FontEffect{};
  FontHandle Font = FontCatalogue::Unset;
  std::string FontFamilyName;  // of the last OpenType font set
  FontHandle FooterFont = FontCatalogue::Unset;  // Unset: Times
  uint8_t FooterHeight = 10;
  std::vector<typeset::ShapedGlyph> LineGlyphs;  // a shaped line being placed
  int16_t PictureWidth = 0, PictureHeight = 0;
  // The current position and the x lines return to, in the caller's coordinates.
  int16_t PositionX = 0, PositionY = 0, LineStartX = 0;
  int32_t PagesBegun = 0;  // pages begun since Create

  std::string Footer;
  std::string FooterCodes;
  bool WritingFooter = false;  // the footer itself is written into its band
  std::string TextCodes;
};

}  // namespace paginor
