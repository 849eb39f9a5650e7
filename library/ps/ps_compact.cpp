// Compact PostScript output: texts and figures as calls of the prolog's procedures (ps_procedures.h),
// with the same operands the default output writes, so that every page looks the same in a fraction of
// the bytes.
#include "ps/ps_writer.h"

namespace paginor {

void PsWriter::SelectCompactFont(FontHandle font, uint8_t size) {
  TurnOutsidePage();
  // The font stays set until the page ends ("grestore" after a picture gives back the same one).
  if (font == PageFont && size == PageFontSize) return;
  Lines.Put(SelectionLineOf(font)).Put(int64_t{size}).Put(" SF\r\n");
  PageFont = font;
  PageFontSize = size;
}

void PsWriter::PutCompactTextEnd(Rgb colour) {
  Lines.Put(' ').Put(Colours.Of(colour)).Put(" T\r\n");
}

void PsWriter::DrawCompactText(const TextRun& run) {
  SelectCompactFont(run.font, run.size);
  Lines.Put('(');
  PutStringText(run.codes, Lines);
  Lines.Put(") ").Put(int64_t{run.origin.x}).Put(' ').Put(int64_t{run.origin.y});
  PutCompactTextEnd(run.colour);
}

void PsWriter::DrawCompactCountedFooter(const CountedFooter& footer) {
  SelectCompactFont(footer.font, footer.size);
  PutCountedFooterStart(footer);
  PutCompactTextEnd(footer.colour);
}

void PsWriter::PaintCompactBackground(int64_t width, int64_t height) {
  // The default output sets the colour again before "stroke"; "grestore" already gave it back.
  Lines.Put("0 ").Put(height).Put(' ').Put(width).Put(' ').Put(height).Put(" R\r\n");
  Lines.Put(Colours.Of(Background)).Put(" setrgbcolor gsave fill grestore stroke\r\n");
}

void PsWriter::DrawCompactPath(const Path& path, const PathPaint& paint) {
  TurnOutsidePage();
  switch (path.shape) {
    case PathShape::Line:
      PutPoint(path.points[0]);
      Lines.Put(' ');
      PutPoint(path.points[1]);
      Lines.Put(" L\r\n");
      break;
    case PathShape::Rectangle:
      PutPoint(path.points[0]);
      Lines.Put(' ').Put(int64_t{path.width}).Put(' ').Put(int64_t{path.height}).Put(" R\r\n");
      break;
    case PathShape::Circle:
      PutPoint(path.points[0]);
      Lines.Put(' ').Put(int64_t{path.width}).Put(" C\r\n");
      break;
    case PathShape::Ellipse:
      PutPoint(path.points[0]);
      Lines.Put(' ').Put(int64_t{path.width}).Put(' ').Put(int64_t{path.height}).Put(" E\r\n");
      break;
    case PathShape::Slice:
      PutSliceOperands(path);
      Lines.Put(" A\r\n");
      break;
    case PathShape::Curve:
      PutPoint(path.points[0]);
      Lines.Put(' ');
      PutPoint(path.points[1]);
      Lines.Put(' ');
      PutPoint(path.points[2]);
      Lines.Put(" V\r\n");
      break;
  }
  PutDash(paint.dash);
  const bool filled = path.Closed() && paint.filled;
  if (filled) Lines.Put(Colours.Of(paint.fill)).Put(' ');
  Lines.Put(Colours.Of(paint.stroke)).Put(' ').Put(int64_t{paint.thickness}).Put(filled ? " FS\r\n" : " S\r\n");
}

}  // namespace paginor
