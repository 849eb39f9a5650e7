// Pictures in PostScript: an inline image of type 1 whose data follows in the file, read through the
// decoding filter of its encoding; indexed pictures carry their palette as a hexadecimal string.
// PostScript has no soft masks: transparent pictures are composited over the page's colour.
#include <array>

#include "ps/ps_writer.h"
#include "services/failure.h"

namespace paginor {
namespace {

std::string_view FilterLine(EncodingConstants encoding) {
  switch (encoding) {
    case EncodingConstants::ASCII85: return "  /ASCII85Decode filter";
    case EncodingConstants::ASCIIHex: return "  /ASCIIHexDecode filter";
    case EncodingConstants::RunLength: return "  /RunLengthDecode filter";
    case EncodingConstants::Flate: return "  /FlateDecode filter";
  }
  return {};
}

std::string_view Bytes(std::span<const uint8_t> data) {
  return std::string_view(reinterpret_cast<const char*>(data.data()), data.size());
}

}  // namespace

void PsWriter::DrawPicture(const PlacedPicture& placed) {
  EmbeddedPicture& picture = placed.picture;
  const EncodingConstants encoding = placed.encoding;
  TurnOutsidePage();
  // Encoded first: a failing encoder then leaves less to take back.
  const std::span<const uint8_t> pixels =
      picture.PixelsOver({Background.red, Background.green, Background.blue}, encoding);
  const bool indexed = picture.Indexed();
  const std::span<const uint8_t> palette =
      indexed ? picture.Palette(EncodingConstants::ASCIIHex) : std::span<const uint8_t>();
  const int64_t top = placed.topLeft.y;
  const int64_t left = placed.topLeft.x;
  const int64_t pixelWidth = picture.Width(), pixelHeight = picture.Height();
  const uint8_t bits = picture.BitsPerPixel();
  const int64_t highestIndex = (int64_t{1} << bits) - 1;

  // The unit square scaled to the drawn size with its top-left corner at the position; the image
  // matrix puts the first data row, the picture's bottom row, at the bottom.
  Lines.AddLine("gsave");
  Lines.Put(left).Put(' ').Put(top).Put(" translate").EndLine();
  Lines.Put(int64_t{placed.width}).Put(' ').Put(int64_t{placed.height}).Put(" scale").EndLine();
  if (indexed) {
    Lines.Put("[ /Indexed /DeviceRGB ").Put(highestIndex).Put(" <").Put(Bytes(palette)).Put(" ] setcolorspace");
    Lines.EndLine();
  } else {
    Lines.AddLine("/DeviceRGB setcolorspace");
  }
  Lines.AddLine("<<");
  Lines.AddLine("  /ImageType 1");
  Lines.Put("  /BitsPerComponent ").Put(int64_t{indexed ? bits : 8}).EndLine();
  Lines.Put("  /Width ").Put(pixelWidth).EndLine();
  Lines.Put("  /Height ").Put(pixelHeight).EndLine();
  Lines.Put("  /ImageMatrix [").Put(pixelWidth).Put(" 0 0 ").Put(pixelHeight).Put(" 0 ").Put(pixelHeight);
  Lines.Put(']').EndLine();
  if (indexed) {
    Lines.Put("  /Decode [0 ").Put(highestIndex).Put(']').EndLine();
  } else {
    Lines.AddLine("  /Decode [0 1 0 1 0 1]");
  }
  Lines.AddLine("  /DataSource currentfile");
  Lines.AddLine(FilterLine(encoding));
  Lines.AddLine(">>");
  Lines.AddLine("image");
  // The whole encoded data is one line, byte for byte.
  Lines.AddLine(Bytes(pixels));
  Lines.AddLine("grestore");
  // Run-length and Flate data are raw bytes, which a spooler must pass on untouched.
  if (encoding == EncodingConstants::RunLength || encoding == EncodingConstants::Flate) Output.SetHeadField("Binary");
}

}  // namespace paginor
