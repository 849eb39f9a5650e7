#include "services/picture_decoders.h"

#include <algorithm>
#include <array>

namespace paginor {

namespace {

bool StartsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> signature) {
  return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

}  // namespace

bool DecodePicture(std::span<const uint8_t> bytes, DIB& dib) {
  static constexpr std::array<uint8_t, 2> Bmp = {'B', 'M'};
  static constexpr std::array<uint8_t, 6> Gif87 = {'G', 'I', 'F', '8', '7', 'a'};
  static constexpr std::array<uint8_t, 6> Gif89 = {'G', 'I', 'F', '8', '9', 'a'};
  static constexpr std::array<uint8_t, 3> Jpeg = {0xFF, 0xD8, 0xFF};
  if (StartsWith(bytes, Bmp)) return DecodeBmp(bytes, dib);
  if (StartsWith(bytes, Gif87) || StartsWith(bytes, Gif89)) return DecodeGif(bytes, dib);
  if (StartsWith(bytes, Jpeg)) return DecodeJpeg(bytes, dib);
  return false;
}

}  // namespace paginor
