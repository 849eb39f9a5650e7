#include "services/dib.h"

#include <new>

#include "services/failure.h"
#include "services/picture_decoders.h"
#include "services/picture_file.h"
#include "services/picture_limits.h"

namespace paginor {

namespace {

bool IsBitCount(uint8_t bitcount) {
  return bitcount == 1 || bitcount == 4 || bitcount == 8 || bitcount == 16 || bitcount == 24 || bitcount == 32;
}

}  // namespace

uint8_t DIB::BitsPerPixel() const { return static_cast<uint8_t>(BitmapHeader.biBitCount); }

int16_t DIB::ImageHeight() const { return CheckedInt16(BitmapHeader.biHeight); }

int16_t DIB::ImageWidth() const { return CheckedInt16(BitmapHeader.biWidth); }

bool DIB::Create(int16_t width, int16_t height, uint8_t bitcount) {
  ScanWidth = 0;
  PaletteAddress = nullptr;
  PixelsAddress = nullptr;
  if (bitcount > 32 || width <= 0 || height <= 0 || HoldsSection) return false;
  const int64_t scanwidth = ScanWidthOf(width, bitcount);
  const int64_t size = scanwidth * height;
  bool made = IsBitCount(bitcount) && size <= MaxPictureBytes;
  if (made) {
    try {
      SectionBitmap.assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
      made = false;
    }
  }
  if (!made) {
    BitmapHeader = BitmapInfo();
    return false;
  }
  BitmapHeader = BitmapInfo();
  BitmapHeader.biSize = 40;
  BitmapHeader.biWidth = width;
  BitmapHeader.biHeight = height;
  BitmapHeader.biPlanes = 1;
  BitmapHeader.biBitCount = bitcount;
  BitmapHeader.biSizeImage = static_cast<uint32_t>(size);
  ScanWidth = static_cast<int32_t>(scanwidth);
  if (bitcount <= 8) PaletteAddress = BitmapHeader.bmiColors.data();
  PixelsAddress = SectionBitmap.data();
  HoldsSection = true;
  return true;
}

void DIB::Destroy() {
  ScanWidth = 0;
  PaletteAddress = nullptr;
  PixelsAddress = nullptr;
  BitmapHeader = BitmapInfo();
  SectionBitmap = std::vector<uint8_t>();
  HoldsSection = false;
}

bool DIB::Load(const std::string& file) {
  if (HoldsSection) return false;
  std::vector<uint8_t> bytes;
  try {
    if (!ReadPictureFile(file, bytes)) return false;
  } catch (const std::exception&) {
    return false;
  }
  return Load(bytes);
}

bool DIB::Load(std::span<const uint8_t> bytes) {
  ScanWidth = 0;
  PaletteAddress = nullptr;
  PixelsAddress = nullptr;
  if (HoldsSection) return false;
  bool loaded = false;
  try {
    loaded = DecodePicture(bytes, *this);
  } catch (const std::exception&) {
    loaded = false;
  }
  if (!loaded) Destroy();
  return loaded;
}

}  // namespace paginor
