// Encodes arbitrary data with the encoding the first byte picks and decodes the result with an
// independent strict decoder: the data must come back unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "../tests/support/stream_decoders.h"
#include "encoders/zlib_encoder.h"
#include "services/picture_codec.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckRoundTrip(int32_t encoding, std::span<const uint8_t> encoded, std::span<const uint8_t> data) {
  std::vector<uint8_t> decoded;
  Check(paginor::testing::DecodeStream(encoding, encoded, data.size(), decoded));
  Check(std::ranges::equal(decoded, data));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> data(bytes + 1, size - 1);
  const uint8_t selector = bytes[0];
  std::vector<uint8_t> encoded;
  if (selector % 8 == 7) {
    // Flate at every level, refused levels included.
    const auto level = static_cast<uint8_t>(selector / 8 % 11);
    const bool encodes = paginor::Zlib().Encode(data, encoded, level);
    Check(encodes == (level >= 1 && level <= 9));
    Check(encodes || encoded.empty());
    if (encodes) CheckRoundTrip(4, encoded, data);
    return 0;
  }
  // Encodings 1 to 4, and unknown ones around them.
  const int32_t encoding = selector % 8 - 1;
  encoded = paginor::PictureCodec().EncodeData(data, encoding);
  if (encoding < 1 || encoding > 4) {
    Check(encoded.empty());
    return 0;
  }
  CheckRoundTrip(encoding, encoded, data);
  return 0;
}
