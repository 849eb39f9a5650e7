// The public face of a document: every operation forwards to the layout and lets nothing escape. This
// is the one place where failures reach the caller: operations with a result report them (see
// LastFailure), the others end quietly.
#include "paginor/document.h"

#include <string_view>
#include <utility>

#include "document/document_body.h"
#include "platform/platform_services.h"

namespace paginor {
namespace {

// Runs an operation on the document's layout so that nothing escapes: an internal failure, or running
// out of memory, ends it with the fallback result. body is nullptr when the document could not be made.
template <typename BodyType, typename Result, typename Operation>
Result Guarded(BodyType* body, Result fallback, Operation&& operation) noexcept {
  if (body == nullptr) return fallback;
  try {
    return std::forward<Operation>(operation)(body->Layout);
  } catch (...) {
    return fallback;
  }
}

// Runs an operation that changes the document without a result (a setter, NewPage). Called from inside
// the document's own output function, it is ignored: the operation handing bytes to the function is
// still running on this document.
template <typename BodyType, typename Operation>
void Changed(BodyType* body, Operation&& operation) noexcept {
  Guarded(body, 0, [&](PageLayout& layout) {
    if (!layout.InOutputFunction()) std::forward<Operation>(operation)(layout);
    return 0;
  });
}

// Runs a setter, which returns what it ignored of its values; that is recorded as an invalid argument,
// named after the setter. A setter that took every value leaves the last failure as it is.
template <typename BodyType, typename Setter>
void ChangedReporting(BodyType* body, const char* name, Setter&& setter) noexcept {
  Changed(body, [&](PageLayout& layout) {
    std::string ignored = setter(layout);
    if (ignored.empty()) return;
    layout.Report.Clear();
    layout.Report.Refuse(FailureConstants::InvalidArgument, std::string(name) + ": " + ignored);
  });
}

// Runs an operation with a result and keeps why it failed: the reason the operation recorded, else an
// internal failure. The message names the operation, and goes to the message handler when failure
// messages are asked for. Called from inside the document's own output function, the operation is
// refused, and the refusal kept apart from the report of the operation still running.
template <typename BodyType, typename Operation>
bool Reported(BodyType* body, const char* name, Operation&& operation) noexcept {
  if (body == nullptr) return false;
  PageLayout& layout = body->Layout;
  const auto record = [&](FailureReport& report, FailureConstants reason, std::string message) noexcept {
    try {
      report.Refuse(reason, std::move(message));
      report.Message.insert(0, std::string(name) + ": ");
      ShowFailure(report.Message);
    } catch (...) {
    }
  };
  if (layout.InOutputFunction()) {
    layout.NestedReport.Clear();
    record(layout.NestedReport, FailureConstants::CalledFromOutput,
           "called from inside the document's own output function");
    return false;
  }
  layout.Report.Clear();
  const bool succeeded = Guarded(body, false, std::forward<Operation>(operation));
  if (succeeded) {
    layout.Report.Clear();
    return true;
  }
  record(layout.Report, FailureConstants::InternalFailure, "a value overflowed or memory ran out");
  return false;
}

const std::string& NoText() {
  static const std::string nothing;
  return nothing;
}

}  // namespace

Document::Document(BodyMaker make) : MakeBody(make) {
  OwnBody = make();
  Announce();
}

Document::~Document() = default;
Document::Document(Document&&) noexcept = default;

Document& Document::operator=(Document&& other) noexcept {
  // A document handing bytes to its output function is still being written: neither side changes.
  if (this != &other && !InOutputFunction() && !other.InOutputFunction()) {
    MakeBody = other.MakeBody;
    OwnBody = std::move(other.OwnBody);
  }
  return *this;
}

void Document::Announce() { ShowMessage("Initialize()", LibraryTitle(), MessageIcon::Information); }

bool Document::InOutputFunction() const noexcept { return OwnBody && OwnBody->Layout.InOutputFunction(); }

Document::Body* Document::Inside() const noexcept {
  try {
    if (!OwnBody) OwnBody = MakeBody();
    return OwnBody.get();
  } catch (...) {
    return nullptr;
  }
}

void Document::Changed(const std::function<void(Body&)>& change) noexcept {
  Body* body = Inside();
  paginor::Changed(body, [&](PageLayout&) { change(*body); });
}

const std::string& Document::TextOf(const std::function<const std::string&(Body&)>& read) const noexcept {
  Body* body = Inside();
  return *Guarded(body, &NoText(), [&](PageLayout&) { return &read(*body); });
}

const std::string& Document::Author() const {
  return *Guarded(Inside(), &NoText(), [](PageLayout& layout) { return &layout.Author; });
}
void Document::SetAuthor(std::string value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.Author = std::move(value); });
}
const std::string& Document::Creator() const {
  return *Guarded(Inside(), &NoText(), [](PageLayout& layout) { return &layout.Creator; });
}
void Document::SetCreator(std::string value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.Creator = std::move(value); });
}
const std::string& Document::Title() const {
  return *Guarded(Inside(), &NoText(), [](PageLayout& layout) { return &layout.Title; });
}
void Document::SetTitle(std::string value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.Title = std::move(value); });
}
OrientationConstants Document::Orientation() const {
  return Guarded(Inside(), OrientationConstants::Portrait, [](PageLayout& layout) { return layout.Orientation; });
}
void Document::SetOrientation(OrientationConstants value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.Orientation = value; });
}
PaperSizeConstants Document::PaperSize() const {
  return Guarded(Inside(), PaperSizeConstants::A4, [](PageLayout& layout) { return layout.PaperSize; });
}
void Document::SetPaperSize(PaperSizeConstants value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.PaperSize = value; });
}
bool Document::Rotated() const {
  return Guarded(Inside(), false, [](PageLayout& layout) { return layout.Rotated; });
}
void Document::SetRotated(bool value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.Rotated = value; });
}
bool Document::Compact() const {
  return Guarded(Inside(), false, [](PageLayout& layout) { return layout.Compact; });
}
void Document::SetCompact(bool value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.Compact = value; });
}
const std::string& Document::Footer() const {
  return *Guarded(Inside(), &NoText(), [](PageLayout& layout) { return &layout.GetFooter(); });
}
void Document::SetFooter(std::string value) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.SetFooter(std::move(value)); });
}
bool Document::SetFooterFont(const std::string& family, uint8_t fontheight) {
  return Reported(Inside(), "SetFooterFont",
                  [&](PageLayout& layout) { return layout.SetFooterFont(family, fontheight); });
}
const std::string& Document::Version() const {
  Body* body = Inside();
  return *Guarded(body, &NoText(), [&](PageLayout&) { return &body->Format->Version(); });
}

