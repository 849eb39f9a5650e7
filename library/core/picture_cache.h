#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "paginor/enumerations.h"
#include "services/picture_codec.h"
#include "services/picture.h"

namespace paginor {

class PictureCache;

// One stored picture: the bytes of its file (the key), its size and depth, and the encodings of its
// pixels, palette and opacity made so far.
struct CachedPicture {
  std::vector<uint8_t> file;
  size_t hash = 0;
  int16_t width = 0;
  int16_t height = 0;
  uint8_t bits = 0;
  bool transparent = false;
  // The colour the composited pixels were laid over.
  std::array<uint8_t, 3> background{};
  // By encoding: the pixels, the palette, the opacity, the pixels composited over background; empty
  // where not made yet.
  std::array<std::vector<uint8_t>, 16> encoded;
};

// A picture file as the formats embed it: its size and depth, and its palette and pixel rows encoded with
// any of the four encodings. Each encoding is made at most once per file content: the cache keeps it for
// the next time the same content is drawn, so that a logo on every page is decoded and encoded once,
// while the output stays byte for byte what a fresh encoding gives.
//
// A picture borrows its cache entry; when it goes, the cache trims itself back to its bound.
class EmbeddedPicture {
 public:
  EmbeddedPicture(EmbeddedPicture&& other) noexcept;
  EmbeddedPicture(const EmbeddedPicture&) = delete;
  EmbeddedPicture& operator=(const EmbeddedPicture&) = delete;
  EmbeddedPicture& operator=(EmbeddedPicture&&) = delete;
  ~EmbeddedPicture();

  int16_t Width() const { return Entry->width; }  // pixels
  int16_t Height() const { return Entry->height; }
  uint8_t BitsPerPixel() const { return Entry->bits; }  // 1, 4 or 8 (with a palette), or 24
  bool Indexed() const { return Entry->bits <= 8; }
  // A 24-bit picture with pixels that are not fully opaque.
  bool Transparent() const { return Entry->transparent; }

  // The pixel rows (bottom row first, unpadded; red, green, blue for 24 bits), for indexed pictures the
  // palette (red, green, blue per index), and for transparent pictures the opacity (a byte a pixel, in
  // the pixels' order), encoded with their end-of-data marker. Failure when the encoder fails, when
  // there is no palette or opacity, or for a value that is not one of the four encodings.
  std::span<const uint8_t> Pixels(EncodingConstants encoding);
  std::span<const uint8_t> Palette(EncodingConstants encoding);
  std::span<const uint8_t> Opacity(EncodingConstants encoding);
  // The pixels as they look laid over a background of red, green, blue: for transparent pictures each
  // pixel mixed with the background by its opacity, rounded; for the others the pixels themselves.
  std::span<const uint8_t> PixelsOver(std::array<uint8_t, 3> background, EncodingConstants encoding);

 private:
  friend class PictureCache;
  // The parts of a picture that are encoded, in the order of CachedPicture::encoded.
  enum class Part : size_t { Pixels, Palette, Opacity, Composited };

  EmbeddedPicture(PictureCache& cache, CachedPicture& entry, std::optional<PictureDescription> decoded);
  std::span<const uint8_t> Encoded(Part part, EncodingConstants encoding);

  PictureCache* Cache;
  CachedPicture* Entry;
  std::optional<PictureDescription> Decoded;  // the decoded picture, once it was needed
};

// The pictures a document drew recently, keyed by the content of their files, not by their names (a file
// replaced between two calls is loaded again). The stored bytes (the files and the encodings) are kept
// within a bound, dropping the least recently used pictures first; a picture larger than the bound is
// not kept beyond its own call. Each document has its own cache.
class PictureCache {
 public:
  // Room for the encodings of a few full-page pictures and of many logos, while a document's memory does
  // not grow with the number of pictures it draws.
  static constexpr size_t DefaultBound = size_t{16} << 20;

  explicit PictureCache(const PictureCodec& codec, size_t bound = DefaultBound)
      : Codec(codec), Bound(bound) {}
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  // Reads a picture file, then finds its content among the stored pictures or decodes it. Nothing when
  // the file cannot be read or decoded, or memory is refused.
  std::optional<EmbeddedPicture> Load(const std::string& file);
  // Why the last Load gave nothing, in plain English.
  const std::string& LoadFailureText() const { return LoadFailure; }

  // Bytes held by the stored pictures.
  size_t StoredBytes() const { return Stored; }

 private:
  friend class EmbeddedPicture;

  void Trim();

  const PictureCodec& Codec;
  size_t Bound;
  size_t Stored = 0;
  std::list<CachedPicture> Entries;  // the most recently used first
  std::string LoadFailure;
};

}  // namespace paginor
