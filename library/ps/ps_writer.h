#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <deque>
#include <span>
#include <vector>

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
  std::string CannotEmbed(const typeset::OpenTypeFace& face) const override;
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
  void NoteState() override {
    NotedTurn = TurnedOutsidePage;
    NotedFaces = Embedded.size();
  }
  void RestoreState() override {
    TurnedOutsidePage = NotedTurn;
    Embedded.resize(NotedFaces);
  }

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

  // OpenType faces (ps_opentype.cpp). Every face drawn is embedded as a font resource of its own, named
  // when first drawn; its glyphs are drawn with two-byte codes given in the order of first use, and
  // the subset made at the document's end is renumbered to them. The resources, and the header lines
  // naming them and the language level they need, are late fields of the output (see OutputFile),
  // written at the document's end.
  struct EmbeddedFace {
    const typeset::OpenTypeFace* face = nullptr;
    std::string name;
    std::vector<uint32_t> usageCodes;  // by code: the code the document's glyph usage gives the glyph
    std::vector<uint32_t> codeOf;      // by usage code: the code plus one; 0 for none yet
  };
  // A footer in an OpenType face that names the page count: written at the end, when the count is known.
  struct PendingFooter {
    int32_t page = 0;
    uint32_t text = 0;  // index in FooterTexts
    int16_t left = 0, width = 0, baseline = 0;
    FontHandle font;
    uint8_t size = 0;
    Rgb colour;
  };
  // Builds in GlyphText the drawing of shaped glyphs from the baseline start (x, y) at size points, in
  // a colour: a new path, the colour, then the glyphs (PutGlyphs).
  void MakeGlyphLine(std::span<const typeset::ShapedGlyph> glyphs, FontHandle font, uint8_t size, Rgb colour,
                     double x, double y);
  void PutGlyphs(std::span<const typeset::ShapedGlyph> glyphs, uint8_t size, bool slanted);
  void DrawGlyphText(const TextRun& run);
  // The face's resource, added when first drawn; nothing for a face that cannot be embedded.
  EmbeddedFace* EmbeddedOf(const typeset::OpenTypeFace& face);
  // The code of a glyph in its resource, from the code the document's glyph usage gave it.
  uint32_t CodeOf(EmbeddedFace& embedded, uint32_t usageCode);
  // The glyphs of a line shaped from text, with any glyph of a face that cannot be embedded replaced.
  std::span<const typeset::ShapedGlyph> EmbeddableGlyphs(std::string_view text,
                                                         std::span<const typeset::ShapedGlyph> glyphs,
                                                         const typeset::ChosenFace& chosen);
  void DrawOpenTypeCountedFooter(const CountedFooter& footer);
  // Builds a counted footer's line in GlyphText, shaped with the page count; false when it is too wide
  // for its page and left out.
  bool MakeCountedFooter(const PendingFooter& footer);
  // The counted footers' glyphs, recorded for the subsets before the resources are written.
  void RecordCountedFooters();
  // The late texts: 0 the header lines, 1 the font resources, from 2 on the counted footers.
  bool WriteLateText(size_t index, const ByteSink& put, std::string& reason);
  bool WriteFontResources(const ByteSink& put, std::string& reason);
  std::deque<EmbeddedFace> Embedded;  // a deque: a face's place stays while others are added
  size_t NotedFaces = 0;
  std::deque<PendingFooter> CountedFooters;
  std::vector<std::string> FooterTexts;
  std::vector<const typeset::OpenTypeFace*> RefusedFaces;  // faces found not to be embeddable
  std::vector<typeset::ShapedGlyph> Substituted, FooterGlyphs;
  std::string GlyphText;  // a line of glyphs being built

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
