// The library's enumerations as Python enum.IntEnum classes, with the C++ names and values.
#include "casters.h"
// Separate line: the casters come first.
#include "module_parts.h"

#include <initializer_list>
#include <utility>

namespace paginor::python {
namespace {

namespace py = pybind11;

template <typename E>
void AddEnumeration(py::module_& module, const char* name, const char* doc,
                    std::initializer_list<std::pair<const char*, E>> members) {
  py::list pairs;
  for (const auto& [member, value] : members) pairs.append(py::make_tuple(member, static_cast<long>(value)));
  py::object type = py::module_::import("enum").attr("IntEnum")(name, pairs, py::arg("module") = "paginor");
  type.attr("__doc__") = doc;
  module.attr(name) = type;
  // Kept for the life of the process: the casters may run until the interpreter's last moment.
  EnumClass<E>::type = type.inc_ref().ptr();
  EnumClass<E>::members = py::dict(type.attr("_value2member_map_")).release().ptr();
}

}  // namespace

void RegisterEnumerations(py::module_& module) {
  AddEnumeration<AlignmentConstants>(
      module, "AlignmentConstants",
      "Horizontal placement of a text, title, paragraph block or picture: NoAlignment stays at the "
      "current position; LeftAlign, Center and RightAlign place it within the area inside the margins.",
      {{"NoAlignment", AlignmentConstants::NoAlignment},
       {"LeftAlign", AlignmentConstants::LeftAlign},
       {"Center", AlignmentConstants::Center},
       {"RightAlign", AlignmentConstants::RightAlign}});
  AddEnumeration<BulletConstants>(module, "BulletConstants",
                                  "The bullet drawn before a title: a filled Disc or a filled Square.",
                                  {{"Disc", BulletConstants::Disc}, {"Square", BulletConstants::Square}});
  AddEnumeration<EncodingConstants>(
      module, "EncodingConstants",
      "The filter that encodes a picture's data: ASCII85 and ASCIIHex are printable text, RunLength and "
      "Flate (deflate, usually the smallest) are binary.",
      {{"ASCII85", EncodingConstants::ASCII85},
       {"ASCIIHex", EncodingConstants::ASCIIHex},
       {"RunLength", EncodingConstants::RunLength},
       {"Flate", EncodingConstants::Flate}});
  AddEnumeration<FailureConstants>(
      module, "FailureConstants",
      "Why the last Create, Flush, Draw or Write operation that returned False failed "
      "(Document.LastFailure(); Document.LastFailureMessage() says it in words): NoFailure, "
      "InvalidArgument, DoesNotFit (the item does not fit the page's area), NoPage (no document open), "
      "FileError, PictureNotLoadable, InternalFailure, OutputAborted (the output refused the bytes, or "
      "its write raised), CalledFromOutput (a call made from inside the document's own output).",
      {{"NoFailure", FailureConstants::NoFailure},
       {"InvalidArgument", FailureConstants::InvalidArgument},
       {"DoesNotFit", FailureConstants::DoesNotFit},
       {"NoPage", FailureConstants::NoPage},
       {"FileError", FailureConstants::FileError},
       {"PictureNotLoadable", FailureConstants::PictureNotLoadable},
       {"InternalFailure", FailureConstants::InternalFailure},
       {"OutputAborted", FailureConstants::OutputAborted},
       {"CalledFromOutput", FailureConstants::CalledFromOutput},
       {"FontNotFound", FailureConstants::FontNotFound}});
  AddEnumeration<FontEffectConstants>(module, "FontEffectConstants",
                                      "A line drawn through (Strikethrough) or under (Underline) text.",
                                      {{"NoFontEffect", FontEffectConstants::NoFontEffect},
                                       {"Strikethrough", FontEffectConstants::Strikethrough},
                                       {"Underline", FontEffectConstants::Underline}});
  AddEnumeration<FontNumberConstants>(
      module, "FontNumberConstants",
      "The five standard font families; with a style they select one of the fourteen standard fonts.",
      {{"Courier", FontNumberConstants::Courier},
       {"Helvetica", FontNumberConstants::Helvetica},
       {"Times", FontNumberConstants::Times},
       {"Symbol", FontNumberConstants::Symbol},
       {"ZapfDingbats", FontNumberConstants::ZapfDingbats}});
  AddEnumeration<FontStyleConstants>(module, "FontStyleConstants",
                                     "The style of a Courier, Helvetica or Times font.",
                                     {{"Regular", FontStyleConstants::Regular},
                                      {"Bold", FontStyleConstants::Bold},
                                      {"Italic", FontStyleConstants::Italic},
                                      {"BoldItalic", FontStyleConstants::BoldItalic}});
  AddEnumeration<OrientationConstants>(
      module, "OrientationConstants", "The orientation of the pages: Portrait, or Landscape (width and height exchanged).",
      {{"Portrait", OrientationConstants::Portrait}, {"Landscape", OrientationConstants::Landscape}});
  AddEnumeration<PaperSizeConstants>(
      module, "PaperSizeConstants",
      "Paper sizes; the values are the printer paper codes of these sheets, hence the gaps.",
      {{"Letter", PaperSizeConstants::Letter},
       {"Tabloid", PaperSizeConstants::Tabloid},
       {"Ledger", PaperSizeConstants::Ledger},
       {"Legal", PaperSizeConstants::Legal},
       {"Executive", PaperSizeConstants::Executive},
       {"A3", PaperSizeConstants::A3},
       {"A4", PaperSizeConstants::A4},
       {"A5", PaperSizeConstants::A5},
       {"Folio", PaperSizeConstants::Folio}});
  AddEnumeration<MessageIcon>(module, "MessageIcon",
                              "The kind of a message the library shows (see SetMessageHandler).",
                              {{"Information", MessageIcon::Information},
                               {"Exclamation", MessageIcon::Exclamation},
                               {"Critical", MessageIcon::Critical}});
}

}  // namespace paginor::python
