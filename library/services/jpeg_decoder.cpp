#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jerror.h>
#include <jpeglib.h>

#include "services/picture_decoders.h"
#include "services/picture_limits.h"

namespace paginor {

namespace {

// More scans than this make a file that only costs time: real progressive files have about ten.
constexpr int MaxScans = 500;

// The decoder's error manager: errors, and warnings that mean lost picture data, jump back to
// DecodeJpeg instead of ending the process; no message is printed.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void LeaveDecoder(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

bool MeansLostData(int code) {
  return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
         code == JWRN_MUST_RESYNC;
}

void JudgeMessage(j_common_ptr info, int level) {
  if (level < 0 && MeansLostData(info->err->msg_code)) LeaveDecoder(info);
}

void IgnoreMessage(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) {
    LeaveDecoder(info);
  }
}

// Huffman coding spends at least one bit on every block of 8 by 8 samples of every component, so a file
// claiming more blocks than it has bits is damaged (it would decode to filler).
bool BlocksFitFile(const jpeg_decompress_struct& info, size_t filesize) {
  if (info.arith_code) return true;
  uint64_t blocks = 0;
  for (int component = 0; component < info.num_components; ++component) {
    const jpeg_component_info& each = info.comp_info[component];
    blocks += uint64_t{each.width_in_blocks} * each.height_in_blocks;
  }
  return blocks <= uint64_t{filesize} * 8;
}

// CMYK or YCCK pixels (as the decoder gives them, converted to CMYK) to blue, green, red. Files with an
// Adobe marker store the four inks inverted, as nearly all CMYK JPEG files do.
void ConvertInkRow(const JSAMPLE* inks, JDIMENSION width, bool inverted, uint8_t* target) {
  for (JDIMENSION x = 0; x < width; ++x, inks += 4, target += 3) {
    unsigned cyan = inks[0], magenta = inks[1], yellow = inks[2], black = inks[3];
    if (!inverted) {
      cyan = 255 - cyan;
      magenta = 255 - magenta;
      yellow = 255 - yellow;
      black = 255 - black;
    }
    target[0] = static_cast<uint8_t>((yellow * black + 127) / 255);
    target[1] = static_cast<uint8_t>((magenta * black + 127) / 255);
    target[2] = static_cast<uint8_t>((cyan * black + 127) / 255);
  }
}

// Everything between jpeg_create_decompress and a successful end; any error jumps back to DecodeJpeg.
// No object with a destructor lives here, since the jump would skip it.
bool Decompress(jpeg_decompress_struct& info, std::span<const uint8_t> bytes, DIB& dib) {
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
  const bool inks = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = grey ? JCS_GRAYSCALE : inks ? JCS_CMYK : JCS_EXT_BGR;
  const uint8_t bits = grey ? 8 : 24;
  if (!PictureAllowed(info.image_width, info.image_height, bits, bytes.size()) || !BlocksFitFile(info, bytes.size())) {
    return false;
  }
  jpeg_start_decompress(&info);
  const auto width = static_cast<int16_t>(info.output_width);
  const auto height = static_cast<int16_t>(info.output_height);
  if (info.output_width != info.image_width || info.output_height != info.image_height) return false;
  if (!dib.Create(width, height, bits)) return false;
  if (grey) {
    RgbQuad* table = dib.PaletteOffset();
    for (int level = 0; level < 256; ++level) {
      table[level].blue = table[level].green = table[level].red = static_cast<uint8_t>(level);
    }
  }
  JSAMPARRAY inkrow = inks ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                          info.output_width * 4, 1)
                           : nullptr;
  while (info.output_scanline < info.output_height) {
    uint8_t* row = dib.Row(height - 1 - static_cast<int32_t>(info.output_scanline));
    JSAMPROW target = inks ? inkrow[0] : row;
    if (jpeg_read_scanlines(&info, &target, 1) != 1) return false;
    if (inks) ConvertInkRow(inkrow[0], info.output_width, info.saw_Adobe_marker, row);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool DecodeJpeg(std::span<const uint8_t> bytes, DIB& dib) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  jpeg_progress_mgr progress{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = LeaveDecoder;
  errors.manager.emit_message = JudgeMessage;
  errors.manager.output_message = IgnoreMessage;
  progress.progress_monitor = LimitScans;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  info.progress = &progress;
  const bool decoded = Decompress(info, bytes, dib);
  jpeg_destroy_decompress(&info);
  return decoded;
}

}  // namespace paginor
