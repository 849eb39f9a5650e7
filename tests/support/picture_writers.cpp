#include "support/picture_writers.h"

#include <cstdio>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace paginor::testing {

namespace {

ColorMapObject* MakeColourMap(const std::vector<Rgb>& colours) {
  if (colours.empty()) return nullptr;
  std::vector<GifColorType> entries;
  for (const Rgb& colour : colours) entries.push_back(GifColorType{colour[0], colour[1], colour[2]});
  return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
}

// The image rows in the order a GIF stores them.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  if (!interlaced) {
    for (int row = 0; row < height; ++row) rows.push_back(row);
    return rows;
  }
  for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
    for (int row = start; row < height; row += step) rows.push_back(row);
  }
  return rows;
}

}  // namespace

bool WriteGif(const std::string& path, const GifPicture& picture) {
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (gif == nullptr) return false;
  ColorMapObject* global = MakeColourMap(picture.globalColours);
  ColorMapObject* local = MakeColourMap(picture.localColours);
  bool written = EGifPutScreenDesc(gif, picture.screenWidth, picture.screenHeight, 8, picture.background,
                                   global) != GIF_ERROR &&
                 EGifPutImageDesc(gif, picture.left, picture.top, picture.width, picture.height,
                                  picture.interlaced, local) != GIF_ERROR;
  std::vector<uint8_t> line;
  for (const int row : StoredRowOrder(picture.height, picture.interlaced)) {
    if (!written) break;
    const auto start = picture.indices.begin() + static_cast<std::ptrdiff_t>(row) * picture.width;
    line.assign(start, start + picture.width);
    written = EGifPutLine(gif, line.data(), picture.width) != GIF_ERROR;
  }
  GifFreeMapObject(global);
  GifFreeMapObject(local);
  return EGifCloseFile(gif, &error) != GIF_ERROR && written;
}

void WriteJpeg(const std::string& path, const JpegPicture& picture) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  const bool inks = picture.colours == JpegColours::Cmyk || picture.colours == JpegColours::Ycck;
  info.input_components = picture.colours == JpegColours::Grey ? 1 : inks ? 4 : 3;
  info.in_color_space = picture.colours == JpegColours::Grey ? JCS_GRAYSCALE : inks ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  if (picture.colours == JpegColours::Ycck) jpeg_set_colorspace(&info, JCS_YCCK);
  if (inks) info.write_Adobe_marker = picture.adobeMarker ? TRUE : FALSE;
  jpeg_set_quality(&info, picture.quality, TRUE);
  if (picture.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const size_t stride = static_cast<size_t>(picture.width) * static_cast<size_t>(info.input_components);
  while (info.next_scanline < info.image_height) {
    auto row = const_cast<JSAMPROW>(picture.samples.data() + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

bool WriteRgbaPng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  if (rgba.size() != PNG_IMAGE_SIZE(image)) return false;
  return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::string BmpFile::Bytes() const {
  std::string header;
  Put32(header, headerSize);
  if (headerSize == 12) {
    Put16(header, static_cast<uint32_t>(width));
    Put16(header, static_cast<uint32_t>(height));
    Put16(header, planes);
    Put16(header, bitCount);
  } else {
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height));
    Put16(header, planes);
    Put16(header, bitCount);
    Put32(header, compression);
    Put32(header, static_cast<uint32_t>(rows.size()));
    Put32(header, 2835);
    Put32(header, 2835);
    Put32(header, coloursUsed);
    Put32(header, 0);
    header += masks;
    header.resize(headerSize, '\0');
  }
  std::string file = "BM";
  const uint32_t offset = static_cast<uint32_t>(14 + header.size() + afterHeader.size());
  Put32(file, static_cast<uint32_t>(offset + rows.size()));
  Put32(file, 0);
  Put32(file, offset);
  return file + header + afterHeader + rows;
}

BmpFile Bmp(int32_t width, int32_t height, uint16_t bitcount, uint32_t compression, uint32_t headersize) {
  BmpFile file;
  file.headerSize = headersize;
  file.width = width;
  file.height = height;
  file.bitCount = bitcount;
  file.compression = compression;
  return file;
}

std::string Entries(std::initializer_list<uint32_t> colours) {
  std::string table;
  for (const uint32_t colour : colours) Put32(table, colour & 0xFFFFFF);
  return table;
}

}  // namespace paginor::testing
