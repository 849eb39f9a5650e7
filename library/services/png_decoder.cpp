#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "services/picture_decoders.h"
#include "services/picture_limits.h"

namespace paginor {

namespace {

// Ancillary chunks (text, colour profiles) may not make the decoder hold more than this at once.
constexpr png_alloc_size_t MaxChunkBytes = png_alloc_size_t{8} << 20;

// Ancillary chunks whose content a picture in a document does not need (texts, colour profiles,
// suggested palettes, calibrations, metadata): the decoder passes over them without holding them.
constexpr char SkippedChunks[] = "iCCP\0sPLT\0tEXt\0zTXt\0iTXt\0pCAL\0sCAL\0eXIf\0hIST";
constexpr int SkippedChunkCount = 9;

uint32_t BigEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// Whether every chunk after the signature lies within the file, up to the closing IEND chunk. A length
// that reaches past the file's end means a damaged or cut file, and would have the decoder reserve
// memory for data that is not there.
bool ChunksFitFile(std::span<const uint8_t> bytes) {
  constexpr size_t Signature = 8, Frame = 12;  // length, type and CRC around each chunk's data
  for (size_t position = Signature; bytes.size() - position >= Frame;) {
    const uint32_t length = BigEndian32(bytes.data() + position);
    if (length > bytes.size() - position - Frame) return false;
    if (std::memcmp(bytes.data() + position + 4, "IEND", 4) == 0) return true;
    position += Frame + length;
  }
  return false;
}

// The file's bytes as the decoder reads them.
struct PngInput {
  std::span<const uint8_t> bytes;
  size_t position = 0;
};

// Errors jump back to DecodePng instead of ending the process; nothing is printed.
[[noreturn]] void LeaveDecoder(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

void ReadPngBytes(png_structp png, png_bytep data, size_t length) {
  auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
  if (length > input->bytes.size() - input->position) png_error(png, "the file ends early");
  std::memcpy(data, input->bytes.data() + input->position, length);
  input->position += length;
}

// Releases the decoder's structures however decoding ends.
struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  PngReader() = default;
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;
  ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

// How the picture is stored in the bitmap.
enum class Layout {
  Indexed,      // palette indices with the file's palette
  Grey,         // grey levels as indices into a grey colour table
  Colour,       // 24 bits, blue, green, red
  Transparent,  // 32 bits, blue, green, red and opacity
};

// Whether the file gives any pixel less than full opacity: an alpha channel, a transparent colour, or
// a palette entry that is not fully opaque.
bool HasTransparency(png_structp png, png_infop info, int colourtype) {
  if ((colourtype & PNG_COLOR_MASK_ALPHA) != 0) return true;
  if (png_get_valid(png, info, PNG_INFO_tRNS) == 0) return false;
  if (colourtype != PNG_COLOR_TYPE_PALETTE) return true;
  png_bytep opacities = nullptr;
  int count = 0;
  png_get_tRNS(png, info, &opacities, &count, nullptr);
  for (int index = 0; index < count; ++index) {
    if (opacities[index] != 255) return true;
  }
  return false;
}

Layout LayoutOf(png_structp png, png_infop info, int colourtype) {
  if (HasTransparency(png, info, colourtype)) return Layout::Transparent;
  if (colourtype == PNG_COLOR_TYPE_PALETTE) return Layout::Indexed;
  if (colourtype == PNG_COLOR_TYPE_GRAY) return Layout::Grey;
  return Layout::Colour;
}

// The bitmap depth of a layout. Indices and grey levels of 1 and 4 bits are packed as the bitmap packs
// them; those of 2 bits get a byte each, since bitmaps have no 2-bit depth.
uint8_t DepthOf(Layout layout, int bitdepth) {
  switch (layout) {
    case Layout::Indexed:
    case Layout::Grey: return bitdepth == 1 || bitdepth == 4 ? static_cast<uint8_t>(bitdepth) : 8;
    case Layout::Colour: return 24;
    case Layout::Transparent: return 32;
  }
  return 0;
}

// Asks the decoder for rows in the layout: 8-bit samples (16-bit ones scaled, rounded), 2-bit indices
// unpacked, colour in the bitmap's blue, green, red order, and for transparent pictures every kind of
// pixel expanded to colour with opacity. Gamma and colour profiles are not applied: the samples are
// embedded as the file gives them.
void RequestLayout(png_structp png, Layout layout, int bitdepth) {
  if (bitdepth == 16) png_set_scale_16(png);
  if (bitdepth == 2) png_set_packing(png);
  if (layout == Layout::Transparent) {
    png_set_expand(png);
    png_set_gray_to_rgb(png);
  }
  if (layout == Layout::Colour || layout == Layout::Transparent) png_set_bgr(png);
}

void FillColourTable(png_structp png, png_infop info, Layout layout, int bitdepth, RgbQuad* table) {
  if (layout == Layout::Grey) {
    const int levels = 1 << (bitdepth >= 8 ? 8 : bitdepth);
    for (int level = 0; level < levels; ++level) {
      const auto value = static_cast<uint8_t>(level * 255 / (levels - 1));
      table[level].blue = table[level].green = table[level].red = value;
    }
    return;
  }
  png_colorp palette = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &palette, &count) == 0) return;
  for (int index = 0; index < count && index < 256; ++index) {
    table[index].red = palette[index].red;
    table[index].green = palette[index].green;
    table[index].blue = palette[index].blue;
  }
}

// Everything between creating the decoder and a successful end; any error jumps back to DecodePng. No
// object with a destructor lives here, since the jump would skip it.
bool Decompress(png_structp png, png_infop info, size_t filesize, DIB& dib) {
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int bitdepth = png_get_bit_depth(png, info);
  const int colourtype = png_get_color_type(png, info);
  const Layout layout = LayoutOf(png, info, colourtype);
  const uint8_t bits = DepthOf(layout, bitdepth);
  if (!PictureAllowed(width, height, bits, filesize)) return false;

  RequestLayout(png, layout, bitdepth);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  // The rows the decoder gives must be the bitmap's rows without their padding.
  const auto rowbytes = static_cast<size_t>((int64_t{width} * bits + 7) / 8);
  if (png_get_rowbytes(png, info) != rowbytes) return false;

  const auto rows = static_cast<int16_t>(height);
  if (!dib.Create(static_cast<int16_t>(width), rows, bits)) return false;
  if (bits <= 8) FillColourTable(png, info, layout, bitdepth, dib.PaletteOffset());
  // Each pass of an interlaced file fills in its own pixels of the rows; the bitmap stores the bottom
  // row first.
  for (int pass = 0; pass < passes; ++pass) {
    for (int32_t y = 0; y < rows; ++y) png_read_row(png, dib.Row(rows - 1 - y), nullptr);
  }
  // The rest of the file is read too, so that damage after the pixels is found as well.
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool DecodePng(std::span<const uint8_t> bytes, DIB& dib) {
  if (bytes.size() < 8 || !ChunksFitFile(bytes)) return false;
  PngInput input{bytes, 0};
  PngReader reader;
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, LeaveDecoder, IgnoreWarning);
  if (reader.png == nullptr) return false;
  reader.info = png_create_info_struct(reader.png);
  if (reader.info == nullptr) return false;
  if (setjmp(png_jmpbuf(reader.png)) != 0) return false;
  png_set_read_fn(reader.png, &input, ReadPngBytes);
  png_set_user_limits(reader.png, 32767, 32767);
  png_set_chunk_malloc_max(reader.png, MaxChunkBytes);
  png_set_keep_unknown_chunks(reader.png, PNG_HANDLE_CHUNK_NEVER, reinterpret_cast<png_const_bytep>(SkippedChunks),
                              SkippedChunkCount);
  return Decompress(reader.png, reader.info, bytes.size(), dib);
}

}  // namespace paginor
