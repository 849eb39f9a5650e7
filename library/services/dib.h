#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace paginor {

// One colour-table entry in the order a bitmap stores it.
struct RgbQuad {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t reserved = 0;
};

// The header of a device-independent bitmap followed by its colour table.
struct BitmapInfo {
  uint32_t biSize = 0;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 0;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
  std::array<RgbQuad, 256> bmiColors{};
};

// One device-independent bitmap held in plain memory: its header, a colour table of 256 entries and its
// rows, stored bottom-up (the first row is the bottom row of the picture) and each padded to a multiple
// of 4 bytes. Indices of 1 and 4 bits are packed from the most significant bit; 24-bit pixels are blue,
// green, red. The decoders of services/picture_decoders.h fill it.
class DIB {
 public:
  DIB() = default;
  DIB(const DIB&) = delete;  // the palette and pixel addresses point into the object
  DIB& operator=(const DIB&) = delete;

  uint8_t BitsPerPixel() const;
  // Failure when the height or width does not fit 16 bits.
  int16_t ImageHeight() const;
  int32_t ImageScanWidth() const { return ScanWidth; }
  int16_t ImageWidth() const;
  // The colour table when the bitmap has 8 bits per pixel or fewer, else null.
  RgbQuad* PaletteOffset() { return PaletteAddress; }
  const RgbQuad* PaletteOffset() const { return PaletteAddress; }
  // The first stored (bottom) row, null when no bitmap is held.
  uint8_t* PixelsOffset() { return PixelsAddress; }
  const uint8_t* PixelsOffset() const { return PixelsAddress; }
  // Stored row y, 0 being the bottom row; y must lie below the height.
  uint8_t* Row(int32_t y) { return PixelsAddress + static_cast<size_t>(y) * static_cast<size_t>(ScanWidth); }
  const uint8_t* Row(int32_t y) const {
    return PixelsAddress + static_cast<size_t>(y) * static_cast<size_t>(ScanWidth);
  }

  // Makes a cleared bitmap. False for a bit count other than 1, 4, 8, 16, 24 or 32, a size that is not
  // positive or whose rows exceed MaxPictureBytes, memory refused, or a bitmap already held (which then
  // stays, with the three values above at 0).
  bool Create(int16_t width, int16_t height, uint8_t bitcount);
  void Destroy();
  // Decodes a BMP, GIF, JPEG or PNG file, or the same bytes in memory. False, holding nothing, for anything
  // unreadable, unsupported or damaged, and when a bitmap is already held.
  bool Load(const std::string& file);
  bool Load(std::span<const uint8_t> bytes);

 private:
  int32_t ScanWidth = 0;
  RgbQuad* PaletteAddress = nullptr;
  uint8_t* PixelsAddress = nullptr;
  BitmapInfo BitmapHeader;
  std::vector<uint8_t> SectionBitmap;  // the stored rows
  bool HoldsSection = false;
};

}  // namespace paginor
