#include "services/picture_decoders.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace paginor {

namespace {

bool StartsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> signature) {
  return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

}  // namespace

const char* PictureKind(std::span<const uint8_t> bytes) {
  static constexpr std::array<uint8_t, 2> Bmp = {'B', 'M'};
  static constexpr std::array<uint8_t, 6> Gif87 = {'G', 'I', 'F', '8', '7', 'a'};
  static constexpr std::array<uint8_t, 6> Gif89 = {'G', 'I', 'F', '8', '9', 'a'};
  static constexpr std::array<uint8_t, 3> Jpeg = {0xFF, 0xD8, 0xFF};
  static constexpr std::array<uint8_t, 8> Png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (StartsWith(bytes, Bmp)) return "BMP";
  if (StartsWith(bytes, Gif87) || StartsWith(bytes, Gif89)) return "GIF";
  if (StartsWith(bytes, Jpeg)) return "JPEG";
  if (StartsWith(bytes, Png)) return "PNG";
  return nullptr;
}

bool DecodePicture(std::span<const uint8_t> bytes, DIB& dib) {
  const std::string_view kind = PictureKind(bytes) != nullptr ? PictureKind(bytes) : "";
  if (kind == "BMP") return DecodeBmp(bytes, dib);
  if (kind == "GIF") return DecodeGif(bytes, dib);
  if (kind == "JPEG") return DecodeJpeg(bytes, dib);
  if (kind == "PNG") return DecodePng(bytes, dib);
  return false;
}

}  // namespace paginor
