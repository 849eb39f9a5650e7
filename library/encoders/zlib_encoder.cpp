#include "encoders/zlib_encoder.h"

#include <algorithm>
#include <array>

#include "encoders/adler32.h"
#include "encoders/encoder_guard.h"

namespace paginor {
namespace {

constexpr size_t HeaderSize = 2;
constexpr size_t TrailerSize = 4;

// CMF: deflate with a 32 KB window. FLG: the level class (0 to 3), no preset dictionary, and the check
// bits that make the two bytes, read as a big-endian number, a multiple of 31.
std::array<uint8_t, HeaderSize> ZlibHeader(uint8_t compressionlevel) {
  constexpr unsigned Method = 8;
  constexpr unsigned WindowInfo = 7;
  constexpr unsigned Cmf = WindowInfo * 16 + Method;
  const unsigned levelclass = std::min(3u, (compressionlevel - 1u) / 2u);
  const unsigned flags = levelclass * 64;
  const unsigned flg = flags + 31 - (Cmf * 256 + flags) % 31;
  return {static_cast<uint8_t>(Cmf), static_cast<uint8_t>(flg)};
}

}  // namespace

bool Zlib::Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer,
                  uint8_t compressionlevel) const {
  return GuardEncoding(outputbuffer, [&] {
    std::vector<uint8_t> deflated;
    if (!Compressor.Encode(inputbuffer, deflated, compressionlevel)) return false;
    const auto checksum = static_cast<uint32_t>(Adler32().Calculate(inputbuffer));
    const std::array<uint8_t, TrailerSize> trailer = {
        static_cast<uint8_t>(checksum >> 24), static_cast<uint8_t>(checksum >> 16),
        static_cast<uint8_t>(checksum >> 8), static_cast<uint8_t>(checksum)};
    const std::array<uint8_t, HeaderSize> header = ZlibHeader(compressionlevel);
    outputbuffer.resize(HeaderSize + deflated.size() + TrailerSize);
    auto out = std::copy(header.begin(), header.end(), outputbuffer.begin());
    out = std::copy(deflated.begin(), deflated.end(), out);
    std::copy(trailer.begin(), trailer.end(), out);
    return true;
  });
}

}  // namespace paginor
