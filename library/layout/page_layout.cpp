// The document and page lifecycle, the drawing state and the footer.
#include "layout/page_layout.h"

#include <algorithm>
#include <utility>

#include "core/dash_array.h"
#include "core/footer_text.h"
#include "core/pass_over.h"
#include "fonts/text_measure.h"
#include "platform/platform_services.h"
#include "services/code_page.h"
#include "services/enumeration_codes.h"
#include "services/failure.h"
#include "services/paper.h"
#include "typeset/document_fonts.h"

namespace paginor {
namespace {

// The copyright notice as the footer shows it by default: "(c)" for every "©".
std::string DefaultFooter() {
  std::string notice = LibraryCopyright();
  const std::string_view sign = "\u00a9";
  for (size_t at = notice.find(sign); at != std::string::npos; at = notice.find(sign, at + 3)) {
    notice.replace(at, sign.size(), "(c)");
  }
  return notice;
}

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

}  // namespace

PageLayout::PageLayout(DocumentOutput& output, FontCatalogue& fonts, FormatWriter& format)
    : Output(output), Fonts(fonts), Format(format), Footer(DefaultFooter()), FooterCodes(ToWindows1252(Footer)) {}

bool PageLayout::Create(const std::string& file) {
  return ValidPageSetup() && Output.Create(file, Format.HasCountFields(), Report) && StartDocument();
}

bool PageLayout::Create(ByteSink sink) {
  return ValidPageSetup() && Output.Create(std::move(sink), Format.HasCountFields(), Report) && StartDocument();
}

bool PageLayout::CreateInMemory() {
  return ValidPageSetup() && Output.CreateInMemory(Format.HasCountFields(), Report) && StartDocument();
}

bool PageLayout::ValidPageSetup() {
  if (Orientation != OrientationConstants::Portrait && Orientation != OrientationConstants::Landscape) {
    return Refuse(FailureConstants::InvalidArgument, "the orientation " + std::to_string(Code(Orientation)) +
                                                         " is neither Portrait (1) nor Landscape (2)");
  }
  if (!IsPaperSize(PaperSize)) {
    return Refuse(FailureConstants::InvalidArgument,
                  "the paper size " + std::to_string(Code(PaperSize)) + " is not one of the PaperSizeConstants");
  }
  return true;
}

bool PageLayout::StartDocument() {
  try {
    MediaName.clear();
    PaperDimensions(PaperSize, Orientation, PageWidth, PageHeight, MediaName);
    DocumentSetup setup;
    setup.author = Author;
    setup.creator = Creator;
    setup.title = Title;
    setup.pageWidth = PageWidth;
    setup.pageHeight = PageHeight;
    setup.mediaName = MediaName;
    setup.landscape = Orientation == OrientationConstants::Landscape;
    setup.rotated = Rotated;
    setup.compact = Compact;
    Fonts.Typeset().ForgetDrawn();
    Format.BeginDocument(setup);
    ResetDrawingState();
  } catch (...) {
    Output.Abandon();
    return false;
  }
  return true;
}

void PageLayout::ResetDrawingState() {
  Color = Black;
  Dash.clear();
  FillColor = Black;
  FillStyle = false;
  FontNumber = FontNumberConstants::Courier;
  FontHeight = 8;
  FontStyle = FontStyleConstants::Regular;
  FontEffect = FontEffectConstants::NoFontEffect;
  Font = Fonts.Standard(FontNumber, FontStyle);
  MarginLeft = MarginTop = MarginRight = MarginBottom = 0;
  PageColor = White;
  PictureWidth = PictureHeight = 0;
  Thickness = 1;
  PageOpen = false;
  PagesBegun = 0;
}

bool PageLayout::Flush() {
  if (!Output.IsOpen()) {
    return Refuse(FailureConstants::NoPage, "no document is open: Create was not called, or it was already written");
  }
  // Every step runs even when an earlier one failed. A document whose closing part could not be
  // written is not delivered: its file is emptied as after any other failure.
  PassOver([&] { EndPage(); });
  const bool closed = PassOver([&] { Format.EndDocument(); }, Report);
  if (Output.Finish(closed)) return true;
  // The format names its limit where it knows it; this stands for any other cause.
  if (!closed) return Refuse(FailureConstants::InternalFailure, "the end of the document could not be written");
  return Refuse(Output.FailureReason(), Output.FailureText());
}

std::string PageLayout::NewPage(int16_t marginleft, int16_t margintop, int16_t marginright, int16_t marginbottom,
                                Rgb background) {
  if (PageOpen) EndPage();
  PageOpen = true;
  PagesBegun = CheckedInt32(int64_t{PagesBegun} + 1);
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
  PageColor = background;
  PassOver([&] { Format.BeginPage({PageWidth, PageHeight, PageColor}); });
  PositionX = 0;
  PositionY = 0;
  LineStartX = 0;
  return ignored;
}

void PageLayout::EndPage() {
  const Rgb savedColor = Color;
  const FontNumberConstants savedNumber = FontNumber;
  const FontStyleConstants savedStyle = FontStyle;
  const FontEffectConstants savedEffect = FontEffect;
  const uint8_t savedHeight = FontHeight;
  const FontHandle savedFont = Font;  // an OpenType font too
  const int16_t savedX = PositionX, savedY = PositionY;

  PassOver([&] { WriteFooter(); });

  Color = savedColor;
  SetFont(savedNumber, savedHeight, savedStyle, savedEffect);
  Font = savedFont;
  PassOver([&] { SetPosition(savedX, savedY); });
  PassOver([&] { Format.EndPage(Rotated); });
}

void PageLayout::SetFooter(std::string footer) {
  FooterCodes = ToWindows1252(footer);
  Footer = std::move(footer);
}

bool PageLayout::NoPageOpen() {
  if (!Output.IsOpen()) {
    Refuse(FailureConstants::NoPage, "no document is open: Create comes before drawing, and Flush ends it");
    return true;
  }
  // Before the first page nothing drawn would show: the page would paint over it, or drop it.
  if (PageOpen) return false;
  Refuse(FailureConstants::NoPage, "no page is open: NewPage starts the first page");
  return true;
}

void PageLayout::WriteFooter() {
  if (FooterCodes.empty()) return;  // no footer at all
  Color = Black;
  SetFont(FontNumberConstants::Times, 10, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  if (FooterFont != FontCatalogue::Unset) {
    Font = FooterFont;
    FontHeight = FooterHeight;
  }
  SetPosition(-1, CheckedInt16(AvailableHeight() - FooterBand));
  WritingFooter = true;
  struct EndOfFooter {
    bool& writing;
    ~EndOfFooter() { writing = false; }
  } endOfFooter{WritingFooter};
  // An OpenType footer is shaped from its text, a standard one measured in its codes.
  const bool shaped = IsOpenType();
  const std::string& text = shaped ? Footer : FooterCodes;
  const auto write = [&](std::string_view line) {
    if (shaped) return WriteShaped(line, 0, false, 0, AlignmentConstants::Center, {});
    return WriteCodes(line, false, 0, AlignmentConstants::Center, {});
  };
  // A page ended by Flush before any NewPage is the document's first.
  const int32_t page = std::max(PagesBegun, 1);
  if (text.find_first_of("{}") == std::string::npos) {
    write(text);
  } else if (!NamesPageCount(text)) {
    write(FilledFooter(text, page, 0));
  } else {
    // The count is not known yet, but it is at least this page's number: a footer already too wide
    // with it is left out, as any footer too wide is.
    const std::string least = FilledFooter(text, page, page);
    const int64_t width = shaped ? ShapedPoints(least) : paginor::TextWidth(least, CurrentFace(), FontHeight);
    if (LineFits("the footer", PositionY, FontHeight) && width <= AvailableWidth()) {
      const int16_t baseline = CheckedInt16(PageY(PositionY) - FontHeight);
      Format.DrawCountedFooter({PageX(0), AvailableWidth(), baseline, Font, FontHeight, Color, text, page});
    }
  }
}

std::string PageLayout::SetDash(std::string_view dash) {
  // A valid pattern is kept as the caller wrote it, so that the output shows the caller's own text.
  if (dash.empty() || IsDashArray(dash)) {
    Dash = dash;
    return {};
  }
  return "the dash \"" + std::string(dash.substr(0, 80)) + (dash.size() > 80 ? "...\"" : "\"") +
         " is not one to sixteen non-negative numbers, not all zero; the dash stays \"" + Dash + "\"";
}

std::string PageLayout::SetThickness(uint8_t thickness) {
  if (thickness == 0) return "the thickness 0 is below 1; it stays " + std::to_string(Thickness);
  Thickness = thickness;
  return {};
}

std::string PageLayout::SetPictureDimensions(int16_t width, int16_t height) {
  if (width <= 0 || height <= 0) {
    return "the picture dimensions " + std::to_string(width) + " by " + std::to_string(height) +
           " are not both above 0; they stay " + std::to_string(PictureWidth) + " by " + std::to_string(PictureHeight);
  }
  PictureWidth = width;
  PictureHeight = height;
  return {};
}

void PageLayout::GetPictureDimensions(int16_t& width, int16_t& height) const {
  width = PictureWidth;
  height = PictureHeight;
}

std::string PageLayout::SetPosition(int16_t x, int16_t y) {
  std::string ignored;
  if (x >= 0 && x <= AvailableWidth()) {
    PositionX = x;
    LineStartX = x;
  } else if (x != -1) {
    ignored = "x " + std::to_string(x) + " lies outside 0 to " + std::to_string(AvailableWidth()) + "; x stays " +
              std::to_string(PositionX);
  }
  if (y >= 0 && y <= AvailableHeight()) {
    PositionY = y;
  } else if (y != -1) {
    ignored += ignored.empty() ? "" : "; ";
    ignored += "y " + std::to_string(y) + " lies outside 0 to " + std::to_string(AvailableHeight()) + "; y stays " +
               std::to_string(PositionY);
  }
  return ignored;
}

void PageLayout::GetPosition(int16_t& x, int16_t& y) const {
  x = PositionX;
  y = PositionY;
}

void PageLayout::GetPageDimensions(int16_t& width, int16_t& height) const {
  width = PageWidth;
  height = PageHeight;
}

void PageLayout::GetPageMargins(int16_t& marginleft, int16_t& margintop, int16_t& marginright,
                                int16_t& marginbottom) const {
  marginleft = MarginLeft;
  margintop = MarginTop;
  marginright = MarginRight;
  marginbottom = MarginBottom;
}

int16_t PageLayout::PageX(int16_t x) const { return CheckedInt16(MarginLeft + x); }

int16_t PageLayout::PageY(int16_t y) const { return CheckedInt16(PageHeight - MarginTop - y); }

int16_t PageLayout::AvailableWidth() const { return CheckedInt16(PageWidth - MarginLeft - MarginRight); }

int16_t PageLayout::AvailableHeight() const { return CheckedInt16(PageHeight - MarginTop - MarginBottom); }

int16_t PageLayout::ContentHeight() const {
  const bool band = !FooterCodes.empty() && !WritingFooter;
  return CheckedInt16(AvailableHeight() - (band ? FooterBand : 0));
}

void PageLayout::GetSpaceLeft(int16_t& width, int16_t& height) const {
  width = height = 0;
  if (PagesBegun == 0) return;
  width = static_cast<int16_t>(std::max(AvailableWidth() - PositionX, 0));
  height = static_cast<int16_t>(std::max(ContentHeight() - PositionY, 0));
}

}  // namespace paginor