bool Document::Create(const std::string& file) {
  return Reported(Inside(), "Create", [&](PageLayout& layout) { return layout.Create(file); });
}

bool Document::Create(OutputFunction output) {
  return Reported(Inside(), "Create", [&](PageLayout& layout) { return layout.Create(std::move(output)); });
}

bool Document::CreateInMemory() {
  return Reported(Inside(), "CreateInMemory", [](PageLayout& layout) { return layout.CreateInMemory(); });
}

std::string Document::TakeOutput() {
  Body* body = Inside();
  return Guarded(body, std::string(), [&](PageLayout&) { return body->Output.TakeOutput(); });
}

FailureConstants Document::LastFailure() const {
  return Guarded(Inside(), FailureConstants::InternalFailure,
                 [](PageLayout& layout) { return layout.LastReport().Reason; });
}

const std::string& Document::LastFailureMessage() const {
  return *Guarded(Inside(), &NoText(), [](PageLayout& layout) { return &layout.LastReport().Message; });
}

bool Document::Flush() {
  return Reported(Inside(), "Flush", [](PageLayout& layout) { return layout.Flush(); });
}

void Document::NewPage(int16_t marginleft, int16_t margintop, int16_t marginright, int16_t marginbottom,
                       uint8_t red, uint8_t green, uint8_t blue) {
  ChangedReporting(Inside(), "NewPage", [&](PageLayout& layout) {
    return layout.NewPage(marginleft, margintop, marginright, marginbottom, Rgb{red, green, blue});
  });
}

