#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

struct libdeflate_compressor;

namespace paginor {

// Compresses one page's content (drawing, text and picture placements) into the zlib stream that the
// FlateDecode filter reads, in one call, with libdeflate. The compressor's state is made once and used
// for every page; it holds no page data between calls, so memory stays at the largest page compressed.
//
// Level 1 is the default: on the pages of a text report it compresses as small as zlib does at level 4
// to 6 (within 4% of libdeflate's level 6) in half zlib's time and faster than zlib's own level 1,
// which leaves 7% more bytes (bench/page_stream_bench.cpp).
class PageStreamCompressor {
 public:
  static constexpr int FastestLevel = 1;

  // A compressor at level 1 to 12; any other level makes one whose Compress always fails.
  explicit PageStreamCompressor(int compressionlevel = FastestLevel);
  ~PageStreamCompressor();
  PageStreamCompressor(PageStreamCompressor&&) noexcept;
  PageStreamCompressor& operator=(PageStreamCompressor&&) noexcept;

  // Replaces output with the zlib stream of content; the buffer's memory is reused from call to call.
  // False, with output empty, when the compressor could not be made or memory ran out.
  bool Compress(std::string_view content, std::vector<uint8_t>& output) const;

 private:
  struct Release {
    void operator()(libdeflate_compressor* compressor) const;
  };
  std::unique_ptr<libdeflate_compressor, Release> Compressor;
};

}  // namespace paginor
