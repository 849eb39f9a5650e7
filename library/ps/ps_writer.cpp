// The document structure in PostScript: the DSC header, pages with their marks and their own set-up
// (orientation and background), and the trailer.
#include "ps/ps_writer.h"

#include <ctime>

#include "paginor/enumerations.h"
#include "platform/platform_services.h"
#include "ps/ps_encoding.h"
#include "ps/ps_procedures.h"
#include "services/code_page.h"

namespace paginor {
namespace {

// The creation date as "ddd mmm d hh:mm:ss yyyy", with the day and month names of the process's locale.
std::string CreationDate() {
  const std::tm now = CreationTime();
  char names[64];
  char clock[16];
  if (std::strftime(names, sizeof names, "%a %b", &now) == 0) names[0] = '\0';
  if (std::strftime(clock, sizeof clock, "%H:%M:%S", &now) == 0) clock[0] = '\0';
  return std::string(names) + ' ' + std::to_string(now.tm_mday) + ' ' + clock + ' ' +
         std::to_string(int64_t{now.tm_year} + 1900);
}

}  // namespace

PsWriter::PsWriter(DocumentOutput& output, const FontCatalogue& fonts)
    : Output(output), Lines(output.Lines), Fonts(fonts) {}

void PsWriter::WriteComment(std::string_view name, std::string_view value) {
  std::string codes = ToWindows1252(value);
  // A line break would end the comment and start a line of its own: CR LF, CR and LF become one blank.
  size_t kept = 0;
  for (size_t index = 0; index < codes.size(); ++index) {
    const char code = codes[index];
    if (code == '\r' && index + 1 < codes.size() && codes[index + 1] == '\n') continue;
    codes[kept++] = code == '\r' || code == '\n' ? ' ' : code;
  }
  codes.resize(kept);
  Lines.Put(name).Put(codes).EndLine();
}

void PsWriter::BeginDocument(const DocumentSetup& setup) {
  Pages = 0;
  DashInForce = false;
  TurnedOutsidePage = false;
  RotatedAtCreate = setup.rotated;
  Landscape = setup.landscape;
  PageWidth = setup.pageWidth;
  PageHeight = setup.pageHeight;
  Background = Rgb{255, 255, 255};
  Compact = setup.compact;
  PageFont = FontCatalogue::Unset;
  Embedded.clear();
  RefusedFaces.clear();
  CountedFooters.clear();
  FooterTexts.clear();
  Lines.Put("%!PS-Adobe-").Put(VersionText).EndLine();
  Lines.Put("%%BoundingBox: 0 0 ").Put(int64_t{PageWidth}).Put(' ').Put(int64_t{PageHeight}).EndLine();
  Lines.Put("%%CreationDate: ").Put(ToWindows1252(CreationDate())).EndLine();
  WriteComment("%%Creator: ", setup.creator);
  // Clean8Bit until a picture puts binary data in the file.
  Lines.Put("%%DocumentData: ");
  Output.PutHeadField("Clean8Bit");
  Lines.EndLine();
  Lines.Put("%%DocumentMedia: ").Put(setup.mediaName).Put(' ').Put(int64_t{PageWidth}).Put(' ');
  Lines.Put(int64_t{PageHeight}).Put(" 0 () ()").EndLine();
  WriteComment("%%For: ", setup.author);
  Lines.Put("%%Orientation: ").Put(Landscape ? "Landscape" : "Portrait").EndLine();
  Lines.AddLine("%%PageOrder: Ascend");
  Lines.Put("%%Pages: ");
  Output.PutCountField();
  Lines.EndLine();
  WriteComment("%%Title: ", setup.title);
  // The language level and the resources, when the document embeds fonts (ps_opentype.cpp).
  Output.PutLateField();
  Lines.AddLine("%%EndComments");
  Lines.AddLine("%%BeginProlog");
  WriteWinAnsiProlog(Lines);
  if (Compact) WriteCompactProcedures(Lines);
  Output.PutLateField();  // the font resources
  Lines.AddLine("%%EndProlog");
}

void PsWriter::WriteOrientationSetUp() {
  if (Landscape != RotatedAtCreate) {
    Lines.AddLine("90 rotate");
    Lines.Put("0 -").Put(int64_t{PageHeight}).Put(" translate").EndLine();
  } else if (Landscape) {
    Lines.AddLine("180 rotate");
    Lines.Put('-').Put(int64_t{PageHeight}).Put(" -").Put(int64_t{PageWidth}).Put(" translate").EndLine();
  }
}

void PsWriter::TurnBeforeFirstPage() {
  Lines.AddLine("gsave");
  WriteOrientationSetUp();
  TurnedOutsidePage = true;
}

void PsWriter::EndOutsideTurn() {
  if (!TurnedOutsidePage) return;
  Lines.AddLine("grestore");
  TurnedOutsidePage = false;
}

void PsWriter::BeginPage(const PageSetup& page) {
  // Whatever was drawn before the first page keeps its turn to itself.
  EndOutsideTurn();
  // Every page is labelled with the page count and numbered from 1.
  Output.SetFieldCount(++Pages);
  Lines.Put("%%Page: ");
  Output.PutCountField();
  Lines.Put(' ').Put(Pages).EndLine();
  // The page's own set-up: "showpage" reset the coordinate system, and a page printed alone finds it
  // unturned too. The background ends the set-up.
  Lines.AddLine("%%BeginPageSetup");
  WriteOrientationSetUp();
  PageFont = FontCatalogue::Unset;
  PaintBackground(page);
  Lines.AddLine("%%EndPageSetup");
}

void PsWriter::PaintBackground(const PageSetup& page) {
  Background = page.background;
  const int64_t width = page.width, height = page.height;
  if (Compact) {
    PaintCompactBackground(width, height);
    return;
  }
  Lines.AddLine("newpath");
  Lines.Put("0 ").Put(height).Put(" moveto").EndLine();
  Lines.Put(width).Put(" 0 rlineto").EndLine();
  Lines.Put("0 -").Put(height).Put(" rlineto").EndLine();
  Lines.Put('-').Put(width).Put(" 0 rlineto").EndLine();
  Lines.Put("0 ").Put(height).Put(" rlineto").EndLine();
  Lines.AddLine("closepath");
  Lines.Put(Colours.Of(Background)).Put(" setrgbcolor").EndLine();
  Lines.AddLine("gsave");
  Lines.AddLine("fill");
  Lines.AddLine("grestore");
  Lines.Put(Colours.Of(Background)).Put(" setrgbcolor").EndLine();
  Lines.AddLine("stroke");
}

void PsWriter::EndPage(bool /*rotated: taken at Create*/) {
  EndOutsideTurn();
  Lines.AddLine("showpage");
  DashInForce = false;
}

void PsWriter::EndDocument() {
  RecordCountedFooters();
  if (!Embedded.empty() || !CountedFooters.empty()) {
    Output.SetLateTexts(
        [this](size_t index, const ByteSink& put, std::string& reason) { return WriteLateText(index, put, reason); });
  }
  Lines.AddLine("%%Trailer");
  Lines.AddLine("%%EOF");
}

}  // namespace paginor
