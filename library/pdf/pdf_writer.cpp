#include "pdf/pdf_writer.h"

#include "core/pass_over.h"
#include "pdf/pdf_strings.h"
#include "platform/platform_services.h"
#include "services/failure.h"

namespace paginor {
namespace {

// The version a document with soft masks needs, and where the header's version starts.
constexpr std::string_view SoftMaskVersion = "1.4";
constexpr int64_t HeaderVersionOffset = 5;  // after "%PDF-"

void PutTwoDigits(LineBuffer& lines, int value) {
  const char digits[2] = {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
  lines.Put(std::string_view(digits, 2));
}

}  // namespace

PdfWriter::PdfWriter(DocumentOutput& output, const FontCatalogue& fonts)
    : Output(output), Lines(output.Lines), Fonts(fonts) {}

int32_t PdfWriter::NewObject() {
  if (HeldContent) MoveHeldContent();
  const int32_t number = CheckedInt32(int64_t{LastObject} + 1);
  Offsets.Add(Lines.Offset());
  LastObject = number;
  Lines.Put(int64_t{number}).Put(" 0 obj\r\n");
  return number;
}

int32_t PdfWriter::ReserveObject() {
  const int32_t number = CheckedInt32(int64_t{LastObject} + 1);
  Offsets.Add(0);
  LastObject = number;
  return number;
}

void PdfWriter::StartReservedObject(int32_t number) {
  if (HeldContent) MoveHeldContent();
  Offsets.Set(number, Lines.Offset());
  Lines.Put(int64_t{number}).Put(" 0 obj\r\n");
}

int32_t PdfWriter::BeginStreamObject(std::string_view filter) {
  const int32_t number = NewObject();
  PutStreamDictionary(number, filter);
  return number;
}

void PdfWriter::PutStreamDictionary(int32_t number, std::string_view filter) {
  Lines.Put("<<\r\n/Length ").Put(int64_t{number} + 1).Put(" 0 R\r\n");
  if (!filter.empty()) Lines.AddLine(filter);
  Lines.AddLine(">>");
}

void PdfWriter::BeginStream() {
  Lines.AddLine("stream");
  StreamStart = Lines.Offset();
}

void PdfWriter::EndStream(int32_t reservedLength) {
  if (OpenStream) {
    OpenStream.reset();  // a content stream of a compact page, whose bytes stay held
    return;
  }
  StreamEnd = Lines.Offset();
  Lines.Put("endstream\r\nendobj\r\n");
  WriteLengthObject(reservedLength);
}

void PdfWriter::WriteLengthObject(int32_t reserved) {
  if (reserved != 0) {
    StartReservedObject(reserved);
  } else {
    NewObject();
  }
  // The data lines without the line end before "endstream".
  Lines.Put(StreamEnd - StreamStart - 2).Put("\r\nendobj\r\n");
}

void PdfWriter::BeginContentStream(bool graphics) {
  if (Compact) {
    StartPageContent();
    if (graphics) EndPageText();
  } else {
    ContentObjects.push_back(BeginStreamObject());
    BeginStream();
  }
  SetStateSaved(graphics);
}

void PdfWriter::SetStateSaved(bool state) {
  if (StateSaved) Lines.AddLine("Q");
  if (state) Lines.AddLine("q");
  StateSaved = state;
  PageFigure.open = false;
}

void PdfWriter::BeginDocument(const DocumentSetup& setup) {
  Offsets.Clear();
  LastObject = 0;
  PageWidth = setup.pageWidth;
  PageHeight = setup.pageHeight;
  Lines.Put("%PDF-").Put(VersionText).EndLine();
  Lines.AddLine("%\xE2\xE3\xCF\xD3");  // marks the file as binary
  WriteInfo(setup);
  PagesObject = ReserveObject();
  // Every standard face of the catalogue is a resource, /F and its handle's number; OpenType faces
  // become resources as they are drawn.
  FontObjects.clear();
  for (size_t index = 0; index < FontCatalogue::StandardCount; ++index) {
    WriteFontObject({static_cast<uint16_t>(index)});
  }
  OpenTypeObjects.clear();
  ResourcesObject = ReserveObject();
  PageObjects.clear();
  ImageObjects.clear();
  HoldsSoftMask = false;
  RaisedVersion = {};
  CatalogVersion = false;
  CountedFooters.clear();
  FooterTexts.clear();
  // A new document starts with no page content, even after an earlier document on this object.
  ContentObjects.clear();
  AnnotObjects.clear();
  StateSaved = false;
  Compact = setup.compact;
  OpenStream.reset();
  HeldContent.reset();
  PageContent.clear();
  PageText = {};
  PageFigure.open = false;
}

void PdfWriter::WriteInfo(const DocumentSetup& setup) {
  InfoObject = NewObject();
  const std::tm now = CreationTime();
  Lines.AddLine("<<");
  Lines.Put("/Author ").Put(TextString(setup.author)).EndLine();
  Lines.Put("/CreationDate (D:").Put(int64_t{now.tm_year} + 1900);
  PutTwoDigits(Lines, now.tm_mon + 1);
  PutTwoDigits(Lines, now.tm_mday);
  PutTwoDigits(Lines, now.tm_hour);
  PutTwoDigits(Lines, now.tm_min);
  PutTwoDigits(Lines, now.tm_sec);
  Lines.Put(')').EndLine();
  Lines.Put("/Creator ").Put(TextString(setup.creator)).EndLine();
  Lines.Put("/Producer ").Put(TextString(Producer)).EndLine();
  Lines.Put("/Title ").Put(TextString(setup.title)).EndLine();
  Lines.Put("/Subject ").Put(TextString(Subject)).EndLine();
  Lines.Put("/Keywords ").Put(TextString(Keywords)).EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
}

void PdfWriter::WriteFontObject(FontHandle font) {
  const FontFace& face = Fonts.Face(font);
  FontObjects.push_back(NewObject());
  Lines.AddLine("<<");
  Lines.AddLine("/Type /Font");
  Lines.AddLine("/Subtype /Type1");
  Lines.Put("/BaseFont /").Put(face.postScriptName).EndLine();
  // Texts are written in Windows-1252, so the text fonts draw them with WinAnsiEncoding. Symbol and
  // ZapfDingbats must keep their own encodings: their line names no encoding readers apply.
  Lines.AddLine(face.windows1252 ? "/Encoding /WinAnsiEncoding" : "/BaseEncoding /WinAnsiEncoding");
  Lines.Put("/Name /F").Put(int64_t{font.index}).EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
}

void PdfWriter::BeginPage(const PageSetup& page) {
  ContentObjects.clear();
  AnnotObjects.clear();
  StateSaved = false;
  PageText = {};  // every page starts from the initial graphics state
  PageFigure.open = false;
  // The background: the whole page painted in its colour.
  BeginContentStream(true);
  Lines.Put(Colours.Of(page.background)).Put(" rg").EndLine();
  Lines.Put("0 0 ").Put(int64_t{page.width}).Put(' ').Put(int64_t{page.height}).Put(" re").EndLine();
  Lines.AddLine("B");
  EndStream();
}

void PdfWriter::EndPage(bool rotated) {
  WritePageStream();
  PageObjects.push_back(WritePageObject(rotated));
}

int32_t PdfWriter::WritePageObject(bool rotated) {
  const int32_t number = NewObject();
  Lines.AddLine("<<");
  Lines.AddLine("/Type /Page");
  if (!AnnotObjects.empty()) {
    Lines.Put("/Annots [ ");
    for (const int32_t annotation : AnnotObjects) Lines.Put(int64_t{annotation}).Put(" 0 R ");
    Lines.Put(']').EndLine();
  }
  if (!ContentObjects.empty()) {
    Lines.Put("/Contents [ ");
    for (const int32_t content : ContentObjects) Lines.Put(int64_t{content}).Put(" 0 R ");
    Lines.Put(']').EndLine();
  }
  Lines.Put("/Parent ").Put(int64_t{PagesObject}).Put(" 0 R").EndLine();
  Lines.Put("/Resources ").Put(int64_t{ResourcesObject}).Put(" 0 R").EndLine();
  // A rotated page is shown turned a quarter anticlockwise, as the PostScript writer turns it.
  Lines.Put("/Rotate ").Put(rotated ? "270" : "0").EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
  return number;
}

void PdfWriter::EndDocument() {
  // Every part is written even when one before failed, but a document missing any of them is broken:
  // the failure (say, offsets past the table's ten digits) is passed on, so that Flush reports it.
  bool complete = PassOver([&] { WriteCountedFooters(); });
  // The fonts follow the footers, whose glyphs they hold too.
  complete = PassOver([&] { WriteOpenTypeFonts(); }) && complete;
  // Soft masks need PDF 1.4, CFF fonts 1.3 (WriteOpenTypeFonts says so). The header, written first, is
  // raised where it can still be changed (in memory or in a regular file); after a destination that
  // took it for good (a pipe, the caller's function), the catalog names the version, which readers take
  // over the header's.
  if (HoldsSoftMask) RaisedVersion = SoftMaskVersion;
  if (!RaisedVersion.empty() && VersionText.size() == RaisedVersion.size()) {
    CatalogVersion = !Output.Rewrite(HeaderVersionOffset, RaisedVersion);
  }
  complete = PassOver([&] { WriteResources(); }) && complete;
  complete = PassOver([&] { WritePagesObject(); }) && complete;
  complete = PassOver([&] { RootObject = WriteCatalog(); }) && complete;
  complete = PassOver([&] { WriteXref(); }) && complete;
  complete = PassOver([&] { WriteTrailer(); }) && complete;
  if (!complete) {
    Fail(FailureConstants::InternalFailure,
         "the end of the document could not be written: its byte offsets pass the ten digits of the "
         "cross-reference table (about 10 GB)");
  }
}

void PdfWriter::WriteResources() {
  StartReservedObject(ResourcesObject);
  Lines.AddLine("<<");
  Lines.Put("/Font << ");
  for (size_t index = 0; index < FontObjects.size(); ++index) {
    Lines.Put("/F").Put(static_cast<int64_t>(index)).Put(' ').Put(int64_t{FontObjects[index]}).Put(" 0 R ");
  }
  for (const auto& [face, object] : OpenTypeObjects) {
    Lines.Put("/G").Put(int64_t{object}).Put(' ').Put(int64_t{object}).Put(" 0 R ");
  }
  Lines.Put(">>").EndLine();
  Lines.AddLine("/ProcSet [ /PDF /Text /ImageC /ImageI ]");
  if (!ImageObjects.empty()) {
    Lines.Put("/XObject << ");
    for (size_t index = 0; index < ImageObjects.size(); ++index) {
      Lines.Put("/I").Put(static_cast<int64_t>(index)).Put(' ').Put(int64_t{ImageObjects[index]}).Put(" 0 R ");
    }
    Lines.Put(">>").EndLine();
  }
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
}

void PdfWriter::WritePagesObject() {
  StartReservedObject(PagesObject);
  Lines.AddLine("<<");
  Lines.AddLine("/Type /Pages");
  Lines.Put("/Count ").Put(static_cast<int64_t>(PageObjects.size())).EndLine();
  Lines.Put("/MediaBox [ 0 0 ").Put(int64_t{PageWidth}).Put(' ').Put(int64_t{PageHeight}).Put(" ]").EndLine();
  Lines.Put("/Kids [ ");
  for (const int32_t page : PageObjects) Lines.Put(int64_t{page}).Put(" 0 R ");
  Lines.Put(']').EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
}

int32_t PdfWriter::WriteCatalog() {
  const int32_t number = NewObject();
  Lines.AddLine("<<");
  Lines.AddLine("/Type /Catalog");
  Lines.Put("/Pages ").Put(int64_t{PagesObject}).Put(" 0 R").EndLine();
  if (CatalogVersion) Lines.Put("/Version /").Put(RaisedVersion).EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
  return number;
}

void PdfWriter::WriteXref() {
  StartXref = Lines.Offset();
  Lines.AddLine("xref");
  Lines.Put("0 ").Put(int64_t{LastObject} + 1).EndLine();
  Lines.AddLine("0000000000 65535 f");  // object 0, the head of the free list
  Offsets.WriteTo(Lines);
}

void PdfWriter::WriteTrailer() {
  Lines.AddLine("trailer");
  Lines.AddLine("<<");
  Lines.Put("/Size ").Put(int64_t{LastObject} + 1).EndLine();
  Lines.Put("/Info ").Put(int64_t{InfoObject}).Put(" 0 R").EndLine();
  Lines.Put("/Root ").Put(int64_t{RootObject}).Put(" 0 R").EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("startxref");
  Lines.Put(StartXref).EndLine();
  Lines.AddLine("%%EOF");
}

}  // namespace paginor
