#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "services/picture.h"

namespace paginor {

// Pictures in and out: decoding BMP, GIF, JPEG and PNG files into picture descriptions, and encoding
// data for a document's streams. Stateless; the picture cache owns one.
class PictureCodec {
 public:
  // The data encoded with the given EncodingConstants value, end-of-data marker included; empty for an
  // unknown encoding or a failed encoder.
  std::vector<uint8_t> EncodeData(std::span<const uint8_t> data, int32_t encoding) const;

  // Decodes a BMP, GIF, JPEG or PNG file, or the bytes of one. False for unreadable, unsupported or damaged
  // files.
  bool LoadImage(const std::string& file, PictureDescription& picture) const;
  bool LoadImage(std::span<const uint8_t> bytes, PictureDescription& picture) const;
};

}  // namespace paginor
