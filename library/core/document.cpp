// The public face of a document: every operation forwards to the writer and lets nothing escape.
#include "paginor/document.h"

#include <string_view>
#include <utility>

#include "core/document_writer.h"
#include "core/guarded.h"
#include "core/reported.h"
#include "platform/platform_services.h"

namespace paginor {
namespace {

// Runs a setter, which returns what it ignored of its values; that is recorded as an invalid
// argument, named after the setter. A setter that took every value leaves the last failure as it is.
template <typename Setter>
void ReportIgnored(DocumentWriter& writer, const char* name, Setter&& setter) {
  std::string ignored = setter();
  if (ignored.empty()) return;
  writer.Report.Clear();
  writer.Report.Refuse(FailureConstants::InvalidArgument, std::string(name) + ": " + ignored);
}

}  // namespace

Document::~Document() = default;
Document::Document(Document&&) noexcept = default;

Document& Document::operator=(Document&& other) noexcept {
  // A document handing bytes to its output function is still being written: neither side changes.
  if (this != &other && !InOutputFunction() && !other.InOutputFunction()) {
    MakeWriter = other.MakeWriter;
    OwnWriter = std::move(other.OwnWriter);
  }
  return *this;
}

void Document::Announce() { ShowMessage("Initialize()", LibraryTitle(), MessageIcon::Information); }

bool Document::InOutputFunction() const noexcept { return OwnWriter && OwnWriter->InOutputFunction(); }

DocumentWriter& Document::Writer() const {
  if (!OwnWriter) OwnWriter = MakeWriter();
  return *OwnWriter;
}

const std::string& Document::Author() const {
  return GuardedText([&]() -> const std::string& { return Writer().Author; });
}
void Document::SetAuthor(std::string value) {
  Changed([&] { Writer().Author = std::move(value); });
}
const std::string& Document::Creator() const {
  return GuardedText([&]() -> const std::string& { return Writer().Creator; });
}
void Document::SetCreator(std::string value) {
  Changed([&] { Writer().Creator = std::move(value); });
}
const std::string& Document::Title() const {
  return GuardedText([&]() -> const std::string& { return Writer().Title; });
}
void Document::SetTitle(std::string value) {
  Changed([&] { Writer().Title = std::move(value); });
}
OrientationConstants Document::Orientation() const {
  return Guarded(OrientationConstants::Portrait,
                 [&] { return static_cast<OrientationConstants>(Writer().Orientation); });
}
void Document::SetOrientation(OrientationConstants value) {
  Changed([&] { Writer().Orientation = static_cast<int32_t>(value); });
}
PaperSizeConstants Document::PaperSize() const {
  return Guarded(PaperSizeConstants::A4, [&] { return static_cast<PaperSizeConstants>(Writer().PaperSize); });
}
void Document::SetPaperSize(PaperSizeConstants value) {
  Changed([&] { Writer().PaperSize = static_cast<int32_t>(value); });
}
bool Document::Rotated() const {
  return Guarded(false, [&] { return Writer().Rotated; });
}
void Document::SetRotated(bool value) {
  Changed([&] { Writer().Rotated = value; });
}
const std::string& Document::Footer() const {
  return GuardedText([&]() -> const std::string& { return Writer().GetFooter(); });
}
void Document::SetFooter(std::string value) {
  Changed([&] { Writer().SetFooter(std::move(value)); });
}
const std::string& Document::Version() const {
  return GuardedText([&]() -> const std::string& { return Writer().Version; });
}

bool Document::Create(const std::string& file) {
  return Reported("Create", [&] { return Writer().Create(file); });
}

bool Document::Create(OutputFunction output) {
  return Reported("Create", [&] { return Writer().Create(std::move(output)); });
}

bool Document::CreateInMemory() {
  return Reported("CreateInMemory", [&] { return Writer().CreateInMemory(); });
}

std::string Document::TakeOutput() {
  return Guarded(std::string(), [&] { return Writer().TakeOutput(); });
}

FailureConstants Document::LastFailure() const {
  return Guarded(FailureConstants::InternalFailure, [&] { return Writer().LastReport().Reason; });
}

const std::string& Document::LastFailureMessage() const {
  return GuardedText([&]() -> const std::string& { return Writer().LastReport().Message; });
}

bool Document::Flush() {
  return Reported("Flush", [&] { return Writer().Flush(); });
}

void Document::NewPage(int16_t marginleft, int16_t margintop, int16_t marginright, int16_t marginbottom,
                       uint8_t red, uint8_t green, uint8_t blue) {
  Changed([&] {
    ReportIgnored(Writer(), "NewPage",
                  [&] { return Writer().NewPage(marginleft, margintop, marginright, marginbottom, red, green, blue); });
  });
}

void Document::SetColor(uint8_t red, uint8_t green, uint8_t blue) {
  Changed([&] { Writer().SetColor(red, green, blue); });
}
void Document::GetColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Guarded([&] { Writer().GetColor(red, green, blue); });
}
void Document::SetFillColor(uint8_t red, uint8_t green, uint8_t blue) {
  Changed([&] { Writer().SetFillColor(red, green, blue); });
}
void Document::GetFillColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Guarded([&] { Writer().GetFillColor(red, green, blue); });
}
void Document::GetPageColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Guarded([&] { Writer().GetPageColor(red, green, blue); });
}
void Document::SetDash(const std::string& dash) {
  Changed([&] { ReportIgnored(Writer(), "SetDash", [&] { return Writer().SetDash(dash); }); });
}
std::string Document::GetDash() const {
  return Guarded(std::string(), [&] { return Writer().GetDash(); });
}
void Document::SetFillStyle(bool fillstyle) {
  Changed([&] { Writer().SetFillStyle(fillstyle); });
}
bool Document::GetFillStyle() const {
  return Guarded(false, [&] { return Writer().GetFillStyle(); });
}
void Document::SetThickness(uint8_t thickness) {
  Changed([&] { ReportIgnored(Writer(), "SetThickness", [&] { return Writer().SetThickness(thickness); }); });
}
uint8_t Document::GetThickness() const {
  return Guarded(uint8_t{0}, [&] { return Writer().GetThickness(); });
}
void Document::SetPictureDimensions(int16_t width, int16_t height) {
  Changed([&] {
    ReportIgnored(Writer(), "SetPictureDimensions", [&] { return Writer().SetPictureDimensions(width, height); });
  });
}
void Document::GetPictureDimensions(int16_t& width, int16_t& height) const {
  Guarded([&] { Writer().GetPictureDimensions(width, height); });
}
void Document::SetPosition(int16_t x, int16_t y) {
  Changed([&] { ReportIgnored(Writer(), "SetPosition", [&] { return Writer().SetPosition(x, y); }); });
}
void Document::GetPosition(int16_t& x, int16_t& y) const {
  Guarded([&] { Writer().GetPosition(x, y); });
}
void Document::GetPageDimensions(int16_t& width, int16_t& height) const {
  Guarded([&] { Writer().GetPageDimensions(width, height); });
}
void Document::GetPageMargins(int16_t& marginleft, int16_t& margintop, int16_t& marginright,
                              int16_t& marginbottom) const {
  Guarded([&] { Writer().GetPageMargins(marginleft, margintop, marginright, marginbottom); });
}
int32_t Document::PageNumber() const {
  return Guarded(int32_t{0}, [&] { return Writer().PageNumber(); });
}
void Document::GetSpaceLeft(int16_t& width, int16_t& height) const {
  Guarded([&] { Writer().GetSpaceLeft(width, height); });
}

