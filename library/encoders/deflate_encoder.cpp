#include "encoders/deflate_encoder.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <limits>

#include "encoders/encoder_guard.h"

namespace paginor {
namespace {

// A compressor state that is released however the encoding ends.
class DeflateStream {
 public:
  explicit DeflateStream(uint8_t compressionlevel) {
    constexpr int RawWindowBits = -15;  // negative: no zlib header or trailer
    constexpr int MemoryLevel = 8;
    Ready = deflateInit2(&Stream, compressionlevel, Z_DEFLATED, RawWindowBits, MemoryLevel,
                         Z_DEFAULT_STRATEGY) == Z_OK;
  }
  ~DeflateStream() {
    if (Ready) deflateEnd(&Stream);
  }
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  z_stream Stream{};
  bool Ready = false;
};

// Moves as much of left into a 32-bit counter of the compressor as it holds.
void TopUp(uInt& available, size_t& left) {
  const size_t added = std::min<size_t>(left, std::numeric_limits<uInt>::max() - available);
  available += static_cast<uInt>(added);
  left -= added;
}

}  // namespace

bool Deflate::Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer,
                     uint8_t compressionlevel) const {
  return GuardEncoding(outputbuffer, [&] {
    if (compressionlevel < 1 || compressionlevel > 9) return false;
    DeflateStream engine(compressionlevel);
    if (!engine.Ready) return false;
    z_stream& stream = engine.Stream;
    // Sized once: the bound always holds the compressed data, so one call with Z_FINISH compresses the
    // whole input. Only input or output beyond the 32-bit counters of the compressor takes more calls.
    outputbuffer.assign(deflateBound(&stream, inputbuffer.size()), 0);
    stream.next_in = inputbuffer.data();
    stream.next_out = outputbuffer.data();
    size_t inputleft = inputbuffer.size();
    size_t outputleft = outputbuffer.size();
    int status = Z_OK;
    while (status == Z_OK) {
      TopUp(stream.avail_in, inputleft);
      TopUp(stream.avail_out, outputleft);
      status = deflate(&stream, inputleft == 0 ? Z_FINISH : Z_NO_FLUSH);
    }
    if (status != Z_STREAM_END) return false;
    outputbuffer.resize(stream.total_out);
    return true;
  });
}

}  // namespace paginor
