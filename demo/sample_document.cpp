#include "sample_document.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "settings_file.h"

namespace paginor::demo {
namespace {

using enum AlignmentConstants;
using enum FontNumberConstants;
using enum FontStyleConstants;
using enum FontEffectConstants;

// The texts of the sample that come from the settings file.
struct SampleTexts {
  std::string FirstTitle;  // "Const1"
  std::string Line;        // "Const2"
  std::string Paragraph;   // "Const3"
  std::string SecondTitle; // "Const4"
};

SampleTexts ReadSampleTexts(const ProgramPaths& paths) {
  return {ReadSetting(paths.SettingsFile, SettingsSection, "Const1"),
          ReadSetting(paths.SettingsFile, SettingsSection, "Const2"),
          ReadSetting(paths.SettingsFile, SettingsSection, "Const3"),
          ReadSetting(paths.SettingsFile, SettingsSection, "Const4")};
}

// y moved down by dy points, held at the largest point value (which no page holds, so the figure is
// refused) rather than wrapping.
int16_t Below(int16_t y, int dy) {
  return static_cast<int16_t>(std::min<int>(y + dy, std::numeric_limits<int16_t>::max()));
}

// The sample page, the same calls for every format (through the calls every document shares, a PDF
// writes no hyperlinks). Refused calls are passed over: the document keeps whatever was drawn.
void DrawSample(Document& document, const std::string& heading, const SampleTexts& texts,
                const std::string& picture) {
  document.NewPage(40, 20, 40, 20, 255, 255, 192);
  document.SetColor(255, 0, 0);
  document.SetFont(Times, 20, BoldItalic, Underline);
  document.WriteText(heading, true, 10, Center);
  document.SetColor(0, 0, 0);
  document.SetFont(Times, 16, Bold, NoFontEffect);
  document.WriteTitle(texts.FirstTitle, LeftAlign, BulletConstants::Disc);

  document.SetColor(0, 0, 255);
  document.SetFont(Courier, 14, Regular, NoFontEffect);
  document.SetPosition(10, 50);
  document.WriteText(texts.Line, true, 0, NoAlignment);
  document.SetFont(Courier, 14, Bold, NoFontEffect);
  document.WriteText(texts.Line, true, 0, LeftAlign);
  document.SetFont(Courier, 14, Italic, Strikethrough);
  document.WriteText(texts.Line, true, 0, Center);
  document.SetFont(Courier, 14, BoldItalic, Underline);
  document.WriteText(texts.Line, true, 0, RightAlign);
  document.SetFont(Courier, 10, Bold, NoFontEffect);
  document.WriteMultiText(texts.Paragraph, 0, Center, true, 160);
  document.WriteText("", true, 0, NoAlignment);
  document.SetColor(0, 0, 0);
  document.SetFont(Times, 16, Bold, NoFontEffect);
  document.WriteTitle(texts.SecondTitle, LeftAlign, BulletConstants::Square);

  int16_t x = 0;
  int16_t y = 0;
  document.GetPosition(x, y);
  document.SetColor(0, 255, 0);
  document.SetFillColor(255, 255, 0);
  document.SetFillStyle(true);
  document.SetThickness(2);
  document.DrawLine(10, Below(y, 20), 510, Below(y, 40));
  document.DrawRectangle(10, Below(y, 40), 200, 20);
  document.DrawCurve(10, Below(y, 140), 65, y, 130, Below(y, 140));
  document.DrawCircle(175, Below(y, 105), 35);
  document.DrawEllipse(110, Below(y, 170), 100, 20);
  document.SetPictureDimensions(240, 180);
  document.SetPosition(260, Below(y, 50));
  document.DrawPicture(picture, NoAlignment, EncodingConstants::Flate);

  // A pie of five slices around one centre.
  document.SetColor(0, 0, 0);
  document.SetFillColor(255, 0, 0);
  document.SetThickness(1);
  const int16_t pieY = Below(y, 280);
  document.DrawArc(120, pieY, 70, 0, 65);
  document.SetFillColor(0, 0, 255);
  document.DrawArc(120, pieY, 70, 65, 140);
  document.SetFillColor(0, 255, 0);
  document.DrawArc(120, pieY, 70, 140, 190);
  document.SetFillColor(255, 255, 0);
  document.DrawArc(120, pieY, 70, 190, 340);
  document.SetFillColor(128, 128, 128);
  document.DrawArc(120, pieY, 70, 340, 360);
}

// Sets a fresh document's properties and writes the sample into file; true when the whole document
// reached the file.
bool WriteSample(Document& document, const char* heading, const DocumentFields& fields, const ProgramPaths& paths,
                 const std::string& file) {
  document.SetAuthor(fields.Author);
  document.SetCreator(fields.Creator);
  document.SetOrientation(fields.Landscape ? OrientationConstants::Landscape : OrientationConstants::Portrait);
  document.SetPaperSize(fields.PaperSize);
  document.SetRotated(fields.Rotated);
  document.SetTitle(fields.Title);
  if (!document.Create(file)) return false;
  DrawSample(document, heading, ReadSampleTexts(paths), paths.SamplePicture);
  return document.Flush();
}

// The sample in a fresh document of the format's class (it announces itself through the message
// handler), released when written.
bool WriteSample(DocumentFormat format, const DocumentFields& fields, const ProgramPaths& paths,
                 const std::string& file) {
  if (format == DocumentFormat::Pdf) {
    PDF document;
    return WriteSample(document, "Portable Document Format", fields, paths, file);
  }
  PS document;
  return WriteSample(document, "PostScript", fields, paths, file);
}

}  // namespace

std::string SampleFile(DocumentFormat format, const ProgramPaths& paths) {
  return paths.TempPath + (format == DocumentFormat::Pdf ? "Test.pdf" : "Test.ps");
}

bool WriteSampleDocument(DocumentFormat format, const DocumentFields& fields, const ProgramPaths& paths,
                         const MessageHandler& show) {
  const std::string file = SampleFile(format, paths);
  const bool written = WriteSample(format, fields, paths, file);
  if (written) {
    show(file, ProgramTitle, MessageIcon::Information);
  } else {
    show(ReadSetting(paths.SettingsFile, SettingsSection, "Const5") + " " + file, ProgramTitle,
         MessageIcon::Exclamation);
  }
  return written;
}

}  // namespace paginor::demo
