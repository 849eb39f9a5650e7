// A picture gallery: the program paints a few small BMP pictures, then places them on a page in a grid
// with captions, each embedded with another encoding, one scaled into a box and one with a link.
// Usage: gallery [output.pdf]
#include <paginor/paginor.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using paginor::EncodingConstants;

struct Rgb {
  uint8_t red, green, blue;
};

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Writes an uncompressed BMP file: 24 bits per pixel without a palette, or 8 bits per pixel indexing up
// to 256 palette colours. pixel(x, y) gives the colour (24 bits) or the index (8 bits), y = 0 on top.
template <typename Pixel>
bool WriteBmp(const std::string& path, int width, int height, int bits, const std::vector<Rgb>& palette,
              Pixel pixel) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width * bits / 8) + 3) / 4 * 4;  // rows padded to 4 bytes
  const uint32_t paletteBytes = static_cast<uint32_t>(palette.size()) * 4;
  const uint32_t dataOffset = 14 + 40 + paletteBytes;
  std::vector<uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  PutLittleEndian(file, dataOffset + rowBytes * static_cast<uint32_t>(height), 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, dataOffset, 4);
  PutLittleEndian(file, 40, 4);  // the information header
  PutLittleEndian(file, static_cast<uint32_t>(width), 4);
  PutLittleEndian(file, static_cast<uint32_t>(height), 4);  // positive: the bottom row comes first
  PutLittleEndian(file, 1, 2);
  PutLittleEndian(file, static_cast<uint32_t>(bits), 2);
  PutLittleEndian(file, 0, 4);  // no compression
  PutLittleEndian(file, rowBytes * static_cast<uint32_t>(height), 4);
  PutLittleEndian(file, 2835, 4);  // 72 dots per inch, in dots per metre
  PutLittleEndian(file, 2835, 4);
  PutLittleEndian(file, static_cast<uint32_t>(palette.size()), 4);
  PutLittleEndian(file, 0, 4);
  for (const Rgb& colour : palette) file.insert(file.end(), {colour.blue, colour.green, colour.red, 0});
  for (int y = height - 1; y >= 0; --y) {
    const size_t rowStart = file.size();
    for (int x = 0; x < width; ++x) {
      if (bits == 24) {
        const Rgb colour = pixel(x, y);
        file.insert(file.end(), {colour.blue, colour.green, colour.red});
      } else {
        file.push_back(static_cast<uint8_t>(pixel(x, y).red));
      }
    }
    file.resize(rowStart + rowBytes, 0);
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

struct Picture {
  std::string file;
  std::string caption;
  EncodingConstants encoding;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "gallery.pdf";
  const std::string stem = path.substr(0, path.rfind('.'));

  // Three pictures: a colour gradient (24 bits), stripes from a palette (8 bits), and a sunset.
  const std::string gradient = stem + "-gradient.bmp";
  const std::string stripes = stem + "-stripes.bmp";
  const std::string sunset = stem + "-sunset.bmp";
  std::vector<Rgb> stripeColours = {{230, 57, 70}, {241, 250, 238}, {168, 218, 220}, {69, 123, 157}, {29, 53, 87}};
  const bool painted =
      WriteBmp(gradient, 160, 100, 24, {},
               [](int x, int y) {
                 return Rgb{static_cast<uint8_t>(x * 255 / 159), static_cast<uint8_t>(y * 255 / 99), 160};
               }) &&
      WriteBmp(stripes, 120, 120, 8, stripeColours,
               [](int x, int y) { return Rgb{static_cast<uint8_t>((x + y) / 12 % 5), 0, 0}; }) &&
      WriteBmp(sunset, 320, 200, 24, {}, [](int x, int y) {
        const int dx = x - 160, dy = y - 130;
        if (dx * dx + dy * dy < 50 * 50 && y < 130) return Rgb{255, 200, 60};  // the sun above the sea
        if (y >= 130) return Rgb{20, 60, static_cast<uint8_t>(120 + (y - 130))};
        return Rgb{255, static_cast<uint8_t>(90 + y / 2), static_cast<uint8_t>(60 + y / 3)};
      });
  if (!painted) {
    std::fprintf(stderr, "cannot write the pictures beside %s\n", path.c_str());
    return 1;
  }

  paginor::PDF pdf;
  pdf.SetTitle("Gallery");
  pdf.SetPaperSize(paginor::PaperSizeConstants::A4);
  if (!pdf.Create(path)) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return 1;
  }
  pdf.NewPage(40, 40, 40, 40, 250, 248, 240);
  bool ok = true;

  pdf.SetFont(paginor::FontNumberConstants::Helvetica, 18, paginor::FontStyleConstants::Bold,
              paginor::FontEffectConstants::NoFontEffect);
  ok = pdf.WriteText("Gallery", true, 12, paginor::AlignmentConstants::Center) && ok;

  // Two columns, 260 points apart; every picture keeps one pixel per point.
  const Picture grid[] = {
      {gradient, "Gradient, 24 bits, ASCII85", EncodingConstants::ASCII85},
      {stripes, "Stripes, 8-bit palette, ASCIIHex", EncodingConstants::ASCIIHex},
      {stripes, "Stripes again, run-length", EncodingConstants::RunLength},
      {gradient, "Gradient again, Flate", EncodingConstants::Flate},
  };
  pdf.SetFont(paginor::FontNumberConstants::Helvetica, 9, paginor::FontStyleConstants::Regular,
              paginor::FontEffectConstants::NoFontEffect);
  int16_t rowTop = 40;
  for (int index = 0; index < 4; ++index) {
    const int16_t x = static_cast<int16_t>(index % 2 * 260);
    if (index == 2) rowTop = 200;
    pdf.SetPosition(x, rowTop);
    ok = pdf.DrawPicture(grid[index].file, paginor::AlignmentConstants::NoAlignment, "", grid[index].encoding) && ok;
    // Afterwards the position is below the picture, at the x set last: the caption goes there.
    int16_t below = 0, y = 0;
    pdf.GetPosition(below, y);
    pdf.SetPosition(x, static_cast<int16_t>(y + 4));
    ok = pdf.WriteText(grid[index].caption) && ok;
  }

  // The sunset is 320 x 200 pixels; the picture box scales it down to 240 x 150 points, centred, and a
  // click on it opens a link.
  pdf.SetPictureDimensions(240, 150);
  pdf.SetPosition(0, 370);
  ok = pdf.DrawPicture(sunset, paginor::AlignmentConstants::Center, "https://example.com/sunset",
                       EncodingConstants::Flate) && ok;
  ok = pdf.WriteText("Sunset, scaled into a 240 x 150 box, centred, with a link", true, 0,
                     paginor::AlignmentConstants::Center) && ok;

  const bool flushed = pdf.Flush();
  for (const std::string& file : {gradient, stripes, sunset}) std::remove(file.c_str());
  if (!flushed || !ok) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
