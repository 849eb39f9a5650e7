#include "standard_report.h"

#include "report_text.h"

namespace paginor::bench {

void WriteReportPage(Document& document, int page, const std::string& logo, const std::string& family) {
  document.NewPage(36, 36, 36, 36, 255, 255, 230);
  if (!logo.empty()) document.DrawPicture(logo, AlignmentConstants::Center, EncodingConstants::Flate);
  if (family.empty()) {
    document.SetFont(FontNumberConstants::Helvetica, 16, FontStyleConstants::Bold, FontEffectConstants::NoFontEffect);
  } else {
    document.SetFont(family, 16, FontStyleConstants::Bold);
  }
  std::string line;
  ReportHeading(line, page);
  document.WriteText(line, true, 8, AlignmentConstants::Center);
  if (family.empty()) {
    document.SetFont(FontNumberConstants::Helvetica, 10, FontStyleConstants::Regular,
                     FontEffectConstants::NoFontEffect);
  } else {
    document.SetFont(family, 10);
  }
  for (int index = 1; index <= 40; ++index) {
    ReportLine(line, index, page);
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
