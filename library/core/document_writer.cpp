#include "core/document_writer.h"

#include <algorithm>
#include <utility>

#include "core/dash_array.h"
#include "core/footer_text.h"
#include "core/pass_over.h"
#include "platform/platform_services.h"
#include "services/code_page.h"
#include "services/failure.h"

namespace paginor {
namespace {

bool IsPaperSize(int32_t code) {
  switch (code) {
    case 1: case 3: case 4: case 5: case 7: case 8: case 9: case 11: case 14:
      return true;
    default:
      return false;
  }
}

// The copyright notice as the footer shows it by default: "(c)" for every "©".
std::string DefaultFooter() {
  std::string notice = LibraryCopyright();
  const std::string_view sign = "\u00a9";
  for (size_t at = notice.find(sign); at != std::string::npos; at = notice.find(sign, at + 3)) {
    notice.replace(at, sign.size(), "(c)");
  }
  return notice;
}

}  // namespace

DocumentWriter::DocumentWriter(std::string version)
    : Version(std::move(version)), Footer(DefaultFooter()), FooterCodes(ToWindows1252(Footer)) {
  Lines.Clear(FileHandle.get());  // before Create, output goes nowhere
}

DocumentWriter::~DocumentWriter() = default;

bool DocumentWriter::Create(const std::string& file) {
  if (!ValidPageSetup()) return false;
  auto output = std::make_unique<OutputFile>();
  const bool opened = output->Open(file, HasCountFields());
  return StartDocument(std::move(output), opened, false);
}

bool DocumentWriter::Create(ByteSink sink) {
  if (!ValidPageSetup()) return false;
  auto output = std::make_unique<OutputFile>();
  const bool opened = output->Open(std::move(sink), HasCountFields(), "the output function");
  return StartDocument(std::move(output), opened, false);
}

bool DocumentWriter::CreateInMemory() {
  if (!ValidPageSetup()) return false;
  auto output = std::make_unique<OutputFile>();
  const bool opened = output->Open(
      [this](std::string_view bytes) {
        Collected.append(bytes);
        return true;
      },
      HasCountFields(), "the document in memory");
  return StartDocument(std::move(output), opened, true);
}

std::string DocumentWriter::TakeOutput() {
  if (!CollectedComplete) return {};
  CollectedComplete = false;
  return std::exchange(Collected, {});
}

bool DocumentWriter::RewriteOutput(int64_t offset, std::string_view bytes) {
  if (Lines.Overwrite(offset, bytes) || FileHandle->Rewrite(offset, bytes)) return true;
  // The bytes a document collected in memory were handed over from its first byte on.
  const auto end = offset + static_cast<int64_t>(bytes.size());
  if (!CollectingInMemory || offset < 0 || end > static_cast<int64_t>(Collected.size())) return false;
  Collected.replace(static_cast<size_t>(offset), bytes.size(), bytes);
  return true;
}

bool DocumentWriter::ValidPageSetup() {
  const auto orientation = static_cast<OrientationConstants>(Orientation);
  if (orientation != OrientationConstants::Portrait && orientation != OrientationConstants::Landscape) {
    return Refuse(FailureConstants::InvalidArgument,
                  "the orientation " + std::to_string(Orientation) + " is neither Portrait (1) nor Landscape (2)");
  }
  if (!IsPaperSize(PaperSize)) {
    return Refuse(FailureConstants::InvalidArgument,
                  "the paper size " + std::to_string(PaperSize) + " is not one of the PaperSizeConstants");
  }
  return true;
}

bool DocumentWriter::StartDocument(std::unique_ptr<OutputFile> output, bool opened, bool inMemory) {
  // An output that did not open changes nothing: the earlier document stays open, or its collected
  // bytes stay there to take.
  if (!opened) return Refuse(output->FailureReason(), output->FailureText());
  // The new output replaces the earlier one, which is given up with whatever it collected.
  FileHandle = std::move(output);
  Collected.clear();
  CollectedComplete = false;
  CollectingInMemory = inMemory;
  try {
    Lines.Clear(FileHandle.get());
    Services.SetOrientation(Orientation);
    Services.SetPaperSize(PaperSize);
    MediaName.clear();
    Services.PaperDimensions(PageWidth, PageHeight, MediaName);
    WriteDocumentHead();
    ResetDrawingState();
  } catch (...) {
    FileHandle->Close();
    return false;
  }
  return true;
}

void DocumentWriter::ResetDrawingState() {
  Color = "0 0 0";
  Dash.clear();
  FillColor = "0 0 0";
  FillStyle = false;
  FontNumber = 1;
  FontHeight = 8;
  FontStyle = 1;
  FontEffect = 0;
  MarginLeft = MarginTop = MarginRight = MarginBottom = 0;
  PageColor = "1 1 1";
  PictureWidth = PictureHeight = 0;
  Thickness = 1;
  PageOpen = false;
  PagesBegun = 0;
}

bool DocumentWriter::Flush() {
  if (!FileHandle->IsOpen()) {
    return Refuse(FailureConstants::NoPage, "no document is open: Create was not called, or it was already written");
  }
  // Every step runs even when an earlier one failed. A document whose closing part could not be
  // written is not delivered: its file is emptied as after any other failure.
  PassOver([&] { EndPage(); });
  const bool closed = PassOver([&] { WriteDocumentTail(); });
  if (!closed) FileHandle->Close();
  const bool written = closed && FileHandle->Finish(Lines);
  Lines.Clear(FileHandle.get());  // the closed file takes nothing more: later output is dropped
  CollectedComplete = written && CollectingInMemory;
  if (!written) {
    Collected.clear();
    // The format names its limit where it knows it; this stands for any other cause.
    if (!closed) return Refuse(FailureConstants::InternalFailure, "the end of the document could not be written");
    return Refuse(FileHandle->FailureReason(), FileHandle->FailureText());
  }
  return true;
}

std::string DocumentWriter::NewPage(int16_t marginleft, int16_t margintop, int16_t marginright,
                                    int16_t marginbottom, uint8_t red, uint8_t green, uint8_t blue) {
  if (PageOpen) EndPage();
  PageOpen = true;
  PagesBegun = CheckedInt32(int64_t{PagesBegun} + 1);
  PassOver([&] { StartPageContent(); });
  // The margins must leave more than 20 points of the page in each direction.
  std::string ignored;
  const bool negative = marginleft < 0 || margintop < 0 || marginright < 0 || marginbottom < 0;
  if (!negative && marginleft + marginright < PageWidth - 20 && margintop + marginbottom < PageHeight - 20) {
    MarginLeft = marginleft;
    MarginTop = margintop;
    MarginRight = marginright;
    MarginBottom = marginbottom;
  } else {
    ignored = "the margins " + std::to_string(marginleft) + ", " + std::to_string(margintop) + ", " +
              std::to_string(marginright) + ", " + std::to_string(marginbottom) +
              (negative ? " include a negative one"
                        : " leave 20 points or less of the " + std::to_string(PageWidth) + " by " +
                              std::to_string(PageHeight) + " points page") +
              "; the page keeps the margins " + std::to_string(MarginLeft) + ", " + std::to_string(MarginTop) +
              ", " + std::to_string(MarginRight) + ", " + std::to_string(MarginBottom);
  }
  PageColor = Services.FormatColor(red, green, blue);
  PassOver([&] { BeginPage(); });
  PassOver([&] { PaintBackground(); });
  PositionX = 0;
  PositionY = PageHeight;
  LineStartX = 0;
  return ignored;
}

void DocumentWriter::EndPage() {
  const std::string savedColor = Color;
  const int32_t savedNumber = FontNumber, savedStyle = FontStyle, savedEffect = FontEffect;
  const uint8_t savedHeight = FontHeight;
  int16_t savedX = 0, savedY = 0;
  PassOver([&] { GetPosition(savedX, savedY); });

  PassOver([&] { WriteFooter(); });

  Color = savedColor;
  SetFont(savedNumber, savedHeight, savedStyle, savedEffect);
  PassOver([&] { SetPosition(savedX, savedY); });
  PassOver([&] { FinishPage(); });
}

void DocumentWriter::SetFooter(std::string footer) {
  FooterCodes = ToWindows1252(footer);
  Footer = std::move(footer);
}

bool DocumentWriter::NoPageOpen() {
  if (!FileHandle->IsOpen()) {
    Refuse(FailureConstants::NoPage, "no document is open: Create comes before drawing, and Flush ends it");
    return true;
  }
  // Before the first page nothing drawn would show: the page would paint over it, or drop it.
  if (PageOpen) return false;
  Refuse(FailureConstants::NoPage, "no page is open: NewPage starts the first page");
  return true;
}

void DocumentWriter::WriteFooter() {
  if (FooterCodes.empty()) return;  // no footer at all
  Color = "0 0 0";
  SetFont(Code(FontNumberConstants::Times), 10, Code(FontStyleConstants::Regular),
          Code(FontEffectConstants::NoFontEffect));
  SetPosition(-1, CheckedInt16(AvailableHeight() - FooterBand));
  WritingFooter = true;
  struct EndOfFooter {
    bool& writing;
    ~EndOfFooter() { writing = false; }
  } endOfFooter{WritingFooter};
  // A page ended by Flush before any NewPage is the document's first.
  const int32_t page = std::max(PagesBegun, 1);
  if (FooterCodes.find_first_of("{}") == std::string::npos) {
    WriteCodes(FooterCodes, false, 0, Code(AlignmentConstants::Center), {});
  } else if (!NamesPageCount(FooterCodes)) {
    WriteCodes(FilledFooter(FooterCodes, page, 0), false, 0, Code(AlignmentConstants::Center), {});
  } else {
    // The count is not known yet, but it is at least this page's number: a footer already too wide
    // with it is left out, as any footer too wide is.
    const std::string least = FilledFooter(FooterCodes, page, page);
    const int16_t width = Services.TextWidth(least, FontNumber, FontHeight, FontStyle);
    if (LineFits("the footer", CurrentY(), FontHeight) && width <= AvailableWidth()) EmitCountedFooter(FooterCodes, page);
  }
}

void DocumentWriter::SetColor(uint8_t red, uint8_t green, uint8_t blue) {
  Color = Services.FormatColor(red, green, blue);
}

void DocumentWriter::GetColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Services.ParseColor(Color, red, green, blue);
}

