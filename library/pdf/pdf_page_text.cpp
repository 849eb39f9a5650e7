// Compact PDF output: the text lines of a page in standard faces, written into one text object for as
// long as nothing else comes between them. A line sets only what differs from the line before: the font
// and size, the colour, and its start as a move from the last line's start ("TD", which also sets the
// leading), or nothing but the ' operator when it starts one leading further down. The moves are whole
// points, so every line starts exactly where the default output places it.
#include "pdf/pdf_strings.h"
#include "pdf/pdf_writer.h"

namespace paginor {

void PdfWriter::PutPageText(int64_t x, int64_t baseline, FontHandle font, int64_t height, Rgb colour,
                            std::string_view codes) {
  // Noted only once the line is written: a line that fails part way is dropped with its stream.
  PageTextState text = PageText;
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
  PageText = text;
}

void PdfWriter::EndPageText() {
  if (!PageText.open) return;
  Lines.Put("ET\n");
  PageText.open = false;
}

}  // namespace paginor
