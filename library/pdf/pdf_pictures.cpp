// Pictures in PDF: a content stream that places and paints the image, the image object with its pixel
// data, for indexed pictures a palette stream that its colour space names, for transparent pictures a
// soft mask of their opacity, and the note of what a picture appended, so that a picture failing part
// way can be taken back.
#include "pdf/pdf_writer.h"
#include "services/failure.h"

namespace paginor {
namespace {

std::string_view FilterLine(EncodingConstants encoding) {
  switch (encoding) {
    case EncodingConstants::ASCII85: return "/Filter /ASCII85Decode";
    case EncodingConstants::ASCIIHex: return "/Filter /ASCIIHexDecode";
    case EncodingConstants::RunLength: return "/Filter /RunLengthDecode";
    case EncodingConstants::Flate: return "/Filter /FlateDecode";
  }
  return {};
}

}  // namespace

void PdfWriter::DrawPicture(const PlacedPicture& placed) {
  EmbeddedPicture& picture = placed.picture;
  const EncodingConstants encoding = placed.encoding;
  // Encoded first: a failing encoder then leaves less to take back.
  const std::span<const uint8_t> pixels = picture.Pixels(encoding);
  const std::span<const uint8_t> palette = picture.Indexed() ? picture.Palette(encoding) : std::span<const uint8_t>();
  const std::span<const uint8_t> opacity =
      picture.Transparent() ? picture.Opacity(encoding) : std::span<const uint8_t>();

  // The unit square scaled to the drawn size and flipped, its top-left corner at the position: the first
  // data row, the picture's bottom row, comes out at the bottom.
  BeginContentStream(true);
  Lines.Put(int64_t{placed.width}).Put(" 0 0 -").Put(int64_t{placed.height}).Put(' ').Put(int64_t{placed.topLeft.x});
  Lines.Put(' ').Put(int64_t{placed.topLeft.y}).Put(" cm").EndLine();
  Lines.Put("/I").Put(static_cast<int64_t>(ImageObjects.size())).Put(" Do").EndLine();
  EndStream();

  ImageObjects.push_back(WriteImageObject(picture, encoding));
  BeginStream();
  WriteStreamData(pixels);
  EndStream();
  if (picture.Indexed()) WriteDataStreamObject(palette, encoding);
  if (picture.Transparent()) {
    WriteSoftMask(picture, opacity, encoding);
    HoldsSoftMask = true;
  }
}

int32_t PdfWriter::BeginImageObject(const EmbeddedPicture& picture, bool named) {
  const int32_t number = NewObject();
  Lines.AddLine("<<");
  Lines.AddLine("/Type /XObject");
  Lines.AddLine("/Subtype /Image");
  if (named) Lines.Put("/Name /I").Put(static_cast<int64_t>(ImageObjects.size())).EndLine();
  Lines.Put("/Width ").Put(int64_t{picture.Width()}).EndLine();
  Lines.Put("/Height ").Put(int64_t{picture.Height()}).EndLine();
  return number;
}

int32_t PdfWriter::WriteImageObject(const EmbeddedPicture& picture, EncodingConstants encoding) {
  const int32_t number = BeginImageObject(picture, true);
  const uint8_t bits = picture.BitsPerPixel();
  if (picture.Indexed()) {
    // The palette is the object after the image's length object.
    Lines.Put("/BitsPerComponent ").Put(int64_t{bits}).EndLine();
    Lines.Put("/ColorSpace [ /Indexed /DeviceRGB ").Put((int64_t{1} << bits) - 1).Put(' ');
    Lines.Put(int64_t{number} + 2).Put(" 0 R ]").EndLine();
  } else if (bits == 24) {
    Lines.AddLine("/BitsPerComponent 8");
    Lines.AddLine("/ColorSpace /DeviceRGB");
    // Transparent pictures have no palette: their soft mask is the object after the length object.
    if (picture.Transparent()) Lines.Put("/SMask ").Put(int64_t{number} + 2).Put(" 0 R").EndLine();
  }
  Lines.AddLine(FilterLine(encoding));
  Lines.Put("/Length ").Put(int64_t{number} + 1).Put(" 0 R").EndLine();
  Lines.AddLine(">>");
  return number;
}

void PdfWriter::WriteSoftMask(const EmbeddedPicture& picture, std::span<const uint8_t> opacity,
                              EncodingConstants encoding) {
  // A greyscale image of the picture's size: its levels are the opacity of the picture's pixels.
  const int32_t number = BeginImageObject(picture, false);
  Lines.AddLine("/BitsPerComponent 8");
  Lines.AddLine("/ColorSpace /DeviceGray");
  Lines.AddLine(FilterLine(encoding));
  Lines.Put("/Length ").Put(int64_t{number} + 1).Put(" 0 R").EndLine();
  Lines.AddLine(">>");
  BeginStream();
  WriteStreamData(opacity);
  EndStream();
}

int32_t PdfWriter::WriteDataStreamObject(std::span<const uint8_t> data, EncodingConstants encoding) {
  const int32_t number = BeginStreamObject(FilterLine(encoding));
  BeginStream();
  WriteStreamData(data);
  EndStream();
  return number;
}

void PdfWriter::WriteStreamData(std::span<const uint8_t> data) {
  // The whole encoded data is one line, byte for byte.
  Lines.Put(std::string_view(reinterpret_cast<const char*>(data.data()), data.size())).EndLine();
}

void PdfWriter::NoteState() {
  // A picture taken back must leave the page's content before it as it is: none of it stays held.
  MoveHeldContent();
  NotedState = {LastObject,           ContentObjects.size(), AnnotObjects.size(), ImageObjects.size(),
                OpenTypeObjects.size(), StateSaved,            HoldsSoftMask,       PageContent.size(),
                PageText,               PageFigure};
}

void PdfWriter::RestoreState() {
  DropUnfinishedContentStream();
  // What the picture left held goes with it, unless the layout took its bytes back already.
  if (HeldContent && Lines.Offset() >= HeldStart) HeldContent->TakeBack();
  HeldContent.reset();
  LastObject = NotedState.lastObject;
  Offsets.Truncate(LastObject);
  ContentObjects.resize(NotedState.contents);
  AnnotObjects.resize(NotedState.annotations);
  ImageObjects.resize(NotedState.images);
  OpenTypeObjects.resize(NotedState.openTypeFaces);
  StateSaved = NotedState.stateSaved;
  HoldsSoftMask = NotedState.holdsSoftMask;
  PageContent.resize(NotedState.pageContent);
  PageText = NotedState.pageText;
  PageFigure = NotedState.pageFigure;
}

}  // namespace paginor