void DocumentWriter::SetFillColor(uint8_t red, uint8_t green, uint8_t blue) {
  FillColor = Services.FormatColor(red, green, blue);
}

void DocumentWriter::GetFillColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Services.ParseColor(FillColor, red, green, blue);
}

void DocumentWriter::GetPageColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Services.ParseColor(PageColor, red, green, blue);
}

std::string DocumentWriter::SetDash(std::string_view dash) {
  // A valid pattern is kept as the caller wrote it, so that the output shows the caller's own text.
  if (dash.empty() || IsDashArray(dash)) {
    Dash = dash;
    return {};
  }
  return "the dash \"" + std::string(dash.substr(0, 80)) + (dash.size() > 80 ? "...\"" : "\"") +
         " is not one to sixteen non-negative numbers, not all zero; the dash stays \"" + Dash + "\"";
}

std::string DocumentWriter::SetThickness(uint8_t thickness) {
  if (thickness == 0) return "the thickness 0 is below 1; it stays " + std::to_string(Thickness);
  Thickness = thickness;
  return {};
}

std::string DocumentWriter::SetPictureDimensions(int16_t width, int16_t height) {
  if (width <= 0 || height <= 0) {
    return "the picture dimensions " + std::to_string(width) + " by " + std::to_string(height) +
           " are not both above 0; they stay " + std::to_string(PictureWidth) + " by " + std::to_string(PictureHeight);
  }
  PictureWidth = width;
  PictureHeight = height;
  return {};
}

