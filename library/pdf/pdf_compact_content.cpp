// Compact PDF output: page content that sets only what changed. The text lines of a page in standard
// faces are written into one text object for as long as nothing else comes between them; a line sets
// only what differs from the line before: the font and size, the colour, and its start as a move from
// the last line's start ("TD", which also sets the leading), or nothing but the ' operator when it
// starts one leading further down. The moves are whole points, so every line starts exactly where the
// default output places it. Figures drawn one after another share one saved state, each setting only
// the colours, dashes and width that differ from the figure before.
//
// What is known stays true because text objects stand outside every saved state, and figures, pictures
// and the background each change the state only inside one of their own.
#include "pdf/pdf_strings.h"
#include "pdf/pdf_writer.h"

namespace paginor {
namespace {

constexpr Rgb White{255, 255, 255};  // the fill of closed figures that are not filled

}  // namespace

void PdfWriter::PutPageText(int64_t x, int64_t baseline, FontHandle font, int64_t height, Rgb colour,
                            std::string_view codes) {
  // A line that fails part way is dropped with its stream, and with what it noted here.
  PageTextState& text = PageText;
  if (!text.open) {
    Lines.Put("BT\n");
    text.open = true;
    text.lineX = text.lineY = 0;  // a text object starts at the origin
  }
  if (!text.fontKnown || text.font != font || text.fontHeight != height) {
    Lines.Put("/F").Put(int64_t{font.index}).Put(' ').Put(height).Put(" Tf\n");
    text.fontKnown = true;
    text.font = font;
    text.fontHeight = height;
  }
  if (!text.fillKnown || text.fill != colour) {
    Lines.Put(Colours.Of(colour)).Put(" rg\n");
    text.fillKnown = true;
    text.fill = colour;
  }
  const int64_t dx = x - text.lineX, dy = baseline - text.lineY;
  const bool nextLine = dx == 0 && dy == -text.leading;
  if (!nextLine) {
    Lines.Put(dx).Put(' ').Put(dy).Put(" TD\n");
    text.leading = -dy;
  }
  text.lineX = x;
  text.lineY = baseline;
  Lines.Put('(');
  PutEscapedText(codes, Lines);
  Lines.Put(nextLine ? ")'\n" : ")Tj\n");
}

void PdfWriter::EndPageText() {
  if (!PageText.open) return;
  Lines.Put("ET\n");
  PageText.open = false;
}

void PdfWriter::BeginPageFigure(const PathPaint& paint, bool fillable) {
  DropUnfinishedContentStream();  // a figure that failed part way leaves the state as it was before it
  PageFigureState& figure = PageFigure;
  if (StateSaved && figure.open) {
    StartPageContent();  // in the state of the figure before, which no text object follows
  } else {
    BeginContentStream(true);
    figure.open = true;
    figure.strokeKnown = figure.fillKnown = figure.widthKnown = false;
    figure.dash.clear();
  }
  if (!figure.strokeKnown || figure.stroke != paint.stroke) {
    Lines.Put(Colours.Of(paint.stroke)).Put(" RG\n");
    figure.strokeKnown = true;
    figure.stroke = paint.stroke;
  }
  if (figure.dash != paint.dash) {
    Lines.Put('[').Put(paint.dash).Put("] 0 d\n");
    figure.dash = paint.dash;
  }
  const Rgb fill = paint.filled ? paint.fill : White;
  if (fillable && (!figure.fillKnown || figure.fill != fill)) {
    Lines.Put(Colours.Of(fill)).Put(" rg\n");
    figure.fillKnown = true;
    figure.fill = fill;
  }
  if (!figure.widthKnown || figure.width != paint.thickness) {
    Lines.Put(int64_t{paint.thickness}).Put(" w\n");
    figure.widthKnown = true;
    figure.width = paint.thickness;
  }
}

}  // namespace paginor
