// A letter: letterhead, addresses, justified paragraphs that run onto a second page by themselves, and
// a signature. Usage: letter [output.pdf]
#include <paginor/paginor.h>

#include <cstdint>
#include <cstdio>

namespace {

using paginor::AlignmentConstants;
using paginor::FontEffectConstants;
using paginor::FontNumberConstants;
using paginor::FontStyleConstants;

const char* const kParagraphs[] = {
    "Thank you for your letter of 2 December and for the kind words about the autumn course. I am glad "
    "to confirm that the workshop will reopen in its new rooms on the first Monday of February, and "
    "that the places you asked about are still free. This letter sets out what has changed, what stays "
    "the same, and what we would ask of you before the first session.",
    "The new rooms are on the ground floor of the old grain store beside the canal, a short walk from "
    "the station. There is step-free access from the towpath and from the car park at the back, and a "
    "lift to the upper floor where the drying racks and the guillotine now live. The main room is twice "
    "the size of the old one, with daylight from the north and ten full-size benches instead of six.",
    "Sessions keep their old rhythm: three hours on Tuesday and Thursday evenings, and a long day on the "
    "last Saturday of each month for work that needs the press overnight. Each term still runs for ten "
    "weeks, and the fee, which includes paper, thread, board and cloth for the set pieces, is unchanged. "
    "Materials for your own projects can be bought at cost from the stores cupboard.",
    "The first term covers the single-section pamphlet, the multi-section case binding and a simple "
    "slipcase. The second moves on to rounding and backing, headbands sewn in silk, and leather quarter "
    "bindings. Those who finish both may join the repair group, which works through the parish "
    "registers lent to us by the county record office, under the eye of its conservator.",
    "We ask every student to bring a bone folder, a steel rule of at least thirty centimetres, a sharp "
    "knife with spare blades and an apron. Everything else is provided. If you would rather not buy "
    "tools before you know that the craft suits you, the workshop lends a basic kit for the first "
    "term; please tell us by the end of January so that we can put one aside.",
    "Because the glue and the presses need watching, the workshop cannot take children under fourteen, "
    "and students between fourteen and sixteen come with an adult who also enrols. We keep a first-aid "
    "kit and a trained first-aider in every session, and we will ask you at the first session to read "
    "and sign the short safety note that hangs beside the guillotine.",
    "Several of you asked whether the evening sessions could be recorded for those who travel. We have "
    "tried this, and found that a camera over the bench shows much less than a neighbour at the next "
    "one. Instead, each session now ends with a written sheet of the steps covered, with drawings, which "
    "you may take home; missed sheets can be collected from the front desk at any time.",
    "Finally, the open day. On the Saturday before term we will show the new rooms to anyone who "
    "cares to come, with demonstrations every hour and the finished work of last year's students on "
    "display. It would be a pleasure to see you there, and to hear what you hope to make this year. "
    "Please bring anyone who might like to join us; tea and cake are on the house.",
};

// WriteText never starts a page by itself: before a block of `height` points, start a new page (same
// margins, same background) when the block would reach below the bottom margin.
void EnsureRoom(paginor::PDF& pdf, int16_t height) {
  int16_t x = 0, y = 0, width = 0, pageHeight = 0, left = 0, top = 0, right = 0, bottom = 0;
  pdf.GetPosition(x, y);
  pdf.GetPageDimensions(width, pageHeight);
  pdf.GetPageMargins(left, top, right, bottom);
  if (y + height > pageHeight - top - bottom) {
    uint8_t red = 0, green = 0, blue = 0;
    pdf.GetPageColor(red, green, blue);
    pdf.NewPage(left, top, right, bottom, red, green, blue);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "letter.pdf";

  paginor::PDF pdf;
  pdf.SetTitle("Letter about the new workshop rooms");
  pdf.SetAuthor("Canalside Bindery");
  pdf.SetPaperSize(paginor::PaperSizeConstants::A4);
  // A letter goes by mail: the same pages in a small file, each page's content compressed.
  pdf.SetCompact(true);
  if (!pdf.Create(path)) {
    std::fprintf(stderr, "cannot create %s\n", path);
    return 1;
  }
  // One-inch margins. A paragraph that runs past the bottom margin starts a new page with the same
  // margins and background by itself.
  pdf.NewPage(72, 72, 72, 72, 255, 255, 255);
  bool ok = true;

  // Letterhead: right-aligned lines under the name in bold.
  pdf.SetFont(FontNumberConstants::Helvetica, 14, FontStyleConstants::Bold, FontEffectConstants::NoFontEffect);
  ok = pdf.WriteText("Canalside Bindery", true, 4, AlignmentConstants::RightAlign) && ok;
  pdf.SetFont(FontNumberConstants::Helvetica, 9, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  for (const char* line : {"The Grain Store, Wharf Road", "Lowbridge LB2 9QT", "hello@canalside.example"}) {
    ok = pdf.WriteText(line, true, 2, AlignmentConstants::RightAlign) && ok;
  }

  // Recipient and date.
  pdf.SetFont(FontNumberConstants::Times, 11, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  pdf.SetPosition(0, 90);
  for (const char* line : {"Ms Marta Okafor", "3 Mill Street", "Lowbridge LB1 4RS"}) {
    ok = pdf.WriteText(line, true, 3) && ok;
  }
  pdf.SetPosition(0, 150);
  ok = pdf.WriteText("8 December 2026", true, 0, AlignmentConstants::RightAlign) && ok;

  pdf.SetPosition(0, 180);
  ok = pdf.WriteText("Dear Ms Okafor,", true, 10) && ok;
  pdf.SetFont(FontNumberConstants::Times, 11, FontStyleConstants::Bold, FontEffectConstants::Underline);
  ok = pdf.WriteText("The workshop reopens in February", true, 10) && ok;

  // The body: justified paragraphs over the whole width, 3 points between lines and a blank of 8
  // points between paragraphs.
  pdf.SetFont(FontNumberConstants::Times, 11, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  for (const char* paragraph : kParagraphs) {
    ok = pdf.WriteMultiText(paragraph, 3, AlignmentConstants::NoAlignment, true) && ok;
    int16_t x = 0, y = 0;
    pdf.GetPosition(x, y);
    pdf.SetPosition(-1, static_cast<int16_t>(y + 8));  // ignored at the foot of the page
  }

  EnsureRoom(pdf, 80);  // the closing stays in one piece
  ok = pdf.WriteText("Yours sincerely,", true, 30) && ok;
  ok = pdf.WriteText("Ada Lindqvist", true, 2) && ok;
  pdf.SetFont(FontNumberConstants::Times, 11, FontStyleConstants::Italic, FontEffectConstants::NoFontEffect);
  ok = pdf.WriteText("Head of the workshop", true) && ok;

  if (!pdf.Flush() || !ok) {
    std::fprintf(stderr, "could not write %s\n", path);
    return 1;
  }
  std::printf("%s\n", path);
  return 0;
}