void DocumentWriter::GetPictureDimensions(int16_t& width, int16_t& height) const {
  width = PictureWidth;
  height = PictureHeight;
}

std::string DocumentWriter::SetPosition(int16_t x, int16_t y) {
  std::string ignored;
  if (x >= 0 && x <= AvailableWidth()) {
    PositionX = x;
    LineStartX = x;
  } else if (x != -1) {
    ignored = "x " + std::to_string(x) + " lies outside 0 to " + std::to_string(AvailableWidth()) + "; x stays " +
              std::to_string(PositionX);
  }
  if (y >= 0 && y <= AvailableHeight()) {
    PositionY = CheckedInt16(PageHeight - y);
  } else if (y != -1) {
    ignored += ignored.empty() ? "" : "; ";
    ignored += "y " + std::to_string(y) + " lies outside 0 to " + std::to_string(AvailableHeight()) + "; y stays " +
               std::to_string(CurrentY());
  }
  return ignored;
}

void DocumentWriter::GetPosition(int16_t& x, int16_t& y) const {
  x = PositionX;
  y = CurrentY();
}

void DocumentWriter::GetPageDimensions(int16_t& width, int16_t& height) const {
  width = PageWidth;
  height = PageHeight;
}

void DocumentWriter::GetPageMargins(int16_t& marginleft, int16_t& margintop, int16_t& marginright,
                                    int16_t& marginbottom) const {
  marginleft = MarginLeft;
  margintop = MarginTop;
  marginright = MarginRight;
  marginbottom = MarginBottom;
}

void DocumentWriter::BeginPage() {}

void DocumentWriter::EmitLink(std::string_view, int16_t, int16_t, int16_t, int16_t) {}

int16_t DocumentWriter::PageX(int16_t x) const { return CheckedInt16(MarginLeft + x); }

int16_t DocumentWriter::PageY(int16_t y) const { return CheckedInt16(PageHeight - MarginTop - y); }

int16_t DocumentWriter::AvailableWidth() const { return CheckedInt16(PageWidth - MarginLeft - MarginRight); }

int16_t DocumentWriter::AvailableHeight() const { return CheckedInt16(PageHeight - MarginTop - MarginBottom); }

int16_t DocumentWriter::ContentHeight() const {
  const bool band = !FooterCodes.empty() && !WritingFooter;
  return CheckedInt16(AvailableHeight() - (band ? FooterBand : 0));
}

void DocumentWriter::GetSpaceLeft(int16_t& width, int16_t& height) const {
  width = height = 0;
  if (PagesBegun == 0) return;
  width = static_cast<int16_t>(std::max(AvailableWidth() - PositionX, 0));
  height = static_cast<int16_t>(std::max(ContentHeight() - CurrentY(), 0));
}

int16_t DocumentWriter::CurrentY() const { return CheckedInt16(PageHeight - PositionY); }

}  // namespace paginor
