#include "encoders/page_stream_compressor.h"

#include <libdeflate.h>

#include "encoders/encoder_guard.h"

namespace paginor {
namespace {

constexpr int LowestLevel = 1;
constexpr int HighestLevel = 12;

}  // namespace

void PageStreamCompressor::Release::operator()(libdeflate_compressor* compressor) const {
  libdeflate_free_compressor(compressor);
}

PageStreamCompressor::PageStreamCompressor(int compressionlevel) {
  if (compressionlevel >= LowestLevel && compressionlevel <= HighestLevel) {
    Compressor.reset(libdeflate_alloc_compressor(compressionlevel));
  }
}

PageStreamCompressor::~PageStreamCompressor() = default;
PageStreamCompressor::PageStreamCompressor(PageStreamCompressor&&) noexcept = default;
PageStreamCompressor& PageStreamCompressor::operator=(PageStreamCompressor&&) noexcept = default;

bool PageStreamCompressor::Compress(std::string_view content, std::vector<uint8_t>& output) const {
  return GuardEncoding(output, [&] {
    if (!Compressor) return false;
    // The bound always holds the stream, so a result of zero can only mean a fault of the compressor.
    output.resize(libdeflate_zlib_compress_bound(Compressor.get(), content.size()));
    const size_t written =
        libdeflate_zlib_compress(Compressor.get(), content.data(), content.size(), output.data(), output.size());
    output.resize(written);
    return written != 0;
  });
}

}  // namespace paginor
