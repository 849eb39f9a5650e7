#include "encoders/ascii85.h"
#include "encoders/ascii_hex.h"
#include "encoders/run_length.h"
#include "encoders/zlib_encoder.h"
#include "paginor/enumerations.h"
#include "services/picture_codec.h"

namespace paginor {

std::vector<uint8_t> PictureCodec::EncodeData(std::span<const uint8_t> data, int32_t encoding) const {
  // Every Flate stream of a document is compressed at this level.
  constexpr uint8_t FlateLevel = 6;
  std::vector<uint8_t> encoded;
  switch (static_cast<EncodingConstants>(encoding)) {
    case EncodingConstants::ASCII85:
      ASCII85().Encode(data, encoded);
      break;
    case EncodingConstants::ASCIIHex:
      ASCIIHex().Encode(data, encoded);
      break;
    case EncodingConstants::RunLength:
      EncodeRunLength(data, encoded);
      break;
    case EncodingConstants::Flate:
      Zlib().Encode(data, encoded, FlateLevel);
      break;
  }
  // A failed encoder has left the buffer empty; an unknown encoding never filled it.
  return encoded;
}

}  // namespace paginor
