#include "standard_report.h"

#include <charconv>

namespace paginor::bench {
namespace {

// Appends a number right-aligned with blanks in width characters (printf's "%*d").
void AppendPadded(std::string& text, int number, size_t width) {
  char digits[16];
  const size_t length = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
  if (width > length) text.append(width - length, ' ');
  text.append(digits, length);
}

}  // namespace

void WriteReportPage(Document& document, int page, const std::string& logo) {
  document.NewPage(36, 36, 36, 36, 255, 255, 230);
  if (!logo.empty()) document.DrawPicture(logo, AlignmentConstants::Center, EncodingConstants::Flate);
  document.SetFont(FontNumberConstants::Helvetica, 16, FontStyleConstants::Bold, FontEffectConstants::NoFontEffect);
  std::string line = "Quarterly report, page ";
  AppendPadded(line, page, 0);
  document.WriteText(line, true, 8, AlignmentConstants::Center);
  document.SetFont(FontNumberConstants::Helvetica, 10, FontStyleConstants::Regular,
                   FontEffectConstants::NoFontEffect);
  // "Line %2d of page %4d: the quick brown fox jumps over the lazy dog %d times.", built in one reused
  // string without the formatting functions of the C library, which would cost as much as the document.
  for (int index = 1; index <= 40; ++index) {
    line.assign("Line ");
    AppendPadded(line, index, 2);
    line.append(" of page ");
    AppendPadded(line, page, 4);
    line.append(": the quick brown fox jumps over the lazy dog ");
    AppendPadded(line, index * page, 0);
    line.append(" times.");
    document.WriteText(line, true, 2);
  }
  document.SetColor(0, 128, 0);
  document.SetFillColor(255, 204, 0);
  document.SetFillStyle(true);
  document.SetThickness(2);
  document.DrawLine(10, 560, 510, 580);
  document.DrawRectangle(10, 600, 150, 60);
  document.DrawCircle(244, 630, 35);
  document.DrawEllipse(364, 630, 60, 20);
  document.DrawArc(464, 630, 40, 0, 120);
  document.SetColor(0, 0, 0);
  document.SetFillStyle(false);
  document.SetThickness(1);
}

}  // namespace paginor::bench
