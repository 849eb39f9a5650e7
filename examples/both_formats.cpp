// The same document as PDF and as PostScript: the page is drawn once, through paginor::Document, the
// part both writers share; only the writer's class differs. Usage: both_formats [output stem]
// (writes <stem>.pdf and <stem>.ps; the default stem is "both_formats").
#include <paginor/paginor.h>

#include <cstdio>
#include <string>

namespace {

using paginor::AlignmentConstants;
using paginor::FontEffectConstants;
using paginor::FontNumberConstants;
using paginor::FontStyleConstants;

// Draws the whole document on any writer. Returns false when any item was refused.
bool DrawSample(paginor::Document& document, const std::string& path) {
  document.SetTitle("One document, two formats");
  document.SetAuthor("Paginor examples");
  document.SetPaperSize(paginor::PaperSizeConstants::Letter);
  document.SetOrientation(paginor::OrientationConstants::Landscape);
  if (!document.Create(path)) return false;
  document.NewPage(48, 48, 48, 48, 255, 255, 255);
  bool ok = true;

  document.SetFont(FontNumberConstants::Times, 28, FontStyleConstants::Bold, FontEffectConstants::NoFontEffect);
  ok = document.WriteText("One document, two formats", true, 10, AlignmentConstants::Center) && ok;

  document.SetFont(FontNumberConstants::Helvetica, 12, FontStyleConstants::Regular,
                   FontEffectConstants::NoFontEffect);
  ok = document.WriteTitle("Drawn once through paginor::Document", AlignmentConstants::NoAlignment,
                           paginor::BulletConstants::Disc) && ok;
  ok = document.WriteTitle("Written as PDF and as PostScript", AlignmentConstants::NoAlignment,
                           paginor::BulletConstants::Square) && ok;

  // Figures: a filled rectangle, a dashed ellipse, a pie slice from 30 to 300 degrees and a curve.
  document.SetThickness(2);
  document.SetColor(30, 60, 120);
  document.SetFillColor(200, 215, 240);
  document.SetFillStyle(true);
  ok = document.DrawRectangle(0, 110, 160, 90) && ok;
  document.SetDash("6 3");
  ok = document.DrawEllipse(280, 155, 90, 45) && ok;
  document.SetDash("");
  document.SetFillColor(250, 200, 90);
  ok = document.DrawArc(470, 155, 45, 30, 300) && ok;
  document.SetFillStyle(false);
  ok = document.DrawCurve(560, 200, 620, 100, 690, 200) && ok;
  document.SetThickness(1);
  document.SetColor(0, 0, 0);

  document.SetPosition(0, 230);
  document.SetFont(FontNumberConstants::Times, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  ok = document.WriteMultiText(
           "A host program switches between the two formats by switching the class: every drawing, text "
           "and picture operation takes the same arguments and places its item at the same position in "
           "both. Only PDF adds hyperlinks and the keywords, producer and subject properties.",
           3, AlignmentConstants::Center, true, 480) && ok;
  return document.Flush() && ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string stem = argc > 1 ? argv[1] : "both_formats";

  paginor::PDF pdf;
  paginor::PS ps;
  if (!DrawSample(pdf, stem + ".pdf") || !DrawSample(ps, stem + ".ps")) {
    std::fprintf(stderr, "could not write %s.pdf and %s.ps\n", stem.c_str(), stem.c_str());
    return 1;
  }
  std::printf("%s.pdf\n%s.ps\n", stem.c_str(), stem.c_str());
  return 0;
}
