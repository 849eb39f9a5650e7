#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "encoders/deflate_encoder.h"

namespace paginor {

// A zlib stream as the FlateDecode filter reads it: the two header bytes, the raw deflate data and the
// Adler-32 checksum of the input, most significant byte first.
class Zlib {
 public:
  // Replaces outputbuffer with the zlib stream of inputbuffer at compressionlevel 1 to 9. False (and an
  // empty buffer) for any other level or when compression fails.
  bool Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer,
              uint8_t compressionlevel) const;

 private:
  Deflate Compressor;
};

}  // namespace paginor
