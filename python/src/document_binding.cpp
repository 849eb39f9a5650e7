// Document, PDF and PS for Python: the C++ operations under their C++ names, plus what Python programs
// expect: properties, Get* results as tuples, output to a path, to bytes or to a binary file-like
// object, and a context manager.
#include "casters.h"
// Separate line: the casters come first.
#include <memory>
#include <utility>

#include "fast_method.h"
#include "module_parts.h"
#include "output_target.h"

namespace paginor::python {
namespace {

namespace py = pybind11;
using py::arg;

// The SetFont of the standard fonts (the other takes a family name).
constexpr auto StandardSetFont = static_cast<void (Document::*)(FontNumberConstants, uint8_t, FontStyleConstants,
                                                                FontEffectConstants)>(&Document::SetFont);

// What a document made from Python keeps besides the C++ document: the file-like object its output
// goes to, if any.
class PythonOutput {
 public:
  virtual ~PythonOutput() = default;
  // Drops the open document without writing it, as destroying it does in C++: its file is left empty.
  // The object stays usable, like a new document.
  virtual void Drop() = 0;

  std::shared_ptr<OutputTarget> Target;
};

template <typename Format>
class PythonDocument final : public Format, public PythonOutput {
 public:
  void Drop() override {
    Format dropped(std::move(static_cast<Format&>(*this)));
    Target.reset();
  }
};

PythonOutput& OutputOf(Document& document) { return dynamic_cast<PythonOutput&>(document); }

PyObject* ErrorType = nullptr;

// Raises paginor.Error with the document's failure message, its reason in the attribute `failure`.
[[noreturn]] void RaiseFailure(const Document& document) {
  py::object error = py::reinterpret_borrow<py::object>(ErrorType)(document.LastFailureMessage());
  error.attr("failure") = document.LastFailure();
  PyErr_SetObject(ErrorType, error.ptr());
  throw py::error_already_set();
}

bool Create(Document& document, const py::object& output) {
  PythonOutput& python = OutputOf(document);
  if (!py::hasattr(output, "write")) {
    FilePath path;
    if (!LoadPath(output, path)) {
      throw py::type_error("Create() takes a path (str, bytes or os.PathLike) or a binary file-like object, not " +
                           std::string(py::str(py::type::handle_of(output).attr("__name__"))));
    }
    python.Target.reset();
    return document.Create(path.bytes);
  }
  auto target = std::make_shared<OutputTarget>(output);
  python.Target = target;
  const bool created = document.Create(OutputTarget::Function(target));
  target->RaiseKeptError();
  return created;
}

bool Flush(Document& document) {
  const bool flushed = document.Flush();
  if (std::shared_ptr<OutputTarget> target = std::exchange(OutputOf(document).Target, nullptr)) {
    target->RaiseKeptError();
  }
  return flushed;
}

// Leaving a `with` block: flushes the document (paginor.Error when that fails), or drops it when the
// block raised. A document already flushed in the block, or never created, is left as it is.
bool Exit(Document& document, const py::object& type) {
  if (!type.is_none()) {
    OutputOf(document).Drop();
    return false;
  }
  if (!Flush(document) && document.LastFailure() != FailureConstants::NoPage) RaiseFailure(document);
  return false;
}

template <typename Getter>
auto RgbTuple(Getter getter) {
  return [getter](const Document& document) {
    uint8_t red = 0, green = 0, blue = 0;
    (document.*getter)(red, green, blue);
    return py::make_tuple(red, green, blue);
  };
}

template <typename Getter>
auto SizeTuple(Getter getter) {
  return [getter](const Document& document) {
    int16_t first = 0, second = 0;
    (document.*getter)(first, second);
    return py::make_tuple(first, second);
  };
}

void BindDocument(py::module_& module) {
  using D = Document;
  py::class_<D> document(module, "Document", R"(What every Paginor document offers, whatever its format.

Not made directly: make a PDF or a PS, set its properties, call Create(), start each page with NewPage(),
draw and write, and end with Flush() - or use it as a context manager, which flushes on leaving the
block and drops the document when the block raises.

Positions and sizes are whole points (1/72 inch) from the top-left corner of the area inside the page
margins, y growing downwards. Colours are three ints 0 to 255. Texts are str, written in Windows-1252 ("?"
for a character it lacks). Draw and Write operations return False when they refuse an item (nothing is
written, nothing moves); LastFailure() tells why. Integers outside their C++ range raise ValueError,
wrong types TypeError.)");

  document
      .def("Author", &D::Author, "The author of the document; \"\" by default.")
      .def("SetAuthor", &D::SetAuthor, arg("value"), "Sets the author of the document.")
      .def("Creator", &D::Creator, "The creator (the program that made the document); \"\" by default.")
      .def("SetCreator", &D::SetCreator, arg("value"), "Sets the creator of the document.")
      .def("Title", &D::Title, "The title of the document; \"\" by default.")
      .def("SetTitle", &D::SetTitle, arg("value"), "Sets the title of the document.")
      .def("Orientation", &D::Orientation, "The orientation of the pages; Portrait by default.")
      .def("SetOrientation", &D::SetOrientation, arg("value"), "Sets the orientation of the pages (read by Create).")
      .def("PaperSize", &D::PaperSize, "The paper size; A4 by default.")
      .def("SetPaperSize", &D::SetPaperSize, arg("value"), "Sets the paper size (read by Create).")
      .def("Rotated", &D::Rotated, "Whether the pages are shown turned by a quarter turn; False by default.")
      .def("SetRotated", &D::SetRotated, arg("value"), "Sets whether the pages are shown turned by a quarter turn.")
      .def("Compact", &D::Compact, "Whether the document is written compact; False by default.")
      .def("SetCompact", &D::SetCompact, arg("value"),
           "Sets whether the next document is written compact: the same pages in far fewer bytes (read by Create).")
      .def("Version", &D::Version, "The version of the format written: \"1.2\" for PDF, \"3.0\" for PostScript.")
      .def("Footer", &D::Footer, "The text centred at the foot of every page; \"\" writes no footer.")
      .def("SetFooter", &D::SetFooter, arg("value"), "Sets the footer text, read when each page ends.")
      .def("SetFooterFont", &D::SetFooterFont, arg("family"), arg("fontheight") = 10,
           "Sets the footer's font: an OpenType family or font file in fontheight points (PDF only for "
           "now); \"\" returns to Times 10 points.")
      .def_property("author", &D::Author, &D::SetAuthor, "The author of the document.")
      .def_property("creator", &D::Creator, &D::SetCreator, "The creator of the document.")
      .def_property("title", &D::Title, &D::SetTitle, "The title of the document.")
      .def_property("orientation", &D::Orientation, &D::SetOrientation, "The orientation of the pages.")
      .def_property("paper_size", &D::PaperSize, &D::SetPaperSize, "The paper size.")
      .def_property("rotated", &D::Rotated, &D::SetRotated, "Whether the pages are turned by a quarter turn.")
      .def_property("compact", &D::Compact, &D::SetCompact, "Whether the document is written compact.")
      .def_property("footer", &D::Footer, &D::SetFooter, "The text at the foot of every page.")
      .def_property_readonly("version", &D::Version, "The version of the format written.");

  document
      .def("Create", &Create, arg("output"), R"(Starts the document, writing to `output`:
a path (str, bytes or os.PathLike; the file is replaced), or a binary file-like object whose write()
receives the document's bytes as they are produced. An exception raised by write() aborts the document
and is raised again by Flush(). Writes the head with the properties and resets the drawing state.
Returns False for an invalid orientation or paper size, or a file that cannot be created.)")
      .def("CreateInMemory", &D::CreateInMemory,
           "Starts the document as Create() does, collecting its bytes in memory for TakeOutput().")
      .def(
          "TakeOutput", [](D& self) { return py::bytes(self.TakeOutput()); },
          "After a successful Flush of a document started with CreateInMemory(): the whole document "
          "as bytes, handed over once (b\"\" afterwards, and otherwise).")
      .def("LastFailure", &D::LastFailure,
           "Why the last Create, Flush, Draw or Write operation that returned False failed; NoFailure once one succeeds.")
      .def("LastFailureMessage", &D::LastFailureMessage,
           "The message of LastFailure() in plain English, naming the operation and the argument; \"\" with NoFailure.")
      .def("Flush", &Flush, R"(Ends the last page, completes the document, writes the rest of it and closes
the output. Returns True when the whole document reached it; False on a write error or without an open
document. Raises the exception that a file-like output's write() raised, if any.)")
      .def("NewPage", &D::NewPage, arg("marginleft"), arg("margintop"), arg("marginright"), arg("marginbottom"),
           arg("red"), arg("green"), arg("blue"), R"(Ends the current page (with its footer) and starts a
new one painted in the colour (red, green, blue), with the margins in points from the page's edges (kept
from the previous page when one is negative or they leave 20 points or less). The position goes to (0, 0).)")
      .def("__enter__", [](py::object self) { return self; })
      .def(
          "__exit__", [](D& self, const py::object& type, const py::object&, const py::object&) { return Exit(self, type); },
          "Flushes the document (paginor.Error when that fails), or drops it when the block raised.");

  document
      .def("SetColor", &D::SetColor, arg("red"), arg("green"), arg("blue"), "Sets the colour of lines, outlines and text.")
      .def("GetColor", RgbTuple(&D::GetColor), "The colour of lines, outlines and text, as (red, green, blue).")
      .def("SetFillColor", &D::SetFillColor, arg("red"), arg("green"), arg("blue"),
           "Sets the colour that fills closed figures while the fill style is on.")
      .def("GetFillColor", RgbTuple(&D::GetFillColor), "The fill colour, as (red, green, blue).")
      .def("GetPageColor", RgbTuple(&D::GetPageColor), "The current page's background colour, as (red, green, blue).")
      .def("SetDash", &D::SetDash, arg("dash"),
           "Sets the dash pattern: one to sixteen non-negative numbers, not all zero (\"3 2\"); \"\" for solid "
           "lines. Anything else is ignored.")
      .def("GetDash", &D::GetDash, "The dash pattern (\"\" for solid lines).")
      .def("SetFillStyle", &D::SetFillStyle, arg("fillstyle"),
           "Sets whether closed figures are filled with the fill colour (True) or white (False).")
      .def("GetFillStyle", &D::GetFillStyle, "The fill style.")
      .def("SetThickness", &D::SetThickness, arg("thickness"), "Sets the width of lines in points (1 to 255; 0 is ignored).")
      .def("GetThickness", &D::GetThickness, "The width of lines in points.")
      .def("SetPictureDimensions", &D::SetPictureDimensions, arg("width"), arg("height"),
           "Sets the box pictures are fitted into (scaled down, never enlarged); taken when both are above 0.")
      .def("GetPictureDimensions", SizeTuple(&D::GetPictureDimensions), "The picture box as (width, height); (0, 0) for none.")
      .def("SetPosition", &D::SetPosition, arg("x") = -1, arg("y") = -1,
           "Moves the current position; a coordinate outside the area inside the margins (like -1) is left unchanged.")
      .def("GetPosition", SizeTuple(&D::GetPosition), "The current position as (x, y).")
      .def("GetPageDimensions", SizeTuple(&D::GetPageDimensions),
           "The page size in points as oriented, as (width, height); (0, 0) before Create.")
      .def(
          "GetPageMargins",
          [](const D& self) {
            int16_t left = 0, top = 0, right = 0, bottom = 0;
            self.GetPageMargins(left, top, right, bottom);
            return py::make_tuple(left, top, right, bottom);
          },
          "The current page's margins as (marginleft, margintop, marginright, marginbottom).");

  document
      .def("DrawLine", &D::DrawLine, arg("x1"), arg("y1"), arg("x2"), arg("y2"),
           "Draws a line from (x1, y1) to (x2, y2). False when an end lies outside the area inside the margins.")
      .def("DrawRectangle", &D::DrawRectangle, arg("x"), arg("y"), arg("width"), arg("height"),
           "Draws a rectangle whose top-left corner is (x, y). False when it reaches outside the area.")
      .def("DrawCircle", &D::DrawCircle, arg("x"), arg("y"), arg("r"),
           "Draws a circle of centre (x, y) and radius r. False when it reaches outside the area.")
      .def("DrawEllipse", &D::DrawEllipse, arg("x"), arg("y"), arg("rx"), arg("ry"),
           "Draws an ellipse of centre (x, y) and radii rx, ry. False when it reaches outside the area.")
      .def("DrawArc", &D::DrawArc, arg("x"), arg("y"), arg("r"), arg("th1"), arg("th2"),
           "Draws a pie slice of the circle (x, y, r) from angle th1 to th2, in degrees anticlockwise from "
           "the right. False when the circle does not fit, or for an angle that is not finite.")
      .def("DrawCurve", &D::DrawCurve, arg("x1"), arg("y1"), arg("x2"), arg("y2"), arg("x3"), arg("y3"),
           "Draws a Bezier curve from (x1, y1) with (x2, y2) as control point to (x3, y3), closed and filled.");

  document
      .def("SetFont", StandardSetFont, arg("fontnumber"), arg("fontheight"), arg("fontstyle"), arg("fonteffect"),
           "Sets the font; a height outside 8 to 72 gives 8, Symbol and ZapfDingbats are always Regular.")
      .def("SetFont", static_cast<bool (Document::*)(const std::string&, uint8_t, FontStyleConstants, FontEffectConstants)>(
                          &Document::SetFont),
           arg("family"), arg("fontheight"), arg("fontstyle") = FontStyleConstants::Regular,
           arg("fonteffect") = FontEffectConstants::NoFontEffect,
           "Sets an OpenType or TrueType font by family name or font file path (PDF only for now). False, "
           "with the font unchanged, when it is not found (FontNotFound).")
      .def("FontFamily", &D::FontFamily, "The family of the current OpenType font; empty for a standard font.")
      .def(
          "GetFont",
          [](const D& self) {
            FontNumberConstants number{};
            uint8_t height = 0;
            FontStyleConstants style{};
            FontEffectConstants effect{};
            self.GetFont(number, height, style, effect);
            return py::make_tuple(number, height, style, effect);
          },
          "The font as (fontnumber, fontheight, fontstyle, fonteffect).")
      .def("TextWidth", &D::TextWidth, arg("text"),
           "The width in points of text as one line in the current font and height, exactly as WriteText() "
           "measures it (the amount it moves the position by); 0 before Create.")
      .def("PageNumber", &D::PageNumber,
           "The number of the current page: 1 for the first, 0 before any page; pages that WriteMultiText() "
           "starts by itself count too.")
      .def("GetSpaceLeft", SizeTuple(&D::GetSpaceLeft),
           "The room left from the current position as (width, height): to the right margin and down to the "
           "bottom margin, or to the top of the footer band while the page has a footer; (0, 0) before a page.")
      .def("WriteText", &D::WriteText, arg("text"), arg("carriagereturn") = false, arg("dy") = 0,
           arg("alignment") = AlignmentConstants::NoAlignment, arg("hyperlink") = "", R"(Writes one line of text at the current
position (or aligned within the area inside the margins), without wrapping. With carriagereturn, x goes
back to the line start and y moves down by the font height plus dy. A hyperlink that is not empty makes
the text a link (in PostScript a pdfmark link, kept by a conversion to PDF). False (nothing written) when
it does not fit.)")
      .def("WriteMultiText", &D::WriteMultiText, arg("text"), arg("dy") = 0,
           arg("alignment") = AlignmentConstants::NoAlignment, arg("justified") = false, arg("width") = 0,
           R"(Writes a paragraph broken at blanks into lines of a block `width` points wide (below 1: to the
right margin, or the whole area when aligned), justified if asked, starting new pages as needed. False,
writing nothing, when a word or line cannot fit.)")
      .def("WriteTitle", &D::WriteTitle, arg("text"), arg("alignment") = AlignmentConstants::NoAlignment,
           arg("bullet") = BulletConstants::Disc, arg("hyperlink") = "",
           "Writes a title: a bullet, then the text as WriteText() with a carriage return, a hyperlink on its text.")
      .def(
          "DrawPicture",
          [](D& self, const FilePath& file, AlignmentConstants alignment, EncodingConstants encoding) {
            return self.DrawPicture(file.bytes, alignment, encoding);
          },
          arg("file"), arg("alignment") = AlignmentConstants::NoAlignment, arg("encoding") = EncodingConstants::ASCII85,
          "Draws a BMP, GIF, JPEG or PNG picture at the current position (fitted into the picture box, if "
          "set). False, writing nothing, when it cannot be read or does not fit.")
      .def(
          "DrawPicture",
          [](D& self, const FilePath& file, AlignmentConstants alignment, const std::string& hyperlink,
             EncodingConstants encoding) { return self.DrawPicture(file.bytes, alignment, hyperlink, encoding); },
          arg("file"), arg("alignment") = AlignmentConstants::NoAlignment, arg("hyperlink") = "",
          arg("encoding") = EncodingConstants::ASCII85, "DrawPicture() with a hyperlink on the picture.");
}

// The operations a page calls many times, on the class of Format: see FastMethod.
template <typename Format>
void InstallFastMethods(py::handle type) {
  using Self = PythonDocument<Format>;
  FastMethod<Self, &Document::NewPage>::Install(type, "NewPage");
  FastMethod<Self, &Document::SetColor>::Install(type, "SetColor");
  FastMethod<Self, &Document::SetFillColor>::Install(type, "SetFillColor");
  FastMethod<Self, &Document::SetFillStyle>::Install(type, "SetFillStyle");
  FastMethod<Self, &Document::SetThickness>::Install(type, "SetThickness");
  FastMethod<Self, &Document::SetPosition>::Install(type, "SetPosition");
  FastMethod<Self, StandardSetFont>::Install(type, "SetFont");
  FastMethod<Self, &Document::DrawLine>::Install(type, "DrawLine");
  FastMethod<Self, &Document::DrawRectangle>::Install(type, "DrawRectangle");
  FastMethod<Self, &Document::DrawCircle>::Install(type, "DrawCircle");
  FastMethod<Self, &Document::DrawEllipse>::Install(type, "DrawEllipse");
  FastMethod<Self, &Document::DrawArc>::Install(type, "DrawArc");
  FastMethod<Self, &Document::DrawCurve>::Install(type, "DrawCurve");
  FastMethod<Self, &Document::WriteText>::Install(type, "WriteText");
}

void BindPdf(py::module_& module) {
  py::class_<PythonDocument<PDF>, Document>(module, "PDF", R"(Writes one PDF 1.2 document.

Besides what every Document offers, a PDF has keywords, a producer and a subject.)")
      .def(py::init<>(), "A new document with the default properties.")
      .def("Keywords", &PDF::Keywords, "The keywords of the document; \"\" by default.")
      .def("SetKeywords", &PDF::SetKeywords, arg("value"), "Sets the keywords of the document.")
      .def("Producer", &PDF::Producer, "The producer of the document; \"\" by default.")
      .def("SetProducer", &PDF::SetProducer, arg("value"), "Sets the producer of the document.")
      .def("Subject", &PDF::Subject, "The subject of the document; \"\" by default.")
      .def("SetSubject", &PDF::SetSubject, arg("value"), "Sets the subject of the document.")
      .def_property("keywords", &PDF::Keywords, &PDF::SetKeywords, "The keywords of the document.")
      .def_property("producer", &PDF::Producer, &PDF::SetProducer, "The producer of the document.")
      .def_property("subject", &PDF::Subject, &PDF::SetSubject, "The subject of the document.");
  InstallFastMethods<PDF>(module.attr("PDF"));
}

}  // namespace

void RegisterDocuments(py::module_& module) {
  ErrorType = PyErr_NewExceptionWithDoc(
      "paginor.Error",
      "A document could not be completed: raised when leaving a `with` block whose Flush failed. "
      "`failure` holds the FailureConstants reason, the message says it in words.",
      nullptr, nullptr);
  if (ErrorType == nullptr) throw py::error_already_set();
  module.add_object("Error", py::handle(ErrorType));
  BindDocument(module);
  BindPdf(module);
  py::class_<PythonDocument<PS>, Document>(module, "PS", R"(Writes one PostScript document (DSC 3.0).

It offers what every Document offers (hyperlinks are written as pdfmark links, which a conversion to PDF
keeps); it has no keywords, producer or subject.)")
      .def(py::init<>(), "A new document with the default properties.");
  InstallFastMethods<PS>(module.attr("PS"));
}

}  // namespace paginor::python