namespace {

void Spread(Rgb colour, uint8_t& red, uint8_t& green, uint8_t& blue) {
  red = colour.red;
  green = colour.green;
  blue = colour.blue;
}

}  // namespace

void Document::SetColor(uint8_t red, uint8_t green, uint8_t blue) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.SetColor({red, green, blue}); });
}
void Document::GetColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) { return Spread(layout.GetColor(), red, green, blue), 0; });
}
void Document::SetFillColor(uint8_t red, uint8_t green, uint8_t blue) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.SetFillColor({red, green, blue}); });
}
void Document::GetFillColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) { return Spread(layout.GetFillColor(), red, green, blue), 0; });
}
void Document::GetPageColor(uint8_t& red, uint8_t& green, uint8_t& blue) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) { return Spread(layout.GetPageColor(), red, green, blue), 0; });
}
void Document::SetDash(const std::string& dash) {
  ChangedReporting(Inside(), "SetDash", [&](PageLayout& layout) { return layout.SetDash(dash); });
}
std::string Document::GetDash() const {
  return Guarded(Inside(), std::string(), [](PageLayout& layout) { return layout.GetDash(); });
}
void Document::SetFillStyle(bool fillstyle) {
  paginor::Changed(Inside(), [&](PageLayout& layout) { layout.SetFillStyle(fillstyle); });
}
bool Document::GetFillStyle() const {
  return Guarded(Inside(), false, [](PageLayout& layout) { return layout.GetFillStyle(); });
}
void Document::SetThickness(uint8_t thickness) {
  ChangedReporting(Inside(), "SetThickness", [&](PageLayout& layout) { return layout.SetThickness(thickness); });
}
uint8_t Document::GetThickness() const {
  return Guarded(Inside(), uint8_t{0}, [](PageLayout& layout) { return layout.GetThickness(); });
}
void Document::SetPictureDimensions(int16_t width, int16_t height) {
  ChangedReporting(Inside(), "SetPictureDimensions",
                   [&](PageLayout& layout) { return layout.SetPictureDimensions(width, height); });
}
void Document::GetPictureDimensions(int16_t& width, int16_t& height) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) { return layout.GetPictureDimensions(width, height), 0; });
}
void Document::SetPosition(int16_t x, int16_t y) {
  ChangedReporting(Inside(), "SetPosition", [&](PageLayout& layout) { return layout.SetPosition(x, y); });
}
void Document::GetPosition(int16_t& x, int16_t& y) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) { return layout.GetPosition(x, y), 0; });
}
void Document::GetPageDimensions(int16_t& width, int16_t& height) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) { return layout.GetPageDimensions(width, height), 0; });
}
void Document::GetPageMargins(int16_t& marginleft, int16_t& margintop, int16_t& marginright,
                              int16_t& marginbottom) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) {
    return layout.GetPageMargins(marginleft, margintop, marginright, marginbottom), 0;
  });
}
int32_t Document::PageNumber() const {
  return Guarded(Inside(), int32_t{0}, [](PageLayout& layout) { return layout.PageNumber(); });
}
void Document::GetSpaceLeft(int16_t& width, int16_t& height) const {
  Guarded(Inside(), 0, [&](PageLayout& layout) { return layout.GetSpaceLeft(width, height), 0; });
}

