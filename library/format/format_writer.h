#pragma once

// The format module is the one narrow joint between the layout and the two file formats: FormatWriter
// and the resolved values its operations take. A format receives every position in page space (points
// from the page's lower-left corner, y upwards), every colour as bytes, every font as a handle of the
// document's font catalogue, and writes them in its own syntax. It reads nothing of the layout.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/rgb.h"
#include "fonts/font_catalogue.h"
#include "paginor/enumerations.h"

namespace paginor {

class EmbeddedPicture;

// A point in page space.
struct PagePoint {
  int16_t x = 0, y = 0;
};

// What a document states once, when it is created.
struct DocumentSetup {
  std::string_view author, creator, title;
  int16_t pageWidth = 0, pageHeight = 0;  // the page as drawn, already turned for landscape
  std::string_view mediaName;
  bool landscape = false;
  bool rotated = false;
  // The page content in the format's compact form (see Document::SetCompact): the same pages in fewer
  // bytes; otherwise the format's documented structure.
  bool compact = false;
};

// A page as it begins: its size and its background, painted over the whole page.
struct PageSetup {
  int16_t width = 0, height = 0;
  Rgb background;
};

// The figures. Rectangles give their top-left corner and size, circles, ellipses and slices their
// centre; a slice runs anticlockwise from one angle (degrees) to the other, which is not below it.
enum class PathShape { Line, Rectangle, Circle, Ellipse, Slice, Curve };

struct Path {
  PathShape shape = PathShape::Line;
  PagePoint points[3];  // the line's two ends, the curve's start and control points, else the first
  int16_t width = 0, height = 0;  // the rectangle's size; the radii (r in width for circle and slice)
  float from = 0, to = 0;         // the slice's angles
  bool Closed() const { return shape != PathShape::Line; }
};

// How a path is painted: a closed path is filled in fill when filled, and every path is stroked.
struct PathPaint {
  Rgb stroke;
  std::string_view dash;  // a dash array as the caller wrote it; empty for solid lines
  uint8_t thickness = 1;
  bool filled = false;
  Rgb fill;
};

// A line of text: its codes (codeBytes bytes each, as the face says) drawn from the baseline start.
// In an OpenType face the line is its shaped glyphs, left to right as drawn, and codes is its text
// (UTF-8), which the glyphs point into.
struct TextRun {
  PagePoint origin;
  FontHandle font;
  uint8_t size = 0;
  Rgb colour;
  std::string_view codes;
  int16_t width = 0;  // points
  std::span<const typeset::ShapedGlyph> glyphs;
};

// A footer whose codes name the page count, which only the document's end knows (see
// core/footer_text.h): centred in the area from left, width points wide, at the baseline.
struct CountedFooter {
  int16_t left = 0, width = 0, baseline = 0;
  FontHandle font;
  uint8_t size = 0;
  Rgb colour;
  std::string_view codes;
  int32_t page = 0;  // the number of its page
};

// A picture drawn width by height points with its top-left corner at topLeft.
struct PlacedPicture {
  EmbeddedPicture& picture;
  PagePoint topLeft;
  int16_t width = 0, height = 0;
  EncodingConstants encoding = EncodingConstants::ASCII85;
};

struct PageRect {
  int16_t left = 0, top = 0, right = 0, bottom = 0;
};

// One file format. Operations come in document order: BeginDocument, then pages, each from BeginPage
// to EndPage with the drawing between, then EndDocument. They throw Failure when a value overflows
// (services/failure.h); what they appended stays unless the layout takes it back.
class FormatWriter {
 public:
  virtual ~FormatWriter() = default;

  // The format's version, named in the document's head.
  virtual const std::string& Version() const = 0;
  // Why the format cannot embed an OpenType face (empty when it can); text is not set in such a face.
  virtual std::string CannotEmbed(const typeset::OpenTypeFace& /*face*/) const { return {}; }
  // Formats whose document holds count fields (see output/count_fields.h) say so; the output then holds
  // the document in a file that can be rewritten until it ends.
  virtual bool HasCountFields() const { return false; }

  virtual void BeginDocument(const DocumentSetup& setup) = 0;
  // The document's closing structures; a failure names its cause with the Failure it throws.
  virtual void EndDocument() = 0;
  virtual void BeginPage(const PageSetup& page) = 0;
  // rotated: the rotation the document has now, for formats that state it at the page's end.
  virtual void EndPage(bool rotated) = 0;

  // False when a slice could be written only in part.
  virtual bool DrawPath(const Path& path, const PathPaint& paint) = 0;
  virtual void DrawText(const TextRun& run) = 0;
  virtual void DrawCountedFooter(const CountedFooter& footer) = 0;
  virtual void DrawPicture(const PlacedPicture& placed) = 0;
  // Formats without links ignore them.
  virtual void DrawLink(std::string_view /*uri*/, const PageRect& /*area*/) {}

  // For output that must be all or nothing: the format notes the state of its own records before it,
  // and returns to the note when the output failed part way (the layout takes back the bytes).
  virtual void NoteState() {}
  virtual void RestoreState() {}
};

}  // namespace paginor