bool Document::DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  return Reported("DrawLine", [&] { return Writer().DrawLine(x1, y1, x2, y2); });
}
bool Document::DrawRectangle(int16_t x, int16_t y, int16_t width, int16_t height) {
  return Reported("DrawRectangle", [&] { return Writer().DrawRectangle(x, y, width, height); });
}
bool Document::DrawCircle(int16_t x, int16_t y, int16_t r) {
  return Reported("DrawCircle", [&] { return Writer().DrawCircle(x, y, r); });
}
bool Document::DrawEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) {
  return Reported("DrawEllipse", [&] { return Writer().DrawEllipse(x, y, rx, ry); });
}
bool Document::DrawArc(int16_t x, int16_t y, int16_t r, float th1, float th2) {
  return Reported("DrawArc", [&] { return Writer().DrawArc(x, y, r, th1, th2); });
}
bool Document::DrawCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) {
  return Reported("DrawCurve", [&] { return Writer().DrawCurve(x1, y1, x2, y2, x3, y3); });
}

void Document::SetFont(FontNumberConstants fontnumber, uint8_t fontheight, FontStyleConstants fontstyle,
                       FontEffectConstants fonteffect) {
  Changed([&] {
    ReportIgnored(Writer(), "SetFont", [&] {
      return Writer().SetFont(static_cast<int32_t>(fontnumber), fontheight, static_cast<int32_t>(fontstyle),
                              static_cast<int32_t>(fonteffect));
    });
  });
}
void Document::GetFont(FontNumberConstants& fontnumber, uint8_t& fontheight, FontStyleConstants& fontstyle,
                       FontEffectConstants& fonteffect) const {
  Guarded([&] {
    int32_t number = 0, style = 0, effect = 0;
    Writer().GetFont(number, fontheight, style, effect);
    fontnumber = static_cast<FontNumberConstants>(number);
    fontstyle = static_cast<FontStyleConstants>(style);
    fonteffect = static_cast<FontEffectConstants>(effect);
  });
}

double Document::TextWidth(const std::string& text) const {
  return Guarded(0.0, [&] { return static_cast<double>(Writer().TextWidth(text)); });
}

bool Document::WriteText(const std::string& text, bool carriagereturn, uint8_t dy, AlignmentConstants alignment,
                         const std::string& hyperlink) {
  return Reported("WriteText", [&] {
    return Writer().WriteText(text, carriagereturn, dy, static_cast<int32_t>(alignment), hyperlink);
  });
}
bool Document::WriteMultiText(const std::string& text, uint8_t dy, AlignmentConstants alignment, bool justified,
                              int16_t width) {
  return Reported("WriteMultiText", [&] {
    return Writer().WriteMultiText(text, dy, static_cast<int32_t>(alignment), justified, width);
  });
}
bool Document::WriteTitle(const std::string& text, AlignmentConstants alignment, BulletConstants bullet,
                          const std::string& hyperlink) {
  return Reported("WriteTitle", [&] {
    return Writer().WriteTitle(text, static_cast<int32_t>(alignment), static_cast<int32_t>(bullet), hyperlink);
  });
}

bool Document::DrawPicture(const std::string& file, AlignmentConstants alignment, EncodingConstants encoding) {
  return DrawPicture(file, alignment, std::string(), encoding);
}

bool Document::DrawPicture(const std::string& file, AlignmentConstants alignment, const std::string& hyperlink,
                           EncodingConstants encoding) {
  return Reported("DrawPicture", [&] { return Writer().DrawPicture(file, alignment, hyperlink, encoding); });
}

}  // namespace paginor