bool Document::DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  return Reported(Inside(), "DrawLine", [&](PageLayout& layout) { return layout.DrawLine(x1, y1, x2, y2); });
}
bool Document::DrawRectangle(int16_t x, int16_t y, int16_t width, int16_t height) {
  return Reported(Inside(), "DrawRectangle",
                  [&](PageLayout& layout) { return layout.DrawRectangle(x, y, width, height); });
}
bool Document::DrawCircle(int16_t x, int16_t y, int16_t r) {
  return Reported(Inside(), "DrawCircle", [&](PageLayout& layout) { return layout.DrawCircle(x, y, r); });
}
bool Document::DrawEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) {
  return Reported(Inside(), "DrawEllipse", [&](PageLayout& layout) { return layout.DrawEllipse(x, y, rx, ry); });
}
bool Document::DrawArc(int16_t x, int16_t y, int16_t r, float th1, float th2) {
  return Reported(Inside(), "DrawArc", [&](PageLayout& layout) { return layout.DrawArc(x, y, r, th1, th2); });
}
bool Document::DrawCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) {
  return Reported(Inside(), "DrawCurve",
                  [&](PageLayout& layout) { return layout.DrawCurve(x1, y1, x2, y2, x3, y3); });
}

void Document::SetFont(FontNumberConstants fontnumber, uint8_t fontheight, FontStyleConstants fontstyle,
                       FontEffectConstants fonteffect) {
  ChangedReporting(Inside(), "SetFont", [&](PageLayout& layout) {
    return layout.SetFont(fontnumber, fontheight, fontstyle, fonteffect);
  });
}
bool Document::SetFont(const std::string& family, uint8_t fontheight, FontStyleConstants fontstyle,
                       FontEffectConstants fonteffect) {
  std::string ignored;
  const bool found = Reported(Inside(), "SetFont", [&](PageLayout& layout) {
    return layout.SetFont(family, fontheight, fontstyle, fonteffect, ignored);
  });
  // The font was set: a height, style or effect it replaced is recorded as the other SetFont records it.
  if (found && !ignored.empty()) ChangedReporting(Inside(), "SetFont", [&](PageLayout&) { return ignored; });
  return found;
}
std::string Document::FontFamily() const {
  return Guarded(Inside(), std::string(), [](PageLayout& layout) { return layout.FontFamily(); });
}
void Document::GetFont(FontNumberConstants& fontnumber, uint8_t& fontheight, FontStyleConstants& fontstyle,
                       FontEffectConstants& fonteffect) const {
  Guarded(Inside(), 0,
          [&](PageLayout& layout) { return layout.GetFont(fontnumber, fontheight, fontstyle, fonteffect), 0; });
}

double Document::TextWidth(const std::string& text) const {
  return Guarded(Inside(), 0.0, [&](PageLayout& layout) { return static_cast<double>(layout.TextWidth(text)); });
}

bool Document::WriteText(const std::string& text, bool carriagereturn, uint8_t dy, AlignmentConstants alignment,
                         const std::string& hyperlink) {
  return Reported(Inside(), "WriteText", [&](PageLayout& layout) {
    return layout.WriteText(text, carriagereturn, dy, alignment, hyperlink);
  });
}
bool Document::WriteMultiText(const std::string& text, uint8_t dy, AlignmentConstants alignment, bool justified,
                              int16_t width) {
  return Reported(Inside(), "WriteMultiText", [&](PageLayout& layout) {
    return layout.WriteMultiText(text, dy, alignment, justified, width);
  });
}
bool Document::WriteTitle(const std::string& text, AlignmentConstants alignment, BulletConstants bullet,
                          const std::string& hyperlink) {
  return Reported(Inside(), "WriteTitle",
                  [&](PageLayout& layout) { return layout.WriteTitle(text, alignment, bullet, hyperlink); });
}

bool Document::DrawPicture(const std::string& file, AlignmentConstants alignment, EncodingConstants encoding) {
  return DrawPicture(file, alignment, std::string(), encoding);
}

bool Document::DrawPicture(const std::string& file, AlignmentConstants alignment, const std::string& hyperlink,
                           EncodingConstants encoding) {
  return Reported(Inside(), "DrawPicture",
                  [&](PageLayout& layout) { return layout.DrawPicture(file, alignment, hyperlink, encoding); });
}

}  // namespace paginor
